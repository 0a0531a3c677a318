#include "toolkit/surface.hpp"

#include <utility>

#include <glm/gtc/matrix_transform.hpp>

namespace kr::toolkit {

glm::vec3 AreaVector(const Triangle& t) {
    return glm::cross(t.corners[1].position - t.corners[0].position, t.corners[2].position - t.corners[0].position);
}

void Surface::AddTriangle(const Corner& a, const Corner& b, const Corner& c) {
    triangles_.push_back(Triangle{{a, b, c}, 0});
}

void Surface::AddQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d) {
    AddTriangle(a, b, c);
    AddTriangle(a, c, d);
}

void Surface::Append(const Surface& other) {
    triangles_.insert(triangles_.end(), other.triangles_.begin(), other.triangles_.end());
}

Surface& Surface::Transform(const glm::mat4& matrix) {
    const bool reflects = glm::determinant(glm::mat3(matrix)) < 0.0f;
    for (Triangle& t : triangles_) {
        for (Corner& c : t.corners) c.position = glm::vec3(matrix * glm::vec4(c.position, 1.0f));
        if (reflects) std::swap(t.corners[1], t.corners[2]);
    }
    return *this;
}

Surface& Surface::Translate(glm::vec3 offset) { return Transform(glm::translate(glm::mat4(1.0f), offset)); }
Surface& Surface::Scale(glm::vec3 factors) { return Transform(glm::scale(glm::mat4(1.0f), factors)); }
Surface& Surface::Rotate(float radians, glm::vec3 axis) {
    return Transform(glm::rotate(glm::mat4(1.0f), radians, axis));
}

Surface& Surface::SetMaterial(int material) {
    for (Triangle& t : triangles_) t.material = material;
    return *this;
}

Bounds3 Surface::Bounds() const {
    if (triangles_.empty()) return {};
    Bounds3 b{triangles_[0].corners[0].position, triangles_[0].corners[0].position};
    for (const Triangle& t : triangles_)
        for (const Corner& c : t.corners) {
            b.min = glm::min(b.min, c.position);
            b.max = glm::max(b.max, c.position);
        }
    return b;
}

Surface Mirrored(const Surface& surface, Axis axis) {
    glm::vec3 factors(1.0f);
    factors[static_cast<int>(axis)] = -1.0f;
    Surface copy = surface;
    copy.Scale(factors);
    return copy;
}

Surface WithMirror(const Surface& surface, Axis axis) {
    Surface whole = surface;
    whole.Append(Mirrored(surface, axis));
    return whole;
}

Surface Merged(const std::vector<Surface>& parts) {
    Surface whole;
    for (const Surface& part : parts) whole.Append(part);
    return whole;
}

}  // namespace kr::toolkit
