// The player's weapons: the main gun's levels, delay and heat, the full
// shot pool, secondary weapons only when owned and ready, homing rockets,
// the ship abilities and the ends of their timed effects.

#include <gtest/gtest.h>

#include "gameplay/arsenal.hpp"
#include "gameplay/main_gun.hpp"
#include "gameplay/shot_motion.hpp"
#include "gameplay/shots.hpp"
#include "fight_world.hpp"

namespace kr {
namespace {

constexpr int kSpace = 57, kEnter = 28;

struct Weapons : ::testing::Test, test::FightWorld {
    Weapons() { StartFight(); }
    void HoldFire() {
        Key(kSpace, true);
        Frames(2);
    }
};

double VolleyDamage(int level, double dz) {
    double total = 0;
    for (const gameplay::PlayerShotSpec& s : gameplay::GunVolley(level))
        if (s.dz == dz) total += s.damage;
    return total;
}

TEST(GunVolleys, GrowWithTheLevelAndLevelsSixAndSevenHitHarderOnTheLeft) {
    const std::size_t counts[] = {1, 1, 1, 1, 2, 3, 3, 4, 6, 7};
    for (int level = 1; level <= 10; ++level)
        EXPECT_EQ(gameplay::GunVolley(level).size(), counts[level - 1]) << "level " << level;
    EXPECT_EQ(VolleyDamage(6, -10), 30);
    EXPECT_EQ(VolleyDamage(6, 10), 4);
    EXPECT_EQ(VolleyDamage(7, -20), 35);
    EXPECT_EQ(VolleyDamage(7, 20), 5);
    for (const gameplay::PlayerShotSpec& s : gameplay::GunVolley(9)) {
        if (s.vz != 0) {
            EXPECT_EQ(s.dz < 0, s.vz < 0) << "paired shots spread away from the middle";
        }
        EXPECT_EQ(s.kind, 0);
    }
    EXPECT_EQ(gameplay::GunVolley(99).size(), 7u) << "levels beyond the top fire the top volley";
}

TEST_F(Weapons, TheGunFiresFromTheMuzzleWithItsDelayAndHeat) {
    PlaceShip(-200, 40);
    HoldFire();
    ASSERT_EQ(ActivePlayerShots(), 1);
    const PlayerShot& shot = game.player.Shots[1];
    EXPECT_EQ(shot.Mesh.Name(), "gracz_naboj1");
    EXPECT_DOUBLE_EQ(shot.Damage, 15);
    EXPECT_NEAR(shot.Mesh.Position().z, Ship().z, 1.0f);
    EXPECT_GT(shot.Mesh.Position().x, Ship().x + 50) << "it flew on after leaving the muzzle";
    EXPECT_GT(game.player.FireDelay, 30) << "37, less what the frame took";
    EXPECT_NEAR(game.player.GunHeat, 16 * 0.12, 1e-9);
    Frames(3);
    EXPECT_EQ(ActivePlayerShots(), 1) << "the delay holds the next shot back";
    Frames(12);  // 185 ms after the first
    EXPECT_EQ(ActivePlayerShots(), 2);
}

TEST_F(Weapons, HeatStopsTheGunAt98AndCoolsOnlyWithTheTriggerReleased) {
    game.player.GunHeat = 98;
    HoldFire();
    EXPECT_EQ(ActivePlayerShots(), 0);
    EXPECT_DOUBLE_EQ(game.player.GunHeat, 98) << "no cooling while the trigger is held";
    game.player.GunHeat = 150;
    Frames(1);
    EXPECT_DOUBLE_EQ(game.player.GunHeat, 100) << "clamped at 100";
    Key(kSpace, false);
    Frames(3);
    const double heat = game.player.GunHeat;
    EXPECT_LT(heat, 100);
    Frames(1);
    EXPECT_NEAR(game.player.GunHeat, heat - 16 * 0.03, 1e-9);
}

TEST_F(Weapons, AFullPoolMakesNoShotButTheGunStillHeatsAndWaits) {
    for (int n = 1; n <= 99; ++n) game.player.Shots[n].Active = 1;  // without meshes: they must not move
    for (int n = 1; n <= 99; ++n) game.player.Shots[n].Mesh = game.mission.ShotTemplate[1].Clone("filler");
    game.player.GunLevel = 1;
    gameplay::MainGunUpkeep(game);  // no trigger: nothing
    game.mouse.MouseButton1 = 1;
    gameplay::MainGunUpkeep(game);
    EXPECT_FALSE(game.player.Shots[100].Active) << "record 100 is never used";
    EXPECT_DOUBLE_EQ(game.player.FireDelay, 37);
    EXPECT_GT(game.player.GunHeat, 0);
}

TEST_F(Weapons, SecondaryWeaponsNeedOwnershipAndACooldownOfExactlyZero) {
    Key(9, true);  // "8": slot 2, the shield, not owned
    Frames(2);
    EXPECT_EQ(game.player.SelectedWeapon, 0);
    EXPECT_GT(game.mission.WeaponCooldown[1], 99.9) << "unowned weapons stay blocked";
    Key(9, false);
    Own(14);  // the homing rocket on key 1
    Key(2, true);
    Frames(2);
    Key(2, false);
    EXPECT_EQ(game.player.SelectedWeapon, 9);
    game.mission.WeaponCooldown[8] = 0.0001;
    gameplay::UseWeapon(game, 9);
    EXPECT_EQ(ActivePlayerShots(), 0) << "0.0001 is not ready";
    game.mission.WeaponCooldown[8] = 0;
    gameplay::UseWeapon(game, 9);
    ASSERT_EQ(ActivePlayerShots(), 1);
    EXPECT_EQ(game.player.Shots[1].Kind, 2);
    EXPECT_DOUBLE_EQ(game.player.Shots[1].Damage, 200);
    EXPECT_NE(game.player.ShotEmitters[1], 0) << "rockets leave a trail";
    EXPECT_DOUBLE_EQ(game.mission.WeaponCooldown[8], 26);
}

TEST_F(Weapons, TheTriggerFiresTheSelectedWeaponAndItsTrailGoesWithTheRocket) {
    Own(12);  // slot 7: homing rocket 120
    game.player.SelectedWeapon = 7;
    Frames(1);
    game.mission.WeaponCooldown[6] = 0;
    Key(kEnter, true);
    Frames(2);
    Key(kEnter, false);
    ASSERT_EQ(ActivePlayerShots(), 1);
    const int trail = game.player.ShotEmitters[1];
    particles::ParticleSystem& particles = game.engine->scene().particles();
    ASSERT_TRUE(particles.Exists(trail));
    Frames(3);
    EXPECT_NEAR(particles.Position(trail).x, game.player.Shots[1].Mesh.Position().x - 11, 1e-3);
    Frames(400);  // 0.1 a ms: well past 500
    EXPECT_EQ(ActivePlayerShots(), 0);
    EXPECT_FALSE(particles.Exists(trail)) << "the trail goes with its rocket";
}

TEST_F(Weapons, HomingRocketsSteerForTheNearestLiveEnemyAheadOnly) {
    PlaceShip(-200, 0);
    EXPECT_EQ(gameplay::HomingTarget(game), 0);
    StandingEnemy(1, -400, 0);  // behind the ship
    Frames(1);
    EXPECT_EQ(gameplay::HomingTarget(game), 0) << "never behind";
    StandingEnemy(2, 600, -300);
    StandingEnemy(3, 300, 200);
    Frames(1);
    EXPECT_EQ(gameplay::HomingTarget(game), 3);
    game.mission.Enemies[3].HitPoints = 0;
    EXPECT_EQ(gameplay::HomingTarget(game), 2) << "only enemies with hit points";
    const int n = gameplay::CreatePlayerShot(game, {gameplay::kRocketModel, 2, 120, 0.1, 0, 0, 0});
    Frames(1);
    EXPECT_DOUBLE_EQ(game.player.Shots[n].Vz, -0.3) << "toward the enemy at smaller z";
}

TEST_F(Weapons, ARocketWithoutATargetFliesStraight) {
    PlaceShip(-200, 0);
    const int n = gameplay::CreatePlayerShot(game, {gameplay::kRocketModel, 2, 120, 0.1, 0.2, 0, 0});
    const float z = game.player.Shots[n].Mesh.Position().z;
    Frames(5);
    EXPECT_DOUBLE_EQ(game.player.Shots[n].Vz, 0);
    EXPECT_FLOAT_EQ(game.player.Shots[n].Mesh.Position().z, z);
}

TEST_F(Weapons, BlastsStrikeEveryEnemyOrThoseNearTheShip) {
    Own(10);
    Own(8);
    PlaceShip(-200, 0);
    mission::Enemy& near = StandingEnemy(1, 100, 0);
    mission::Enemy& far = StandingEnemy(2, 700, 0);
    near.HitPoints = far.HitPoints = 1000;
    Frames(1);
    game.mission.WeaponCooldown[2] = 0;
    gameplay::UseWeapon(game, 3);  // the shock wave reaches 500
    EXPECT_DOUBLE_EQ(near.HitPoints, 800);
    EXPECT_DOUBLE_EQ(far.HitPoints, 1000);
    EXPECT_DOUBLE_EQ(game.mission.CameraShake, 3);
    game.mission.WeaponCooldown[4] = 0;
    gameplay::UseWeapon(game, 5);
    EXPECT_DOUBLE_EQ(near.HitPoints, 700);
    EXPECT_DOUBLE_EQ(far.HitPoints, 900);
    EXPECT_DOUBLE_EQ(game.mission.WeaponCooldown[4], 54);
}

TEST_F(Weapons, ShipAbilitiesFollowTheShipType) {
    auto ability = [&](int ship) {
        game.profiles.ProfileShip[1] = ship;
        game.mission.WeaponCooldown[static_cast<std::size_t>(8 + ship)] = 0;
        gameplay::UseWeapon(game, 0);
        return game.mission.WeaponCooldown[static_cast<std::size_t>(8 + ship)];
    };
    EXPECT_EQ(ability(1), 30);
    EXPECT_EQ(game.mission.Invulnerable, 1);
    EXPECT_EQ(ability(2), 44);
    EXPECT_EQ(game.TimeStop, 1);
    EXPECT_EQ(ability(3), 40);
    EXPECT_EQ(game.mission.EnemiesHoldFire, 1);
    mission::Enemy& alive = StandingEnemy(1, 500, 0);
    mission::Enemy& wreck = StandingEnemy(2, 500, 100);
    wreck.HitPoints = mission::kWreck;
    EXPECT_EQ(ability(4), 64);
    EXPECT_DOUBLE_EQ(alive.HitPoints, -60);
    EXPECT_DOUBLE_EQ(wreck.HitPoints, mission::kWreck) << "a wreck is not killed twice";
    game.player.Life = 30;
    game.player.Armour = 50;
    EXPECT_EQ(ability(5), 35);
    EXPECT_EQ(game.player.Life, 80) << "repair takes what armour there is";
    EXPECT_EQ(game.player.Armour, 0);
    game.player.Life = 90;
    game.player.Armour = 50;
    ability(5);
    EXPECT_EQ(game.player.Life, 100);
    EXPECT_EQ(game.player.Armour, 40);
}

TEST_F(Weapons, TimedEffectsEndInsideTheirWindows) {
    game.mission.Invulnerable = 1;
    game.mission.WeaponCooldown[9] = 26.5;
    gameplay::EndTimedEffects(game);
    EXPECT_EQ(game.mission.Invulnerable, 1) << "26 is the window's edge";
    game.mission.WeaponCooldown[9] = 25.9;
    gameplay::EndTimedEffects(game);
    EXPECT_EQ(game.mission.Invulnerable, 0);

    game.player.ShieldMesh.Show();
    game.mission.WeaponCooldown[1] = 50;
    gameplay::EndTimedEffects(game);
    EXPECT_TRUE(IsSwitchedOn(game.player.ShieldMesh));
    game.mission.WeaponCooldown[1] = 44;
    gameplay::EndTimedEffects(game);
    EXPECT_FALSE(IsSwitchedOn(game.player.ShieldMesh));

    game.mission.BossPhase = 1;
    game.TimeStop = 1;
    game.mission.BossActor.SetAnimationSpeed(0);
    game.mission.WeaponCooldown[10] = 30;
    gameplay::EndTimedEffects(game);
    EXPECT_EQ(game.TimeStop, 0);
    const double t = game.mission.BossActor.AnimationSeconds();
    game.engine->scene().Update(100);
    EXPECT_GT(game.mission.BossActor.AnimationSeconds(), t) << "the boss moves again";
}

}  // namespace
}  // namespace kr
