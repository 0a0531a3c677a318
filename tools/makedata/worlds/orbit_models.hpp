#pragma once
// The orbit map's scenery: asteroids of three shapes, a wrecked freighter
// section, a station module, torn solar panels and a beacon, each centred
// on its origin (they drift and spin in space).

#include "engine/model/model.hpp"

namespace kr::makedata::worlds {

// 0: a cratered rounded rock, 1: a long potato, 2: an angular shard.
model::Model Asteroid(int shape);
model::Model FreighterWreck();
model::Model StationModule();
model::Model SolarWreck();
model::Model Beacon();

}  // namespace kr::makedata::worlds
