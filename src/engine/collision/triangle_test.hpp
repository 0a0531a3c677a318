#pragma once
// Segment against triangle: the watertight test of Woop, Benthin and Wald
// (2013). Triangles sharing an edge never let a segment slip between them,
// and both faces count.

#include <cstdint>
#include <utility>

#include <glm/glm.hpp>

namespace kr::collision {

class TriangleProbe {
public:
    // The segment origin + t * direction; direction must not be zero.
    TriangleProbe(const glm::vec3& origin, const glm::vec3& direction) : origin_(origin) {
        glm::vec3 size = glm::abs(direction);
        kz_ = size.x > size.y ? (size.x > size.z ? 0 : 2) : (size.y > size.z ? 1 : 2);
        kx_ = (kz_ + 1) % 3;
        ky_ = (kx_ + 1) % 3;
        if (direction[kz_] < 0.0f) std::swap(kx_, ky_);
        shearX_ = direction[kx_] / direction[kz_];
        shearY_ = direction[ky_] / direction[kz_];
        shearZ_ = 1.0f / direction[kz_];
    }

    // True when the segment meets triangle abc at a t within [0, tMax]; t is
    // set then. Degenerate and non-finite triangles are never met.
    bool Cross(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, float tMax, float& t) const {
        glm::vec3 pa = a - origin_, pb = b - origin_, pc = c - origin_;
        float ax = pa[kx_] - shearX_ * pa[kz_], ay = pa[ky_] - shearY_ * pa[kz_];
        float bx = pb[kx_] - shearX_ * pb[kz_], by = pb[ky_] - shearY_ * pb[kz_];
        float cx = pc[kx_] - shearX_ * pc[kz_], cy = pc[ky_] - shearY_ * pc[kz_];
        float u = cx * by - cy * bx;
        float v = ax * cy - ay * cx;
        float w = bx * ay - by * ax;
        if (u == 0.0f || v == 0.0f || w == 0.0f) {
            // On an edge in single precision: decide it in double.
            u = static_cast<float>(double(cx) * double(by) - double(cy) * double(bx));
            v = static_cast<float>(double(ax) * double(cy) - double(ay) * double(cx));
            w = static_cast<float>(double(bx) * double(ay) - double(by) * double(ax));
        }
        if ((u < 0.0f || v < 0.0f || w < 0.0f) && (u > 0.0f || v > 0.0f || w > 0.0f)) return false;
        float det = u + v + w;
        if (det == 0.0f) return false;
        float scaled = u * (shearZ_ * pa[kz_]) + v * (shearZ_ * pb[kz_]) + w * (shearZ_ * pc[kz_]);
        float candidate = scaled / det;
        // Written so that NaN fails.
        if (!(candidate >= 0.0f && candidate <= tMax)) return false;
        t = candidate;
        return true;
    }

private:
    glm::vec3 origin_;
    int kx_ = 0, ky_ = 1, kz_ = 2;
    float shearX_ = 0.0f, shearY_ = 0.0f, shearZ_ = 1.0f;
};

}  // namespace kr::collision
