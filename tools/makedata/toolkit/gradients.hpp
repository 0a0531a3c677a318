#pragma once
// Gradients as fields of 0..1, and colour ramps that turn any such field
// (a gradient, a noise, a height) into colour.

#include <initializer_list>
#include <vector>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/field.hpp"

namespace kr::toolkit {

// Hermite step: 0 below `edge0`, 1 above `edge1`, smooth between.
float SmoothStep(float edge0, float edge1, float x);

// 0 at `from`, 1 at `to`, clamped beyond; points in texel units.
Field LinearGradient(int width, int height, glm::vec2 from, glm::vec2 to);
// 0 at `centre`, 1 at `radius` and beyond.
Field RadialGradient(int width, int height, glm::vec2 centre, float radius);

// Colours at increasing positions; between stops the colour is linearly
// interpolated, beyond the ends it is held.
class ColourRamp {
public:
    struct Stop {
        float at = 0.0f;
        Colour colour{0.0f};
    };

    ColourRamp(std::initializer_list<Stop> stops);
    explicit ColourRamp(std::vector<Stop> stops);

    Colour At(float t) const;

private:
    std::vector<Stop> stops_;
};

// Every texel's value looked up in the ramp.
Canvas Colourise(const Field& field, const ColourRamp& ramp);

}  // namespace kr::toolkit
