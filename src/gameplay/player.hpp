#pragma once
// The player's ship record during a mission, with its shot pool.

#include <cstdint>

#include "data/one_based_array.hpp"
#include "engine/colour.hpp"
#include "engine/scene/scene.hpp"

namespace kr {

// A particle emitter of the mission and the colour it was made with.
struct EmitterRef {
    std::int32_t index = 0;  // 0: none made
    Colour colour;
};

// The shield and the laser beam are on while their meshes are shown.
inline bool IsSwitchedOn(const scene::ObjectRef& object) { return object.IsValid() && object.IsEnabled(); }

inline constexpr int kPlayerShots = 100;  // new shots take 1..99
inline constexpr int kEnemyShots = 99;

struct PlayerShot {
    std::uint8_t Active = 0;
    double Vx = 0;  // forward, units per ms
    double Vz = 0;  // sideways, units per ms
    double Damage = 0;
    std::uint8_t Kind = 0;  // 0 gun bullet, 1 straight rocket, 2 homing rocket
    scene::Mesh Mesh;
};

struct EnemyShot {
    std::uint8_t Active = 0;
    double Vx = 0;
    double Vz = 0;
    std::int32_t Damage = 0;
    scene::Mesh Mesh;
};

struct Player {
    std::uint8_t GunLevel = 1;  // main gun power 1..10
    double Agility = 0;         // steering margin of the ship model
    OneBasedArray<PlayerShot, kPlayerShots> Shots;
    OneBasedArray<std::int32_t, kPlayerShots> ShotEmitters{};  // rocket trails
    std::int32_t Life = 0;    // 0..100
    std::int32_t Armour = 0;  // 0..100
    scene::Mesh ShieldMesh;
    scene::Mesh ShieldBeam;   // the laser beam
    double ShieldValue = 1;   // the shield's picture frame
    double FireDelay = 0;
    double GunHeat = 0;
    double Roll = 0;
    scene::Mesh ShipMesh;
    EmitterRef EngineEmitterA, EngineEmitterB;
    EmitterRef SmokeEmitterA, SmokeEmitterB;
    EmitterRef FireEmitter;
    std::uint8_t SelectedWeapon = 0;
};

}  // namespace kr
