#pragma once
// A grid of floats, one per texel: coverage masks (0..1), height fields,
// noise. Texel (x, y) has its centre at (x + 0.5, y + 0.5); rows run top-down
// like image::Image.

#include <cstddef>
#include <vector>

namespace kr::toolkit {

// How reads past the border behave: clamped to the edge texel, or wrapped
// around for pictures that must tile.
enum class Edge { Clamp, Wrap };

class Field {
public:
    Field() = default;
    Field(int width, int height, float value = 0.0f);

    int width() const { return width_; }
    int height() const { return height_; }
    std::vector<float>& values() { return values_; }
    const std::vector<float>& values() const { return values_; }

    float& At(int x, int y) { return values_[Index(x, y)]; }
    float At(int x, int y) const { return values_[Index(x, y)]; }
    float At(int x, int y, Edge edge) const;
    // Bilinear read at a point in texel units.
    float Sample(float x, float y, Edge edge) const;

    // value(x, y) for every texel, in row order.
    template <class Fn>
    Field& Generate(Fn value) {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) values_[Index(x, y)] = value(x, y);
        return *this;
    }
    // v = fn(v) for every texel.
    template <class Fn>
    Field& Apply(Fn fn) {
        for (float& v : values_) v = fn(v);
        return *this;
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<float> values_;
};

// a = fn(a, b) texel by texel; the fields must have the same size.
template <class Fn>
Field& CombineInto(Field& a, const Field& b, Fn fn) {
    auto& out = a.values();
    const auto& in = b.values();
    for (std::size_t i = 0; i < out.size() && i < in.size(); ++i) out[i] = fn(out[i], in[i]);
    return a;
}

// Throws kr::Error naming `what` when the two sizes differ.
void CheckSameSize(const Field& a, const Field& b, const char* what);

// Rescales so that the smallest value becomes `low` and the largest `high`.
void Normalise(Field& field, float low = 0.0f, float high = 1.0f);

// Gaussian-like blur (three box passes) with standard deviation `sigma` texels.
Field Blurred(const Field& field, float sigma, Edge edge = Edge::Clamp);

// Euclidean distance, in texels, from every texel with mask >= 0.5 to the
// nearest texel below it; 0 outside the mask.
Field DistanceInside(const Field& mask);

}  // namespace kr::toolkit
