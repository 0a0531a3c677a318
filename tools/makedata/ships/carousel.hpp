#pragma once
// The ship-selection carousel: a turntable in a hangar deck with the five
// ships parked on pads round a central hub, noses outwards. The game tilts
// the model by -50 degrees about z before it turns it about the world's y
// axis; the model is built tilted the other way, so that the turntable lies
// flat under the camera and the game's turn spins it about its own axis.
// Each ship sits where the heading that selects it brings it to the bottom
// of the screen, next to the selection window.

#include <vector>

#include <glm/glm.hpp>

#include "engine/model/model.hpp"
#include "ships/ship_model.hpp"

namespace kr::makedata::ships {

// Ship `index` (0..4) on the flat turntable: the centre of its pad, and the
// yaw (radians) that turns its nose (-z) outwards.
struct PadPlace {
    glm::vec3 centre{0.0f};
    float yaw = 0.0f;
};
PadPlace PadOf(int index);

// The tilt that the game's own tilt undoes.
glm::mat4 CarouselTilt();

// The five ships in order 1..5.
model::Model CarouselModel(const std::vector<ShipModel>& fleet);

}  // namespace kr::makedata::ships
