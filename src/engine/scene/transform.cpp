#include "engine/scene/transform.hpp"

#include <glm/gtc/matrix_transform.hpp>

namespace kr::scene {

glm::mat4 RotationFromDegrees(const glm::vec3& degrees) {
    glm::mat4 m(1.0f);
    m = glm::rotate(m, glm::radians(degrees.y), glm::vec3(0, 1, 0));
    m = glm::rotate(m, glm::radians(degrees.x), glm::vec3(1, 0, 0));
    m = glm::rotate(m, glm::radians(degrees.z), glm::vec3(0, 0, 1));
    return m;
}

glm::mat4 Transform::Matrix() const {
    glm::mat4 m = glm::translate(glm::mat4(1.0f), position);
    m *= RotationFromDegrees(rotation);
    return glm::scale(m, scale);
}

}  // namespace kr::scene
