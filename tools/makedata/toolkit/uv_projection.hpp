#pragma once
// Texture coordinates for modelled surfaces: projections that let panel
// textures run over hull parts, and placement into a region of a shared
// texture.

#include <glm/glm.hpp>

#include "toolkit/surface.hpp"

namespace kr::toolkit {

// Each triangle is projected along the axis its normal points most along,
// so connected faces that look the same way share one continuous mapping.
// Coordinates are scaled by the surface's bounds into 0..1, and turned so
// that pictures read the right way round from outside.
void ProjectBox(Surface& surface);
// Along `axis` onto the plane of the other two, over the bounds, 0..1.
void ProjectPlanar(Surface& surface, Axis axis);
// u around `axis` (0..1, starting on +X, or on +Y for the X axis), v along
// it over the bounds. Triangles that straddle the seam get u past 1 on
// their far side, so the texture must repeat in u.
void ProjectCylindrical(Surface& surface, Axis axis);

// Maps the 0..1 square onto the rectangle [min, max] of a shared texture.
void PlaceUv(Surface& surface, glm::vec2 min, glm::vec2 max);

}  // namespace kr::toolkit
