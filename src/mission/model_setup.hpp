#pragma once
// The preparation every mission model shares: lighting by the settings, the
// glow flag, and what segment tests may hit.

#include "engine/scene/scene.hpp"

namespace kr {
struct Game;
}

namespace kr::mission {

// Per-pixel lighting with the lighting option, per-vertex otherwise.
void ApplyShading(const Game& game, scene::ObjectRef& model);
// The glow flag follows the glow option.
void ApplyModelFlags(const Game& game, scene::ObjectRef& model);

// Whether segment tests and picking may hit the object: precision 1 tests
// its box, 3 its triangles.
inline void SetHittable(scene::ObjectRef& object, bool hittable, int precision = 1) {
    object.SetCollision(hittable, true, precision);
}

// Shots and the shield: drawn see-through, texels under `reference` alpha
// (0..255) left out.
void MakeSeeThrough(scene::ObjectRef& object, int alphaReference);

// Engine materials by name.
int Material(const Game& game, const char* name);

}  // namespace kr::mission
