#pragma once
// Hull shapes: cross-sections swept along a path (lofts) and flat outlines
// pushed into solids (extrusions), both closed with caps.

#include <vector>

#include <glm/glm.hpp>

#include "toolkit/surface.hpp"

namespace kr::toolkit {

struct LoftStation {
    glm::vec3 centre{0.0f};
    glm::vec2 scale{1.0f};            // the section's size across (x) and up (y); 0, 0 ends in a point
    std::vector<glm::vec2> profile;   // this station's own section (same point count); empty: the loft's
};

struct LoftShape {
    std::vector<glm::vec2> profile;     // the section, counter-clockwise, x across and y up
    std::vector<LoftStation> stations;  // along the path, at least two
    glm::vec3 up{0.0f, 1.0f, 0.0f};     // where the section's y points
    bool capStart = true;
    bool capEnd = true;
};

// Rings of the section at every station, joined in order. u runs around the
// section by length, v along the path by length; caps are mapped flat.
// Throws kr::Error for fewer than two stations, fewer than three section
// points, or sections of differing point counts.
Surface Loft(const LoftShape& shape);

// The outline (x, y; either winding, not self-crossing) pushed along z from
// -depth/2 to +depth/2. A bevel above 0 chamfers the front and back rims at
// 45 degrees; it must be smaller than half the depth and than the outline's
// narrowest part.
Surface Extrude(const std::vector<glm::vec2>& outline, float depth, float bevel = 0.0f);

}  // namespace kr::toolkit
