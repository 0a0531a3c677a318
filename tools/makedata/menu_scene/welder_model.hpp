#pragma once
// The welder: an industrial robot arm on the hangar terrace, welding a seam
// on the hull of the pilot's ship. One model per ship, each reaching the
// place on its own ship's hull with its own seam and rhythm; the animation
// loops seamlessly.

#include <glm/glm.hpp>

#include "engine/image/image.hpp"
#include "engine/model/model.hpp"

namespace kr::makedata::menu_scene {

inline constexpr int kShipCount = 5;

// The arm's joints, parents first; the spark at the nozzle is scaled by the
// animation to flicker and to go out.
enum WelderJoint { kBase, kTurret, kShoulder, kElbow, kWrist, kTorch, kTip, kSpark, kWelderJointCount };

// Seconds of one loop of the welding animation.
inline constexpr float kWeldLoopSeconds = 6.0f;

// Where the torch's tip welds on ship `ship` (1..5), in the welder's own
// space: the seam's two ends.
struct Seam {
    glm::vec3 from{0.0f};
    glm::vec3 to{0.0f};
};
Seam SeamOfShip(int ship);

// `atlas` is the hangar's trim atlas, embedded in each model.
model::Model BuildWelderModel(int ship, const image::Image& atlas);

}  // namespace kr::makedata::menu_scene
