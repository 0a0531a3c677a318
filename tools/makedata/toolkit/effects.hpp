#pragma once
// Light effects painted onto a canvas.

#include <vector>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/field.hpp"

namespace kr::toolkit {

// Adds a glow around a mask: the mask blurred by `sigma` texels, scaled by
// `strength`, added as light of `colour`.
void AddGlow(Canvas& canvas, const Field& mask, glm::vec3 colour, float sigma, float strength,
             Edge edge = Edge::Clamp);

// A field of soft glowing dots: each a Gaussian of the given sigma, peaks
// adding up (clamped to 1).
struct GlowDot {
    glm::vec2 centre{0.0f};
    float sigma = 1.0f;
    float intensity = 1.0f;
};
Field GlowDots(int width, int height, const std::vector<GlowDot>& dots);

}  // namespace kr::toolkit
