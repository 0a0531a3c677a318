#include "menu_pictures/ship_art.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/shapes.hpp"

namespace kr::makedata::menu {
namespace {

using glm::vec2;
using Outline = std::vector<vec2>;
using glm::vec3;

// The polygon and its reflection across the ship's axis.
std::array<Outline, 2> Pair(const Outline& half) {
    Outline mirrored = half;
    for (vec2& p : mirrored) p.y = -p.y;
    return {half, mirrored};
}

ShipPlan Make(const char* name, Outline body, std::vector<Outline> pairs, Outline cockpit, std::vector<vec2> engines) {
    ShipPlan plan{name, {std::move(body)}, std::move(cockpit), std::move(engines)};
    for (const Outline& half : pairs)
        for (const Outline& side : Pair(half)) plan.hull.push_back(side);
    return plan;
}

std::array<ShipPlan, 5> BuildPlans() {
    return {{
        Make("DELTA",
             {{1.0f, 0.0f}, {0.2f, -0.13f}, {-0.82f, -0.16f}, {-0.82f, 0.16f}, {0.2f, 0.13f}},
             {{{0.55f, -0.08f}, {-0.6f, -0.88f}, {-0.78f, -0.88f}, {-0.66f, -0.1f}},
              {{-0.5f, -0.14f}, {-0.92f, -0.28f}, {-0.92f, -0.08f}, {-0.7f, -0.05f}}},
             {{0.62f, 0.0f}, {0.4f, -0.07f}, {0.15f, -0.06f}, {0.15f, 0.06f}, {0.4f, 0.07f}},
             {{-0.9f, -0.17f}, {-0.9f, 0.17f}}),
        Make("SPECTRE",
             {{1.0f, 0.0f}, {0.55f, -0.08f}, {-0.92f, -0.1f}, {-0.92f, 0.1f}, {0.55f, 0.08f}},
             {{{0.2f, -0.07f}, {0.5f, -0.78f}, {0.36f, -0.84f}, {-0.4f, -0.09f}},
              {{-0.55f, -0.09f}, {-0.86f, -0.42f}, {-0.97f, -0.38f}, {-0.86f, -0.09f}}},
             {{0.7f, 0.0f}, {0.5f, -0.05f}, {0.3f, -0.045f}, {0.3f, 0.045f}, {0.5f, 0.05f}},
             {{-0.95f, -0.04f}, {-0.95f, 0.04f}}),
        Make("BLADE",
             {{1.0f, 0.0f}, {0.3f, -0.07f}, {-0.96f, -0.09f}, {-0.96f, 0.09f}, {0.3f, 0.07f}},
             {{{-0.05f, -0.07f}, {-0.56f, -0.72f}, {-0.72f, -0.72f}, {-0.52f, -0.07f}},
              {{0.5f, -0.06f}, {0.32f, -0.26f}, {0.25f, -0.24f}, {0.3f, -0.06f}}},
             {{0.55f, 0.0f}, {0.35f, -0.045f}, {0.1f, -0.04f}, {0.1f, 0.04f}, {0.35f, 0.045f}},
             {{-0.98f, 0.0f}}),
        Make("THOR",
             {{1.0f, 0.0f}, {0.88f, -0.14f}, {0.6f, -0.3f}, {-0.72f, -0.32f}, {-0.92f, -0.2f}, {-0.92f, 0.2f},
              {-0.72f, 0.32f}, {0.6f, 0.3f}, {0.88f, 0.14f}},
             {{{0.22f, -0.3f}, {-0.02f, -0.96f}, {-0.5f, -0.96f}, {-0.6f, -0.3f}},
              {{0.95f, -0.08f}, {0.8f, -0.42f}, {0.62f, -0.42f}, {0.66f, -0.2f}}},
             {{0.62f, 0.0f}, {0.45f, -0.1f}, {0.2f, -0.1f}, {0.2f, 0.1f}, {0.45f, 0.1f}},
             {{-0.95f, 0.0f}}),
        Make("TRINITY",
             {{1.0f, 0.0f}, {0.6f, -0.09f}, {-0.8f, -0.11f}, {-0.8f, 0.11f}, {0.6f, 0.09f}},
             {{{0.78f, -0.6f}, {0.5f, -0.69f}, {-0.88f, -0.67f}, {-0.88f, -0.53f}, {0.5f, -0.51f}},
              {{0.22f, -0.08f}, {0.08f, -0.56f}, {-0.46f, -0.56f}, {-0.42f, -0.08f}}},
             {{0.66f, 0.0f}, {0.45f, -0.06f}, {0.2f, -0.055f}, {0.2f, 0.055f}, {0.45f, 0.06f}},
             {{-0.92f, -0.6f}, {-0.92f, 0.6f}}),
    }};
}

toolkit::Polygon Placed(const Outline& points, const ShipPlacement& at) {
    toolkit::Polygon polygon;
    for (const vec2& p : points) polygon.points.push_back(at.ToPicture(p));
    return polygon;
}

}  // namespace

const ShipPlan& PlanOf(int ship) {
    static const std::array<ShipPlan, 5> plans = BuildPlans();
    return plans[static_cast<std::size_t>(std::clamp(ship, 1, 5) - 1)];
}

vec2 ShipPlacement::ToPicture(vec2 p) const {
    const float c = std::cos(heading), s = std::sin(heading);
    const vec2 scaled = p * (length * 0.5f);
    return centre + vec2(scaled.x * c - scaled.y * s, scaled.x * s + scaled.y * c);
}

Field ShipMask(int width, int height, const ShipPlan& plan, const ShipPlacement& at) {
    Field mask(width, height);
    for (const Outline& part : plan.hull) toolkit::Fill(mask, Placed(part, at));
    return mask;
}

Field ShipOutline(int width, int height, const ShipPlan& plan, const ShipPlacement& at, float lineWidth) {
    Field mask(width, height);
    for (const Outline& part : plan.hull) toolkit::Stroke(mask, Placed(part, at), lineWidth);
    toolkit::Stroke(mask, Placed(plan.cockpit, at), lineWidth);
    return mask;
}

namespace {

// Raised plates: the fuselage stands above the wings, each part bevelled on
// its own, smoothed so that no texel steps show in the light.
Field HullHeight(int w, int h, const ShipPlan& plan, const ShipPlacement& at) {
    Field height(w, h);
    const float bevel = std::max(1.0f, at.length * 0.04f);
    for (std::size_t i = 0; i < plan.hull.size(); ++i) {
        Field part(w, h);
        toolkit::Fill(part, Placed(plan.hull[i], at));
        Field raised = toolkit::BevelHeight(part, bevel);
        const float level = i == 0 ? 1.0f : 0.6f;
        toolkit::CombineInto(height, raised, [level](float a, float b) { return std::max(a, b * level); });
    }
    return toolkit::Blurred(height, std::max(0.6f, at.length * 0.004f));
}

// Gunmetal with grime, lighter towards the nose, with panel seams on ships
// large enough to show them.
Canvas HullMetal(int w, int h, const ShipPlacement& at, float shade) {
    const toolkit::Fractal grime{17, toolkit::Basis::Gradient, 4, 0.5f};
    const vec2 nose = at.ToPicture({1.0f, 0.0f}), tail = at.ToPicture({-1.0f, 0.0f});
    const vec2 axis = nose - tail;
    Canvas metal(w, h);
    metal.Generate([&](int x, int y) {
        const vec2 p(x + 0.5f, y + 0.5f);
        const float along = glm::dot(p - tail, axis) / glm::dot(axis, axis);
        const float dirt = toolkit::Fbm(grime, p / std::max(8.0f, at.length * 0.12f)) * 0.12f;
        const float level = 0.34f + 0.22f * along + dirt;
        return Colour(glm::mix(palette::kMetalDark * 0.45f, palette::kMetalLight * 0.95f, level) * shade, 1.0f);
    });
    if (at.length >= 60.0f) {
        const float cell = at.length * 0.17f;
        Field seams(w, h);
        const float c = std::cos(at.heading), s = std::sin(at.heading);
        seams.Generate([&](int x, int y) {
            // A grid running along the ship's axis.
            const vec2 d = vec2(x + 0.5f, y + 0.5f) - at.centre;
            const vec2 local(d.x * c + d.y * s, -d.x * s + d.y * c);
            const float gx = std::fabs(std::fmod(local.x + 1000.0f * cell, cell) - cell * 0.5f);
            const float gy = std::fabs(std::fmod(local.y + 1000.0f * cell * 0.7f, cell * 0.7f) - cell * 0.35f);
            const float line = std::max(1.0f - std::fabs(gx - cell * 0.5f), 1.0f - std::fabs(gy - cell * 0.35f));
            return std::clamp(line, 0.0f, 1.0f);
        });
        toolkit::Paint(metal, seams, Colour(0.05f, 0.05f, 0.07f, 0.3f));
    }
    return metal;
}

// Crimson markings: twin stripes down the spine and a lamp on each wing tip.
void PaintMarkings(Canvas& canvas, const ShipPlan& plan, const ShipPlacement& at, const Field& hull) {
    const int w = canvas.width(), h = canvas.height();
    Field stripes(w, h);
    const float width = std::max(0.8f, at.length * 0.012f);
    for (float side : {-0.045f, 0.045f})
        toolkit::Fill(stripes, toolkit::Segment{at.ToPicture({-0.55f, side}), at.ToPicture({0.05f, side}), width});
    toolkit::CombineInto(stripes, hull, [](float a, float b) { return std::min(a, b); });
    toolkit::Paint(canvas, stripes, Colour(palette::kCrimson, 0.85f));
    // The wing tips: the hull points farthest from the axis on each side.
    vec2 left(0.0f), right(0.0f);
    for (const auto& part : plan.hull)
        for (const vec2& p : part) {
            if (p.y < left.y) left = p;
            if (p.y > right.y) right = p;
        }
    const float lamp = std::max(1.2f, at.length * 0.02f);
    AddFlare(canvas, at.ToPicture(left * 0.96f), lamp, palette::kWarning, 0.9f);
    AddFlare(canvas, at.ToPicture(right * 0.96f), lamp, palette::kAcid, 0.9f);
}

void PaintCanopy(Canvas& canvas, const ShipPlan& plan, const ShipPlacement& at, float shade) {
    const int w = canvas.width(), h = canvas.height();
    Field canopy(w, h);
    toolkit::Fill(canopy, Placed(plan.cockpit, at));
    const vec2 front = at.ToPicture({0.6f, 0.0f}), back = at.ToPicture({0.1f, 0.0f});
    Canvas glass(w, h);
    glass.Generate([&](int x, int y) {
        const vec2 p(x + 0.5f, y + 0.5f);
        const float t = std::clamp(glm::dot(p - back, front - back) / glm::dot(front - back, front - back), 0.0f, 1.0f);
        return Colour(glm::mix(vec3(0.03f, 0.08f, 0.12f), vec3(0.3f, 0.55f, 0.7f), t) * shade, 1.0f);
    });
    toolkit::BakeLighting(glass, toolkit::BevelHeight(canopy, std::max(1.0f, at.length * 0.02f)), 4.0f);
    toolkit::Paint(canvas, Grown(canopy, std::max(0.6f, at.length * 0.006f)), Colour(0.05f, 0.05f, 0.06f, 0.9f));
    toolkit::Composite(canvas, glass, canopy);
}

}  // namespace

void PaintShip(Canvas& picture, const ShipPlan& plan, const ShipPlacement& placement, float shade, glm::vec3 engineColour) {
    // Painted on the patch of the picture the ship and its flares cover.
    const float reach = placement.length * 0.8f;
    Region region = CutRegion(picture, placement.centre - vec2(reach), placement.centre + vec2(reach));
    if (region.canvas.width() == 0 || region.canvas.height() == 0) return;
    ShipPlacement at = placement;
    at.centre -= vec2(region.origin);
    Canvas& canvas = region.canvas;
    const int w = canvas.width(), h = canvas.height();
    const Field hull = ShipMask(w, h, plan, at);
    Canvas metal = HullMetal(w, h, at, shade);
    toolkit::BakeLighting(metal, HullHeight(w, h, plan, at), 4.0f,
                          toolkit::Light{glm::normalize(vec3(-1.0f, -1.0f, 1.3f)), 0.4f, 0.6f, 0.5f, 14.0f});
    toolkit::Paint(canvas, Grown(hull, std::max(0.6f, at.length * 0.006f)), Colour(palette::kInk, 0.8f));
    toolkit::Composite(canvas, metal, hull);
    if (at.length >= 40.0f) PaintMarkings(canvas, plan, at, hull);
    PaintCanopy(canvas, plan, at, shade);
    for (const vec2& engine : plan.engines) {
        const vec2 back = at.ToPicture(engine - vec2(0.05f, 0.0f));
        const vec2 plume = at.ToPicture(engine - vec2(0.2f, 0.0f));
        AddFlare(canvas, plume, std::max(2.0f, at.length * 0.06f), engineColour, 0.5f * std::max(shade, 0.5f));
        AddFlare(canvas, back, std::max(2.0f, at.length * 0.07f), engineColour, 1.1f * std::max(shade, 0.5f));
    }
    PasteRegion(picture, region);
}

}  // namespace kr::makedata::menu
