#pragma once
// When and how enemies, the boss and the ground cannons shoot.

namespace kr {
struct Game;
}

namespace kr::gameplay {

// Enemy slot `slot` fires once its timer has run out, unless it is a wreck or
// the enemies hold their fire; ordinary enemies of the first mission never do.
void EnemyFires(Game& game, int slot);
// The boss's volley for the current mission, from its gun bones.
void BossVolley(Game& game, int slot);
// Placement `i`, a ground cannon, fires when ready and the ship is near.
void CannonFires(Game& game, int i);

}  // namespace kr::gameplay
