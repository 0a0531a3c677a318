#include "video/raster.hpp"

#include <algorithm>
#include <cmath>

namespace kr::video {
namespace {

// One box pass along rows (horizontal) or columns, with a running sum.
Plane BoxPass(const Plane& in, int radius, bool horizontal) {
    Plane out(in.width, in.height);
    const int lines = horizontal ? in.height : in.width;
    const int length = horizontal ? in.width : in.height;
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    auto at = [&](int line, int i) -> float {
        if (i < 0 || i >= length) return 0.0f;
        return horizontal ? in.At(i, line) : in.At(line, i);
    };
    for (int line = 0; line < lines; ++line) {
        float sum = 0.0f;
        for (int i = -radius; i <= radius; ++i) sum += at(line, i);
        for (int i = 0; i < length; ++i) {
            (horizontal ? out.At(i, line) : out.At(line, i)) = sum * scale;
            sum += at(line, i + radius + 1) - at(line, i - radius);
        }
    }
    return out;
}

}  // namespace

float Plane::Sample(float x, float y) const {
    const float fx = std::floor(x), fy = std::floor(y);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const float tx = x - fx, ty = y - fy;
    auto get = [&](int px, int py) {
        return px < 0 || py < 0 || px >= width || py >= height ? 0.0f : At(px, py);
    };
    const float top = get(x0, y0) + (get(x0 + 1, y0) - get(x0, y0)) * tx;
    const float bottom = get(x0, y0 + 1) + (get(x0 + 1, y0 + 1) - get(x0, y0 + 1)) * tx;
    return top + (bottom - top) * ty;
}

Plane Blur(const Plane& plane, int radius) { return Blur(plane, radius, radius); }

Plane Blur(const Plane& plane, int radiusX, int radiusY) {
    // Three passes of a box of radius r have a variance of r(r+1).
    Plane out = plane;
    for (int pass = 0; pass < 3; ++pass) {
        if (radiusX > 0) out = BoxPass(out, radiusX, true);
        if (radiusY > 0) out = BoxPass(out, radiusY, false);
    }
    return out;
}

Box InkBox(const Plane& plane, float threshold) {
    Box box{plane.width, plane.height, 0, 0};
    for (int y = 0; y < plane.height; ++y) {
        for (int x = 0; x < plane.width; ++x) {
            if (plane.At(x, y) <= threshold) continue;
            box.x0 = std::min(box.x0, x);
            box.y0 = std::min(box.y0, y);
            box.x1 = std::max(box.x1, x + 1);
            box.y1 = std::max(box.y1, y + 1);
        }
    }
    if (box.x1 <= box.x0) box = Box{};
    return box;
}

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float HashNoise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / 16777216.0f;
}

image::Image ToImage(const Frame& frame, const Plane* alpha) {
    static constexpr float kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    image::Image out(frame.width, frame.height);
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const float dither = (kBayer[y & 3][x & 3] + 0.5f) / 16.0f;
            const Rgb& c = frame.At(x, y);
            std::uint8_t* p = out.Pixel(x, y);
            auto level = [&](float v) {
                return static_cast<std::uint8_t>(std::clamp(std::floor(v * 255.0f + dither), 0.0f, 255.0f));
            };
            p[0] = level(c.r);
            p[1] = level(c.g);
            p[2] = level(c.b);
            p[3] = alpha ? level(alpha->At(x, y)) : 255;
        }
    }
    return out;
}

}  // namespace kr::video
