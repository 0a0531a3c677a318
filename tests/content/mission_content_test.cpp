// The shipped campaign: each mission builds from the generated folder, every
// enemy type of its list can be created, its boss is ready, and the world
// is taken down again.

#include <gtest/gtest.h>

#include "mission/enemies.hpp"
#include "mission/mission_start.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

struct ShippedMissions : ::testing::TestWithParam<int>, test::ScreenDriver {
    ShippedMissions() {
        StartToLogo();
        backend.keepEveryFrame = false;
        game.profiles.ProfileUsed[1] = 1;
        game.profiles.ProfileShip[1] = 2;
        game.ActiveProfile = 1;
    }
};

TEST_P(ShippedMissions, BuildWithEveryEnemyTypeAndTheirBoss) {
    const int mission = GetParam();
    game.CurrentMission = mission;
    LoadMissionText(game.folder, "english", mission + 1, mission, game.missionText);
    mission::StartMission(game);
    const mission::MissionState& m = game.mission;
    ASSERT_EQ(game.ScreenId, screen_id::Mission);
    EXPECT_EQ(m.Map.SpaceLevel, mission == 0 ? 0 : 1);
    EXPECT_EQ(game.engine->scene().landscape().IsGenerated(), mission == 0);
    int placed = 0;
    for (const scene::Mesh& mesh : m.SceneryMesh) placed += mesh.IsValid() ? 1 : 0;
    EXPECT_GT(placed, 500);
    ASSERT_GE(m.EnemyTypeCount, 5);
    ASSERT_LE(m.EnemyTypeCount, 18) << "type 19 is the boss's";
    for (int type = 1; type <= m.EnemyTypeCount; ++type) {
        mission::CreateEnemy(game, type, type, 900, 0, 0.2, 0);
        EXPECT_GT(m.Enemies[type].HitPoints, 0) << type;
        EXPECT_GE(m.Enemies[type].ShotModel, 1) << type;
        EXPECT_LE(m.Enemies[type].ShotModel, 14) << type;
    }
    EXPECT_GE(m.BossActor.BoneCount(), 3);
    EXPECT_TRUE(game.engine->textures().Has("txtnaboj_14"));
    Frames(5);
    mission::EndMission(game);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
}

INSTANTIATE_TEST_SUITE_P(Campaign, ShippedMissions, ::testing::Values(0, 1));

}  // namespace
}  // namespace kr
