#include "worlds/scenery_textures.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/decals.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/panels.hpp"

namespace kr::makedata::worlds {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::SmoothStep;

constexpr float kTwoPi = 6.2831853f;

toolkit::Light SoftLight() {
    toolkit::Light light;
    light.ambient = 0.55f;
    light.diffuse = 0.45f;
    light.specular = 0.12f;
    return light;
}

}  // namespace

Canvas Sandstone(int size, std::uint32_t seed, vec3 light, vec3 dark) {
    const Field wobble = toolkit::FbmField(size, size, 3, {seed, toolkit::Basis::Gradient, 4, 0.5f});
    const Field grain = toolkit::FbmField(size, size, 32, {seed + 1u, toolkit::Basis::Value, 3, 0.5f});
    const Field blotch = toolkit::FbmField(size, size, 6, {seed + 4u, toolkit::Basis::Gradient, 5, 0.55f});
    const Field pits = toolkit::CellularField(size, size, 20, seed + 2u, toolkit::CellFeature::Distance);
    const Field cracks = toolkit::RidgedField(size, size, 4, {seed + 3u, toolkit::Basis::Gradient, 4, 0.5f});
    Field height(size, size), layer(size, size);
    height.Generate([&](int x, int y) {
        const float v = (y + 0.5f) / size + wobble.At(x, y) * 0.04f;
        // A few broad beds with sharp ledges between them.
        const float bed = v * 4.0f - std::floor(v * 4.0f);
        layer.At(x, y) = 0.5f + 0.35f * std::sin(kTwoPi * 4.0f * v + 0.7f) + 0.35f * blotch.At(x, y);
        const float ledge = SmoothStep(0.82f, 0.9f, bed) * (1.0f - SmoothStep(0.9f, 1.0f, bed));
        const float pit = 1.0f - SmoothStep(0.0f, 0.2f, pits.At(x, y));
        const float crack = SmoothStep(0.92f, 0.985f, cracks.At(x, y));
        return ledge * 0.9f + grain.At(x, y) * 0.35f + blotch.At(x, y) * 0.4f - pit * 0.5f - crack * 0.9f;
    });
    Canvas canvas(size, size);
    canvas.Generate([&](int x, int y) {
        const float t = std::clamp(layer.At(x, y) + grain.At(x, y) * 0.3f, 0.0f, 1.0f);
        const float speck = SmoothStep(0.5f, 0.8f, grain.At(x, y)) * 0.12f;
        return Colour(glm::mix(dark, light, t) * (1.0f - speck), 1.0f);
    });
    toolkit::BakeLighting(canvas, height, 2.5f, SoftLight(), toolkit::Edge::Wrap);
    return canvas;
}

Canvas Plating(int size, const PlatingLook& look) {
    const float s = static_cast<float>(size);
    const auto panels = toolkit::SplitIntoPanels(toolkit::Rect{{0.0f, 0.0f}, {s, s}}, {look.seed, s / 10.0f, s / 3.0f, 0.0f});
    const Field seams = toolkit::SeamMask(size, size, panels, 1.5f, toolkit::Edge::Wrap);
    const Field rivets = toolkit::RivetHeight(size, size, panels, {s / 22.0f, s / 70.0f, s / 220.0f + 0.6f});
    const Field grime = toolkit::FbmField(size, size, 4, {look.seed + 10u, toolkit::Basis::Gradient, 5, 0.55f});
    const Field rust = toolkit::FbmField(size, size, 8, {look.seed + 11u, toolkit::Basis::Gradient, 4, 0.6f});
    const Field tone = toolkit::CellularField(size, size, 6, look.seed + 12u, toolkit::CellFeature::Id);
    Canvas canvas(size, size);
    canvas.Generate([&](int x, int y) {
        const float shade = 0.88f + 0.16f * tone.At(x, y) + 0.08f * grime.At(x, y);
        return Colour(look.paint * shade, 1.0f);
    });
    // One accent stripe band across the tile, with hazard stripes in part of it.
    Field stripe(size, size);
    toolkit::Fill(stripe, toolkit::Rect{{0.0f, s * 0.62f}, {s, s * 0.7f}});
    Field hazard(size, size);
    toolkit::DrawHazardStripes(hazard, toolkit::Rect{{s * 0.05f, s * 0.62f}, {s * 0.3f, s * 0.7f}}, s / 50.0f);
    toolkit::Paint(canvas, stripe, Colour(look.accent, 0.9f));
    toolkit::Paint(canvas, hazard, Colour(0.08f, 0.07f, 0.06f, 0.85f));
    Field stains(size, size);
    stains.Generate([&](int x, int y) { return SmoothStep(0.55f - look.wear * 0.6f, 0.9f - look.wear * 0.5f, rust.At(x, y) * 0.5f + 0.5f); });
    toolkit::Paint(canvas, stains, Colour(0.3f, 0.16f, 0.09f, 0.75f));
    toolkit::Paint(canvas, seams, Colour(0.05f, 0.05f, 0.06f, 0.8f));
    Field relief = rivets;
    toolkit::CombineInto(relief, seams, [](float r, float sm) { return r * 0.8f - sm * 0.7f; });
    toolkit::BakeLighting(canvas, relief, 3.0f, SoftLight(), toolkit::Edge::Wrap);
    return canvas;
}

