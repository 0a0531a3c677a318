// Painted scenes: the mission pictures (loa1 over a ground map, loa2 in an
// asteroid field), the end-of-campaign picture and the shop's launch bay.

#include <algorithm>
#include <cmath>
#include <string>

#include "menu_pictures/picture_groups.hpp"
#include "menu_pictures/ship_art.hpp"
#include "toolkit/decals.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/panels.hpp"
#include "toolkit/resample.hpp"

namespace kr::makedata::menu {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::SmoothStep;

constexpr float kPi = 3.14159265f;

// A ship's shadow cast on the ground below it.
void CastShadow(Canvas& picture, const ShipPlan& plan, ShipPlacement at, vec2 offset, float strength) {
    at.centre += offset;
    Region region = CutRegion(picture, at.centre - vec2(at.length * 0.7f), at.centre + vec2(at.length * 0.7f));
    at.centre -= vec2(region.origin);
    Canvas& canvas = region.canvas;
    Field shadow = toolkit::Blurred(ShipMask(canvas.width(), canvas.height(), plan, at), at.length * 0.03f);
    toolkit::Paint(canvas, shadow, Colour(0.0f, 0.0f, 0.02f, strength));
    PasteRegion(picture, region);
}

// Dusk over a ridged land seen from high above, fading into fog towards the
// horizon; a strike group flies in over it.
Canvas GroundVista() {
    constexpr int kW = 512, kH = 256;
    constexpr float kHorizon = 64.0f;
    const vec2 sun(410.0f, kHorizon - 10.0f);
    const toolkit::Fractal land{31, toolkit::Basis::Gradient, 6, 0.5f};
    const toolkit::Fractal sky{32, toolkit::Basis::Gradient, 4, 0.5f};
    const auto height = [&](vec2 p) {
        const float ranges = toolkit::Ridged(land, p * 0.22f);
        return ranges * ranges * 1.8f + toolkit::Fbm(land, p * 1.1f + vec2(5.0f)) * 0.25f;
    };
    const vec3 fog = palette::kFog * 1.3f;
    const vec3 towardsSun = glm::normalize(vec3(0.8f, 0.3f, 0.5f));
    Canvas canvas(kW, kH);
    canvas.Generate([&](int x, int y) {
        const float fy = y + 0.5f, fx = x + 0.5f;
        if (fy < kHorizon) {
            const float t = fy / kHorizon;
            vec3 c = glm::mix(vec3(0.03f, 0.04f, 0.09f), glm::mix(fog, palette::kEmber * 0.7f, 0.35f), t * t);
            const float band = std::max(0.0f, toolkit::Fbm(sky, vec2(fx * 0.006f, fy * 0.05f)));
            c += vec3(0.35f, 0.16f, 0.12f) * band * band * t;
            const float glow = std::exp(-glm::length((vec2(fx, fy) - sun) * vec2(0.012f, 0.05f)));
            return Colour(c + palette::kEmber * glow * 0.8f, 1.0f);
        }
        // Ground: depth grows towards the horizon.
        const float depth = 42.0f / (fy - kHorizon + 6.0f);
        const vec2 p((fx - kW * 0.5f) / kW * depth * 3.0f, depth * 2.0f);
        const float e = 0.01f;
        const float h = height(p);
        const float hx = (height(p + vec2(e, 0.0f)) - h) / e, hz = (height(p + vec2(0.0f, e)) - h) / e;
        const vec3 normal = glm::normalize(vec3(-hx * 0.7f, 1.0f, -hz * 0.7f));
        const float lit = std::max(0.0f, glm::dot(normal, towardsSun));
        const vec3 rock = glm::mix(vec3(0.05f, 0.06f, 0.065f), vec3(0.36f, 0.32f, 0.3f), SmoothStep(0.05f, 1.2f, h));
        vec3 c = rock * (0.2f + 1.1f * lit) + palette::kEmber * 0.3f * std::pow(lit, 6.0f) * SmoothStep(0.4f, 1.2f, h);
        const float mist = (1.0f - SmoothStep(0.0f, 0.35f, h)) * 0.45f;
        const float haze = std::min(1.0f, 1.0f - std::exp(-depth * 0.3f) + mist);
        const vec3 air = glm::mix(fog * 0.8f, palette::kEmber * 0.5f, SmoothStep(0.5f, 3.5f, depth) * 0.35f);
        return Colour(glm::mix(c, air, haze), 1.0f);
    });
    // Lights of a base in the valleys.
    const vec2 bases[] = {{120.0f, 112.0f}, {300.0f, 88.0f}};
    for (int i = 0; i < 24; ++i) {
        const std::uint32_t k = toolkit::Hash(static_cast<std::uint32_t>(i) + 900u);
        const vec2 base = bases[i % 2];
        const vec2 spread(toolkit::HashFraction(k) - 0.5f, toolkit::HashFraction(toolkit::Hash(k)) - 0.5f);
        const vec2 at = base + spread * vec2(70.0f, 14.0f) * (base.y - kHorizon) / 40.0f;
        AddFlare(canvas, at, 1.2f + (at.y - kHorizon) * 0.02f, i % 5 == 0 ? palette::kCrimson : palette::kEmber, 0.8f);
    }
    // The strike group low over the ground, their shadows beneath.
    const ShipPlacement group[] = {{{330.0f, 200.0f}, 92.0f, -1.15f},
                                   {{240.0f, 215.0f}, 70.0f, -1.2f},
                                   {{408.0f, 168.0f}, 62.0f, -1.1f}};
    const int ships[] = {3, 1, 1};
    for (int i = 0; i < 3; ++i) CastShadow(canvas, PlanOf(ships[i]), group[i], vec2(-26.0f, 14.0f), 0.55f);
    for (int i = 0; i < 3; ++i) PaintShip(canvas, PlanOf(ships[i]), group[i], 1.0f - 0.1f * i);
    // Enemies coming out of the haze.
    for (int i = 0; i < 4; ++i) {
        const ShipPlacement enemy{{150.0f + i * 42.0f, 92.0f + (i % 2) * 9.0f}, 20.0f, 1.57f};
        PaintShip(canvas, PlanOf(4), enemy, 0.45f, palette::kAcid);
    }
    Vignette(canvas, 0.35f);
    return canvas;
}

// One rock: a noisy disc lit from `light` (picture space, z towards the viewer).
void PaintAsteroid(Canvas& canvas, vec2 centre, float radius, std::uint32_t seed, vec3 light) {
    const toolkit::Fractal bumps{seed, toolkit::Basis::Gradient, 4, 0.5f};
    const int x0 = std::max(0, static_cast<int>(centre.x - radius * 1.4f)), x1 = std::min(canvas.width(), static_cast<int>(centre.x + radius * 1.4f) + 1);
    const int y0 = std::max(0, static_cast<int>(centre.y - radius * 1.4f)), y1 = std::min(canvas.height(), static_cast<int>(centre.y + radius * 1.4f) + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const vec2 d = (vec2(x + 0.5f, y + 0.5f) - centre) / radius;
            const float angle = std::atan2(d.y, d.x);
            const float edge = 1.0f + 0.22f * toolkit::Fbm(bumps, vec2(std::cos(angle), std::sin(angle)) * 1.3f + vec2(3.0f));
            const float r = glm::length(d) / edge;
            const float coverage = std::clamp((1.0f - r) * radius * edge, 0.0f, 1.0f);
            if (coverage <= 0.0f) continue;
            const float n = toolkit::Fbm(bumps, d * 2.5f);
            const vec3 normal = glm::normalize(vec3(d / edge + vec2(n * 0.35f), std::sqrt(std::max(0.05f, 1.0f - r * r))));
            const float lit = std::max(0.0f, glm::dot(normal, light));
            const vec3 rock = glm::mix(vec3(0.16f, 0.14f, 0.13f), vec3(0.34f, 0.3f, 0.27f), n * 0.5f + 0.5f);
            const vec3 colour = rock * (0.08f + 1.1f * lit) + palette::kCrimson * 0.12f * SmoothStep(0.7f, 1.0f, r);
            Colour& c = canvas.At(x, y);
            c = toolkit::BlendTexel(c, Colour(colour, coverage), toolkit::Blend::Over);
        }
    }
}

