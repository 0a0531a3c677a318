// Enemies coming into being: their records, objects and emitters, the slot
// they take, the wave generator's lanes and formations, and the boss.

#include <gtest/gtest.h>

#include "mission/enemies.hpp"
#include "mission/waves.hpp"
#include "support/mission_driver.hpp"

namespace kr {
namespace {

struct EnemyCreation : ::testing::Test, test::MissionDriver {
    void StartWith(std::vector<Placement> placements = {}) {
        test::MissionWorldSpec world;
        world.placements = std::move(placements);
        Start(world);
    }
    const mission::Enemy& Slot(int s) const { return game.mission.Enemies[s]; }
    int ActiveEnemies() const {
        int n = 0;
        for (const mission::Enemy& e : game.mission.Enemies) n += e.Active;
        return n;
    }
};

TEST_F(EnemyCreation, ANewEnemyGetsItsTypesValuesAndObjects) {
    StartWith();
    mission::CreateEnemy(game, 3, 2, 900, 120, 0.2, 0.05);
    const mission::Enemy& e = Slot(3);
    EXPECT_EQ(e.Active, 1);
    EXPECT_EQ(e.Type, 2);
    EXPECT_EQ(e.ShotModel, 2);
    EXPECT_DOUBLE_EQ(e.HitPoints, 40);
    EXPECT_EQ(e.Spins, 1);
    EXPECT_GE(e.SpinRate, -1);
    EXPECT_LE(e.SpinRate, 3);
    EXPECT_EQ(e.Mesh.Name().rfind("Przeciwnik_3_Sr", 0), 0u) << e.Mesh.Name();
    EXPECT_EQ(e.Mesh.Position(), glm::vec3(900, 190, 120));
    EXPECT_TRUE(e.Mesh.IsEnabled());
    EXPECT_GE(e.PowerupKind, 1);
    EXPECT_LE(e.PowerupKind, 3);
    EXPECT_FALSE(e.PowerupActor.IsEnabled());
    EXPECT_EQ(game.mission.EnemiesCreated, 1);
    particles::ParticleSystem& particles = game.engine->scene().particles();
    for (int n = 1; n <= 9; ++n) EXPECT_TRUE(particles.Exists(e.Emitters[n].index)) << n;
    EXPECT_FALSE(particles.IsEmitting(e.Emitters[6].index)) << "this type has no engine trail";
    EXPECT_EQ(particles.Position(e.Emitters[6].index), glm::vec3(955, 190, 120));
    EXPECT_EQ(particles.Position(e.Emitters[7].index), glm::vec3(935, 190, 120));
}

TEST_F(EnemyCreation, TheEngineTrailBurnsForTypesThatHaveOne) {
    StartWith();
    mission::CreateEnemy(game, 1, 1, 900, 0, 0.2, 0);
    EXPECT_TRUE(game.engine->scene().particles().IsEmitting(Slot(1).Emitters[6].index));
    EXPECT_EQ(Slot(1).SpinRate, 1) << "a spin range of 0 gives 1";
}

TEST_F(EnemyCreation, SlotsFillFromOneAndTheTwentiethIsReusedCleanly) {
    StartWith();
    EXPECT_EQ(mission::FindFreeEnemySlot(game), 1);
    for (int i = 0; i < 20; ++i) mission::CreateEnemy(game, mission::FindFreeEnemySlot(game), 1, 900, 0, 0.2, 0);
    EXPECT_EQ(ActiveEnemies(), 20);
    EXPECT_EQ(mission::FindFreeEnemySlot(game), 20) << "all taken: slot 20 again";
    const scene::Mesh old = Slot(20).Mesh;
    const std::size_t emitters = game.engine->scene().particles().EmitterCount();
    const std::size_t objects = game.engine->scene().ObjectCount();
    mission::CreateEnemy(game, mission::FindFreeEnemySlot(game), 1, 950, 10, 0.2, 0);
    EXPECT_FALSE(old.IsValid()) << "the overwritten enemy's mesh is gone";
    EXPECT_EQ(game.engine->scene().particles().EmitterCount(), emitters);
    EXPECT_EQ(game.engine->scene().ObjectCount(), objects);
    EXPECT_EQ(Slot(20).X, 950);
    game.mission.Enemies[7].Active = 0;
    EXPECT_EQ(mission::FindFreeEnemySlot(game), 7);
}

TEST_F(EnemyCreation, FormationsPlaceTheirMembersAroundTheLead) {
    EXPECT_TRUE(mission::FormationMembers(0, 900, 0).empty());
    using P = glm::dvec2;
    EXPECT_EQ(mission::FormationMembers(1, 900, 10), (std::vector<P>{{900, 10}, {750, 10}, {600, 10}}));
    EXPECT_EQ(mission::FormationMembers(2, 900, 10), (std::vector<P>{{750, -140}, {1050, -140}, {900, 10}}));
    EXPECT_EQ(mission::FormationMembers(5, 900, 10), (std::vector<P>{{900, 10}}));
    EXPECT_EQ(mission::FormationMembers(7, 900, 10), (std::vector<P>{{1050, -140}, {900, 10}, {750, 160}}));
}

TEST_F(EnemyCreation, ALaneIsBlockedByScenerySideBySideButNotFarAway) {
    Placement block = test::ActivePlacement(1, 400, 150, 1.0);  // a 90-unit box on the side lane
    block.Y = 190;
    StartWith({block});
    EXPECT_TRUE(mission::SpawnBlocked(game, 900, 0));
    EXPECT_TRUE(mission::SpawnBlocked(game, 900, 150));
    EXPECT_FALSE(mission::SpawnBlocked(game, 900, 400));
    EXPECT_FALSE(mission::SpawnBlocked(game, 900, -150)) << "lanes at -300, -150 and 0 miss it";
}

TEST_F(EnemyCreation, WavesComeWhileTheClockAllowsAndNotThroughABlockedSky) {
    StartWith();
    int created = 0;
    for (int wave = 0; wave < 20; ++wave) mission::SpawnWave(game);
    created = game.mission.EnemiesCreated;
    EXPECT_GT(created, 0);
    for (const mission::Enemy& e : game.mission.Enemies)
        if (e.Active) {
            EXPECT_GE(e.Type, 1);
            EXPECT_LE(e.Type, 2);
            EXPECT_DOUBLE_EQ(e.Speed, 0.2);
        }
    game.MissionSeconds = 3 * 60 + 1;
    mission::SpawnWave(game);
    EXPECT_EQ(game.mission.EnemiesCreated, created) << "no waves after the fight's minutes";
}

TEST_F(EnemyCreation, NoWaveWhenEveryLaneIsBlocked) {
    Placement wall = test::ActivePlacement(1, 500, 0, 40.0);  // 3900 units wide
    wall.Y = 190;
    StartWith({wall});
    for (int wave = 0; wave < 10; ++wave) mission::SpawnWave(game);
    EXPECT_EQ(game.mission.EnemiesCreated, 0);
}

TEST_F(EnemyCreation, TheBossComesOnceWithItsMissionsHitPoints) {
    game.profiles.ProfileDifficulty[1] = 1;
    StartWith();
    game.mission.BossPhase = 1;
    mission::SpawnWave(game);
    mission::SpawnWave(game);
    EXPECT_EQ(game.mission.EnemiesCreated, 1);
    EXPECT_EQ(game.mission.BossSpawned, 1);
    const int slot = game.mission.BossSlot;
    const mission::Enemy& boss = Slot(slot);
    EXPECT_EQ(boss.Type, mission::kBossType);
    EXPECT_EQ(boss.Mesh.Name().rfind("Przeciwnik_", 0), 0u);
    EXPECT_EQ(boss.Mesh.Position(), glm::vec3(1000, 130, 0));
    EXPECT_DOUBLE_EQ(boss.HitPoints, 1500 + 500 + 1500);
    EXPECT_EQ(game.mission.BossHitPointsA, 3500);
    EXPECT_EQ(game.mission.BossHitPointsB, 3500);
    EXPECT_EQ(boss.ShotModel, 1);
    EXPECT_EQ(boss.Spins, 0);
    EXPECT_EQ(boss.SpinRate, 1);
    EXPECT_DOUBLE_EQ(boss.Speed, 0.1);
    EXPECT_FALSE(game.engine->scene().particles().IsEmitting(boss.Emitters[6].index));
}

TEST_F(EnemyCreation, BossHitPointsGrowWithMissionAndDifficulty) {
    game.CurrentMission = 0;
    game.profiles.ProfileDifficulty[1] = 0;
    EXPECT_EQ(mission::BossHitPoints(game), 2000);
    game.CurrentMission = 8;
    game.profiles.ProfileDifficulty[1] = 2;
    EXPECT_EQ(mission::BossHitPoints(game), 9000);
}

TEST_F(EnemyCreation, TheBossModelsAreReadyAndHidden) {
    StartWith();
    const mission::MissionState& m = game.mission;
    EXPECT_EQ(m.EnemyTypeTemplate[19].Name(), "Boss");
    EXPECT_EQ(m.BossActor.Name(), "Boss");
    EXPECT_FALSE(m.BossActor.IsEnabled());
    EXPECT_GE(m.BossActor.BoneCount(), 3);
    EXPECT_EQ(m.BossWeapon.Position(), glm::vec3(-1000, -1000, -1000));
    EXPECT_TRUE(game.engine->scene().particles().Exists(m.BossEmitter.index));
}

}  // namespace
}  // namespace kr
