#pragma once
// The pictures scenery models wear. Each is painted flat with its relief
// lit in, and tiles so that box-projected models can repeat it.

#include <cstdint>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"

namespace kr::makedata::worlds {

// Layered desert stone: strata running across v, pitted and weathered.
toolkit::Canvas Sandstone(int size, std::uint32_t seed, glm::vec3 light, glm::vec3 dark);

// Painted plating: panels, seams, rivets, grime and one accent stripe.
struct PlatingLook {
    std::uint32_t seed = 1;
    glm::vec3 paint{0.5f};
    glm::vec3 accent{0.85f, 0.15f, 0.12f};
    float wear = 0.3f;  // 0 clean .. 1 rusted through
};
toolkit::Canvas Plating(int size, const PlatingLook& look);

// Dark rock dust with pale speckles and a few glinting veins.
toolkit::Canvas Regolith(int size, std::uint32_t seed);

// Solar cells in a grid, deep blue with a sheen, some cracked.
toolkit::Canvas SolarCells(int size);

// Palm bark: overlapping leaf-base rings running across v.
toolkit::Canvas Bark(int size);

// A frond: a pale midrib along v and leaflets angled off it.
toolkit::Canvas Frond(int size);

}  // namespace kr::makedata::worlds
