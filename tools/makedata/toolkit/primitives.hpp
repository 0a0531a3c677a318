#pragma once
// Closed solids centred on the origin, Y up, with texture coordinates in
// 0..1. All are watertight: every edge is shared by exactly two triangles.

#include <vector>

#include <glm/glm.hpp>

#include "toolkit/surface.hpp"

namespace kr::toolkit {

// Each face carries the whole 0..1 texture square.
Surface Box(glm::vec3 size);

// A profile of (radius, y) points, listed from top to bottom, turned about
// the Y axis. End points with radius 0 close the solid as poles; ends with a
// radius leave it open. u runs around, v down the profile by length.
Surface Lathe(const std::vector<glm::vec2>& profile, int segments);

Surface Sphere(float radius, int segments, int rings);
// A cylinder of `length` with a hemisphere on each end.
Surface Capsule(float radius, float length, int segments, int ringsPerCap);
// From y = -height/2 to +height/2; a top radius of 0 gives a cone. Caps are
// mapped flat onto the 0..1 square.
Surface Cylinder(float bottomRadius, float topRadius, float height, int segments);
Surface Cone(float radius, float height, int segments);
// Around the Y axis: `major` to the tube's centre, `minor` the tube's radius.
Surface Torus(float major, float minor, int segments, int sides);

}  // namespace kr::toolkit
