#pragma once
// Plane polygon helpers for caps and extrusions. Polygons are lists of
// points without the closing repeat.

#include <array>
#include <vector>

#include <glm/glm.hpp>

namespace kr::toolkit {

// Positive for counter-clockwise points (x right, y up).
float SignedArea(const std::vector<glm::vec2>& polygon);

// Triangles of a simple polygon (either winding) by ear clipping, as index
// triples that wind counter-clockwise. Throws kr::Error when the polygon has
// fewer than three points or cannot be split (it crosses itself).
std::vector<std::array<int, 3>> Triangulate(const std::vector<glm::vec2>& polygon);

// The counter-clockwise polygon moved inwards by `distance` (outwards when
// negative), each edge parallel to its original.
std::vector<glm::vec2> Inset(const std::vector<glm::vec2>& polygon, float distance);

}  // namespace kr::toolkit
