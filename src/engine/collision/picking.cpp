#include "engine/collision/picking.hpp"

#include <cmath>

namespace kr::collision {
namespace {

// The world point at normalised device coordinates, or nothing at infinity.
std::optional<glm::dvec3> Unproject(const glm::dmat4& inverseViewProjection, double ndcX, double ndcY, double ndcZ) {
    glm::dvec4 p = inverseViewProjection * glm::dvec4(ndcX, ndcY, ndcZ, 1.0);
    if (p.w == 0.0 || !std::isfinite(p.w)) return std::nullopt;
    return glm::dvec3(p) / p.w;
}

}  // namespace

std::optional<Segment> PickSegment(float x, float y, const glm::mat4& view, const glm::mat4& projection,
                                   const Viewport& viewport, float maxDistance) {
    if (!(viewport.width > 0.0f && viewport.height > 0.0f) || !std::isfinite(x) || !std::isfinite(y) ||
        !(maxDistance > 0.0f) || !std::isfinite(maxDistance))
        return std::nullopt;
    // Unprojected in double: the far plane may be tens of thousands away.
    glm::dmat4 viewProjection = glm::dmat4(projection) * glm::dmat4(view);
    double determinant = glm::determinant(viewProjection);
    if (determinant == 0.0 || !std::isfinite(determinant)) return std::nullopt;
    glm::dmat4 inverse = glm::inverse(viewProjection);
    double ndcX = 2.0 * x / viewport.width - 1.0;
    double ndcY = 1.0 - 2.0 * y / viewport.height;
    auto near = Unproject(inverse, ndcX, ndcY, -1.0);
    // Depth 0 rather than the far plane, which may lie at infinity.
    auto beyond = Unproject(inverse, ndcX, ndcY, 0.0);
    if (!near || !beyond) return std::nullopt;
    glm::dvec3 along = *beyond - *near;
    double length = glm::length(along);
    if (!(length > 0.0) || !std::isfinite(length)) return std::nullopt;
    glm::dvec3 end = *near + along * (static_cast<double>(maxDistance) / length);
    Segment segment{glm::vec3(*near), glm::vec3(end)};
    if (!UsableSegment(segment.start, segment.end)) return std::nullopt;
    return segment;
}

}  // namespace kr::collision
