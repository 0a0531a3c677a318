#include "toolkit/gradients.hpp"

#include <algorithm>
#include <utility>

#include "engine/error.hpp"

namespace kr::toolkit {

float SmoothStep(float edge0, float edge1, float x) {
    if (edge1 == edge0) return x < edge0 ? 0.0f : 1.0f;
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

Field LinearGradient(int width, int height, glm::vec2 from, glm::vec2 to) {
    const glm::vec2 axis = to - from;
    const float lengthSquared = glm::dot(axis, axis);
    Field field(width, height);
    if (lengthSquared <= 0.0f) return field;
    return field.Generate([&](int x, int y) {
        return std::clamp(glm::dot(glm::vec2(x + 0.5f, y + 0.5f) - from, axis) / lengthSquared, 0.0f, 1.0f);
    });
}

Field RadialGradient(int width, int height, glm::vec2 centre, float radius) {
    Field field(width, height, 1.0f);
    if (radius <= 0.0f) return field;
    return field.Generate([&](int x, int y) {
        return std::min(glm::length(glm::vec2(x + 0.5f, y + 0.5f) - centre) / radius, 1.0f);
    });
}

ColourRamp::ColourRamp(std::initializer_list<Stop> stops) : ColourRamp(std::vector<Stop>(stops)) {}

ColourRamp::ColourRamp(std::vector<Stop> stops) : stops_(std::move(stops)) {
    if (stops_.empty()) throw Error("colour ramp: no stops");
    std::stable_sort(stops_.begin(), stops_.end(), [](const Stop& a, const Stop& b) { return a.at < b.at; });
}

Colour ColourRamp::At(float t) const {
    if (t <= stops_.front().at) return stops_.front().colour;
    for (std::size_t i = 1; i < stops_.size(); ++i) {
        if (t <= stops_[i].at) {
            const Stop& a = stops_[i - 1];
            const Stop& b = stops_[i];
            const float span = b.at - a.at;
            return span > 0.0f ? glm::mix(a.colour, b.colour, (t - a.at) / span) : b.colour;
        }
    }
    return stops_.back().colour;
}

Canvas Colourise(const Field& field, const ColourRamp& ramp) {
    Canvas canvas(field.width(), field.height());
    auto& out = canvas.pixels();
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = ramp.At(field.values()[i]);
    return canvas;
}

}  // namespace kr::toolkit
