#include "engine/text/font.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <map>

#include "engine/error.hpp"
#include "engine/text/atlas_packer.hpp"
#include "engine/text/font_face.hpp"

namespace kr::text {
namespace {

constexpr float kMinCellHeight = 1.0f;
constexpr float kMaxCellHeight = 512.0f;
constexpr int kMaxAtlasSide = 4096;
constexpr int kPadding = 1;

// A rendered glyph: its coverage bytes, rows top-down, and its bearing.
struct GlyphBitmap {
    int width = 0, height = 0;
    int left = 0, top = 0;
    std::vector<std::uint8_t> coverage;
};

// Light hinting snaps only vertically, so glyph shapes keep the unhinted
// horizontal metrics that measuring uses. Embedded bitmaps are ignored so the
// pictures come from the outlines at every size.
GlyphBitmap RenderGlyph(const FontFace& face, std::uint16_t glyph) {
    FT_Face ft = face.Handle();
    const bool rendered =
        FT_Load_Glyph(ft, glyph, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP | FT_LOAD_RENDER) == 0;
    const bool gray = ft->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY || ft->glyph->bitmap.rows == 0;
    if (!rendered || !gray) {
        throw FileError(face.Name(), "glyph " + std::to_string(glyph) + " cannot be rendered");
    }
    const FT_Bitmap& bitmap = ft->glyph->bitmap;
    GlyphBitmap out;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.left = ft->glyph->bitmap_left;
    out.top = ft->glyph->bitmap_top;
    out.coverage.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int row = 0; row < out.height; ++row) {
        const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::copy(src, src + out.width, out.coverage.begin() + static_cast<std::ptrdiff_t>(row) * out.width);
    }
    return out;
}

void Blit(const GlyphBitmap& glyph, int x, int y, image::Image& atlas) {
    for (int row = 0; row < glyph.height; ++row) {
        for (int col = 0; col < glyph.width; ++col) {
            atlas.Pixel(x + col, y + row)[3] =
                glyph.coverage[static_cast<std::size_t>(row) * glyph.width + col];
        }
    }
}

image::Image WhiteTransparent(int width, int height) {
    image::Image img(width, height);
    for (std::size_t i = 0; i < img.rgba.size(); i += 4) {
        img.rgba[i] = img.rgba[i + 1] = img.rgba[i + 2] = 255;
    }
    return img;
}

}  // namespace

Font::Font(const Bytes& ttf, float cellHeightPx, const std::string& nameForErrors) {
    if (!(cellHeightPx >= kMinCellHeight && cellHeightPx <= kMaxCellHeight)) {
        throw Error(nameForErrors + ": font cell height " + std::to_string(cellHeightPx) +
                    " px is outside 1..512");
    }
    face_ = std::make_unique<FontFace>(ttf, nameForErrors);
    const float cellUnits = static_cast<float>(face_->CellAscent() + face_->CellDescent());
    cellHeight_ = cellHeightPx;
    emSize_ = cellHeightPx * static_cast<float>(face_->UnitsPerEm()) / cellUnits;
    ascent_ = cellHeightPx * static_cast<float>(face_->CellAscent()) / cellUnits;
    BuildAtlas();
}

Font::~Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;

void Font::BuildAtlas() {
    FT_Face ft = face_->Handle();
    if (FT_Set_Char_Size(ft, 0, std::lround(emSize_ * 64.0f), 72, 72) != 0) {
        throw FileError(face_->Name(), "cannot be scaled to " + std::to_string(emSize_) + " px");
    }
    // One picture per distinct glyph: bytes that share a glyph (space and
    // no-break space, characters missing from the font) share the picture.
    std::map<std::uint16_t, int> bitmapOfGlyph;
    std::vector<GlyphBitmap> bitmaps;
    std::array<int, 256> bitmapOfByte;
    bitmapOfByte.fill(-1);
    for (int byte = 0; byte < 256; ++byte) {
        const CharGlyph& c = face_->Char(static_cast<std::uint8_t>(byte));
        if (!c.drawn) continue;
        auto [it, added] = bitmapOfGlyph.try_emplace(c.glyph, static_cast<int>(bitmaps.size()));
        if (added) bitmaps.push_back(RenderGlyph(*face_, c.glyph));
        bitmapOfByte[byte] = it->second;
    }

    std::vector<PackSize> slots;
    for (const GlyphBitmap& b : bitmaps) {
        const bool empty = b.width == 0 || b.height == 0;
        slots.push_back(empty ? PackSize{} : PackSize{b.width + 2 * kPadding, b.height + 2 * kPadding});
    }
    const auto packed = PackShelves(slots, kMaxAtlasSide);
    if (!packed) {
        throw FileError(face_->Name(), "glyphs at " + std::to_string(emSize_) +
                                           " px do not fit a 4096 x 4096 atlas");
    }
    atlas_ = WhiteTransparent(packed->width, packed->height);
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const PackPosition p = packed->positions[i];
        Blit(bitmaps[i], p.x + kPadding, p.y + kPadding, atlas_);
    }
    for (int byte = 0; byte < 256; ++byte) {
        if (bitmapOfByte[byte] < 0) continue;
        const GlyphBitmap& b = bitmaps[bitmapOfByte[byte]];
        const PackPosition p = packed->positions[bitmapOfByte[byte]];
        glyphs_[byte] = {p.x + kPadding, p.y + kPadding, b.width, b.height, b.left, b.top};
    }
}

float Font::UnitsToPixels() const { return emSize_ / static_cast<float>(face_->UnitsPerEm()); }

bool Font::HasGlyph(std::uint8_t cp1250) const {
    const CharGlyph& c = face_->Char(cp1250);
    return c.drawn && c.inFont;
}

float Font::Measure(std::string_view cp1250) const {
    return static_cast<float>(face_->TextAdvance(cp1250)) * UnitsToPixels();
}

void Font::Layout(std::string_view cp1250, float x, float yTop, std::vector<GlyphQuad>& out) const {
    const float penStart = std::round(x);
    const float baseline = std::round(yTop + ascent_);
    const float scale = UnitsToPixels();
    const float atlasWidth = static_cast<float>(atlas_.width);
    const float atlasHeight = static_cast<float>(atlas_.height);
    long pen = 0;  // font units from the pen's start
    const CharGlyph* previous = nullptr;
    for (char ch : cp1250) {
        const auto byte = static_cast<std::uint8_t>(ch);
        const CharGlyph& c = face_->Char(byte);
        if (!c.drawn) continue;
        if (previous) pen += face_->Kerning(previous->glyph, c.glyph);
        previous = &c;
        const AtlasGlyph& g = glyphs_[byte];
        if (g.width > 0 && g.height > 0) {
            const float x0 = penStart + std::round(static_cast<float>(pen) * scale) + static_cast<float>(g.bearingX);
            const float y0 = baseline - static_cast<float>(g.bearingY);
            out.push_back({x0, y0, x0 + static_cast<float>(g.width), y0 + static_cast<float>(g.height),
                           static_cast<float>(g.x) / atlasWidth, static_cast<float>(g.y) / atlasHeight,
                           static_cast<float>(g.x + g.width) / atlasWidth,
                           static_cast<float>(g.y + g.height) / atlasHeight});
        }
        pen += c.advance;
    }
}

}  // namespace kr::text
