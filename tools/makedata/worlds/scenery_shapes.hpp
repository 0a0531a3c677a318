#pragma once
// Solids that scenery is built from, on top of the toolkit's primitives:
// beams between two points, noisy rock lumps, and displacement that keeps
// a surface closed.

#include <cstdint>
#include <functional>

#include <glm/glm.hpp>

#include "toolkit/surface.hpp"

namespace kr::makedata::worlds {

// Moves every corner by `move(position)`; corners at one place move alike,
// so a closed surface stays closed.
void Displace(toolkit::Surface& surface, const std::function<glm::vec3(glm::vec3)>& move);

// A square beam `width` thick from `a` to `b`.
toolkit::Surface Beam(glm::vec3 a, glm::vec3 b, float width);

// A rock: a sphere of `radii` pushed in and out by noise; with a flat base
// the part below `base` (a fraction of the height, -1..1) is cut level so
// that it sits on the ground.
struct LumpShape {
    glm::vec3 radii{1.0f};
    std::uint32_t seed = 1;
    float roughness = 0.25f;  // share of the radius noise may move a point
    float base = -1.0f;       // -1: round all over
    int segments = 20;
};
toolkit::Surface Lump(const LumpShape& shape);

// Bowls pressed into a lump (asteroid craters): `count` of them, placed by
// `seed` over the surface, as wide as `width` of the radius.
void PressCraters(toolkit::Surface& surface, glm::vec3 radii, int count, float width, std::uint32_t seed);

}  // namespace kr::makedata::worlds