// A boss carrier looming at the right edge: a dark wedge with lit slits.
void PaintCarrier(Canvas& canvas) {
    const int w = canvas.width(), h = canvas.height();
    Field hull(w, h);
    toolkit::Fill(hull, toolkit::Polygon{{{300.0f, 120.0f}, {420.0f, 60.0f}, {530.0f, 40.0f}, {530.0f, 220.0f}, {430.0f, 190.0f}}});
    toolkit::Fill(hull, toolkit::Polygon{{{380.0f, 80.0f}, {470.0f, 10.0f}, {530.0f, 0.0f}, {530.0f, 60.0f}}});
    Canvas metal(w, h);
    metal.Generate([&](int x, int y) {
        const float t = (x - 300.0f) / 230.0f;
        return Colour(glm::mix(vec3(0.16f, 0.15f, 0.18f), vec3(0.05f, 0.05f, 0.07f), t + 0.3f * y / h), 1.0f);
    });
    toolkit::BakeLighting(metal, toolkit::BevelHeight(hull, 6.0f), 3.0f);
    const auto plates = toolkit::SplitIntoPanels(toolkit::Rect{{300.0f, 0.0f}, {530.0f, 230.0f}}, {23u, 12.0f, 46.0f, 2.0f});
    Field seams = toolkit::SeamMask(w, h, plates, 1.0f);
    toolkit::Paint(metal, seams, Colour(0.02f, 0.02f, 0.03f, 0.7f));
    toolkit::Composite(canvas, metal, hull);
    // Running lights scattered over the hull.
    for (int i = 0; i < 40; ++i) {
        const std::uint32_t k = toolkit::Hash(static_cast<std::uint32_t>(i) + 4242u);
        const vec2 at(300.0f + toolkit::HashFraction(k) * 230.0f, toolkit::HashFraction(toolkit::Hash(k)) * 230.0f);
        const int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
        if (x < 0 || y < 0 || x >= w || y >= h || hull.At(x, y) < 0.9f) continue;
        AddFlare(canvas, at, 1.3f, i % 4 == 0 ? palette::kEmber : palette::kMagenta, 0.7f);
    }
    Field windows(w, h);
    for (int i = 0; i < 9; ++i) toolkit::Fill(windows, toolkit::Segment{{440.0f + i * 9.0f, 140.0f + i * 2.0f}, {446.0f + i * 9.0f, 140.0f + i * 2.0f}, 1.6f});
    toolkit::Paint(canvas, windows, Colour(palette::kMagenta, 1.0f));
    toolkit::AddGlow(canvas, windows, palette::kMagenta, 3.0f, 0.7f);
    AddFlare(canvas, {318.0f, 120.0f}, 7.0f, palette::kMagenta, 1.0f);
}

