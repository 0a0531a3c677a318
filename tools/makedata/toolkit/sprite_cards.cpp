#include "toolkit/sprite_cards.hpp"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

namespace kr::toolkit {
namespace {

// Any unit vector at right angles to `axis`.
glm::vec3 Perpendicular(glm::vec3 axis) {
    const glm::vec3 helper = std::fabs(axis.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    return glm::normalize(glm::cross(axis, helper));
}

}  // namespace

Surface Card(glm::vec3 centre, glm::vec3 along, glm::vec3 across, float length, float width, const UvRect& uv) {
    const glm::vec3 a = glm::normalize(along) * (length * 0.5f);
    const glm::vec3 c = glm::normalize(across) * (width * 0.5f);
    const Corner backLeft{centre - a - c, {uv.min.x, uv.min.y}};
    const Corner backRight{centre - a + c, {uv.min.x, uv.max.y}};
    const Corner frontRight{centre + a + c, {uv.max.x, uv.max.y}};
    const Corner frontLeft{centre + a - c, {uv.max.x, uv.min.y}};
    Surface s;
    s.AddQuad(backLeft, backRight, frontRight, frontLeft);
    s.AddQuad(backLeft, frontLeft, frontRight, backRight);
    return s;
}

Surface CardStar(glm::vec3 centre, glm::vec3 along, float length, float width, int count, const UvRect& uv) {
    const glm::vec3 axis = glm::normalize(along);
    const glm::vec3 first = Perpendicular(axis);
    Surface star;
    for (int i = 0; i < count; ++i) {
        const float angle = 3.14159265358979f * static_cast<float>(i) / static_cast<float>(count);
        const glm::vec3 across = glm::vec3(glm::rotate(glm::mat4(1.0f), angle, axis) * glm::vec4(first, 0.0f));
        star.Append(Card(centre, axis, across, length, width, uv));
    }
    return star;
}

}  // namespace kr::toolkit
