#include "toolkit/resample.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kr::toolkit {
namespace {

struct Tap {
    int index;
    float weight;
};

// For every output position along one axis, the source texels and weights.
std::vector<std::vector<Tap>> Taps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const float scale = static_cast<float>(from) / static_cast<float>(to);
    const float radius = std::max(1.0f, scale);
    for (int o = 0; o < to; ++o) {
        const float centre = (o + 0.5f) * scale - 0.5f;
        const int first = static_cast<int>(std::floor(centre - radius));
        const int last = static_cast<int>(std::ceil(centre + radius));
        float total = 0.0f;
        for (int s = first; s <= last; ++s) {
            const float w = std::max(0.0f, 1.0f - std::fabs(s - centre) / radius);
            if (w <= 0.0f) continue;
            taps[o].push_back({std::clamp(s, 0, from - 1), w});
            total += w;
        }
        for (Tap& t : taps[o]) t.weight /= total;
    }
    return taps;
}

}  // namespace

Canvas Resampled(const Canvas& source, int width, int height) {
    const int sw = source.width(), sh = source.height();
    if (sw == 0 || sh == 0 || width <= 0 || height <= 0) return Canvas(std::max(width, 0), std::max(height, 0));
    const auto across = Taps(sw, width);
    const auto down = Taps(sh, height);
    // Horizontal pass into premultiplied rows.
    std::vector<Colour> rows(static_cast<std::size_t>(width) * sh);
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum(0.0f);
            for (const Tap& t : across[x]) {
                const Colour& c = source.At(t.index, y);
                sum += Colour(glm::vec3(c) * c.a, c.a) * t.weight;
            }
            rows[static_cast<std::size_t>(y) * width + x] = sum;
        }
    }
    Canvas out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum(0.0f);
            for (const Tap& t : down[y]) sum += rows[static_cast<std::size_t>(t.index) * width + x] * t.weight;
            out.At(x, y) = sum.a > 1e-6f ? Colour(glm::vec3(sum) / sum.a, sum.a) : Colour(0.0f);
        }
    }
    return out;
}

}  // namespace kr::toolkit