Canvas SpaceVista() {
    constexpr int kW = 512, kH = 256;
    Canvas canvas = SpaceBackdrop(kW, kH, 52u, 1.5f);
    PaintPlanet(canvas, {40.0f, -300.0f}, 330.0f, {300.0f, 200.0f}, 12u);
    const vec3 light = glm::normalize(vec3(-0.7f, -0.5f, 0.5f));
    for (int i = 0; i < 22; ++i) {
        const std::uint32_t k = toolkit::Hash(static_cast<std::uint32_t>(i) * 3u + 77u);
        const float depth = toolkit::HashFraction(k);
        const vec2 at(toolkit::HashFraction(toolkit::Hash(k + 1u)) * 470.0f, 40.0f + toolkit::HashFraction(toolkit::Hash(k + 2u)) * 200.0f);
        PaintAsteroid(canvas, at, 3.0f + depth * depth * 22.0f, k, light);
    }
    PaintCarrier(canvas);
    const ShipPlacement group[] = {{{150.0f, 170.0f}, 70.0f, -0.35f}, {{95.0f, 205.0f}, 54.0f, -0.35f}};
    PaintShip(canvas, PlanOf(2), group[0], 1.0f);
    PaintShip(canvas, PlanOf(2), group[1], 0.85f);
    Vignette(canvas, 0.3f);
    return canvas;
}

// The campaign won: dawn breaking over the home world, the fleet turning
// for home. Texts are drawn over its middle, so that part stays dark.
Canvas HomeComing() {
    constexpr int kW = 512, kH = 256;
    Canvas canvas = SpaceBackdrop(kW, kH, 91u, 0.7f);
    PaintPlanet(canvas, {256.0f, 900.0f}, 690.0f, {256.0f, 160.0f}, 44u);
    AddFlare(canvas, {256.0f, 212.0f}, 60.0f, vec3(1.0f, 0.55f, 0.35f), 0.8f);
    AddFlare(canvas, {256.0f, 212.0f}, 10.0f, vec3(1.0f, 0.9f, 0.8f), 1.0f);
    const int ships[] = {1, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i) {
        const float side = static_cast<float>(i - 2);
        PaintShip(canvas, PlanOf(ships[i]), {{256.0f + side * 60.0f, 236.0f - std::fabs(side) * 10.0f}, 34.0f, -kPi / 2}, 0.7f);
    }
    Canvas veil(kW, kH);
    veil.Generate([](int x, int y) {
        const float band = std::exp(-std::pow((y - 110.0f) / 80.0f, 2.0f)) * std::exp(-std::pow((x - 256.0f) / 260.0f, 2.0f));
        return Colour(palette::kDeep * 0.5f, 0.55f * band);
    });
    toolkit::Composite(canvas, veil);
    Vignette(canvas, 0.4f);
    return canvas;
}

