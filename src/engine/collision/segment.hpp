#pragma once
// What every query asks of a segment before it looks at anything.

#include <cmath>

#include <glm/glm.hpp>

namespace kr::collision {

struct Segment {
    glm::vec3 start{0.0f};
    glm::vec3 end{0.0f};
};

inline bool IsFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Finite, of non-zero length, and short enough that its direction is finite.
// Other segments hit nothing.
inline bool UsableSegment(const glm::vec3& start, const glm::vec3& end) {
    return IsFinite(start) && IsFinite(end) && start != end && IsFinite(end - start);
}

}  // namespace kr::collision
