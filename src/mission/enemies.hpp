#pragma once
// Enemies coming into being: the free slot, and a new enemy's record with
// its mesh, carried powerup and nine emitters.

#include <cstdint>

namespace kr {
struct Game;
}

namespace kr::mission {

// The first free slot of 1..19; when all are taken, 20 (taken or not).
int FindFreeEnemySlot(const Game& game);

// Fills slot `slot` with a new enemy of `type`; in the boss stage the boss.
// A slot that still holds an earlier enemy's objects loses them first.
void CreateEnemy(Game& game, int slot, int type, double x, double z, double speed, double drift);

// The boss's hit points for the active pilot and mission.
std::int32_t BossHitPoints(const Game& game);

// Removes a slot's mesh, carried powerup and emitters.
void ReleaseEnemyObjects(Game& game, int slot);

}  // namespace kr::mission
