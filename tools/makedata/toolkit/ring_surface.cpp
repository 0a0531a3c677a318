#include "toolkit/ring_surface.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/error.hpp"
#include "toolkit/polygon.hpp"

namespace kr::toolkit {
namespace {

constexpr float kTwoPi = 6.28318530717959f;

glm::vec3 Centroid(const Ring& ring) {
    glm::vec3 sum(0.0f);
    for (const glm::vec3& p : ring) sum += p;
    return sum / static_cast<float>(ring.size());
}

// The normal the ring winds counter-clockwise around, scaled by its area.
glm::vec3 WindingNormal(const Ring& ring) {
    glm::vec3 n(0.0f);
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const glm::vec3& a = ring[i];
        const glm::vec3& b = ring[(i + 1) % ring.size()];
        n += glm::vec3((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y));
    }
    return n;
}

// Whether the rings wind clockwise about their direction of travel, judged
// at the first ring with an area: then every triangle must be turned round.
bool WindsBackwards(const std::vector<Ring>& rings) {
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (rings[i].size() < 3) continue;
        const std::size_t from = i + 1 < rings.size() ? i : i - 1;
        const glm::vec3 travel = Centroid(rings[from + 1]) - Centroid(rings[from]);
        return glm::dot(WindingNormal(rings[i]), travel) < 0.0f;
    }
    throw Error("ring surface: no ring has three points");
}

void Add(Surface& s, glm::vec3 a, glm::vec3 b, glm::vec3 c, bool turn, int slot) {
    if (turn) std::swap(b, c);
    s.AddTriangle(Corner{a, {}}, Corner{b, {}}, Corner{c, {}});
    s.triangles().back().material = slot;
}

void JoinRings(Surface& s, const Ring& a, const Ring& b, bool turn, int slot) {
    const std::size_t n = std::max(a.size(), b.size());
    const auto at = [n](const Ring& ring, std::size_t j) { return ring.size() == 1 ? ring[0] : ring[j % n]; };
    for (std::size_t j = 0; j < n; ++j) {
        const glm::vec3 a0 = at(a, j), a1 = at(a, j + 1), b0 = at(b, j), b1 = at(b, j + 1);
        if (a.size() > 1) Add(s, a0, a1, b1, turn, slot);
        if (b.size() > 1) Add(s, a0, b1, b0, turn, slot);
    }
}

// A flat cap over the ring; `along` keeps the ring's own winding, otherwise
// the cap faces the other way.
void Cap(Surface& s, const Ring& ring, bool along, int slot) {
    const glm::vec3 normal = glm::normalize(WindingNormal(ring));
    const glm::vec3 helper = std::abs(normal.x) < 0.9f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0);
    const glm::vec3 u = glm::normalize(glm::cross(helper, normal));
    const glm::vec3 v = glm::cross(normal, u);
    std::vector<glm::vec2> flat;
    for (const glm::vec3& p : ring) flat.push_back({glm::dot(p, u), glm::dot(p, v)});
    for (const auto& t : Triangulate(flat)) Add(s, ring[t[0]], ring[t[1]], ring[t[2]], !along, slot);
}

void CheckCounts(const std::vector<Ring>& rings) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (rings[i].empty()) throw Error("ring surface: ring " + std::to_string(i) + " is empty");
        if (rings[i].size() == 1) continue;
        if (count != 0 && rings[i].size() != count) {
            throw Error("ring surface: ring " + std::to_string(i) + " has " + std::to_string(rings[i].size()) +
                        " points, the one before " + std::to_string(count));
        }
        count = rings[i].size();
    }
}

}  // namespace

Surface RingSurface(const std::vector<Ring>& rings, bool capStart, bool capEnd, RingSlots slots) {
    if (rings.size() < 2) throw Error("ring surface: needs at least two rings");
    CheckCounts(rings);
    const bool turn = WindsBackwards(rings);
    Surface s;
    for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
        if (rings[i].size() == 1 && rings[i + 1].size() == 1) continue;
        JoinRings(s, rings[i], rings[i + 1], turn, slots.band);
    }
    if (capStart && rings.front().size() >= 3) Cap(s, rings.front(), turn, slots.startCap);
    if (capEnd && rings.back().size() >= 3) Cap(s, rings.back(), !turn, slots.endCap);
    return s;
}

std::vector<glm::vec2> SuperEllipse(int sides, float squareness) {
    std::vector<glm::vec2> points;
    const float power = 2.0f / squareness;
    for (int j = 0; j < sides; ++j) {
        const float a = kTwoPi * static_cast<float>(j) / static_cast<float>(sides);
        const float c = std::cos(a), s = std::sin(a);
        points.push_back({std::copysign(std::pow(std::abs(c), power), c), std::copysign(std::pow(std::abs(s), power), s)});
    }
    return points;
}

}  // namespace kr::toolkit
