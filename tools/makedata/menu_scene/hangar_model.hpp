#pragma once
// The menu backdrop: a hangar well seen from its ceiling. The camera looks
// down onto the well's floor with the launch iris open to space; a truss
// bridge with a crane trolley, a service arm and cables hang between; the
// terrace around the well carries the welder and the third ship, the upper
// deck the two parked ships. Modelled in world units as the game places it
// and turned back into the model's own space.

#include "engine/model/model.hpp"

namespace kr::makedata::menu_scene {

// Material slots of the backdrop, one picture each.
enum HangarSlot { kFloorSlot = 0, kPlateSlot = 1, kTrimSlot = 2 };

model::Model BuildHangarModel();

}  // namespace kr::makedata::menu_scene
