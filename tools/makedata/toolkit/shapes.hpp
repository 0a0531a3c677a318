#pragma once
// Flat shapes drawn with anti-aliased edges into coverage masks. Shapes are
// signed distance functions in texel units (negative inside), so the same
// shape gives a filled area, an outline or a bevel ramp.

#include <variant>
#include <vector>

#include <glm/glm.hpp>

#include "toolkit/field.hpp"

namespace kr::toolkit {

struct Circle {
    glm::vec2 centre{0.0f};
    float radius = 0.0f;
};

// An axis-aligned rectangle whose corners may be cut off at 45 degrees;
// `cut` is the length taken off each side at a corner.
struct Rect {
    glm::vec2 min{0.0f};
    glm::vec2 max{0.0f};
    float cut = 0.0f;
};

// A straight stroke with round ends.
struct Segment {
    glm::vec2 a{0.0f};
    glm::vec2 b{0.0f};
    float width = 1.0f;
};

// A closed polygon, either winding; may be concave but not self-crossing.
struct Polygon {
    std::vector<glm::vec2> points;
};

using Shape = std::variant<Circle, Rect, Segment, Polygon>;

struct Bounds2 {
    glm::vec2 min{0.0f};
    glm::vec2 max{0.0f};
};

float SignedDistance(const Shape& shape, glm::vec2 p);
Bounds2 BoundsOf(const Shape& shape);

// How a shape's coverage c joins the mask's value m.
enum class Combine {
    Union,      // max(m, c)
    Subtract,   // min(m, 1 - c)
    Intersect,  // min(m, c)
};

// Fills the shape; edges get fractional coverage one texel wide.
void Fill(Field& mask, const Shape& shape, Combine combine = Combine::Union);
// Draws the outline, `width` texels wide, centred on the shape's edge.
void Stroke(Field& mask, const Shape& shape, float width, Combine combine = Combine::Union);
// A new mask of the given size with the shape filled.
Field ShapeMask(int width, int height, const Shape& shape);

}  // namespace kr::toolkit