// The shop's picture: a launch pad seen from the gantry, a fighter on the
// lift under two spotlights. Drawn 347 x 228 on screen; made at those
// proportions and fitted into 512 x 256.
// The launch bay the shop shows; frames 1 to 4 run its warning lamps round
// the pad one after another (frame 0: all four alike).
Canvas LaunchBay(int frame) {
    constexpr int kW = 520, kH = 342;
    Canvas canvas(kW, kH);
    const auto panels = toolkit::SplitIntoPanels(toolkit::Rect{{0.0f, 0.0f}, {kW, kH}}, {7u, 40.0f, 120.0f, 4.0f});
    const Field seams = toolkit::SeamMask(kW, kH, panels, 2.0f);
    const Field rivets = toolkit::RivetHeight(kW, kH, panels, {18.0f, 6.0f, 1.5f});
    const toolkit::Fractal grime{5, toolkit::Basis::Gradient, 4, 0.5f};
    canvas.Generate([&](int x, int y) {
        const float n = toolkit::Fbm(grime, vec2(x, y) * 0.02f) * 0.5f + 0.5f;
        return Colour(glm::mix(vec3(0.09f, 0.095f, 0.11f), vec3(0.2f, 0.21f, 0.23f), n), 1.0f);
    });
    Field relief = rivets;
    toolkit::CombineInto(relief, seams, [](float r, float s) { return r - s * 0.6f; });
    toolkit::BakeLighting(canvas, relief, 3.0f);
    const vec2 pad(kW * 0.5f, kH * 0.55f);
    Field ring(kW, kH), stripes(kW, kH);
    toolkit::Stroke(ring, toolkit::Circle{pad, 120.0f}, 16.0f);
    toolkit::DrawHazardStripes(stripes, toolkit::Rect{{0.0f, 0.0f}, {kW, kH}}, 8.0f);
    toolkit::CombineInto(stripes, ring, [](float s, float r) { return s * r; });
    toolkit::Paint(canvas, ring, Colour(0.05f, 0.05f, 0.06f, 0.9f));
    toolkit::Paint(canvas, stripes, Colour(palette::kEmber * 0.8f, 0.9f));
    Field lift(kW, kH);
    toolkit::Fill(lift, toolkit::Circle{pad, 108.0f});
    toolkit::Paint(canvas, lift, Colour(0.12f, 0.13f, 0.15f, 0.7f));
    // Spotlight pools and the ship.
    Canvas light(kW, kH);
    light.Generate([&](int x, int y) {
        const float a = std::exp(-glm::dot(vec2(x, y) - pad - vec2(-60, 0), vec2(x, y) - pad - vec2(-60, 0)) / 9000.0f);
        const float b = std::exp(-glm::dot(vec2(x, y) - pad - vec2(60, 0), vec2(x, y) - pad - vec2(60, 0)) / 9000.0f);
        return Colour(vec3(0.9f, 0.85f, 0.8f), 0.35f * (a + b));
    });
    toolkit::Composite(canvas, light, toolkit::Blend::Add);
    const ShipPlacement at{pad, 190.0f, -kPi / 2};
    CastShadow(canvas, PlanOf(3), at, vec2(10.0f, 12.0f), 0.7f);
    PaintShip(canvas, PlanOf(3), at, 1.0f);
    // Warning lamps at the pad's four quarters.
    for (int i = 0; i < 4; ++i) {
        const float a = kPi / 4 + i * kPi / 2;
        const float strength = frame == 0 ? 1.2f : (i == frame - 1 ? 2.4f : 0.35f);
        AddFlare(canvas, pad + 120.0f * vec2(std::cos(a), std::sin(a)), frame == i + 1 ? 9.0f : 6.0f, palette::kCrimson,
                 strength);
    }
    Vignette(canvas, 0.6f);
    return toolkit::Resampled(canvas, 512, 256);
}

}  // namespace

std::vector<MenuPicture> VistaPictures(Faces&) {
    static_assert(kMissionCount == 2, "one painted scene per mission");
    std::vector<MenuPicture> pictures;
    pictures.push_back(DdsPicture("graphics\\loa1.dds", WithoutPureRed(Framed(GroundVista()))));
    pictures.push_back(DdsPicture("graphics\\loa2.dds", WithoutPureRed(Framed(SpaceVista()))));
    pictures.push_back(OpaqueBmpPicture("graphics\\end.bmp", HomeComing()));
    pictures.push_back(DdsPicture("graphics\\krav.dds", LaunchBay(0)));
    for (int frame = 1; frame <= 4; ++frame)
        pictures.push_back(DdsPicture("graphics\\Anim01\\" + std::to_string(frame) + ".dds", LaunchBay(frame)));
    return pictures;
}

}  // namespace kr::makedata::menu
