#pragma once
// The desert map's ground: the height map the landscape is generated from
// and the sand texture tiled over it.

#include "engine/image/image.hpp"
#include "toolkit/canvas.hpp"

namespace kr::makedata::worlds {

// Height-map grey level (0..255) of the ground at world point (x, z), the
// landscape at its starting position: a dry river bed winding along the
// flight path between dunes, a canyon wall beyond the right edge of the
// fight and mesas far to the left.
float DunesGroundLevel(float x, float z);

// Greyscale, one texel per landscape sample.
image::Image DunesHeightMap();

// Sand with wind ripples, gravel and darker crusted patches; tiles in both
// directions.
toolkit::Canvas DunesSand(int size);

}  // namespace kr::makedata::worlds
