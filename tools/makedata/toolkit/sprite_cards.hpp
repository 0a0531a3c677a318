#pragma once
// Flat textured cards for glowing effects (shots, flares, sparks). Every
// card is two-sided, so it shows from both faces without the object's own
// culling switch, and it carries a rectangle of a shared texture.

#include <glm/glm.hpp>

#include "toolkit/surface.hpp"

namespace kr::toolkit {

// A rectangle of a texture in 0..1 coordinates.
struct UvRect {
    glm::vec2 min{0.0f};
    glm::vec2 max{1.0f};
};

// A card through `centre`, `length` along `along` and `width` across
// `across` (both directions normalised here). u runs along the card, from
// the back end (min.x) to the front end (max.x); v runs across.
Surface Card(glm::vec3 centre, glm::vec3 along, glm::vec3 across, float length, float width, const UvRect& uv);

// `count` cards sharing the line through `centre` along `along`, turned
// evenly about it: a star that looks alike from every side and keeps
// showing while the object spins about that line.
Surface CardStar(glm::vec3 centre, glm::vec3 along, float length, float width, int count, const UvRect& uv);

}  // namespace kr::toolkit
