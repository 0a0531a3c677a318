#include "toolkit/decals.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>

namespace kr::toolkit {
namespace {

// Proportions of one character cell, relative to its height.
constexpr float kAdvance = 0.72f;
constexpr float kWidth = 0.56f;
constexpr float kStroke = 0.13f;
constexpr float kGap = 0.04f;

// Segments a..g as bits 0..6: top, top right, bottom right, bottom, bottom
// left, top left, middle.
std::uint8_t SegmentsOf(char c) {
    switch (std::tolower(static_cast<unsigned char>(c))) {
        case '0': return 0x3F;
        case '1': return 0x06;
        case '2': return 0x5B;
        case '3': return 0x4F;
        case '4': return 0x66;
        case '5': return 0x6D;
        case '6': return 0x7D;
        case '7': return 0x07;
        case '8': return 0x7F;
        case '9': return 0x6F;
        case '-': return 0x40;
        case 'a': return 0x77;
        case 'b': return 0x7C;
        case 'c': return 0x39;
        case 'd': return 0x5E;
        case 'e': return 0x79;
        case 'f': return 0x71;
        case 'h': return 0x76;
        case 'j': return 0x1E;
        case 'l': return 0x38;
        case 'n': return 0x54;
        case 'o': return 0x5C;
        case 'p': return 0x73;
        case 'r': return 0x50;
        case 't': return 0x78;
        case 'u': return 0x3E;
        case 'y': return 0x6E;
        default: return 0;
    }
}

// A stroke with pointed ends from a to b (horizontal or vertical).
Polygon SegmentShape(glm::vec2 a, glm::vec2 b, float stroke) {
    const glm::vec2 along = glm::normalize(b - a);
    const glm::vec2 across(-along.y, along.x);
    const float h = stroke * 0.5f;
    return Polygon{{a, a + along * h + across * h, b - along * h + across * h, b, b - along * h - across * h,
                    a + along * h - across * h}};
}

void DrawCharacter(Field& mask, std::uint8_t segments, glm::vec2 origin, float height) {
    const float t = kStroke * height;
    const float g = kGap * height;
    const float left = origin.x + t * 0.5f;
    const float right = origin.x + kWidth * height - t * 0.5f;
    const float top = origin.y + t * 0.5f;
    const float middle = origin.y + height * 0.5f;
    const float bottom = origin.y + height - t * 0.5f;
    const std::array<std::array<glm::vec2, 2>, 7> ends = {{
        {{{left + g, top}, {right - g, top}}},
        {{{right, top + g}, {right, middle - g}}},
        {{{right, middle + g}, {right, bottom - g}}},
        {{{left + g, bottom}, {right - g, bottom}}},
        {{{left, middle + g}, {left, bottom - g}}},
        {{{left, top + g}, {left, middle - g}}},
        {{{left + g, middle}, {right - g, middle}}},
    }};
    for (int s = 0; s < 7; ++s) {
        if (segments & (1u << s)) Fill(mask, SegmentShape(ends[s][0], ends[s][1], t));
    }
}

}  // namespace

void DrawStencil(Field& mask, std::string_view text, glm::vec2 topLeft, float height) {
    glm::vec2 origin = topLeft;
    for (char c : text) {
        DrawCharacter(mask, SegmentsOf(c), origin, height);
        origin.x += kAdvance * height;
    }
}

float StencilWidth(std::string_view text, float height) {
    if (text.empty()) return 0.0f;
    return (static_cast<float>(text.size() - 1) * kAdvance + kWidth) * height;
}

void DrawHazardStripes(Field& mask, const Rect& area, float stripeWidth) {
    const float period = 2.0f * stripeWidth;
    Field stripes(mask.width(), mask.height());
    Fill(stripes, area);
    stripes.Generate([&](int x, int y) {
        const float coverage = stripes.At(x, y);
        if (coverage <= 0.0f) return 0.0f;
        // Distance across the stripes from the nearest stripe's centre line.
        const float u = (x + 0.5f + y + 0.5f) * 0.70710678f - stripeWidth * 0.5f;
        const float fromCentre = u - period * std::round(u / period);
        const float d = std::abs(fromCentre) - stripeWidth * 0.5f;
        return coverage * std::clamp(0.5f - d, 0.0f, 1.0f);
    });
    CombineInto(mask, stripes, [](float a, float b) { return std::max(a, b); });
}

}  // namespace kr::toolkit
