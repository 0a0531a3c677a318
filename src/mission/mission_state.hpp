#pragma once
// What a mission's world holds between its construction and its end: the
// map and its scenery, the enemy types and the 20 enemy slots, the boss, the
// powerup and projectile templates, the enemy shot pool and the per-mission
// counters. StartMission gives everything its starting value.

#include <array>
#include <cstdint>
#include <string>

#include "data/mission_files.hpp"
#include "data/one_based_array.hpp"
#include "data/pascal_string.hpp"
#include "engine/colour.hpp"
#include "engine/scene/scene.hpp"
#include "gameplay/player.hpp"

namespace kr::mission {

inline constexpr int kEnemySlots = 20;
inline constexpr int kBossType = 19;
inline constexpr int kEnemyEmitters = 9;
inline constexpr int kShotTemplates = 24;
inline constexpr int kPowerupKinds = 3;
inline constexpr int kAlienShotModels = 14;
inline constexpr int kAlienShotBase = 10;  // enemies fire template ShotModel + 10
inline constexpr int kWeaponCooldowns = 15;
inline constexpr double kWreck = -5000;  // hit points of a destroyed enemy whose wreck still drifts

struct Enemy {
    std::uint8_t Active = 0;
    std::uint8_t Type = 0;  // 1..18, 19 = the boss
    double FireTimer = 0;   // counts down; the enemy fires at 0
    scene::Mesh Mesh;
    std::uint8_t PowerupKind = 0;
    scene::Actor PowerupActor;
    std::uint8_t PowerupFlag = 0;
    std::int32_t ShotModel = 0;
    double X = 0;
    double Z = 0;
    double Speed = 0;
    double Drift = 0;
    std::uint8_t Spins = 0;
    std::int32_t SpinRate = 0;
    double HitPoints = 0;
    double Burn = 0;        // health lost per ms from earlier hits
    OneBasedArray<EmitterRef, kEnemyEmitters> Emitters;
};

// The newest ten lines of the mission's message log; line 10 is the newest.
inline constexpr int kMessageLines = 10;
struct MessageLine {
    PascalString<50> Text;
    double Red = 0, Green = 0, Blue = 0;
};
using MessageLog = OneBasedArray<MessageLine, kMessageLines>;

struct MissionState {
    // From the mission's briefing file.
    std::string MapFolder;
    std::int32_t SpawnMinutes = 0;
    std::int32_t RequiredPercent = 0;

    MapRecord Map;
    int SceneryTypeCount = 0;
    OneBasedArray<scene::Mesh, kMaxSceneryTypes> SceneryTemplate;
    OneBasedArray<scene::Mesh, kMapPlacements> SceneryMesh;
    int EnemyTypeCount = 0;
    OneBasedArray<scene::Mesh, kMaxEnemyTypes> EnemyTypeTemplate;
    OneBasedArray<Enemy, kEnemySlots> Enemies;

    scene::Actor BossActor;
    scene::Mesh BossWeapon;
    EmitterRef BossEmitter;
    std::int32_t BossSlot = 0;
    std::uint8_t BossPhase = 0;
    std::uint8_t BossSpawned = 0;
    std::int32_t BossHitPointsA = 0;
    std::int32_t BossHitPointsB = 0;
    std::uint8_t BossKilled = 0;
    std::uint8_t BossFinale = 0;  // the further gameplay flag of the boss stage

    OneBasedArray<scene::Actor, kPowerupKinds> PowerupTemplate;
    OneBasedArray<scene::Mesh, kShotTemplates> ShotTemplate;
    OneBasedArray<EnemyShot, kEnemyShots> EnemyShots;

    EmitterRef StarEmitter;
    bool Landscape = false;  // a ground map's landscape was built
    Colour GlowColour{1, 1, 1, 1};

    std::uint8_t EnemiesHoldFire = 0;
    std::uint8_t Invulnerable = 0;
    std::int32_t HullDamage = 0;
    double TitleFade = 1;
    std::int32_t EnemiesCreated = 0;
    std::int32_t EnemiesDestroyed = 0;
    std::int32_t PowerupsCollected = 0;
    std::int32_t MissionScore = 0;
    std::int32_t LastKillPoints = 0;
    double BoomLight = 0;  // range of the explosion light, fading
    MessageLog Messages;
    double WaveTimer = 0;
    std::int32_t MouseX = 512, MouseY = 368;
    std::int32_t PreviousMouseX = 512, PreviousMouseY = 368;
    double ScrollDistance = 0;
    double SideSpeed = 0, BackSpeed = 0, CameraShake = 0;
    OneBasedArray<double, kMapPlacements> CannonCooldown{};
    std::array<double, kWeaponCooldowns> WeaponCooldown{};
};

}  // namespace kr::mission
