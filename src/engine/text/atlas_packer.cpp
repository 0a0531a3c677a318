#include "engine/text/atlas_packer.hpp"

#include <algorithm>
#include <numeric>

namespace kr::text {
namespace {

int NextPowerOfTwo(int value) {
    int p = 1;
    while (p < value) p *= 2;
    return p;
}

// Places the rectangles in `order` into rows of the given width; returns the
// height used, or nothing when one is wider than the row.
std::optional<int> FillRows(const std::vector<PackSize>& sizes, const std::vector<int>& order,
                            int width, std::vector<PackPosition>& positions) {
    int x = 0, y = 0, rowHeight = 0;
    for (int i : order) {
        const PackSize s = sizes[i];
        if (s.width > width) return std::nullopt;
        if (x + s.width > width) {
            y += rowHeight;
            x = 0;
            rowHeight = 0;
        }
        positions[i] = {x, y};
        x += s.width;
        rowHeight = std::max(rowHeight, s.height);
    }
    return y + rowHeight;
}

}  // namespace

std::optional<PackResult> PackShelves(const std::vector<PackSize>& sizes, int maxSide) {
    std::vector<int> order(sizes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return sizes[a].height > sizes[b].height; });
    PackResult result;
    result.positions.resize(sizes.size());
    for (int width = 1; width <= maxSide; width *= 2) {
        const auto used = FillRows(sizes, order, width, result.positions);
        if (!used) continue;
        const int height = NextPowerOfTwo(std::max(*used, 1));
        if (height <= width) {
            result.width = width;
            result.height = height;
            return result;
        }
    }
    return std::nullopt;
}

}  // namespace kr::text
