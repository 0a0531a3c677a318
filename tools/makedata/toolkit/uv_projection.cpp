#include "toolkit/uv_projection.hpp"

#include <algorithm>
#include <cmath>

namespace kr::toolkit {
namespace {

constexpr float kTwoPi = 6.28318530717959f;

int DominantAxis(glm::vec3 v) {
    const glm::vec3 a = glm::abs(v);
    if (a.x >= a.y && a.x >= a.z) return 0;
    return a.y >= a.z ? 1 : 2;
}

// Fraction of p along the bounds on axis `axis`, optionally reversed.
float Along(const Bounds3& b, glm::vec3 p, int axis, bool reverse) {
    const float size = std::max(b.max[axis] - b.min[axis], 1e-6f);
    const float t = (p[axis] - b.min[axis]) / size;
    return reverse ? 1.0f - t : t;
}

// For a face looking along +/- `axis`: which axes run right and down as seen
// from outside, and whether each is reversed.
struct View {
    int right;
    bool rightReversed;
    int down;
    bool downReversed;
};

View ViewAlong(int axis, bool positive) {
    switch (axis) {
        case 0: return {2, positive, 1, true};        // from +X, right is -Z
        case 1: return {0, false, 2, !positive};      // from +Y, down is +Z
        default: return {0, !positive, 1, true};      // from +Z, right is +X
    }
}

}  // namespace

void ProjectBox(Surface& surface) {
    const Bounds3 b = surface.Bounds();
    for (Triangle& t : surface.triangles()) {
        const glm::vec3 n = AreaVector(t);
        const int axis = DominantAxis(n);
        const View view = ViewAlong(axis, n[axis] >= 0.0f);
        for (Corner& c : t.corners) {
            c.uv = {Along(b, c.position, view.right, view.rightReversed), Along(b, c.position, view.down, view.downReversed)};
        }
    }
}

void ProjectPlanar(Surface& surface, Axis axis) {
    const Bounds3 b = surface.Bounds();
    const View view = ViewAlong(static_cast<int>(axis), true);
    for (Triangle& t : surface.triangles())
        for (Corner& c : t.corners)
            c.uv = {Along(b, c.position, view.right, view.rightReversed), Along(b, c.position, view.down, view.downReversed)};
}

void ProjectCylindrical(Surface& surface, Axis axis) {
    const Bounds3 b = surface.Bounds();
    const int a = static_cast<int>(axis);
    const int p = a == 0 ? 1 : 0;  // the angle starts on this axis
    const int q = a == 2 ? 1 : 2;
    const glm::vec3 centre = (b.min + b.max) * 0.5f;
    for (Triangle& t : surface.triangles()) {
        float u[3];
        bool onAxis[3];
        for (int k = 0; k < 3; ++k) {
            const glm::vec3 d = t.corners[k].position - centre;
            onAxis[k] = std::abs(d[p]) < 1e-6f && std::abs(d[q]) < 1e-6f;
            const float angle = std::atan2(-d[q], d[p]);
            u[k] = (angle < 0.0f ? angle + kTwoPi : angle) / kTwoPi;
        }
        const float top = std::max({u[0], u[1], u[2]});
        for (int k = 0; k < 3; ++k)
            if (top - u[k] > 0.5f) u[k] += 1.0f;
        // A corner on the axis has no angle of its own: it takes its
        // neighbours' middle.
        for (int k = 0; k < 3; ++k)
            if (onAxis[k]) u[k] = 0.5f * (u[(k + 1) % 3] + u[(k + 2) % 3]);
        for (int k = 0; k < 3; ++k) t.corners[k].uv = {u[k], Along(b, t.corners[k].position, a, true)};
    }
}

void PlaceUv(Surface& surface, glm::vec2 min, glm::vec2 max) {
    for (Triangle& t : surface.triangles())
        for (Corner& c : t.corners) c.uv = min + c.uv * (max - min);
}

}  // namespace kr::toolkit
