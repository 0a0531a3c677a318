#include "toolkit/effects.hpp"

#include <algorithm>
#include <cmath>

namespace kr::toolkit {

void AddGlow(Canvas& canvas, const Field& mask, glm::vec3 colour, float sigma, float strength, Edge edge) {
    Field glow = Blurred(mask, sigma, edge);
    glow.Apply([&](float v) { return std::min(v * strength, 1.0f); });
    Paint(canvas, glow, Colour(colour, 1.0f), Blend::Add);
}

Field GlowDots(int width, int height, const std::vector<GlowDot>& dots) {
    Field field(width, height);
    for (const GlowDot& dot : dots) {
        const float reach = dot.sigma * 3.5f;
        const int x0 = std::max(0, static_cast<int>(std::floor(dot.centre.x - reach)));
        const int y0 = std::max(0, static_cast<int>(std::floor(dot.centre.y - reach)));
        const int x1 = std::min(width, static_cast<int>(std::ceil(dot.centre.x + reach)));
        const int y1 = std::min(height, static_cast<int>(std::ceil(dot.centre.y + reach)));
        const float k = -0.5f / (dot.sigma * dot.sigma);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const glm::vec2 d = glm::vec2(x + 0.5f, y + 0.5f) - dot.centre;
                field.At(x, y) += dot.intensity * std::exp(glm::dot(d, d) * k);
            }
        }
    }
    return field.Apply([](float v) { return std::min(v, 1.0f); });
}

}  // namespace kr::toolkit
