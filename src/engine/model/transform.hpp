#pragma once
// Node transforms: translation, rotation and scale to and from a matrix.

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

namespace kr::model {

struct Trs {
    glm::vec3 translation{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f};
};

// T * R * S.
glm::mat4 ComposeTrs(const glm::vec3& translation, const glm::quat& rotation, const glm::vec3& scale);

// The inverse of ComposeTrs for matrices without shear or projection; a
// mirroring matrix gets a negative x scale. Other matrices get the nearest
// such transform.
Trs DecomposeTrs(const glm::mat4& matrix);

}  // namespace kr::model
