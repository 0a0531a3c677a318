#include "engine/collision/aabb.hpp"

#include <algorithm>

namespace kr::collision {

Aabb Transformed(const Aabb& box, const glm::mat4& m) {
    if (box.Empty()) return {};
    // Centre and half-extent form: the new half-extent is |M| * extent.
    glm::vec3 centre = (box.min + box.max) * 0.5f;
    glm::vec3 half = (box.max - box.min) * 0.5f;
    glm::vec3 newCentre = glm::vec3(m * glm::vec4(centre, 1.0f));
    glm::mat3 linear(m);
    glm::vec3 newHalf(0.0f);
    for (int column = 0; column < 3; ++column) newHalf += glm::abs(linear[column]) * half[column];
    return {newCentre - newHalf, newCentre + newHalf};
}

Aabb Widened(const Aabb& box, float relative) {
    if (box.Empty()) return box;
    glm::vec3 reach = glm::max(glm::abs(box.min), glm::abs(box.max));
    float margin = relative * std::max({reach.x, reach.y, reach.z, box.max.x - box.min.x, box.max.y - box.min.y,
                                        box.max.z - box.min.z});
    return {box.min - glm::vec3(margin), box.max + glm::vec3(margin)};
}

}  // namespace kr::collision
