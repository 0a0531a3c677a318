#pragma once
// Shelf packing of rectangles into a power-of-two atlas: tallest first, rows
// left to right, the narrowest square-ish atlas that holds them all. The
// result depends only on the input, so atlases come out byte-identical.

#include <optional>
#include <vector>

namespace kr::text {

struct PackSize {
    int width = 0;
    int height = 0;
};

struct PackPosition {
    int x = 0;
    int y = 0;
};

struct PackResult {
    int width = 0;
    int height = 0;
    std::vector<PackPosition> positions;  // top-left corner per input rectangle
};

// Nothing when the rectangles do not fit `maxSide` × `maxSide`.
std::optional<PackResult> PackShelves(const std::vector<PackSize>& sizes, int maxSide);

}  // namespace kr::text
