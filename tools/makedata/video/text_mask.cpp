#include "video/text_mask.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/error.hpp"

namespace kr::video {
namespace {

constexpr int kMeasureSize = 100;  // pixels per em of the measuring pass

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

struct PlacedGlyph {
    int x, y;  // top-left of the bitmap relative to the pen origin
    int width, height;
    std::vector<unsigned char> coverage;
};

// Lays the text out at `pixelsPerEm` from pen origin (0, 0) on the baseline.
std::vector<PlacedGlyph> SetText(FT_Face face, const std::string& fontName, std::string_view text, int pixelsPerEm,
                                 float trackingEm) {
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelsPerEm)) != 0) {
        throw FileError(fontName, "cannot be set to " + std::to_string(pixelsPerEm) + " pixels");
    }
    std::vector<PlacedGlyph> glyphs;
    double pen = 0.0;
    for (char c : text) {
        if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER | FT_LOAD_NO_BITMAP) != 0) {
            throw FileError(fontName, std::string("has no renderable glyph for '") + c + "'");
        }
        const FT_GlyphSlot slot = face->glyph;
        PlacedGlyph glyph{static_cast<int>(std::lround(pen)) + slot->bitmap_left, -slot->bitmap_top,
                          static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows), {}};
        for (int row = 0; row < glyph.height; ++row) {
            const unsigned char* src = slot->bitmap.buffer + static_cast<std::ptrdiff_t>(row) * slot->bitmap.pitch;
            glyph.coverage.insert(glyph.coverage.end(), src, src + glyph.width);
        }
        glyphs.push_back(std::move(glyph));
        pen += slot->advance.x / 64.0 + trackingEm * pixelsPerEm;
    }
    return glyphs;
}

Box InkExtent(const std::vector<PlacedGlyph>& glyphs) {
    Box box{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    for (const auto& g : glyphs) {
        if (g.width == 0 || g.height == 0) continue;
        box.x0 = std::min(box.x0, g.x);
        box.y0 = std::min(box.y0, g.y);
        box.x1 = std::max(box.x1, g.x + g.width);
        box.y1 = std::max(box.y1, g.y + g.height);
    }
    return box;
}

}  // namespace

Plane RenderText(const Bytes& ttf, const std::string& fontName, std::string_view text, int width, int height,
                 const TextPlacement& placement) {
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) throw Error("FreeType cannot be initialised");
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Memory_Face(library.get(), ttf.data(), static_cast<FT_Long>(ttf.size()), 0, &rawFace) != 0) {
        throw FileError(fontName, "is not a readable font");
    }
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);

    // Measure at a reference size, then set at the size that gives the ink width.
    const Box measured = InkExtent(SetText(face.get(), fontName, text, kMeasureSize, placement.trackingEm));
    if (measured.Width() <= 0) throw FileError(fontName, "draws nothing for the text");
    const int size = std::clamp(static_cast<int>(std::lround(kMeasureSize * placement.inkWidth / measured.Width())), 4, 2000);
    const auto glyphs = SetText(face.get(), fontName, text, size, placement.trackingEm);
    const Box ink = InkExtent(glyphs);
    const int offsetX = static_cast<int>(std::lround(placement.centreX - ink.Width() / 2.0f)) - ink.x0;
    const int offsetY = static_cast<int>(std::lround(placement.centreY - ink.Height() / 2.0f)) - ink.y0;

    Plane plane(width, height);
    for (const auto& g : glyphs) {
        for (int row = 0; row < g.height; ++row) {
            for (int col = 0; col < g.width; ++col) {
                const int x = g.x + col + offsetX, y = g.y + row + offsetY;
                if (x < 0 || y < 0 || x >= width || y >= height) continue;
                const float value = g.coverage[static_cast<std::size_t>(row) * g.width + col] / 255.0f;
                plane.At(x, y) = std::max(plane.At(x, y), value);
            }
        }
    }
    return plane;
}

}  // namespace kr::video
