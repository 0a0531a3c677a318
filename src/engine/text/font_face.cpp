#include "engine/text/font_face.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include FT_ADVANCES_H

#include <vector>

#include "engine/error.hpp"
#include "engine/text/cp1250.hpp"

namespace kr::text {
namespace {

bool IsControlCode(std::uint8_t byte) { return byte < 0x20 || byte == 0x7F; }

std::uint32_t ReadU32(const Bytes& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 |
           b[at + 3];
}

// FreeType reads a glyph cut off by the file's end as an empty glyph, so a
// truncated file would load and draw blanks: check that every table the
// directory lists lies inside the file.
void CheckTablesInsideFile(const Bytes& b, const std::string& name) {
    std::size_t directory = 0;
    if (b.size() >= 16 && ReadU32(b, 0) == 0x74746366) directory = ReadU32(b, 12);  // 'ttcf'
    if (directory > b.size() || b.size() - directory < 12) return;  // FreeType rejects it
    const std::size_t count = std::size_t{b[directory + 4]} << 8 | b[directory + 5];
    if (directory + 12 + count * 16 > b.size()) throw FileError(name, "font table directory is cut short");
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t record = directory + 12 + i * 16;
        const std::uint64_t end = std::uint64_t{ReadU32(b, record + 8)} + ReadU32(b, record + 12);
        if (end > b.size()) {
            const std::string tag(reinterpret_cast<const char*>(&b[record]), 4);
            throw FileError(name, "font table '" + tag + "' runs past the end of the file (" +
                                      std::to_string(b.size()) + " bytes)");
        }
    }
}

}  // namespace

FontFace::FontFace(const Bytes& ttf, std::string nameForErrors)
    : name_(std::move(nameForErrors)), bytes_(ttf) {
    if (FT_Init_FreeType(&library_) != 0) throw Error(name_ + ": FreeType failed to start");
    if (bytes_.empty()) {
        FT_Done_FreeType(library_);
        throw FileError(name_, "font file is empty");
    }
    const FT_Error error = FT_New_Memory_Face(library_, bytes_.data(),
                                              static_cast<FT_Long>(bytes_.size()), 0, &face_);
    try {
        if (error != 0) {
            throw FileError(name_, "not a font FreeType can read (FreeType error " +
                                       std::to_string(error) + ")");
        }
        if (!FT_IS_SFNT(face_) || !FT_IS_SCALABLE(face_)) {
            throw FileError(name_, "not a scalable TrueType/OpenType font");
        }
        CheckTablesInsideFile(bytes_, name_);
        if (FT_Select_Charmap(face_, FT_ENCODING_UNICODE) != 0) {
            throw FileError(name_, "font has no Unicode character map");
        }
        unitsPerEm_ = face_->units_per_EM;
        ReadVerticalMetrics();
        ReadKerning();
        MapCharacters();
    } catch (...) {
        if (face_) FT_Done_Face(face_);
        FT_Done_FreeType(library_);
        throw;
    }
}

FontFace::~FontFace() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
}

// The cell is what Windows sizes a font by: winAscent + winDescent from the
// OS/2 table, or the hhea ascender and descender where OS/2 has none.
void FontFace::ReadVerticalMetrics() {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        cellAscent_ = os2->usWinAscent;
        cellDescent_ = os2->usWinDescent;
        return;
    }
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
    if (hhea && hhea->Ascender - hhea->Descender > 0) {
        cellAscent_ = hhea->Ascender;
        cellDescent_ = -hhea->Descender;
        return;
    }
    throw FileError(name_, "font has no vertical metrics (OS/2 winAscent/winDescent or hhea)");
}

void FontFace::ReadKerning() {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face_, TTAG_kern, 0, nullptr, &length) != 0 || length == 0) return;
    std::vector<std::uint8_t> table(length);
    if (FT_Load_Sfnt_Table(face_, TTAG_kern, 0, table.data(), &length) != 0) {
        throw FileError(name_, "'kern' table cannot be read");
    }
    kern_ = KernTable(table, name_);
}

void FontFace::MapCharacters() {
    for (int byte = 0; byte < 256; ++byte) {
        CharGlyph& c = chars_[byte];
        if (IsControlCode(static_cast<std::uint8_t>(byte))) continue;
        c.drawn = true;
        c.glyph = static_cast<std::uint16_t>(
            FT_Get_Char_Index(face_, Cp1250ToUnicode(static_cast<std::uint8_t>(byte))));
        c.inFont = c.glyph != 0;
        FT_Fixed advance = 0;
        if (FT_Get_Advance(face_, c.glyph, FT_LOAD_NO_SCALE, &advance) != 0) {
            throw FileError(name_, "no advance width for glyph " + std::to_string(c.glyph));
        }
        c.advance = static_cast<int>(advance);
    }
}

long FontFace::TextAdvance(std::string_view cp1250) const {
    long sum = 0;
    const CharGlyph* previous = nullptr;
    for (char ch : cp1250) {
        const CharGlyph& c = chars_[static_cast<std::uint8_t>(ch)];
        if (!c.drawn) continue;
        if (previous) sum += kern_.Pair(previous->glyph, c.glyph);
        sum += c.advance;
        previous = &c;
    }
    return sum;
}

}  // namespace kr::text
