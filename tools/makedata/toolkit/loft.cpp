#include "toolkit/loft.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "engine/error.hpp"
#include "toolkit/polygon.hpp"

namespace kr::toolkit {
namespace {

// Fraction of the outline's length at each point, with the closing point
// (back at the start) as 1.
std::vector<float> PerimeterFractions(const std::vector<glm::vec2>& outline) {
    std::vector<float> u(outline.size() + 1, 0.0f);
    for (std::size_t i = 1; i <= outline.size(); ++i) {
        u[i] = u[i - 1] + glm::length(outline[i % outline.size()] - outline[i - 1]);
    }
    if (u.back() > 0.0f)
        for (float& x : u) x /= u.back();
    return u;
}

std::vector<float> PathFractions(const std::vector<glm::vec3>& points) {
    std::vector<float> v(points.size(), 0.0f);
    for (std::size_t i = 1; i < points.size(); ++i) v[i] = v[i - 1] + glm::length(points[i] - points[i - 1]);
    if (v.back() > 0.0f)
        for (float& x : v) x /= v.back();
    return v;
}

std::vector<glm::vec2> CounterClockwise(std::vector<glm::vec2> outline) {
    if (SignedArea(outline) < 0.0f) std::reverse(outline.begin(), outline.end());
    return outline;
}

glm::vec2 PlanarUv(glm::vec2 p, glm::vec2 min, glm::vec2 max) {
    const glm::vec2 size = glm::max(max - min, glm::vec2(1e-6f));
    return {(p.x - min.x) / size.x, 1.0f - (p.y - min.y) / size.y};
}

// A flat cap over ring points that lie on the section `outline`; `flip`
// turns it to face the other way.
void AddCap(Surface& s, const std::vector<glm::vec3>& ring, const std::vector<glm::vec2>& outline, bool flip) {
    glm::vec2 min = outline[0], max = outline[0];
    for (const auto& p : outline) {
        min = glm::min(min, p);
        max = glm::max(max, p);
    }
    for (const auto& t : Triangulate(outline)) {
        std::array<Corner, 3> c;
        for (int k = 0; k < 3; ++k) c[k] = {ring[t[k]], PlanarUv(outline[t[k]], min, max)};
        if (flip) s.AddTriangle(c[0], c[2], c[1]);
        else s.AddTriangle(c[0], c[1], c[2]);
    }
}

// Joins ring `a` to ring `b` with u taken from `u` and v from va, vb. The
// rings wind counter-clockwise seen from beyond `b`; a ring of one point is
// a tip.
void JoinRings(Surface& s, const std::vector<glm::vec3>& a, const std::vector<glm::vec3>& b,
               const std::vector<float>& u, float va, float vb) {
    const std::size_t n = std::max(a.size(), b.size());
    const auto at = [&](const std::vector<glm::vec3>& ring, std::size_t j) { return ring[ring.size() == 1 ? 0 : j % n]; };
    for (std::size_t j = 0; j < n; ++j) {
        const float uMid = (u[j] + u[j + 1]) * 0.5f;
        const Corner a0{at(a, j), {u[j], va}}, a1{at(a, j + 1), {u[j + 1], va}};
        const Corner b0{at(b, j), {u[j], vb}}, b1{at(b, j + 1), {u[j + 1], vb}};
        if (a.size() == 1) s.AddTriangle({a0.position, {uMid, va}}, b1, b0);
        else if (b.size() == 1) s.AddTriangle(a0, a1, {b0.position, {uMid, vb}});
        else s.AddQuad(a0, a1, b1, b0);
    }
}

struct Frame {
    glm::vec3 side;
    glm::vec3 up;
};

Frame FrameAt(const std::vector<LoftStation>& stations, std::size_t i, glm::vec3 up) {
    const std::size_t last = stations.size() - 1;
    const glm::vec3 from = stations[i == 0 ? 0 : i - 1].centre;
    const glm::vec3 to = stations[i == last ? last : i + 1].centre;
    glm::vec3 tangent = to - from;
    if (glm::length(tangent) <= 0.0f) tangent = glm::vec3(0.0f, 0.0f, 1.0f);
    tangent = glm::normalize(tangent);
    glm::vec3 side = glm::cross(up, tangent);
    if (glm::length(side) < 1e-6f) side = glm::cross(glm::vec3(1.0f, 0.0f, 0.0f), tangent);
    side = glm::normalize(side);
    return {side, glm::cross(tangent, side)};
}

bool IsPoint(const LoftStation& station) { return station.scale.x == 0.0f && station.scale.y == 0.0f; }

}  // namespace

Surface Loft(const LoftShape& shape) {
    if (shape.stations.size() < 2) throw Error("loft: needs at least two stations");
    if (shape.profile.size() < 3) throw Error("loft: the section needs at least three points");
    const bool reversed = SignedArea(shape.profile) < 0.0f;
    std::vector<std::vector<glm::vec2>> sections;
    std::vector<std::vector<glm::vec3>> rings;
    std::vector<glm::vec3> centres;
    for (std::size_t i = 0; i < shape.stations.size(); ++i) {
        const LoftStation& station = shape.stations[i];
        std::vector<glm::vec2> section = station.profile.empty() ? shape.profile : station.profile;
        if (section.size() != shape.profile.size()) {
            throw Error("loft: station " + std::to_string(i) + " has " + std::to_string(section.size()) +
                        " section points, the loft " + std::to_string(shape.profile.size()));
        }
        if (reversed) std::reverse(section.begin(), section.end());
        for (auto& p : section) p *= station.scale;
        const Frame frame = FrameAt(shape.stations, i, shape.up);
        std::vector<glm::vec3> ring;
        if (IsPoint(station)) {
            ring.push_back(station.centre);
        } else {
            for (const auto& p : section) ring.push_back(station.centre + frame.side * p.x + frame.up * p.y);
        }
        sections.push_back(std::move(section));
        rings.push_back(std::move(ring));
        centres.push_back(station.centre);
    }
    const std::vector<float> u = PerimeterFractions(sections[0]);
    const std::vector<float> v = PathFractions(centres);
    Surface s;
    for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
        if (rings[i].size() == 1 && rings[i + 1].size() == 1) continue;
        JoinRings(s, rings[i], rings[i + 1], u, v[i], v[i + 1]);
    }
    if (shape.capStart && rings.front().size() > 1) AddCap(s, rings.front(), sections.front(), true);
    if (shape.capEnd && rings.back().size() > 1) AddCap(s, rings.back(), sections.back(), false);
    return s;
}

