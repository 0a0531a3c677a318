#include "worlds/dunes_ground.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "worlds/world_frame.hpp"

namespace kr::makedata::worlds {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::SmoothStep;

constexpr float kTwoPi = 6.2831853f;

// Highest grey level inside the fight's band: the ground stays below y -45.
constexpr float kBandCeiling = 152.0f;

// z of the river bed's middle at x.
float RiverCentre(float x) { return 260.0f * std::sin(x / 2900.0f + 0.4f) + 150.0f * std::sin(x / 1170.0f + 2.1f); }

// Dunes: crests across a diagonal wind, a gentle windward slope and a
// steep lee, their height varying over the land (0..1).
float Dunes(vec2 p) {
    const toolkit::Fractal warp{41, toolkit::Basis::Gradient, 3, 0.5f};
    const float bend = toolkit::Fbm(warp, p * 0.00022f) * 1400.0f;
    const float phase = (p.x * 0.55f + p.y * 0.83f + bend) / 1250.0f;
    const float s = phase - std::floor(phase);
    const float profile = s < 0.72f ? SmoothStep(0.0f, 0.72f, s) : 1.0f - SmoothStep(0.72f, 1.0f, s);
    const float amplitude = 0.55f + 0.45f * toolkit::Fbm(warp, p * 0.00011f + vec2(7.0f));
    return profile * amplitude;
}

// Flat-topped mesas with terraced flanks (0..1).
float Mesas(vec2 p) {
    const toolkit::Fractal land{43, toolkit::Basis::Gradient, 4, 0.5f};
    const float n = toolkit::Fbm(land, p * 0.00016f) * 0.5f + 0.5f;
    const float terraced = std::floor(n * 5.0f) / 5.0f + SmoothStep(0.0f, 1.0f, n * 5.0f - std::floor(n * 5.0f)) / 5.0f;
    return SmoothStep(0.3f, 0.9f, terraced);
}

}  // namespace

float DunesGroundLevel(float x, float z) {
    const toolkit::Fractal detail{42, toolkit::Basis::Gradient, 4, 0.5f};
    const vec2 p(x, z);
    float level = 62.0f + 70.0f * Dunes(p) + 14.0f * toolkit::Fbm(detail, p * 0.0009f);
    // The dry river bed, with low banks.
    const float fromBed = std::fabs(z - RiverCentre(x));
    const float bed = 1.0f - SmoothStep(110.0f, 430.0f, fromBed);
    level = glm::mix(level, 26.0f + 6.0f * toolkit::Fbm(detail, p * 0.002f), bed);
    level = std::min(level, kBandCeiling);
    // The canyon wall beyond the right edge, the mesas far to the left.
    const float wall = SmoothStep(-930.0f, -1180.0f, z);
    level = glm::mix(level, 205.0f + 30.0f * toolkit::Fbm(detail, p * 0.0012f + vec2(3.0f)), wall);
    const float far = SmoothStep(1150.0f, 2600.0f, z);
    level = glm::mix(level, 90.0f + 150.0f * Mesas(p), far);
    return std::clamp(level, 0.0f, 255.0f);
}

image::Image DunesHeightMap() {
    image::Image map(kHeightMapWidth, kHeightMapHeight);
    for (int row = 0; row < map.height; ++row) {
        for (int column = 0; column < map.width; ++column) {
            const float x = kLandscapePosition.x + static_cast<float>(column) * kHeightMapStep;
            const float z = kLandscapePosition.z + static_cast<float>(row) * kHeightMapStep;
            const auto grey = static_cast<std::uint8_t>(std::lround(DunesGroundLevel(x, z)));
            std::uint8_t* texel = map.Pixel(column, row);
            texel[0] = texel[1] = texel[2] = grey;
            texel[3] = 255;
        }
    }
    return map;
}

toolkit::Canvas DunesSand(int size) {
    using toolkit::Field;
    const Field tone = toolkit::FbmField(size, size, 4, {51, toolkit::Basis::Gradient, 5, 0.55f});
    const Field warp = toolkit::FbmField(size, size, 3, {52, toolkit::Basis::Gradient, 3, 0.5f});
    const Field gravel = toolkit::CellularField(size, size, 48, 53, toolkit::CellFeature::Distance);
    const Field gravelShade = toolkit::CellularField(size, size, 48, 53, toolkit::CellFeature::Id);
    const Field crust = toolkit::CellularField(size, size, 10, 54, toolkit::CellFeature::Border);
    const Field crustMask = toolkit::FbmField(size, size, 2, {55, toolkit::Basis::Gradient, 3, 0.5f});
    Field height(size, size), stones(size, size), crusted(size, size);
    height.Generate([&](int x, int y) {
        const float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
        // Ripples at whole frequencies across the tile, bent by the wind.
        const float w = warp.At(x, y) * 2.2f;
        const float ripple = std::sin(kTwoPi * (7.0f * u + 3.0f * v) + w * 3.0f);
        const float fine = std::sin(kTwoPi * (17.0f * u + 6.0f * v) + w * 5.0f);
        const float sharp = 1.0f - std::fabs(ripple);
        stones.At(x, y) = (1.0f - SmoothStep(0.18f, 0.3f, gravel.At(x, y))) * SmoothStep(0.8f, 0.95f, gravelShade.At(x, y));
        crusted.At(x, y) = SmoothStep(0.05f, 0.35f, crustMask.At(x, y));
        const float cracks = (1.0f - SmoothStep(0.0f, 0.06f, crust.At(x, y))) * crusted.At(x, y);
        return 0.55f * sharp * sharp + 0.15f * fine + 1.6f * stones.At(x, y) - 0.8f * cracks + 0.3f * tone.At(x, y);
    });
    const toolkit::ColourRamp sand{{-1.0f, {0.4f, 0.31f, 0.23f, 1.0f}},
                                   {0.0f, {0.55f, 0.44f, 0.32f, 1.0f}},
                                   {1.0f, {0.65f, 0.53f, 0.39f, 1.0f}}};
    toolkit::Canvas canvas = toolkit::Colourise(tone, sand);
    toolkit::Paint(canvas, crusted, toolkit::Colour(0.36f, 0.27f, 0.2f, 0.45f));
    toolkit::Paint(canvas, stones, toolkit::Colour(0.3f, 0.25f, 0.22f, 0.85f));
    toolkit::Light light;
    light.ambient = 0.6f;
    light.diffuse = 0.4f;
    light.specular = 0.05f;
    toolkit::BakeLighting(canvas, height, 2.5f, light, toolkit::Edge::Wrap);
    return canvas;
}

}  // namespace kr::makedata::worlds
