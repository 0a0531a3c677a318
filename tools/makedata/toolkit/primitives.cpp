#include "toolkit/primitives.hpp"

#include <algorithm>
#include <cmath>

namespace kr::toolkit {
namespace {

constexpr float kPi = 3.14159265358979f;

// The point at `fraction` of a turn about Y, at distance 1; index-based so
// that the last column of a ring is exactly the first.
glm::vec2 AroundY(int index, int segments) {
    const int i = index % segments;
    const double angle = 2.0 * 3.14159265358979323846 * i / segments;
    return {static_cast<float>(std::cos(angle)), static_cast<float>(-std::sin(angle))};
}

glm::vec3 OnRing(int index, int segments, float radius, float y) {
    const glm::vec2 d = AroundY(index, segments);
    return {d.x * radius, y, d.y * radius};
}

void AddBoxFace(Surface& s, glm::vec3 centre, glm::vec3 right, glm::vec3 up) {
    // Seen from outside: right to the right, up upwards; v runs down.
    s.AddQuad({centre - right + up, {0, 0}}, {centre - right - up, {0, 1}}, {centre + right - up, {1, 1}},
              {centre + right + up, {1, 0}});
}

std::vector<float> ProfileV(const std::vector<glm::vec2>& profile) {
    std::vector<float> v(profile.size(), 0.0f);
    for (std::size_t i = 1; i < profile.size(); ++i) v[i] = v[i - 1] + glm::length(profile[i] - profile[i - 1]);
    const float total = v.empty() ? 0.0f : v.back();
    if (total > 0.0f)
        for (float& x : v) x /= total;
    return v;
}

void AddCap(Surface& s, float radius, float y, int segments, bool facingUp) {
    const Corner centre{{0, y, 0}, {0.5f, 0.5f}};
    for (int j = 0; j < segments; ++j) {
        const glm::vec2 a = AroundY(j, segments);
        const glm::vec2 b = AroundY(j + 1, segments);
        const Corner ca{{a.x * radius, y, a.y * radius}, {0.5f + 0.5f * a.x, 0.5f + 0.5f * a.y}};
        const Corner cb{{b.x * radius, y, b.y * radius}, {0.5f + 0.5f * b.x, 0.5f + 0.5f * b.y}};
        if (facingUp) s.AddTriangle(centre, ca, cb);
        else s.AddTriangle(centre, cb, ca);
    }
}

}  // namespace

Surface Box(glm::vec3 size) {
    const glm::vec3 h = size * 0.5f;
    Surface s;
    AddBoxFace(s, {h.x, 0, 0}, {0, 0, -h.z}, {0, h.y, 0});
    AddBoxFace(s, {-h.x, 0, 0}, {0, 0, h.z}, {0, h.y, 0});
    AddBoxFace(s, {0, h.y, 0}, {h.x, 0, 0}, {0, 0, -h.z});
    AddBoxFace(s, {0, -h.y, 0}, {h.x, 0, 0}, {0, 0, h.z});
    AddBoxFace(s, {0, 0, h.z}, {h.x, 0, 0}, {0, h.y, 0});
    AddBoxFace(s, {0, 0, -h.z}, {-h.x, 0, 0}, {0, h.y, 0});
    return s;
}

Surface Lathe(const std::vector<glm::vec2>& profile, int segments) {
    Surface s;
    segments = std::max(segments, 3);
    const std::vector<float> v = ProfileV(profile);
    for (std::size_t i = 0; i + 1 < profile.size(); ++i) {
        const glm::vec2 top = profile[i];
        const glm::vec2 bottom = profile[i + 1];
        for (int j = 0; j < segments; ++j) {
            const float u0 = static_cast<float>(j) / segments;
            const float u1 = static_cast<float>(j + 1) / segments;
            const Corner tl{OnRing(j, segments, top.x, top.y), {u0, v[i]}};
            const Corner tr{OnRing(j + 1, segments, top.x, top.y), {u1, v[i]}};
            const Corner bl{OnRing(j, segments, bottom.x, bottom.y), {u0, v[i + 1]}};
            const Corner br{OnRing(j + 1, segments, bottom.x, bottom.y), {u1, v[i + 1]}};
            const float uMid = (u0 + u1) * 0.5f;
            if (top.x <= 0.0f && bottom.x <= 0.0f) continue;
            if (top.x <= 0.0f) {
                s.AddTriangle({tl.position, {uMid, v[i]}}, bl, br);
            } else if (bottom.x <= 0.0f) {
                s.AddTriangle(tl, {bl.position, {uMid, v[i + 1]}}, tr);
            } else {
                s.AddQuad(tl, bl, br, tr);
            }
        }
    }
    return s;
}

Surface Sphere(float radius, int segments, int rings) {
    rings = std::max(rings, 2);
    std::vector<glm::vec2> profile;
    for (int i = 0; i <= rings; ++i) {
        const float phi = kPi * static_cast<float>(i) / rings;
        profile.push_back(i == 0 || i == rings ? glm::vec2(0.0f, i == 0 ? radius : -radius)
                                               : glm::vec2(std::sin(phi) * radius, std::cos(phi) * radius));
    }
    return Lathe(profile, segments);
}

Surface Capsule(float radius, float length, int segments, int ringsPerCap) {
    ringsPerCap = std::max(ringsPerCap, 1);
    std::vector<glm::vec2> profile;
    const float half = length * 0.5f;
    for (int i = 0; i <= ringsPerCap; ++i) {
        const float phi = 0.5f * kPi * static_cast<float>(i) / ringsPerCap;
        profile.push_back({i == 0 ? 0.0f : std::sin(phi) * radius, half + (i == 0 ? radius : std::cos(phi) * radius)});
    }
    for (int i = 0; i <= ringsPerCap; ++i) {
        const float phi = 0.5f * kPi * (1.0f + static_cast<float>(i) / ringsPerCap);
        profile.push_back({i == ringsPerCap ? 0.0f : std::sin(phi) * radius,
                           -half + (i == ringsPerCap ? -radius : std::cos(phi) * radius)});
    }
    return Lathe(profile, segments);
}

Surface Cylinder(float bottomRadius, float topRadius, float height, int segments) {
    segments = std::max(segments, 3);
    const float h = height * 0.5f;
    Surface s = Lathe({{topRadius, h}, {bottomRadius, -h}}, segments);
    if (topRadius > 0.0f) AddCap(s, topRadius, h, segments, true);
    if (bottomRadius > 0.0f) AddCap(s, bottomRadius, -h, segments, false);
    return s;
}

Surface Cone(float radius, float height, int segments) { return Cylinder(radius, 0.0f, height, segments); }

Surface Torus(float major, float minor, int segments, int sides) {
    segments = std::max(segments, 3);
    sides = std::max(sides, 3);
    const auto point = [&](int j, int k) {
        const glm::vec2 d = AroundY(j, segments);
        const double phi = 2.0 * 3.14159265358979323846 * (k % sides) / sides;
        const float out = major + minor * static_cast<float>(std::cos(phi));
        return glm::vec3(d.x * out, minor * static_cast<float>(std::sin(phi)), d.y * out);
    };
    Surface s;
    for (int j = 0; j < segments; ++j) {
        for (int k = 0; k < sides; ++k) {
            const float u0 = static_cast<float>(j) / segments;
            const float u1 = static_cast<float>(j + 1) / segments;
            const float v0 = 1.0f - static_cast<float>(k) / sides;
            const float v1 = 1.0f - static_cast<float>(k + 1) / sides;
            s.AddQuad({point(j, k), {u0, v0}}, {point(j + 1, k), {u1, v0}}, {point(j + 1, k + 1), {u1, v1}},
                      {point(j, k + 1), {u0, v1}});
        }
    }
    return s;
}

}  // namespace kr::toolkit
