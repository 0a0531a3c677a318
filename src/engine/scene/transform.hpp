#pragma once
// Object transforms as the game states them: positions in world units,
// rotations as three angles in degrees composed roll (z) first, then pitch
// (x), then yaw (y), so a ship banks about its own length; scale per axis.

#include <glm/glm.hpp>

namespace kr::scene {

glm::mat4 RotationFromDegrees(const glm::vec3& degrees);

struct Transform {
    glm::vec3 position{0.0f};
    glm::vec3 rotation{0.0f};  // degrees about x, y, z
    glm::vec3 scale{1.0f};

    glm::mat4 Matrix() const;
};

}  // namespace kr::scene
