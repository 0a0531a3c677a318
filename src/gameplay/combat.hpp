#pragma once
// What happens when things meet: the ship hit by shots or rammed, enemies hit
// by the player's shots and beam, kills, explosions, wear, dropped powerups
// and the message log.

#include <string_view>

namespace kr {
struct Game;
struct PlayerShot;
}

namespace kr::gameplay {

// Adds a line to the log, the oldest dropping out.
void AddMessage(Game& game, std::string_view text, double red, double green, double blue);
void AddKillMessage(Game& game, std::string_view text);

// The ship takes a shot worth `damage` (the caller checks shield and invulnerability).
void TakeShotDamage(Game& game, double damage);
// The wear levels the hull damage has reached, each with its skin.
void ApplyWear(Game& game);

void ExplodeEnemy(Game& game, int slot);
// A player shot strikes enemy slot `slot`.
void HitEnemy(Game& game, int slot, const PlayerShot& shot);

// Per active enemy slot, between its firing and its movement: burning,
// death, the ship's damage smoke and a powerup pick-up.
void SufferAndReward(Game& game, int slot, double ft);
// Per enemy slot still in play after its movement: the shield's ram and
// collision with the ship.
void MeetShip(Game& game, int slot);

// The laser beam burns every enemy in the ship's lane.
void BurnWithLaser(Game& game);
void FadeBoomLight(Game& game);

}  // namespace kr::gameplay
