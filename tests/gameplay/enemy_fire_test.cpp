// Who shoots and when: ordinary enemies from the second mission on, frozen
// ones too, never while holding fire; ground cannons in range once reloaded;
// the boss from its gun bones.

#include <gtest/gtest.h>

#include "gameplay/enemy_fire.hpp"
#include "fight_world.hpp"

namespace kr {
namespace {

struct EnemyFire : ::testing::Test, test::FightWorld {
    mission::Enemy& ReadyEnemy(int slot, double x, double z) {
        mission::Enemy& enemy = StandingEnemy(slot, x, z);
        enemy.FireTimer = 0;
        return enemy;
    }
};

TEST_F(EnemyFire, EnemiesOfTheFirstMissionNeverShoot) {
    StartFight(0);
    ReadyEnemy(1, 600, 100);
    Frames(5);
    EXPECT_EQ(ActiveEnemyShots(), 0);
}

TEST_F(EnemyFire, LaterEnemiesShootStraightAtThePlayersSide) {
    StartFight(1);
    mission::Enemy& enemy = ReadyEnemy(1, 600, 100);
    Frames(1);
    ASSERT_EQ(ActiveEnemyShots(), 1);
    const EnemyShot& shot = game.mission.EnemyShots[1];
    EXPECT_DOUBLE_EQ(shot.Vx, -0.6);
    EXPECT_DOUBLE_EQ(shot.Vz, 0);
    EXPECT_GE(shot.Damage, 6);
    EXPECT_LE(shot.Damage, 10);
    EXPECT_NEAR(shot.Mesh.Position().z, 100 - 10, 1e-3);
    EXPECT_EQ(shot.Mesh.Name(), "gracz_naboj1");
    EXPECT_GE(enemy.FireTimer, 14);
    EXPECT_LE(enemy.FireTimer, 49);
}

TEST_F(EnemyFire, FrozenEnemiesStillShootButHoldingFireStopsAll) {
    StartFight(1);
    game.TimeStop = 1;
    mission::Enemy& enemy = ReadyEnemy(1, 600, 100);
    enemy.Speed = 0.5;
    Frames(3);
    EXPECT_DOUBLE_EQ(enemy.X, 600) << "frozen";
    EXPECT_EQ(ActiveEnemyShots(), 1);
    game.mission.EnemiesHoldFire = 1;
    ReadyEnemy(2, 600, -100);
    Frames(3);
    EXPECT_EQ(ActiveEnemyShots(), 1);
    game.mission.EnemiesHoldFire = 0;
    game.mission.Enemies[2].HitPoints = 0;
    Frames(1);
    EXPECT_EQ(ActiveEnemyShots(), 1) << "no fire without hit points";
}

TEST_F(EnemyFire, CannonsFireVolleysWhenReloadedAndTheShipIsNear) {
    StartFight(0, {test::ActivePlacement(2, 5000, 0)});  // the second scenery type is the cannon
    const mission::MissionState& m = game.mission;
    game.mission.Map.Placements[1].RotX = game.mission.Map.Placements[1].RotY =
        game.mission.Map.Placements[1].RotZ = 0;
    game.mission.SceneryMesh[1].SetPosition({1500, 0, 0});
    game.mission.CannonCooldown[1] = 0;
    PlaceShip(-200, 0);
    Frames(1);
    EXPECT_EQ(ActiveEnemyShots(), 0) << "out of range";
    game.mission.SceneryMesh[1].SetPosition({500, 0, 0});
    Frames(1);
    ASSERT_EQ(ActiveEnemyShots(), 3);
    EXPECT_DOUBLE_EQ(m.EnemyShots[1].Vx, -0.45);
    EXPECT_DOUBLE_EQ(m.EnemyShots[1].Vz, 0.2);
    EXPECT_DOUBLE_EQ(m.EnemyShots[3].Vx, -0.5);
    EXPECT_EQ(m.EnemyShots[1].Damage, 20);
    EXPECT_NEAR(m.EnemyShots[1].Mesh.Position().y, 80, 1);
    EXPECT_GT(m.CannonCooldown[1], 39);
    Frames(200);  // 3.2 s: still reloading
    EXPECT_LE(ActiveEnemyShots(), 3);
    game.mission.CannonCooldown[1] = 0.001;
    game.mission.SceneryMesh[1].SetPosition({500, 0, 0});
    Frames(2);
    EXPECT_GT(game.mission.CannonCooldown[1], 39) << "fired again once reloaded";
}

TEST_F(EnemyFire, TheBossFiresItsVolleyFromItsLastBone) {
    StartFight(0);
    game.mission.BossPhase = 1;
    game.mission.BossSpawned = 0;
    mission::CreateEnemy(game, 20, 1, 500, 0, 0, 0);
    game.mission.BossActor.Show();
    game.mission.BossActor.SetPosition({500, 100, 0});
    const glm::vec3 gun = game.mission.BossActor.BonePosition(game.mission.BossActor.BoneCount() - 1);
    game.mission.Enemies[20].FireTimer = 0;
    gameplay::BossVolley(game, 20);
    ASSERT_GE(ActiveEnemyShots(), 1) << "one line always fires";
    ASSERT_LE(ActiveEnemyShots(), 5);
    bool straight = false;
    for (const EnemyShot& shot : game.mission.EnemyShots) {
        if (shot.Active == 0) continue;
        EXPECT_NEAR(shot.Mesh.Position().x, gun.x - 80, 1e-3);
        EXPECT_NEAR(shot.Mesh.Position().z, gun.z + 50 - 40, 1e-3);
        straight = straight || shot.Vz == 0;
    }
    EXPECT_TRUE(straight);
}

}  // namespace
}  // namespace kr
