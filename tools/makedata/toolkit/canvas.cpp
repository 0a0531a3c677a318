#include "toolkit/canvas.hpp"

#include <algorithm>
#include <cmath>

namespace kr::toolkit {
namespace {

Colour Over(Colour d, Colour s) {
    const float a = s.a + d.a * (1.0f - s.a);
    if (a <= 0.0f) return Colour(glm::vec3(d), 0.0f);
    const glm::vec3 rgb = (glm::vec3(s) * s.a + glm::vec3(d) * d.a * (1.0f - s.a)) / a;
    return Colour(rgb, a);
}

// Worked in premultiplied form so that light added onto transparency takes
// the light's colour instead of darkening towards the empty texel's.
Colour Add(Colour d, Colour s) {
    const float a = std::min(1.0f, d.a + s.a);
    if (a <= 0.0f) return d;
    const glm::vec3 rgb = (glm::vec3(d) * d.a + glm::vec3(s) * s.a) / a;
    return Colour(rgb, a);
}

Colour Multiply(Colour d, Colour s) {
    const glm::vec3 factor = glm::mix(glm::vec3(1.0f), glm::vec3(s), s.a);
    return Colour(glm::vec3(d) * factor, d.a);
}

std::uint8_t ToByte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

float SrgbFromLinear(float v) {
    v = std::clamp(v, 0.0f, 1.0f);
    return v <= 0.0031308f ? v * 12.92f : 1.055f * std::pow(v, 1.0f / 2.4f) - 0.055f;
}

}  // namespace

Canvas::Canvas(int width, int height, Colour fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

Colour BlendTexel(Colour destination, Colour source, Blend blend) {
    switch (blend) {
        case Blend::Over: return Over(destination, source);
        case Blend::Add: return Add(destination, source);
        case Blend::Multiply: return Multiply(destination, source);
    }
    return destination;
}

void Paint(Canvas& canvas, const Field& mask, Colour colour, Blend blend) {
    auto& out = canvas.pixels();
    const auto& coverage = mask.values();
    for (std::size_t i = 0; i < out.size() && i < coverage.size(); ++i) {
        if (coverage[i] <= 0.0f) continue;
        out[i] = BlendTexel(out[i], Colour(glm::vec3(colour), colour.a * coverage[i]), blend);
    }
}

void Composite(Canvas& canvas, const Canvas& layer, Blend blend, float opacity) {
    auto& out = canvas.pixels();
    const auto& in = layer.pixels();
    for (std::size_t i = 0; i < out.size() && i < in.size(); ++i) {
        out[i] = BlendTexel(out[i], Colour(glm::vec3(in[i]), in[i].a * opacity), blend);
    }
}

void Composite(Canvas& canvas, const Canvas& layer, const Field& mask, Blend blend) {
    auto& out = canvas.pixels();
    const auto& in = layer.pixels();
    const auto& coverage = mask.values();
    for (std::size_t i = 0; i < out.size() && i < in.size() && i < coverage.size(); ++i) {
        if (coverage[i] <= 0.0f) continue;
        out[i] = BlendTexel(out[i], Colour(glm::vec3(in[i]), in[i].a * coverage[i]), blend);
    }
}

void SetAlpha(Canvas& canvas, const Field& alpha) {
    auto& out = canvas.pixels();
    for (std::size_t i = 0; i < out.size() && i < alpha.values().size(); ++i) out[i].a = alpha.values()[i];
}

void MultiplyAlpha(Canvas& canvas, const Field& factor) {
    auto& out = canvas.pixels();
    for (std::size_t i = 0; i < out.size() && i < factor.values().size(); ++i) out[i].a *= factor.values()[i];
}

void MultiplyColour(Canvas& canvas, const Field& factor) {
    auto& out = canvas.pixels();
    for (std::size_t i = 0; i < out.size() && i < factor.values().size(); ++i) {
        out[i] = Colour(glm::vec3(out[i]) * factor.values()[i], out[i].a);
    }
}

image::Image ToImage(const Canvas& canvas, Encoding encoding) {
    image::Image image(canvas.width(), canvas.height());
    const auto& in = canvas.pixels();
    for (std::size_t i = 0; i < in.size(); ++i) {
        std::uint8_t* texel = &image.rgba[i * 4];
        for (int c = 0; c < 3; ++c) {
            texel[c] = ToByte(encoding == Encoding::Srgb ? SrgbFromLinear(in[i][c]) : in[i][c]);
        }
        texel[3] = ToByte(in[i].a);
    }
    return image;
}

Canvas FromImage(const image::Image& image) {
    Canvas canvas(image.width, image.height);
    auto& out = canvas.pixels();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::uint8_t* texel = &image.rgba[i * 4];
        out[i] = Colour(texel[0], texel[1], texel[2], texel[3]) / 255.0f;
    }
    return canvas;
}

}  // namespace kr::toolkit
