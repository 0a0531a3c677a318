#include "toolkit/shapes.hpp"

#include <algorithm>
#include <cmath>


namespace kr::toolkit {
namespace {

float Distance(const Circle& c, glm::vec2 p) { return glm::length(p - c.centre) - c.radius; }

float Distance(const Rect& r, glm::vec2 p) {
    const glm::vec2 centre = (r.min + r.max) * 0.5f;
    const glm::vec2 half = (r.max - r.min) * 0.5f;
    const glm::vec2 a = glm::abs(p - centre);
    const glm::vec2 q = a - half;
    const float box = glm::length(glm::max(q, 0.0f)) + std::min(std::max(q.x, q.y), 0.0f);
    if (r.cut <= 0.0f) return box;
    const float chamfer = (a.x + a.y - (half.x + half.y - r.cut)) * 0.70710678f;
    return std::max(box, chamfer);
}

float Distance(const Segment& s, glm::vec2 p) {
    const glm::vec2 ab = s.b - s.a;
    const float lengthSquared = glm::dot(ab, ab);
    const float t = lengthSquared > 0.0f ? std::clamp(glm::dot(p - s.a, ab) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return glm::length(p - (s.a + ab * t)) - s.width * 0.5f;
}

// Exact distance to the nearest edge, negated when the point is inside by
// the crossing rule.
float Distance(const Polygon& polygon, glm::vec2 p) {
    const auto& v = polygon.points;
    if (v.size() < 3) return 1e9f;
    float best = glm::dot(p - v[0], p - v[0]);
    float sign = 1.0f;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const glm::vec2 e = v[j] - v[i];
        const glm::vec2 w = p - v[i];
        const float ee = glm::dot(e, e);
        const glm::vec2 b = w - e * (ee > 0.0f ? std::clamp(glm::dot(w, e) / ee, 0.0f, 1.0f) : 0.0f);
        best = std::min(best, glm::dot(b, b));
        const bool c1 = p.y >= v[i].y;
        const bool c2 = p.y < v[j].y;
        const bool c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
    }
    return sign * std::sqrt(best);
}

Bounds2 Bounds(const Circle& c) { return {c.centre - c.radius, c.centre + c.radius}; }
Bounds2 Bounds(const Rect& r) { return {r.min, r.max}; }
Bounds2 Bounds(const Segment& s) {
    const float h = s.width * 0.5f;
    return {glm::min(s.a, s.b) - h, glm::max(s.a, s.b) + h};
}
Bounds2 Bounds(const Polygon& polygon) {
    if (polygon.points.empty()) return {};
    Bounds2 b{polygon.points[0], polygon.points[0]};
    for (const auto& p : polygon.points) {
        b.min = glm::min(b.min, p);
        b.max = glm::max(b.max, p);
    }
    return b;
}

float Coverage(float distance) { return std::clamp(0.5f - distance, 0.0f, 1.0f); }

float Join(float m, float c, Combine combine) {
    switch (combine) {
        case Combine::Union: return std::max(m, c);
        case Combine::Subtract: return std::min(m, 1.0f - c);
        case Combine::Intersect: return std::min(m, c);
    }
    return m;
}

// Visits the texels the shape can touch (all of them for Intersect, which
// also clears what lies outside the shape).
template <class Fn>
void Rasterise(Field& mask, Bounds2 bounds, float margin, Combine combine, Fn coverage) {
    int x0 = 0, y0 = 0, x1 = mask.width(), y1 = mask.height();
    if (combine != Combine::Intersect) {
        x0 = std::max(x0, static_cast<int>(std::floor(bounds.min.x - margin)));
        y0 = std::max(y0, static_cast<int>(std::floor(bounds.min.y - margin)));
        x1 = std::min(x1, static_cast<int>(std::ceil(bounds.max.x + margin)));
        y1 = std::min(y1, static_cast<int>(std::ceil(bounds.max.y + margin)));
    }
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float& m = mask.At(x, y);
            m = Join(m, coverage(glm::vec2(x + 0.5f, y + 0.5f)), combine);
        }
    }
}

}  // namespace

float SignedDistance(const Shape& shape, glm::vec2 p) {
    return std::visit([&](const auto& s) { return Distance(s, p); }, shape);
}

Bounds2 BoundsOf(const Shape& shape) {
    return std::visit([](const auto& s) { return Bounds(s); }, shape);
}

void Fill(Field& mask, const Shape& shape, Combine combine) {
    Rasterise(mask, BoundsOf(shape), 1.0f, combine,
              [&](glm::vec2 p) { return Coverage(SignedDistance(shape, p)); });
}

void Stroke(Field& mask, const Shape& shape, float width, Combine combine) {
    const float half = width * 0.5f;
    Rasterise(mask, BoundsOf(shape), half + 1.0f, combine,
              [&](glm::vec2 p) { return Coverage(std::abs(SignedDistance(shape, p)) - half); });
}

Field ShapeMask(int width, int height, const Shape& shape) {
    Field mask(width, height);
    Fill(mask, shape);
    return mask;
}

}  // namespace kr::toolkit
