#pragma once
// The three pickups an enemy may drop: 1 restores armour (a cyan shield
// crystal), 2 powers up the main gun (an ember core in forward chevrons),
// 3 recharges every secondary weapon (a gold cell in gyroscope rings).
// Each turns and pulses on a small skeleton in one looping animation.

#include "engine/model/model.hpp"

namespace kr::makedata::arsenal {

inline constexpr int kPowerupKinds = 3;
// Seconds of one loop of a pickup's animation.
inline constexpr float kPowerupLoopSeconds = 2.0f;

// The joints: the root, the spinning core and the counter-turning halo.
enum PowerupJoint { kPowerupRoot, kPowerupCore, kPowerupHalo, kPowerupJointCount };

// `kind` 1..kPowerupKinds.
model::Model PowerupModel(int kind);

}  // namespace kr::makedata::arsenal
