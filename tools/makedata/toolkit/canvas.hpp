#pragma once
// A float RGBA picture with straight (not premultiplied) alpha, and the ways
// to paint on it. Colours are 0..1 and may exceed 1 while painting (hot
// glows); conversion to an 8-bit picture clamps.

#include <cstddef>
#include <vector>

#include <glm/glm.hpp>

#include "engine/image/image.hpp"
#include "toolkit/field.hpp"

namespace kr::toolkit {

using Colour = glm::vec4;

// How a painted colour meets what is already there (all in straight alpha).
enum class Blend {
    Over,      // ordinary alpha compositing
    Add,       // light added: colour * alpha summed, alpha accumulates
    Multiply,  // colour multiplied in by the source's alpha; alpha kept
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Colour fill = Colour(0.0f));

    int width() const { return width_; }
    int height() const { return height_; }
    std::vector<Colour>& pixels() { return pixels_; }
    const std::vector<Colour>& pixels() const { return pixels_; }

    Colour& At(int x, int y) { return pixels_[Index(x, y)]; }
    const Colour& At(int x, int y) const { return pixels_[Index(x, y)]; }

    // colour(x, y) for every texel, in row order.
    template <class Fn>
    Canvas& Generate(Fn colour) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) pixels_[Index(x, y)] = colour(x, y);
        return *this;
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

// One texel's blend; `source.a` already holds mask and opacity.
Colour BlendTexel(Colour destination, Colour source, Blend blend);

// Paints `colour` through `mask` (coverage 0..1 per texel).
void Paint(Canvas& canvas, const Field& mask, Colour colour, Blend blend = Blend::Over);
// Paints a whole canvas onto another of the same size, scaled by `opacity`.
void Composite(Canvas& canvas, const Canvas& layer, Blend blend = Blend::Over, float opacity = 1.0f);
// Paints `layer` through `mask`.
void Composite(Canvas& canvas, const Canvas& layer, const Field& mask, Blend blend = Blend::Over);

// Replaces or scales the alpha channel.
void SetAlpha(Canvas& canvas, const Field& alpha);
void MultiplyAlpha(Canvas& canvas, const Field& factor);
// Scales the colour channels texel by texel (baked shading, dirt, wear).
void MultiplyColour(Canvas& canvas, const Field& factor);

// How float colour becomes 8-bit: as it is, or encoded as sRGB for colours
// chosen in linear light.
enum class Encoding { Direct, Srgb };

image::Image ToImage(const Canvas& canvas, Encoding encoding = Encoding::Direct);
Canvas FromImage(const image::Image& image);

}  // namespace kr::toolkit
