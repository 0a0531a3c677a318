#include "worlds/scenery_shapes.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "toolkit/gradients.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/primitives.hpp"

namespace kr::makedata::worlds {

using glm::vec3;
using toolkit::Surface;

void Displace(Surface& surface, const std::function<vec3(vec3)>& move) {
    for (toolkit::Triangle& triangle : surface.triangles())
        for (toolkit::Corner& corner : triangle.corners) corner.position = move(corner.position);
}

Surface Beam(vec3 a, vec3 b, float width) {
    const vec3 along = b - a;
    const float length = glm::length(along);
    Surface beam = toolkit::Box(vec3(width, length, width));
    const vec3 y = along / length;
    const vec3 helper = std::fabs(y.y) < 0.9f ? vec3(0, 1, 0) : vec3(1, 0, 0);
    const vec3 x = glm::normalize(glm::cross(helper, y));
    const vec3 z = glm::cross(x, y);
    glm::mat4 frame(glm::vec4(x, 0.0f), glm::vec4(y, 0.0f), glm::vec4(z, 0.0f), glm::vec4((a + b) * 0.5f, 1.0f));
    beam.Transform(frame);
    return beam;
}

Surface Lump(const LumpShape& shape) {
    Surface lump = toolkit::Sphere(1.0f, shape.segments, shape.segments / 2 + 2);
    const toolkit::Fractal bumps{shape.seed, toolkit::Basis::Gradient, 4, 0.5f};
    const toolkit::Fractal facets{shape.seed + 7u, toolkit::Basis::Gradient, 2, 0.5f};
    Displace(lump, [&](vec3 p) {
        const float n = toolkit::Fbm(bumps, p * 1.4f) + 0.5f * std::fabs(toolkit::Fbm(facets, p * 2.6f));
        vec3 q = p * (1.0f + shape.roughness * n) * shape.radii;
        if (shape.base > -1.0f) q.y = std::max(q.y, shape.base * shape.radii.y);
        return q;
    });
    return lump;
}

void PressCraters(Surface& surface, vec3 radii, int count, float width, std::uint32_t seed) {
    std::vector<vec3> centres;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t h = toolkit::Hash(static_cast<std::uint32_t>(i) * 7u + seed);
        const float z = toolkit::HashFraction(h) * 2.0f - 1.0f;
        const float a = toolkit::HashFraction(toolkit::Hash(h)) * 6.2831853f;
        const float r = std::sqrt(1.0f - z * z);
        centres.push_back({r * std::cos(a), z, r * std::sin(a)});
    }
    Displace(surface, [&](vec3 p) {
        const vec3 unit = glm::normalize(p / radii);
        float depth = 0.0f;
        for (std::size_t i = 0; i < centres.size(); ++i) {
            const float size = width * (0.6f + 0.8f * toolkit::HashFraction(toolkit::Hash(static_cast<std::uint32_t>(i) + seed)));
            const float d = glm::length(unit - centres[i]) / size;
            // A bowl with a raised rim.
            depth += d < 1.0f ? -(1.0f - d * d) * 0.18f : 0.06f * std::exp(-(d - 1.0f) * (d - 1.0f) * 20.0f);
        }
        return p * (1.0f + std::max(depth, -0.3f) * width * 1.5f);
    });
}

}  // namespace kr::makedata::worlds
