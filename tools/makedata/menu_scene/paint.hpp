#pragma once
// Small painting helpers shared by the menu scene's pictures.

#include <cstdint>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/field.hpp"
#include "toolkit/noise.hpp"

namespace kr::makedata::menu_scene::paint {

// A repeatable fraction in [0, 1) for item `i` of a seeded set.
inline float Random(std::uint32_t seed, int i) { return toolkit::HashFraction(toolkit::Hash(i, 17, seed)); }

inline glm::vec3 Mix(glm::vec3 a, glm::vec3 b, float t) { return a + (b - a) * t; }

// `stamp`, drawn upright, laid onto `target` (union) turned by `radians`
// about its own centre, which lands on `centre`.
void StampTurned(toolkit::Field& target, const toolkit::Field& stamp, glm::vec2 centre, float radians);

// A field of stencil text, `height` texels tall, with a margin around it.
toolkit::Field StencilText(const char* text, float height);

// Colour at the texel: `base` with `layer` painted over it by coverage.
inline glm::vec3 Over(glm::vec3 base, glm::vec3 layer, float coverage) { return Mix(base, layer, coverage); }

// Fully opaque canvas colour.
inline toolkit::Colour Opaque(glm::vec3 c) { return toolkit::Colour(c, 1.0f); }

}  // namespace kr::makedata::menu_scene::paint
