#pragma once
// Frames and borders made large from a small rendering: the corners are
// copied as they are and the edges repeated along the length between them.

#include "toolkit/canvas.hpp"

namespace kr::toolkit {

// `small` holds the corners in its outer `margin` texels; its middle row and
// column are repeated to fill `width` x `height`. The margin must be less
// than half of each of the small picture's sides.
Canvas NineSlice(const Canvas& small, int width, int height, int margin);

}  // namespace kr::toolkit
