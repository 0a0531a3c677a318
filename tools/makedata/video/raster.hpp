#pragma once
// Float pictures for compositing: single-channel planes (coverage, glow)
// and RGB frames, with the blur and sampling the logo art needs.

#include <cstdint>
#include <vector>

#include "engine/image/image.hpp"

namespace kr::video {

struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    Plane() = default;
    Plane(int w, int h, float fill = 0.0f)
        : width(w), height(h), values(static_cast<std::size_t>(w) * h, fill) {}
    float& At(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
    float At(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
    // Bilinear, 0 outside the plane.
    float Sample(float x, float y) const;
};

struct Rgb {
    float r = 0, g = 0, b = 0;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb Lerp(Rgb a, Rgb b, float t) { return a + (b + a * -1.0f) * t; }

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Frame() = default;
    Frame(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Three box passes: close to a Gaussian of standard deviation ~radius.
Plane Blur(const Plane& plane, int radius);
// The same with separate horizontal and vertical radii (0 leaves an axis).
Plane Blur(const Plane& plane, int radiusX, int radiusY);

// Rows and columns holding any value above `threshold`: the ink box.
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive start, exclusive end
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
};
Box InkBox(const Plane& plane, float threshold = 0.02f);

float SmoothStep(float edge0, float edge1, float x);

// A repeatable hash noise in 0..1 for integer coordinates.
float HashNoise(int x, int y, std::uint32_t seed);

// To 8-bit with an ordered dither (no banding on slow gradients); the
// frame's values are display values 0..1.
image::Image ToImage(const Frame& frame, const Plane* alpha = nullptr);

}  // namespace kr::video
