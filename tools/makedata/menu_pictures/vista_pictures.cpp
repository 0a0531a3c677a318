// Painted scenes: the end-of-campaign picture and the shop's launch bay.
// (The mission pictures are rendered from the worlds: briefing_pictures.)

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

// The campaign won: dawn breaking over the home world, the fleet turning
// for home. Texts are drawn over its middle, so that part stays dark.
// The end screen's panel: the five ships heading home over a planet's rim
// at sunrise, on the right; the left half stays dark under the notes the
// screen writes there.
Canvas HomeComing() {
    constexpr int kW = 512, kH = 256;
    Canvas canvas = SpaceBackdrop(kW, kH, 91u, 0.7f);
    PaintPlanet(canvas, {380.0f, 930.0f}, 700.0f, {380.0f, 170.0f}, 44u);
    AddFlare(canvas, {380.0f, 232.0f}, 50.0f, vec3(1.0f, 0.55f, 0.35f), 0.8f);
    AddFlare(canvas, {380.0f, 232.0f}, 9.0f, vec3(1.0f, 0.9f, 0.8f), 1.0f);
    const int ships[] = {1, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i) {
        const float side = static_cast<float>(i - 2);
        PaintShip(canvas, PlanOf(ships[i]), {{392.0f + side * 42.0f, 228.0f - std::fabs(side) * 8.0f}, 28.0f, -kPi / 2}, 0.7f);
    }
    Canvas veil(kW, kH);
    veil.Generate([](int x, int y) {
        const float band = std::exp(-std::pow((y - 110.0f) / 80.0f, 2.0f)) * std::exp(-std::pow((x - 256.0f) / 260.0f, 2.0f));
        const float notes = std::exp(-std::pow((y - 190.0f) / 34.0f, 4.0f)) * std::exp(-std::pow((x - 150.0f) / 150.0f, 4.0f));
        return Colour(palette::kDeep * 0.5f, std::min(0.9f, 0.55f * band + 0.8f * notes));
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
    std::vector<MenuPicture> pictures;
    pictures.push_back(OpaqueBmpPicture("graphics\\end.bmp", HomeComing()));
    pictures.push_back(DdsPicture("graphics\\krav.dds", LaunchBay(0)));
    for (int frame = 1; frame <= 4; ++frame)
        pictures.push_back(DdsPicture("graphics\\Anim01\\" + std::to_string(frame) + ".dds", LaunchBay(frame)));
    return pictures;
}

}  // namespace kr::makedata::menu
