#pragma once
// Axis-aligned boxes, and the segment-against-box slab test every tree uses.

#include <limits>
#include <utility>

#include <glm/glm.hpp>

namespace kr::collision {

struct Aabb {
    glm::vec3 min{std::numeric_limits<float>::infinity()};
    glm::vec3 max{-std::numeric_limits<float>::infinity()};

    bool Empty() const { return !(min.x <= max.x && min.y <= max.y && min.z <= max.z); }
    // Non-finite points leave the box as it is.
    void Grow(const glm::vec3& point) {
        min = glm::min(min, point);
        max = glm::max(max, point);
    }
    void Grow(const Aabb& box) {
        min = glm::min(min, box.min);
        max = glm::max(max, box.max);
    }
    // The origin for an empty box, so that builders never see NaN.
    glm::vec3 Centre() const { return Empty() ? glm::vec3(0.0f) : (min + max) * 0.5f; }
    // Half the surface area: the weight of the surface-area heuristic; 0 when empty.
    float HalfArea() const {
        if (Empty()) return 0.0f;
        glm::vec3 e = max - min;
        return e.x * e.y + e.y * e.z + e.z * e.x;
    }
};

// The box around `box` carried by the affine matrix `m`.
Aabb Transformed(const Aabb& box, const glm::mat4& m);

// `box` grown on every side by `relative` times its size and distance from
// the origin: room for the rounding of whatever computed it.
Aabb Widened(const Aabb& box, float relative);

// A segment start + t * direction, t in [0, 1], prepared for box tests.
struct SegmentProbe {
    glm::vec3 origin;
    glm::vec3 direction;
    glm::vec3 inverse;  // 1 / direction; +infinity along axes it does not move on

    SegmentProbe(const glm::vec3& start, const glm::vec3& end)
        : origin(start), direction(end - start),
          inverse(Reciprocal(direction.x), Reciprocal(direction.y), Reciprocal(direction.z)) {}

private:
    // Always +infinity for a zero (also -0), which the slab test relies on.
    static float Reciprocal(float d) { return d == 0.0f ? std::numeric_limits<float>::infinity() : 1.0f / d; }
};

// The interval [entry, exit] of t within [0, tMax] that the segment spends in
// `box`, or false when it spends none. Conservative: rounding never turns a
// touch into a miss. A segment lying in a face plane counts as inside.
inline bool SlabTest(const SegmentProbe& probe, const Aabb& box, float tMax, float& entry, float& exit) {
    // Widening the far end by a few ulps keeps grazing hits (PBRT's 1 + 2 gamma(3)).
    constexpr float kWiden = 1.0f + 2.0f * (3.0f * std::numeric_limits<float>::epsilon() * 0.5f) /
                                        (1.0f - 3.0f * std::numeric_limits<float>::epsilon() * 0.5f);
    float t0 = 0.0f;
    float t1 = tMax;
    for (int axis = 0; axis < 3; ++axis) {
        float near = (box.min[axis] - probe.origin[axis]) * probe.inverse[axis];
        float far = (box.max[axis] - probe.origin[axis]) * probe.inverse[axis];
        if (near > far) std::swap(near, far);
        far *= kWiden;
        // 0 * inf (start on a face, no motion along this axis) gives NaN: the
        // comparisons below then leave the interval unchanged.
        t0 = near > t0 ? near : t0;
        t1 = far < t1 ? far : t1;
        if (t0 > t1) return false;
    }
    entry = t0;
    exit = t1;
    return true;
}

}  // namespace kr::collision
