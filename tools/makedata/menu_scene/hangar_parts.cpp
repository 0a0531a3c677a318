#include "menu_scene/hangar_parts.hpp"

#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "toolkit/primitives.hpp"
#include "toolkit/uv_projection.hpp"

namespace kr::makedata::menu_scene {

using toolkit::Corner;
using toolkit::Surface;

namespace {

glm::vec3 OnCircle(float radius, float angle, float y) {
    return {radius * std::cos(angle), y, radius * std::sin(angle)};
}

float Angle(int i, int segments) { return glm::two_pi<float>() * static_cast<float>(i) / static_cast<float>(segments); }

// A rotation taking x to `along` and keeping y as near to up as it can.
glm::mat4 FrameAlong(glm::vec3 along) {
    const glm::vec3 x = glm::normalize(along);
    glm::vec3 up(0, 1, 0);
    if (std::abs(glm::dot(x, up)) > 0.999f) up = glm::vec3(1, 0, 0);
    const glm::vec3 y = glm::normalize(up - glm::dot(up, x) * x);
    const glm::vec3 z = glm::cross(x, y);
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(x, 0);
    m[1] = glm::vec4(y, 0);
    m[2] = glm::vec4(z, 0);
    return m;
}

}  // namespace

void WorldUv(Surface& surface, float tile) {
    for (auto& t : surface.triangles()) {
        const glm::vec3 n = glm::abs(toolkit::AreaVector(t));
        for (Corner& c : t.corners) {
            const glm::vec3& p = c.position;
            if (n.y >= n.x && n.y >= n.z) c.uv = glm::vec2(p.x, p.z) / tile;
            else if (n.x >= n.z) c.uv = glm::vec2(p.z, -p.y) / tile;
            else c.uv = glm::vec2(p.x, -p.y) / tile;
        }
    }
}

void ToRegion(Surface& surface, const AtlasRegion& region) { toolkit::PlaceUv(surface, region.min, region.max); }

Surface Annulus(float inner, float outer, float y, int segments, int bands, bool facingUp) {
    Surface s;
    for (int i = 0; i < segments; ++i) {
        const float a0 = Angle(i, segments), a1 = Angle(i + 1, segments);
        const float u0 = static_cast<float>(i) / segments, u1 = static_cast<float>(i + 1) / segments;
        for (int b = 0; b < bands; ++b) {
            const float t0 = static_cast<float>(b) / bands, t1 = static_cast<float>(b + 1) / bands;
            const float r0 = inner + (outer - inner) * t0, r1 = inner + (outer - inner) * t1;
            const Corner a{OnCircle(r0, a0, y), {u0, t0}}, bb{OnCircle(r0, a1, y), {u1, t0}};
            const Corner c{OnCircle(r1, a1, y), {u1, t1}}, d{OnCircle(r1, a0, y), {u0, t1}};
            if (facingUp) s.AddQuad(a, bb, c, d);
            else s.AddQuad(a, d, c, bb);
        }
    }
    return s;
}

void DiscUv(Surface& surface, float radius) {
    for (auto& t : surface.triangles())
        for (Corner& c : t.corners) c.uv = {0.5f + c.position.x / (2 * radius), 0.5f - c.position.z / (2 * radius)};
}

void ArcUv(Surface& surface, int segments, Across across, float low, float high) {
    const float step = glm::two_pi<float>() / static_cast<float>(segments);
    const auto angleOf = [](glm::vec3 p) {
        const float a = std::atan2(p.z, p.x);
        return a < 0.0f ? a + glm::two_pi<float>() : a;
    };
    for (auto& t : surface.triangles()) {
        const glm::vec3 centroid = (t.corners[0].position + t.corners[1].position + t.corners[2].position) / 3.0f;
        const float start = std::floor(angleOf(centroid) / step) * step;
        for (Corner& c : t.corners) {
            float a = angleOf(c.position) - start;
            if (a > glm::pi<float>()) a -= glm::two_pi<float>();
            if (a < -glm::pi<float>()) a += glm::two_pi<float>();
            const float value = across == Across::Height ? c.position.y : glm::length(glm::vec2(c.position.x, c.position.z));
            c.uv = {std::clamp(a / step, 0.0f, 1.0f), std::clamp((value - low) / (high - low), 0.0f, 1.0f)};
        }
    }
}

Surface RingWall(float radius, float bottom, float top, int segments, bool facingIn, float tile) {
    Surface s;
    const float arc = glm::two_pi<float>() * radius / segments;
    for (int i = 0; i < segments; ++i) {
        const float a0 = Angle(i, segments), a1 = Angle(i + 1, segments);
        const float u0 = arc * i / tile, u1 = arc * (i + 1) / tile;
        const Corner a{OnCircle(radius, a0, bottom), {u0, -bottom / tile}};
        const Corner b{OnCircle(radius, a1, bottom), {u1, -bottom / tile}};
        const Corner c{OnCircle(radius, a1, top), {u1, -top / tile}};
        const Corner d{OnCircle(radius, a0, top), {u0, -top / tile}};
        if (facingIn) s.AddQuad(a, b, c, d);
        else s.AddQuad(a, d, c, b);
    }
    return s;
}

Surface Block(glm::vec3 centre, glm::vec3 size, float yaw) {
    Surface s = toolkit::Box(size);
    s.Rotate(yaw, {0, 1, 0});
    s.Translate(centre);
    return s;
}

Surface BeamBetween(glm::vec3 a, glm::vec3 b, float width, float height) {
    const float length = glm::length(b - a);
    Surface s = toolkit::Box({length, height, width});
    s.Transform(glm::translate(glm::mat4(1.0f), (a + b) * 0.5f) * FrameAlong(b - a));
    return s;
}

Surface TubeAlong(const std::vector<glm::vec3>& path, float radius, int sides) {
    Surface s;
    const std::size_t n = path.size();
    if (n < 2) return s;
    std::vector<glm::vec3> tangents(n);
    std::vector<float> along(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        const glm::vec3 before = path[i > 0 ? i - 1 : 0];
        const glm::vec3 after = path[i + 1 < n ? i + 1 : n - 1];
        tangents[i] = glm::normalize(after - before);
        if (i > 0) along[i] = along[i - 1] + glm::length(path[i] - path[i - 1]);
    }
    // Normals carried from ring to ring by the turn between tangents.
    std::vector<glm::vec3> normals(n);
    glm::vec3 seed = std::abs(tangents[0].y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    normals[0] = glm::normalize(seed - glm::dot(seed, tangents[0]) * tangents[0]);
    for (std::size_t i = 1; i < n; ++i) {
        const glm::vec3 carried = normals[i - 1] - glm::dot(normals[i - 1], tangents[i]) * tangents[i];
        normals[i] = glm::length(carried) > 1e-6f ? glm::normalize(carried) : normals[i - 1];
    }
    const auto ring = [&](std::size_t i, int j) {
        const float phi = Angle(j, sides);
        const glm::vec3 binormal = glm::cross(tangents[i], normals[i]);
        return path[i] + radius * (std::cos(phi) * normals[i] + std::sin(phi) * binormal);
    };
    const float total = std::max(along.back(), 1e-6f);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (int j = 0; j < sides; ++j) {
            const float u0 = along[i] / total, u1 = along[i + 1] / total;
            const float v0 = static_cast<float>(j) / sides, v1 = static_cast<float>(j + 1) / sides;
            s.AddQuad({ring(i, j), {u0, v0}}, {ring(i, j + 1), {u0, v1}}, {ring(i + 1, j + 1), {u1, v1}},
                      {ring(i + 1, j), {u1, v0}});
        }
    }
    for (int j = 0; j < sides; ++j) {
        const glm::vec2 mid(0.0f, 0.5f);
        s.AddTriangle({path.front(), mid}, {ring(0, j + 1), mid}, {ring(0, j), mid});
        s.AddTriangle({path.back(), mid}, {ring(n - 1, j), mid}, {ring(n - 1, j + 1), mid});
    }
    return s;
}

std::vector<glm::vec3> Catenary(glm::vec3 a, glm::vec3 b, float sag, int points) {
    std::vector<glm::vec3> out;
    for (int i = 0; i < points; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(points - 1);
        out.push_back(a + (b - a) * t - glm::vec3(0.0f, sag * 4.0f * t * (1.0f - t), 0.0f));
    }
    return out;
}

std::vector<glm::vec3> Circle(float radius, float y, int points) {
    std::vector<glm::vec3> out;
    for (int i = 0; i <= points; ++i) out.push_back(OnCircle(radius, Angle(i, points), y));
    return out;
}

Surface Drum(glm::vec3 centre, float radius, float length, int segments, bool lying, float yaw) {
    Surface s = toolkit::Cylinder(radius, radius, length, segments);
    if (lying) s.Rotate(glm::half_pi<float>(), {0, 0, 1});
    s.Rotate(yaw, {0, 1, 0});
    s.Translate(centre);
    return s;
}

}  // namespace kr::makedata::menu_scene
