#include "toolkit/lettering.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/text/cp1250.hpp"
#include "engine/text/font.hpp"

namespace kr::toolkit {
namespace {

// Copies one glyph's coverage from the atlas, texel for texel.
void Blit(const image::Image& atlas, const text::GlyphQuad& quad, glm::vec2 offset, Field& mask) {
    const int u0 = static_cast<int>(std::lround(quad.u0 * atlas.width));
    const int v0 = static_cast<int>(std::lround(quad.v0 * atlas.height));
    const int width = static_cast<int>(std::lround(quad.x1 - quad.x0));
    const int height = static_cast<int>(std::lround(quad.y1 - quad.y0));
    const int left = static_cast<int>(std::lround(quad.x0 + offset.x));
    const int top = static_cast<int>(std::lround(quad.y0 + offset.y));
    for (int row = 0; row < height; ++row) {
        const int y = top + row;
        if (y < 0 || y >= mask.height()) continue;
        for (int col = 0; col < width; ++col) {
            const int x = left + col;
            if (x < 0 || x >= mask.width()) continue;
            const float coverage = atlas.Pixel(u0 + col, v0 + row)[3] / 255.0f;
            mask.At(x, y) = std::max(mask.At(x, y), coverage);
        }
    }
}

}  // namespace

Lettering::Lettering(Bytes ttf, std::string name) : ttf_(std::move(ttf)), name_(std::move(name)) {}

Lettering::~Lettering() = default;

const text::Font& Lettering::FontAt(float size) {
    const int key = std::max(1, static_cast<int>(std::lround(size)));
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        it = fonts_.emplace(key, std::make_unique<text::Font>(ttf_, static_cast<float>(key), name_)).first;
    }
    return *it->second;
}

float Lettering::Width(std::string_view text, float size, float tracking) {
    const std::string cp1250 = text::Utf8ToCp1250(text);
    const text::Font& font = FontAt(size);
    if (tracking == 0.0f) return font.Measure(cp1250);
    float width = 0.0f;
    for (char c : cp1250) width += font.Measure(std::string_view(&c, 1)) + tracking;
    return cp1250.empty() ? 0.0f : width - tracking;
}

void Lettering::Draw(Field& mask, std::string_view text, float size, glm::vec2 topLeft, float tracking) {
    const std::string cp1250 = text::Utf8ToCp1250(text);
    const text::Font& font = FontAt(size);
    std::vector<text::GlyphQuad> quads;
    if (tracking == 0.0f) {
        font.Layout(cp1250, topLeft.x, topLeft.y, quads);
    } else {
        // Letter-spaced: each character set on its own pen position.
        float pen = topLeft.x;
        for (char c : cp1250) {
            const std::string_view one(&c, 1);
            font.Layout(one, pen, topLeft.y, quads);
            pen += font.Measure(one) + tracking;
        }
    }
    for (const auto& quad : quads) Blit(font.Atlas(), quad, glm::vec2(0.0f), mask);
}

void Lettering::DrawCentred(Field& mask, std::string_view text, float size, glm::vec2 centre, float tracking) {
    const float width = Width(text, size, tracking);
    Draw(mask, text, size, centre - glm::vec2(width * 0.5f, size * 0.5f), tracking);
}

}  // namespace kr::toolkit
