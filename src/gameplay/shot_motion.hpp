#pragma once
// Shots in flight: enemy shots toward the ship, the player's shots and
// homing rockets toward the enemies, and what they hit.

namespace kr {
struct Game;
}

namespace kr::gameplay {

void MoveEnemyShots(Game& game);
void MovePlayerShots(Game& game);

// The enemy a homing rocket steers for: alive, ahead of the ship and the
// nearest to it within 10000; 0 for none.
int HomingTarget(const Game& game);

}  // namespace kr::gameplay
