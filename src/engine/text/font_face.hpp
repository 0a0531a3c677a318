#pragma once
// A TrueType/OpenType face opened with FreeType from font bytes, with the
// unscaled metrics that measuring and layout share: per Windows-1250 byte its
// glyph and advance, pair kerning and the character cell's vertical extent,
// all in font units.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/game_folder.hpp"
#include "engine/text/kern_table.hpp"

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace kr::text {

// One Windows-1250 byte as the face draws it.
struct CharGlyph {
    bool drawn = false;         // false for control codes, which are skipped
    bool inFont = false;        // false when the face falls back to .notdef
    std::uint16_t glyph = 0;    // glyph index; 0 is .notdef
    int advance = 0;            // font units
};

class FontFace {
public:
    // Throws FileError(nameForErrors, ...) for bytes that are not a scalable
    // font with a Unicode character map and vertical metrics.
    FontFace(const Bytes& ttf, std::string nameForErrors);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const std::string& Name() const { return name_; }
    int UnitsPerEm() const { return unitsPerEm_; }
    // The cell above and below the baseline, both positive.
    int CellAscent() const { return cellAscent_; }
    int CellDescent() const { return cellDescent_; }

    const CharGlyph& Char(std::uint8_t cp1250) const { return chars_[cp1250]; }
    int Kerning(std::uint16_t left, std::uint16_t right) const { return kern_.Pair(left, right); }
    // The advance of a whole text including kerning; control codes are skipped.
    long TextAdvance(std::string_view cp1250) const;

    FT_FaceRec_* Handle() const { return face_; }

private:
    void ReadVerticalMetrics();
    void ReadKerning();
    void MapCharacters();

    std::string name_;
    Bytes bytes_;  // FreeType reads from here for the face's lifetime
    FT_LibraryRec_* library_ = nullptr;
    FT_FaceRec_* face_ = nullptr;
    int unitsPerEm_ = 0;
    int cellAscent_ = 0;
    int cellDescent_ = 0;
    KernTable kern_;
    std::array<CharGlyph, 256> chars_{};
};

}  // namespace kr::text
