#pragma once
// Closed surfaces from rings of points joined in order: hulls, pods, engine
// bells and anything else built section by section. Also the superellipse,
// a section that runs from diamond through ellipse to rounded box.

#include <vector>

#include <glm/glm.hpp>

#include "toolkit/surface.hpp"

namespace kr::toolkit {

using Ring = std::vector<glm::vec3>;

// Material slots for the band between the rings and for the two caps.
struct RingSlots {
    int band = 0;
    int startCap = 0;
    int endCap = 0;
};

// Joins the rings in order into a band; a ring of one point is a tip. Every
// ring but the tips has the same number of points. Optional flat caps close
// the first and last ring (rings of three or more points). The triangles
// face outwards however the rings wind, judged by the first ring with an
// area and the direction from it to the next ring; a band that later runs
// back the way it came (the inside of a cup) faces inwards, as an inside
// must. Texture coordinates are left at zero. Throws kr::Error for fewer
// than two rings, no ring of three points, or rings of differing counts.
Surface RingSurface(const std::vector<Ring>& rings, bool capStart, bool capEnd, RingSlots slots = {});

// `sides` points counter-clockwise round the unit superellipse
// |x|^e + |y|^e = 1 with e = `squareness`, starting at (1, 0): 2 is a
// circle, larger values are boxier, values near 1 a diamond.
std::vector<glm::vec2> SuperEllipse(int sides, float squareness);

}  // namespace kr::toolkit
