#pragma once
// The two shot pools: creating a shot from its template, and removing it
// with its mesh and, for rockets, its trail.

#include <glm/vec3.hpp>

namespace kr {
struct Game;
}

namespace kr::gameplay {

inline constexpr int kRocketModel = 5;
inline constexpr double kEnemyShotSpeed = -0.6;  // toward the player, units per ms

struct PlayerShotSpec {
    int model = 1;
    int kind = 0;  // 0 gun bullet, 1 straight rocket, 2 homing rocket
    double damage = 0;
    double vx = 0, vz = 0;
    double dx = 0, dz = 0;  // from the muzzle, 50 ahead of the ship
};

// Takes the first free record of 1..99; with none free nothing is made.
// Returns the record, or 0.
int CreatePlayerShot(Game& game, const PlayerShotSpec& spec);
void RemovePlayerShot(Game& game, int record);

// Starts 40 toward smaller z from `at`.
int CreateEnemyShot(Game& game, int model, const glm::vec3& at, double vz, double damage,
                    double vx = kEnemyShotSpeed);
void RemoveEnemyShot(Game& game, int record);

// One shot of enemy slot `slot` from `at`, sideways speed 0.8 x base.
void EnemyFire(Game& game, int slot, const glm::vec3& at, double base);

}  // namespace kr::gameplay
