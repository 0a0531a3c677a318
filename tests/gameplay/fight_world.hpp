#pragma once
// A built test mission with helpers to stage a fight: enemies standing
// where a test wants them, the ship placed, shots counted.

#include <vector>

#include "mission/enemies.hpp"
#include "support/mission_driver.hpp"

namespace kr::test {

struct FightWorld : MissionDriver {
    void StartFight(int mission = 0, std::vector<Placement> placements = {}) {
        MissionWorldSpec world;
        world.spaceLevel = 1;
        world.placements = std::move(placements);
        Start(world, mission);
        Frames(2);
    }
    // An enemy that stands still until a test moves it; built from the
    // first type, worth the points of `type`.
    mission::Enemy& StandingEnemy(int slot, double x, double z, int type = 1) {
        mission::CreateEnemy(game, slot, 1, x, z, 0, 0);
        mission::Enemy& enemy = game.mission.Enemies[slot];
        enemy.Type = static_cast<std::uint8_t>(type);
        enemy.FireTimer = 1000;
        enemy.PowerupKind = 1;
        return enemy;
    }
    void PlaceShip(float x, float z) { game.player.ShipMesh.SetPosition({x, 150, z}); }
    glm::vec3 Ship() const { return game.player.ShipMesh.Position(); }
    int ActivePlayerShots() const {
        int n = 0;
        for (const PlayerShot& shot : game.player.Shots) n += shot.Active != 0 ? 1 : 0;
        return n;
    }
    int ActiveEnemyShots() const {
        int n = 0;
        for (const EnemyShot& shot : game.mission.EnemyShots) n += shot.Active != 0 ? 1 : 0;
        return n;
    }
    void Own(int item, int count = 1) { game.profiles.ProfileUpgrades[1][item] = count; }
};

}  // namespace kr::test
