#pragma once
// Markings painted on hulls and panels: stencil numerals and hazard stripes.

#include <string_view>

#include <glm/glm.hpp>

#include "toolkit/field.hpp"
#include "toolkit/shapes.hpp"

namespace kr::toolkit {

// Segment-style stencil lettering with gaps between the strokes. Draws
// digits, '-', ' ' and the letters A b C d E F H J L n o P r t U y (either
// case); anything else is drawn as a blank. `height` in texels.
void DrawStencil(Field& mask, std::string_view text, glm::vec2 topLeft, float height);
float StencilWidth(std::string_view text, float height);

// Diagonal stripes at 45 degrees inside `area`, each `stripeWidth` wide,
// with as wide a gap between them.
void DrawHazardStripes(Field& mask, const Rect& area, float stripeWidth);

}  // namespace kr::toolkit
