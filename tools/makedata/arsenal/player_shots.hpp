#pragma once
// The player's shots: four power levels of each main gun, modelled along
// +z (the game turns them so that +z points forward, +x on screen) and
// spun about that line in flight, and the homing rocket.

#include <string>

#include "engine/model/model.hpp"

namespace kr::makedata::arsenal {

inline constexpr const char* kGuns[] = {"laser", "plasma", "gauss", "machinegun"};
inline constexpr int kGunLevels = 4;

// `gun` one of kGuns, `level` 1..kGunLevels.
model::Model GunShotModel(const std::string& gun, int level);

}  // namespace kr::makedata::arsenal
