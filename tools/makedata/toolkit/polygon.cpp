#include "toolkit/polygon.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/error.hpp"

namespace kr::toolkit {
namespace {

float Cross(glm::vec2 a, glm::vec2 b) { return a.x * b.y - a.y * b.x; }

bool InTriangle(glm::vec2 p, glm::vec2 a, glm::vec2 b, glm::vec2 c) {
    return Cross(b - a, p - a) >= 0.0f && Cross(c - b, p - b) >= 0.0f && Cross(a - c, p - c) >= 0.0f;
}

bool IsEar(const std::vector<glm::vec2>& pts, const std::vector<int>& ring, std::size_t i) {
    const std::size_t n = ring.size();
    const glm::vec2 a = pts[ring[(i + n - 1) % n]];
    const glm::vec2 b = pts[ring[i]];
    const glm::vec2 c = pts[ring[(i + 1) % n]];
    if (Cross(b - a, c - b) <= 0.0f) return false;  // reflex or flat
    for (std::size_t k = 0; k < n; ++k) {
        if (k == i || k == (i + n - 1) % n || k == (i + 1) % n) continue;
        const glm::vec2 p = pts[ring[k]];
        if (p == a || p == b || p == c) continue;
        if (InTriangle(p, a, b, c)) return false;
    }
    return true;
}

bool SegmentsCross(glm::vec2 a, glm::vec2 b, glm::vec2 c, glm::vec2 d) {
    const float d1 = Cross(b - a, c - a);
    const float d2 = Cross(b - a, d - a);
    const float d3 = Cross(d - c, a - c);
    const float d4 = Cross(d - c, b - c);
    return ((d1 > 0.0f && d2 < 0.0f) || (d1 < 0.0f && d2 > 0.0f)) && ((d3 > 0.0f && d4 < 0.0f) || (d3 < 0.0f && d4 > 0.0f));
}

// True when two edges that do not share a corner cross each other.
bool CrossesItself(const std::vector<glm::vec2>& polygon) {
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;  // neighbours through the closing edge
            if (SegmentsCross(polygon[i], polygon[(i + 1) % n], polygon[j], polygon[(j + 1) % n])) return true;
        }
    return false;
}

}  // namespace

float SignedArea(const std::vector<glm::vec2>& polygon) {
    float area = 0.0f;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) area += Cross(polygon[j], polygon[i]);
    return area * 0.5f;
}

std::vector<std::array<int, 3>> Triangulate(const std::vector<glm::vec2>& polygon) {
    if (polygon.size() < 3) throw Error("triangulate: a polygon needs three points");
    if (CrossesItself(polygon)) throw Error("triangulate: the polygon crosses itself");
    std::vector<int> ring(polygon.size());
    std::iota(ring.begin(), ring.end(), 0);
    if (SignedArea(polygon) < 0.0f) std::reverse(ring.begin(), ring.end());
    std::vector<std::array<int, 3>> triangles;
    while (ring.size() > 3) {
        bool clipped = false;
        for (std::size_t i = 0; i < ring.size(); ++i) {
            if (!IsEar(polygon, ring, i)) continue;
            const std::size_t n = ring.size();
            triangles.push_back({ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]});
            ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(i));
            clipped = true;
            break;
        }
        if (!clipped) {
            // Only collinear points left, or a crossing: drop a flat point if
            // there is one, otherwise give up.
            bool dropped = false;
            for (std::size_t i = 0; i < ring.size() && !dropped; ++i) {
                const std::size_t n = ring.size();
                const glm::vec2 a = polygon[ring[(i + n - 1) % n]];
                const glm::vec2 b = polygon[ring[i]];
                const glm::vec2 c = polygon[ring[(i + 1) % n]];
                if (std::abs(Cross(b - a, c - b)) <= 1e-9f) {
                    ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(i));
                    dropped = true;
                }
            }
            if (!dropped) throw Error("triangulate: the polygon crosses itself");
        }
    }
    triangles.push_back({ring[0], ring[1], ring[2]});
    return triangles;
}

std::vector<glm::vec2> Inset(const std::vector<glm::vec2>& polygon, float distance) {
    const std::size_t n = polygon.size();
    std::vector<glm::vec2> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const glm::vec2 prev = polygon[(i + n - 1) % n];
        const glm::vec2 here = polygon[i];
        const glm::vec2 next = polygon[(i + 1) % n];
        const glm::vec2 e0 = glm::normalize(here - prev);
        const glm::vec2 e1 = glm::normalize(next - here);
        // Inward normals of a counter-clockwise polygon point left.
        const glm::vec2 n0(-e0.y, e0.x);
        const glm::vec2 n1(-e1.y, e1.x);
        const glm::vec2 bisector = n0 + n1;
        const float along = glm::dot(bisector, n0);
        // A mitre this long keeps both edges `distance` away; very sharp
        // corners are limited so the point does not shoot off.
        const float scale = along > 0.25f ? distance / along : distance * 4.0f;
        out[i] = here + bisector * scale;
    }
    return out;
}

}  // namespace kr::toolkit
