#pragma once
// The boss of a mission, made hidden during construction: its mesh (enemy
// type 19), its animated model, its weapon box and its fire emitter.

namespace kr {
struct Game;
}

namespace kr::mission {

void BuildBoss(Game& game);

}  // namespace kr::mission
