#pragma once
// Where the game puts the menu scene's objects, camera and lights: the
// models are built around these places.

#include <glm/glm.hpp>

#include "engine/scene/transform.hpp"

namespace kr::makedata::menu_scene {

struct Placement {
    glm::vec3 position{0.0f};
    glm::vec3 rotation{0.0f};  // degrees, composed as scene::Transform composes them
    glm::vec3 scale{1.0f};

    glm::mat4 Matrix() const { return scene::Transform{position, rotation, scale}.Matrix(); }
};

// The backdrop; the game then turns it about the world's y axis.
inline const Placement kBackdrop{{0, 0, 0}, {90, 180, 90}, glm::vec3(0.9f)};

// The welder as the menu scene is first built, and where the ship
// selection puts it again.
inline const Placement kWelder{{-190, -105, 370}, {0, 270, 0}, glm::vec3(0.25f)};
inline const glm::vec3 kWelderAfterSelection{-180, -80, 400};

// The three ships of the menu scene (scale 0.5) and the third ship's place
// after the ship selection.
inline const glm::vec3 kShip1{750, 30, 300};
inline const glm::vec3 kShip2{750, 30, -170};
inline const glm::vec3 kShip3{-180, -80, 400};
inline const glm::vec3 kShip3AfterSelection{-190, -80, 370};

// The camera of every menu screen.
inline const glm::vec3 kCamera{0, 150, 0};
inline const glm::vec3 kLookAt{20, 0, 0};

// The two menu lights.
inline const glm::vec3 kWhiteLight{200, 100, 10};
inline const glm::vec3 kRedLight{250, -100, -10};

// Heights of the hangar's floors, in the world.
inline constexpr float kPitFloorY = -170.0f;   // the well under the camera
inline constexpr float kTerraceY = -105.0f;    // the welder's and the third ship's deck
inline constexpr float kUpperDeckY = -15.0f;   // the deck of the two parked ships

// Radii (about the turning axis) where each floor begins and ends.
inline constexpr float kPitRadius = 150.0f;
inline constexpr float kTerraceOuter = 580.0f;
inline constexpr float kUpperDeckInner = 620.0f;
inline constexpr float kHangarRadius = 1000.0f;

}  // namespace kr::makedata::menu_scene
