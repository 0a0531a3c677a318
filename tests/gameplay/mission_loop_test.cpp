// The mission's pace frame by frame: waves on their timer, the world
// scrolling toward the player, enemies flying past and leaving, the boss
// stage and its start, the developer keys, and leaving for the hangar.

#include <gtest/gtest.h>

#include "mission/enemies.hpp"
#include "support/mission_driver.hpp"

namespace kr {
namespace {

struct MissionLoop : ::testing::Test, test::MissionDriver {
    void StartGround(std::vector<Placement> placements = {test::ActivePlacement(1, 900, 600)}) {
        test::MissionWorldSpec world;
        world.placements = std::move(placements);
        Start(world);
    }
    int ActiveEnemies() const {
        int n = 0;
        for (const mission::Enemy& e : game.mission.Enemies) n += e.Active;
        return n;
    }
};

TEST_F(MissionLoop, TheWorldScrollsAHundredUnitsASecondUntilTheBoss) {
    StartGround();
    const float ground = game.engine->scene().landscape().Position().x;
    const float rock = game.mission.SceneryMesh[1].Position().x;
    Frames(50);  // 16 ms each
    EXPECT_NEAR(game.engine->scene().landscape().Position().x, ground - 80, 0.01);
    EXPECT_NEAR(game.mission.SceneryMesh[1].Position().x, rock - 80, 0.01);
    game.mission.BossPhase = 1;
    Frames(10);
    EXPECT_NEAR(game.mission.SceneryMesh[1].Position().x, rock - 80, 0.01) << "the boss stage stands";
}

TEST_F(MissionLoop, WavesArriveOnTheirTimerExceptWhileTimeStands) {
    StartGround({});
    game.TimeStop = 1;
    Frames(400);
    EXPECT_EQ(game.mission.EnemiesCreated, 0);
    EXPECT_DOUBLE_EQ(game.mission.WaveTimer, 0.0);
    game.TimeStop = 0;
    Frames(400);  // 6.4 s: two waves
    EXPECT_GT(game.mission.EnemiesCreated, 0);
    EXPECT_LT(game.mission.WaveTimer, 10.0);
}

TEST_F(MissionLoop, EnemiesFlyDownTheFieldAndAreGoneBehindThePlayer) {
    StartGround({});
    mission::CreateEnemy(game, 4, 1, 900, 300, 0.2, 0.05);
    Frames(2);
    const mission::Enemy& e = game.mission.Enemies[4];
    EXPECT_FLOAT_EQ(e.Mesh.Position().y, 150.0f);
    const double x = e.X;
    Frames(10);
    EXPECT_NEAR(e.X, x - 10 * 16 * 0.2, 1e-6);
    game.mission.Enemies[4].Z = -401;
    game.mission.Enemies[4].HitPoints = 0;
    game.mission.Enemies[4].Drift = 0.05;
    Frames(1);
    EXPECT_DOUBLE_EQ(game.mission.Enemies[4].Drift, 0.05) << "no bounce without hit points";
    Frames(600);  // 1750 units at 0.2 a ms
    EXPECT_EQ(game.mission.Enemies[4].Active, 0);
    EXPECT_FALSE(game.mission.Enemies[4].Mesh.IsValid());
}

TEST_F(MissionLoop, TheBossStageWaitsForAClearSkyAfterTheClock) {
    StartGround({});
    mission::CreateEnemy(game, 3, 1, 900, 0, 0.0001, 0);
    game.MissionSeconds = 3 * 60 + 1;
    Frames(2);
    EXPECT_EQ(game.mission.BossPhase, 0) << "an enemy is still out there";
    game.MissionSeconds = 5 * 60;
    Frames(1);
    EXPECT_EQ(game.MissionSeconds, 3 * 61) << "the clock is capped";
    mission::ReleaseEnemyObjects(game, 3);
    game.mission.Enemies[3].Active = 0;
    Frames(1);
    EXPECT_EQ(game.mission.BossPhase, 1);
    EXPECT_EQ(game.MissionSeconds, 3 * 60);
    Frames(200);  // the wave timer brings the boss
    EXPECT_EQ(game.mission.BossSpawned, 1);
    EXPECT_TRUE(game.mission.BossActor.IsEnabled());
    EXPECT_FLOAT_EQ(game.mission.BossActor.Position().y, 100.0f);
}

TEST_F(MissionLoop, TheDeveloperKeysNeedPHeld) {
    StartGround({});
    Key(20, true);  // T alone
    Frames(3);
    EXPECT_LT(game.MissionSeconds, 60);
    Key(20, false);
    Key(25, true);  // P held, then T pressed
    Frames(2);
    Key(20, true);
    Frames(2);
    EXPECT_EQ(game.MissionSeconds, 3 * 60 - 4);
}

}  // namespace
}  // namespace kr