Surface Extrude(const std::vector<glm::vec2>& outline, float depth, float bevel) {
    if (outline.size() < 3) throw Error("extrude: the outline needs at least three points");
    const std::vector<glm::vec2> full = CounterClockwise(outline);
    const float h = depth * 0.5f;
    bevel = std::clamp(bevel, 0.0f, h * 0.999f);
    const std::vector<glm::vec2> inner = bevel > 0.0f ? Inset(full, bevel) : full;
    // Layers from front (+z) to back, each an outline at a depth.
    struct Layer {
        const std::vector<glm::vec2>* outline;
        float z;
    };
    std::vector<Layer> layers;
    if (bevel > 0.0f) layers.push_back({&inner, h});
    layers.push_back({&full, h - bevel});
    layers.push_back({&full, -h + bevel});
    if (bevel > 0.0f) layers.push_back({&inner, -h});
    std::vector<std::vector<glm::vec3>> rings;
    std::vector<glm::vec3> path;
    for (const Layer& layer : layers) {
        std::vector<glm::vec3> ring;
        for (const auto& p : *layer.outline) ring.push_back({p.x, p.y, layer.z});
        rings.push_back(std::move(ring));
        path.push_back({0.0f, 0.0f, -layer.z});
    }
    // Rings run front to back; seen from the back they wind clockwise, so
    // each pair is joined from back to front.
    const std::vector<float> u = PerimeterFractions(full);
    const std::vector<float> v = PathFractions(path);
    Surface s;
    for (std::size_t i = rings.size() - 1; i > 0; --i) JoinRings(s, rings[i], rings[i - 1], u, v[i], v[i - 1]);
    AddCap(s, rings.front(), inner, false);
    AddCap(s, rings.back(), inner, true);
    return s;
}

}  // namespace kr::toolkit