Canvas Regolith(int size, std::uint32_t seed) {
    const Field tone = toolkit::FbmField(size, size, 4, {seed, toolkit::Basis::Gradient, 6, 0.55f});
    const Field speck = toolkit::FbmField(size, size, 64, {seed + 1u, toolkit::Basis::Value, 2, 0.5f});
    const Field pits = toolkit::CellularField(size, size, 9, seed + 2u, toolkit::CellFeature::Distance);
    const Field veins = toolkit::RidgedField(size, size, 3, {seed + 3u, toolkit::Basis::Gradient, 4, 0.5f});
    Field height(size, size);
    height.Generate([&](int x, int y) {
        const float bowl = pits.At(x, y);
        const float crater = bowl < 0.35f ? -(1.0f - bowl / 0.35f) : SmoothStep(0.35f, 0.45f, bowl) * (1.0f - SmoothStep(0.45f, 0.6f, bowl)) * 0.5f;
        return crater * 1.2f + tone.At(x, y) * 0.6f + speck.At(x, y) * 0.15f;
    });
    Canvas canvas(size, size);
    canvas.Generate([&](int x, int y) {
        const float t = tone.At(x, y) * 0.5f + 0.5f;
        vec3 c = glm::mix(vec3(0.17f, 0.155f, 0.15f), vec3(0.38f, 0.34f, 0.31f), t);
        c += vec3(0.12f) * SmoothStep(0.55f, 0.9f, speck.At(x, y));
        c = glm::mix(c, vec3(0.55f, 0.5f, 0.42f), SmoothStep(0.93f, 0.99f, veins.At(x, y)) * 0.7f);
        return Colour(c, 1.0f);
    });
    toolkit::BakeLighting(canvas, height, 2.5f, SoftLight(), toolkit::Edge::Wrap);
    return canvas;
}

Canvas SolarCells(int size) {
    const Field sheen = toolkit::FbmField(size, size, 2, {301, toolkit::Basis::Gradient, 3, 0.5f});
    const Field cracks = toolkit::RidgedField(size, size, 3, {302, toolkit::Basis::Gradient, 4, 0.5f});
    const float cell = static_cast<float>(size) / 8.0f;
    Canvas canvas(size, size);
    canvas.Generate([&](int x, int y) {
        const float fx = std::fmod(x + 0.5f, cell), fy = std::fmod(y + 0.5f, cell);
        const float frame = std::min({fx, fy, cell - fx, cell - fy});
        const float gap = 1.0f - SmoothStep(1.0f, 2.2f, frame);
        const float busbar = 1.0f - SmoothStep(0.3f, 0.8f, std::fabs(fx - cell * 0.5f));
        vec3 c = glm::mix(vec3(0.05f, 0.09f, 0.22f), vec3(0.16f, 0.3f, 0.58f), sheen.At(x, y) * 0.5f + 0.5f);
        c = glm::mix(c, vec3(0.55f, 0.57f, 0.6f), std::max(gap, busbar * 0.5f));
        c = glm::mix(c, vec3(0.7f, 0.75f, 0.85f), SmoothStep(0.95f, 0.99f, cracks.At(x, y)) * 0.8f);
        return Colour(c, 1.0f);
    });
    return canvas;
}

Canvas Bark(int size) {
    const Field wobble = toolkit::FbmField(size, size, 4, {311, toolkit::Basis::Gradient, 4, 0.5f});
    const Field fibre = toolkit::FbmField(size, size, 32, {312, toolkit::Basis::Value, 3, 0.5f});
    Field height(size, size);
    height.Generate([&](int x, int y) {
        const float u = (x + 0.5f) / size;
        const float v = (y + 0.5f) / size + wobble.At(x, y) * 0.03f;
        // Leaf bases: scales offset every other ring.
        const float ring = v * 12.0f;
        const float shift = (static_cast<int>(std::floor(ring)) % 2) * 0.5f;
        const float scale = std::fabs(std::fmod(u * 6.0f + shift, 1.0f) - 0.5f) * 2.0f;
        const float r = ring - std::floor(ring);
        return r * 0.9f - scale * scale * 0.3f + fibre.At(x, y) * 0.2f;
    });
    Canvas canvas(size, size);
    canvas.Generate([&](int x, int y) {
        const float h = height.At(x, y);
        return Colour(glm::mix(vec3(0.16f, 0.11f, 0.08f), vec3(0.46f, 0.35f, 0.24f), std::clamp(h, 0.0f, 1.0f)), 1.0f);
    });
    toolkit::BakeLighting(canvas, height, 3.0f, SoftLight(), toolkit::Edge::Wrap);
    return canvas;
}

Canvas Frond(int size) {
    const Field tone = toolkit::FbmField(size, size, 4, {321, toolkit::Basis::Gradient, 4, 0.5f});
    Canvas canvas(size, size);
    return canvas.Generate([&](int x, int y) {
        const float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
        const float across = std::fabs(std::fmod(u * 2.0f, 1.0f) - 0.5f) * 2.0f;  // 0 at the midrib
        const float leaflet = std::sin(kTwoPi * (v * 24.0f + across * 3.0f)) * 0.5f + 0.5f;
        const float dry = SmoothStep(0.0f, 0.8f, tone.At(x, y) * 0.5f + 0.5f);
        vec3 c = glm::mix(vec3(0.16f, 0.26f, 0.09f), vec3(0.42f, 0.42f, 0.17f), dry);
        c *= 0.75f + 0.35f * leaflet;
        c = glm::mix(c, vec3(0.58f, 0.52f, 0.3f), 1.0f - SmoothStep(0.0f, 0.12f, across));
        return Colour(c, 1.0f);
    });
}

}  // namespace kr::makedata::worlds
