#include "arsenal/shield.hpp"

#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/primitives.hpp"

namespace kr::makedata::arsenal {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::SmoothStep;

// Hexagons round the equator; the picture repeats after one turn.
constexpr int kHexesAround = 24;
constexpr float kSqrt3 = 1.7320508f;

struct HexPoint {
    vec2 local;  // from the cell's centre
    vec2 centre;
};

// The hexagonal cell of a point whose rows are 1 apart across and sqrt(3)
// apart along y; whole steps in x repeat the pattern.
HexPoint Hex(vec2 p) {
    const vec2 r(1.0f, kSqrt3), h = r * 0.5f;
    const auto wrap = [](vec2 q, vec2 m) { return q - m * glm::floor(q / m); };
    const vec2 a = wrap(p, r) - h;
    const vec2 b = wrap(p - h, r) - h;
    const vec2 local = glm::dot(a, a) < glm::dot(b, b) ? a : b;
    return {local, p - local};
}

// 0 at a cell's centre, 0.5 on its edge.
float HexRadius(vec2 local) {
    const vec2 q = glm::abs(local);
    return std::max(glm::dot(q, glm::normalize(vec2(0.5f, kSqrt3 * 0.5f))), q.x);
}

toolkit::Colour ShieldTexel(vec2 uv, float phase, const toolkit::Fractal& energy) {
    const float turn = glm::two_pi<float>() * phase;
    const HexPoint hex = Hex(vec2(uv.x * kHexesAround, uv.y * kHexesAround * 0.5f));
    const float edge = SmoothStep(0.40f, 0.5f, HexRadius(hex.local));
    // Each cell flickers at its own moment of the loop.
    const vec2 cell = glm::round(hex.centre * 2.0f);
    const float seed = toolkit::HashFraction(toolkit::Hash(((static_cast<int>(cell.x) % (2 * kHexesAround)) + 2 * kHexesAround) % (2 * kHexesAround),
                                                           static_cast<int>(cell.y), 91u));
    const float flicker = std::pow(0.5f + 0.5f * std::cos(turn + seed * glm::two_pi<float>()), 6.0f) * (seed > 0.6f);
    // Noise flowing round a circle in noise space, so the frames loop.
    const vec2 drift(std::cos(turn) * 1.5f, std::sin(turn) * 1.5f);
    const float swirl = toolkit::Fbm(energy, vec2(uv.x * 8.0f, uv.y * 4.0f) + drift, {8, 0}) * 0.5f + 0.5f;
    // A band of light sweeping from the top pole downwards.
    const float band = std::pow(0.5f + 0.5f * std::cos(glm::two_pi<float>() * (uv.y * 2.0f - phase)), 8.0f);
    const float latitude = std::cos(glm::pi<float>() * uv.y);
    const float rim = 1.0f - std::fabs(latitude);  // the bubble's outline when seen from above
    // The cells crowd together at the poles: there they fade into the swirl.
    const float cells = SmoothStep(0.05f, 0.45f, rim);
    const float alpha = 0.07f + 0.18f * rim + 0.25f * swirl * swirl +
                        cells * (0.45f * edge * (0.5f + 0.5f * swirl) + 0.3f * flicker) + 0.25f * band;
    const vec3 colour = glm::mix(toolkit::palette::kEngine * vec3(0.6f, 0.85f, 1.0f), vec3(0.85f, 0.97f, 1.0f),
                                 std::clamp(cells * (edge * 0.6f + flicker) + band * 0.5f, 0.0f, 1.0f));
    return toolkit::Colour(colour, std::clamp(alpha, 0.0f, 0.95f));
}

}  // namespace

image::Image ShieldFrame(int frame) {
    const toolkit::Fractal energy{61, toolkit::Basis::Gradient, 4, 0.55f};
    const float phase = static_cast<float>(frame) / kShieldFrames;
    toolkit::Canvas canvas(kShieldPictureSize, kShieldPictureSize);
    canvas.Generate([&](int x, int y) {
        const vec2 uv((x + 0.5f) / kShieldPictureSize, (y + 0.5f) / kShieldPictureSize);
        return ShieldTexel(uv, phase, energy);
    });
    return toolkit::ToImage(canvas);
}

model::Model ShieldModel(const image::Image& firstFrame) {
    toolkit::ModelBuilder builder;
    model::Material energy;
    energy.name = "shield";
    energy.image = builder.AddImage("shield01", firstFrame);
    energy.emissive = vec3(1.0f);
    energy.alphaMode = model::AlphaMode::Blend;
    builder.AddMaterial(energy);
    toolkit::MeshBuilder mesh(80.0f);
    mesh.Add(toolkit::Sphere(kShieldRadius, 32, 16), 0);
    builder.AddMesh(mesh.Build("shield"), "shield");
    return builder.Build();
}

}  // namespace kr::makedata::arsenal
