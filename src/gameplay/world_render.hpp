#pragma once
// Drawing the mission's world: the pieces each pass is made of, and the
// whole world as the fight shows it.

#include "engine/scene/scene.hpp"

namespace kr {
struct Game;
}

namespace kr::gameplay {

void RenderIfValid(scene::Scene& scene, const scene::ObjectRef& object);
void RenderEnemyShots(Game& game);
void RenderPlayerShots(Game& game);
// Every active placement; with `cullFar`, those far from the ship are
// switched off first, so they are neither drawn nor hit.
void RenderScenery(Game& game, bool cullFar);
// Active enemies, with the powerup each has dropped.
void RenderEnemies(Game& game);

// The glow pass, the main pass and the glow over them, as the fight draws
// them; the 2D layer is left to the caller.
void DrawMissionWorld(Game& game);

}  // namespace kr::gameplay
