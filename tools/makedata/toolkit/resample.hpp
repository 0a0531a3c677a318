#pragma once
// Pictures scaled to another size: drawn once at the proportions they are
// shown at, then fitted into the texture size the game loads.

#include "toolkit/canvas.hpp"

namespace kr::toolkit {

// Scales each axis independently with a tent filter as wide as the scale
// (area averaging when shrinking, bilinear when enlarging), in premultiplied
// alpha so that transparent texels do not darken the edges.
Canvas Resampled(const Canvas& source, int width, int height);

}  // namespace kr::toolkit
