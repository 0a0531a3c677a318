#pragma once

namespace kr {

// A colour with alpha, each channel 0..1.
struct Colour {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

inline constexpr Colour kWhite{1.0f, 1.0f, 1.0f, 1.0f};
inline constexpr Colour kBlack{0.0f, 0.0f, 0.0f, 1.0f};

}  // namespace kr
