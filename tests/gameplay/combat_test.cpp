// Things meeting: enemy shots and the ship, player shots and enemies or
// scenery, the laser's lane, kills and their points, the shield's ram,
// crashes, wear, powerups and the end of a mission.

#include <gtest/gtest.h>

#include "gameplay/combat.hpp"
#include "gameplay/mission_clock.hpp"
#include "gameplay/shots.hpp"
#include "fight_world.hpp"

namespace kr {
namespace {

struct Combat : ::testing::Test, test::FightWorld {
    Combat() { StartFight(); }
    void Difficulty(int d) { game.profiles.ProfileDifficulty[1] = static_cast<std::uint8_t>(d); }
    void Health(int life, int armour) {
        game.player.Life = life;
        game.player.Armour = armour;
    }
    int ShotAtShip(double dx, double dz, double damage = 20) {
        const glm::vec3 s = Ship();
        return gameplay::CreateEnemyShot(game, 11, {s.x + static_cast<float>(dx), s.y, s.z + static_cast<float>(dz) + 40},
                                         0, damage, 0);
    }
};

TEST_F(Combat, DamageGoesThroughArmourFirst) {
    Health(80, 50);
    gameplay::TakeShotDamage(game, 20);
    EXPECT_EQ(game.player.Armour, 30);
    EXPECT_EQ(game.player.Life, 80);
    Health(80, 0);
    gameplay::TakeShotDamage(game, 20);
    EXPECT_EQ(game.player.Life, 55);
    Difficulty(2);
    Health(80, 80);
    gameplay::TakeShotDamage(game, 20);
    EXPECT_EQ(game.player.Armour, 80 - 20 - 21 * 2);
    Difficulty(0);
    Own(6, 15);
    Health(80, 60);
    gameplay::TakeShotDamage(game, 20);
    EXPECT_EQ(game.player.Armour, 70) << "a strong armour upgrade can gain from a hit";
    Health(10, 0);
    gameplay::TakeShotDamage(game, 20);
    EXPECT_EQ(game.player.Life, 0) << "never below 0";
}

TEST_F(Combat, EveryHitWearsTheHullStepByStep) {
    const int before = game.player.ShipMesh.TextureOf(0);
    Health(80, 80);
    gameplay::TakeShotDamage(game, 1);
    EXPECT_EQ(game.mission.HullDamage, 10);
    EXPECT_EQ(game.profiles.ProfileShipLevel[1], 1);
    EXPECT_NE(game.player.ShipMesh.TextureOf(0), before) << "the worn skin is on";
    gameplay::TakeShotDamage(game, 1);
    EXPECT_EQ(game.profiles.ProfileShipLevel[1], 1) << "20 is still the first step";
    for (int i = 0; i < 6; ++i) gameplay::TakeShotDamage(game, 1);
    EXPECT_EQ(game.profiles.ProfileShipLevel[1], 4);
    gameplay::TakeShotDamage(game, 1);
    EXPECT_EQ(game.profiles.ProfileShipLevel[1], 4) << "4 is the last";
}

TEST_F(Combat, EnemyShotsHitAnExposedShipOnly) {
    PlaceShip(-200, 0);
    Health(80, 50);
    ShotAtShip(29, -29);
    Frames(1);
    EXPECT_EQ(game.player.Armour, 30);
    EXPECT_EQ(ActiveEnemyShots(), 0) << "the shot is spent";
    ShotAtShip(31, 0);
    Frames(1);
    EXPECT_EQ(ActiveEnemyShots(), 1) << "30 away is a miss";
    game.mission.EnemyShots[1].Mesh.SetPosition({-600, 150, 0});
    game.mission.EnemyShots[1].Vx = -0.6;
    Frames(1);
    EXPECT_EQ(ActiveEnemyShots(), 0) << "gone past -500";
    game.player.ShieldMesh.Show();
    ShotAtShip(0, 0);
    Frames(1);
    EXPECT_EQ(ActiveEnemyShots(), 1) << "the shield lets it fly on";
    EXPECT_EQ(game.player.Armour, 30);
}

TEST_F(Combat, APlayerShotHitsAnEnemyForPointsAndBurn) {
    Difficulty(2);
    Own(5, 1);
    PlaceShip(-200, 0);
    mission::Enemy& enemy = StandingEnemy(1, 100, 0);
    enemy.HitPoints = 1000;
    Frames(1);
    gameplay::CreatePlayerShot(game, {1, 0, 15, 0.5, 0, 0, 0});
    Frames(40);
    EXPECT_EQ(ActivePlayerShots(), 0) << "the shot is spent on the enemy";
    EXPECT_EQ(game.mission.MissionScore, 3);
    EXPECT_DOUBLE_EQ(enemy.Burn, 0.01);
    EXPECT_LT(enemy.HitPoints, 1000 - 21);
    EXPECT_GT(enemy.HitPoints, 1000 - 21 - 0.01 * 16 * 40) << "burning since the hit";
    EXPECT_DOUBLE_EQ(enemy.Speed, 0.01) << "a hit enemy starts drifting back";
    const particles::ParticleSystem& particles = game.engine->scene().particles();
    EXPECT_TRUE(particles.IsEmitting(enemy.Emitters[1].index)) << "it smokes";
}

TEST_F(Combat, ScenerySwallowsShotsOnlyWhileEnemiesAreOut) {
    StartFight(0, {test::ActivePlacement(1, 300, 0)});
    PlaceShip(-200, 0);
    game.mission.Map.Placements[1].RotX = game.mission.Map.Placements[1].RotY =
        game.mission.Map.Placements[1].RotZ = 0;
    game.mission.SceneryMesh[1].SetPosition({100, 150, 0});
    gameplay::CreatePlayerShot(game, {1, 0, 15, 0.5, 0, 0, 0});
    Frames(30);
    EXPECT_EQ(ActivePlayerShots(), 1) << "no enemy out: the shot passes through";
    StandingEnemy(1, 900, 600);
    game.mission.SceneryMesh[1].SetPosition({game.player.Shots[1].Mesh.Position().x + 60, 150, 0});
    Frames(20);
    EXPECT_EQ(ActivePlayerShots(), 0);
    EXPECT_EQ(game.mission.MissionScore, 0) << "no points for rock";
}

TEST_F(Combat, AKillScoresExplodesAndLeavesAWreckDrifting) {
    Difficulty(0);
    mission::Enemy& enemy = StandingEnemy(1, 600, 300, 2);
    enemy.HitPoints = -1;
    Frames(1);
    EXPECT_DOUBLE_EQ(enemy.HitPoints, mission::kWreck);
    EXPECT_EQ(game.mission.EnemiesDestroyed, 1);
    EXPECT_TRUE(game.mission.LastKillPoints == 4 || game.mission.LastKillPoints == 6);
    EXPECT_EQ(game.mission.MissionScore, game.mission.LastKillPoints);
    EXPECT_EQ(game.mission.Messages[mission::kMessageLines].Text.View(),
              game.langText[52].Str() + " " + std::to_string(game.mission.LastKillPoints));
    EXPECT_DOUBLE_EQ(game.mission.Messages[mission::kMessageLines].Green, 1);
    EXPECT_FALSE(enemy.Mesh.IsEnabled());
    EXPECT_DOUBLE_EQ(enemy.Speed, 0.3);
    EXPECT_GT(game.mission.BoomLight, 0);
    EXPECT_GE(game.mission.CameraShake, 4);
    Frames(60);
    EXPECT_LE(game.mission.BoomLight, 0) << "the flash fades in about 0.6 s";
    EXPECT_EQ(game.mission.EnemiesDestroyed, 1) << "a wreck dies once";
}

TEST_F(Combat, KillsDropPowerupsByChanceAndNeverLateInTheCampaign) {
    auto drops = [&](int kills) {
        int dropped = 0;
        for (int i = 0; i < kills; ++i) {
            mission::Enemy& enemy = StandingEnemy(1 + i % 19, 600, 0);
            enemy.HitPoints = -1;
            gameplay::SufferAndReward(game, 1 + i % 19, 16);
            dropped += enemy.PowerupFlag;
        }
        return dropped;
    };
    const int early = drops(200);
    EXPECT_GT(early, 15);
    EXPECT_LT(early, 70) << "about one in five";
    game.CurrentMission = 13;
    EXPECT_EQ(drops(100), 0);
}

TEST_F(Combat, TheShieldRamsAndAnUnshieldedCrashCosts) {
    PlaceShip(-200, 0);
    Health(80, 0);
    mission::Enemy& rammed = StandingEnemy(1, -170, 0, 5);
    rammed.PowerupKind = 2;  // armour from a dropped powerup would soften the crash
    game.player.ShieldMesh.Show();
    Frames(1);
    EXPECT_DOUBLE_EQ(rammed.HitPoints, mission::kWreck);
    EXPECT_TRUE(game.mission.LastKillPoints == 5 || game.mission.LastKillPoints == 10);
    EXPECT_EQ(game.player.Life, 80);
    game.player.ShieldMesh.Hide();
    const int score = game.mission.MissionScore;
    mission::Enemy& crashed = StandingEnemy(2, Ship().x + 20, Ship().z, 5);
    Frames(1);
    EXPECT_DOUBLE_EQ(crashed.HitPoints, mission::kWreck);
    EXPECT_EQ(game.player.Life, 65);
    EXPECT_EQ(game.mission.MissionScore, score) << "no points for a crash";
    EXPECT_EQ(game.mission.HullDamage, 10);
    game.mission.Invulnerable = 1;
    mission::Enemy& ghost = StandingEnemy(3, Ship().x + 20, Ship().z, 5);
    Frames(1);
    EXPECT_GT(ghost.HitPoints, 0) << "an invulnerable ship passes through";
}

TEST_F(Combat, PowerupsArmourGunAndRecharge) {
    PlaceShip(-200, 0);
    auto pickUp = [&](int kind) {
        mission::Enemy& enemy = StandingEnemy(1, Ship().x + 45, Ship().z + 200);
        enemy.PowerupKind = static_cast<std::uint8_t>(kind);
        enemy.PowerupFlag = 1;
        enemy.HitPoints = mission::kWreck;
        enemy.Z = Ship().z - 45;
        Frames(2);  // the mesh follows on the first
        EXPECT_EQ(enemy.PowerupFlag, 0) << "kind " << kind;
    };
    Health(50, 20);
    pickUp(1);
    EXPECT_EQ(game.player.Armour, 100);
    game.player.GunHeat = 80;
    game.player.GunLevel = 10;
    pickUp(2);
    EXPECT_EQ(game.player.GunLevel, 10);
    EXPECT_DOUBLE_EQ(game.player.GunHeat, 0);
    game.mission.WeaponCooldown.fill(30);
    game.mission.Invulnerable = 1;
    game.player.ShieldBeam.Show();
    pickUp(3);
    EXPECT_EQ(game.mission.Invulnerable, 0);
    EXPECT_FALSE(IsSwitchedOn(game.player.ShieldBeam));
    EXPECT_DOUBLE_EQ(game.mission.WeaponCooldown[14], 0);
    EXPECT_EQ(game.mission.PowerupsCollected, 3);
    EXPECT_EQ(game.mission.Messages[mission::kMessageLines].Text.View(), game.langText[61].View());
}

TEST_F(Combat, TheLaserBurnsTheShipsLaneAtAnyDistance) {
    PlaceShip(-200, 0);
    mission::Enemy& inLane = StandingEnemy(1, 900, 25);
    mission::Enemy& outside = StandingEnemy(2, 300, 35);
    inLane.HitPoints = outside.HitPoints = 500;
    Frames(1);
    game.player.ShieldBeam.Show();
    gameplay::BurnWithLaser(game);
    EXPECT_NEAR(inLane.HitPoints, 500 - 0.3 * 16, 1e-9);
    EXPECT_DOUBLE_EQ(outside.HitPoints, 500);
}

TEST_F(Combat, TheMessageLogKeepsTheNewestTen) {
    for (int i = 1; i <= 12; ++i) gameplay::AddMessage(game, "line " + std::to_string(i), 1, 0.4, 0.4);
    EXPECT_EQ(game.mission.Messages[10].Text.View(), "line 12");
    EXPECT_EQ(game.mission.Messages[1].Text.View(), "line 3");
    gameplay::AddMessage(game, std::string(80, 'x'), 1, 1, 1);
    EXPECT_EQ(game.mission.Messages[10].Text.View().size(), 50u);
}

TEST_F(Combat, LosingTheShipAsTheBossDiesIsAWin) {
    game.mission.BossPhase = 1;
    game.mission.BossHitPointsA = 0;
    game.player.Life = 0;
    EXPECT_TRUE(gameplay::MissionOver(game));
    EXPECT_TRUE(gameplay::BossDefeated(game));
    game.mission.BossHitPointsA = 300;
    EXPECT_FALSE(gameplay::BossDefeated(game));
}

}  // namespace
}  // namespace kr
