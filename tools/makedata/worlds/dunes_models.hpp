#pragma once
// The desert map's scenery: the ground cannon, rocks, an arch, a palm,
// ruins, an outpost and a power pylon. Each stands on its origin (y 0 at
// ground level, a little of it sunk below) with +y up.

#include "engine/model/model.hpp"

namespace kr::makedata::worlds {

// The cannon's barrels point along -x, at the oncoming player.
model::Model GroundCannon();
model::Model Boulders();
model::Model RockSpire();
model::Model RockArch();
model::Model Palm();
model::Model Ruin();
model::Model Outpost();
model::Model Pylon();

}  // namespace kr::makedata::worlds
