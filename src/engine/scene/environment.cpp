#include "engine/scene/environment.hpp"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace kr::scene {

glm::mat4 ViewMatrix(const Camera& camera) {
    glm::vec3 forward = camera.lookAt - camera.position;
    if (glm::length(forward) < 1e-6f) forward = glm::vec3(1, 0, 0);
    forward = glm::normalize(forward);
    // Looking straight up or down: +x stands in for "up" on the screen.
    glm::vec3 up(0, 1, 0);
    if (std::abs(glm::dot(forward, up)) > 0.9999f) up = glm::vec3(1, 0, 0);
    return glm::lookAtLH(camera.position, camera.position + forward, up);
}

glm::mat4 ProjectionMatrix(const Camera& camera, float aspect) {
    return glm::perspectiveLH_NO(glm::radians(camera.fieldOfViewDeg), aspect, camera.nearPlane, camera.farPlane);
}

}  // namespace kr::scene
