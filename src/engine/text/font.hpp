#pragma once
// A font at one pixel size: every Windows-1250 character rasterised into one
// glyph atlas, with measuring and layout of single-line texts.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"

namespace kr::text {

class FontFace;

// One glyph on screen: a pixel rectangle (y grows downward) and where its
// picture lies in the atlas (0..1, v = 0 at the atlas's top row).
struct GlyphQuad {
    float x0, y0, x1, y1;
    float u0, v0, u1, v1;
};

class Font {
public:
    // `cellHeightPx` is the height of the character cell (ascent + descent),
    // as for a Windows font created with a positive height; the em size
    // follows from it. Throws FileError(nameForErrors, ...) for bad font
    // bytes and kr::Error for a cell height outside 1..512.
    Font(const Bytes& ttf, float cellHeightPx, const std::string& nameForErrors);
    ~Font();
    Font(Font&&) noexcept;
    Font& operator=(Font&&) noexcept;

    // White RGB, alpha = coverage; every glyph has one transparent pixel of
    // padding on each side.
    const image::Image& Atlas() const { return atlas_; }

    float CellHeight() const { return cellHeight_; }
    float Ascent() const { return ascent_; }
    float Descent() const { return cellHeight_ - ascent_; }
    float EmSize() const { return emSize_; }
    // False when the font has no glyph of its own for the character (it
    // then draws the font's missing-glyph box) and for control codes.
    bool HasGlyph(std::uint8_t cp1250) const;

    // The advance width in pixels, kerning included.
    float Measure(std::string_view cp1250) const;
    // Appends one quad per visible glyph. The pen starts at x rounded to a
    // whole pixel and the baseline lies on the whole pixel nearest to
    // yTop + Ascent(), so glyphs map texel to pixel; control codes are skipped.
    void Layout(std::string_view cp1250, float x, float yTop, std::vector<GlyphQuad>& out) const;

private:
    // Where a character's picture lies in the atlas and how it sits on the
    // pen position (bearing: from pen and baseline to the picture's top left).
    struct AtlasGlyph {
        int x = 0, y = 0, width = 0, height = 0;
        int bearingX = 0, bearingY = 0;
    };

    void BuildAtlas();
    float UnitsToPixels() const;

    std::unique_ptr<FontFace> face_;
    float cellHeight_ = 0;
    float emSize_ = 0;
    float ascent_ = 0;
    std::array<AtlasGlyph, 256> glyphs_{};
    image::Image atlas_;
};

}  // namespace kr::text
