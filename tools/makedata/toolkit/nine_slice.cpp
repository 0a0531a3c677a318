#include "toolkit/nine_slice.hpp"

#include <algorithm>

#include "engine/error.hpp"

namespace kr::toolkit {
namespace {

// Which column (or row) of the small picture a texel of the large one copies.
int SourceIndex(int i, int large, int small, int margin) {
    if (i < margin) return i;
    if (i >= large - margin) return small - (large - i);
    return small / 2;
}

}  // namespace

Canvas NineSlice(const Canvas& small, int width, int height, int margin) {
    if (margin * 2 >= small.width() || margin * 2 >= small.height() || margin * 2 > width || margin * 2 > height) {
        throw Error("nine-slice margin " + std::to_string(margin) + " does not fit the picture");
    }
    Canvas out(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy = SourceIndex(y, height, small.height(), margin);
        for (int x = 0; x < width; ++x) out.At(x, y) = small.At(SourceIndex(x, width, small.width(), margin), sy);
    }
    return out;
}

}  // namespace kr::toolkit
