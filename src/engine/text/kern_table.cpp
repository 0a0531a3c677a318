#include "engine/text/kern_table.hpp"

#include <algorithm>

#include "engine/error.hpp"

namespace kr::text {
namespace {

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{U16(b, at)} << 16 | U16(b, at + 2);
}

void Require(bool ok, const std::string& name, const std::string& what) {
    if (!ok) throw FileError(name, "'kern' table: " + what);
}

// Looks a glyph up in an Apple-style class table (first glyph, count, values);
// glyphs outside it have class value 0.
std::size_t ClassOf(std::span<const std::uint8_t> sub, std::size_t table, std::uint16_t glyph) {
    if (table + 4 > sub.size()) return 0;
    const std::uint16_t first = U16(sub, table);
    const std::uint16_t count = U16(sub, table + 2);
    if (glyph < first || glyph - first >= count) return 0;
    const std::size_t at = table + 4 + 2 * std::size_t(glyph - first);
    return at + 2 <= sub.size() ? U16(sub, at) : 0;
}

}  // namespace

KernTable::KernTable(std::span<const std::uint8_t> table, const std::string& name) {
    Require(table.size() >= 4, name, "shorter than its header");
    // Microsoft: u16 version 0, u16 count, subtables with a 6-byte header
    // (u16 version, u16 length, u16 coverage: bit 0 horizontal, bit 1
    // minimum, bit 2 cross-stream, high byte format).
    // Apple: u32 version 0x00010000, u32 count, subtables with an 8-byte
    // header (u32 length, u16 coverage: 0x8000 vertical, 0x4000
    // cross-stream, 0x2000 variation, low byte format; u16 tuple index).
    const bool apple = U16(table, 0) == 1;
    Require(apple || U16(table, 0) == 0, name, "unknown version " + std::to_string(U16(table, 0)));
    Require(!apple || table.size() >= 8, name, "shorter than its header");
    const std::uint32_t count = apple ? U32(table, 4) : U16(table, 2);
    std::size_t at = apple ? 8 : 4;
    const std::size_t headerSize = apple ? 8 : 6;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string which = "subtable " + std::to_string(i);
        Require(at + headerSize <= table.size(), name, which + " runs past the table's end");
        std::size_t length = apple ? U32(table, at) : U16(table, at + 2);
        const std::uint16_t coverage = U16(table, at + 4);
        // A Microsoft subtable's 16-bit length overflows for big pair lists;
        // the last subtable then simply takes the rest of the table.
        if (!apple && i + 1 == count) length = std::max(length, table.size() - at);
        Require(length >= headerSize && at + length <= table.size(), name,
                which + " runs past the table's end");
        const bool horizontal =
            apple ? (coverage & 0xE000) == 0 : (coverage & 0x0007) == 0x0001;
        const int format = apple ? (coverage & 0xFF) : (coverage >> 8);
        if (horizontal) AddSubtable(table.subspan(at, length), headerSize, format, name + " " + which);
        at += length;
    }
    std::stable_sort(pairs_.begin(), pairs_.end(),
                     [](const PairValue& a, const PairValue& b) { return a.key < b.key; });
    // Subtables add up: merge equal keys into one entry.
    std::vector<PairValue> merged;
    for (const PairValue& p : pairs_) {
        if (!merged.empty() && merged.back().key == p.key) {
            merged.back().value = static_cast<std::int16_t>(merged.back().value + p.value);
        } else {
            merged.push_back(p);
        }
    }
    pairs_ = std::move(merged);
}

void KernTable::AddSubtable(std::span<const std::uint8_t> sub, std::size_t headerSize, int format,
                            const std::string& name) {
    if (format == 0) AddPairs(sub, headerSize, name);
    if (format == 2) AddClasses(sub, headerSize, name);
    // Other formats (Apple state tables and index arrays) are not used by
    // the fonts we ship; they are skipped.
}

void KernTable::AddPairs(std::span<const std::uint8_t> sub, std::size_t headerSize,
                         const std::string& name) {
    // u16 pair count, three u16 search fields, then (u16 left, u16 right,
    // i16 value) per pair.
    Require(headerSize + 8 <= sub.size(), name, "pair list header is cut short");
    const std::size_t count = U16(sub, headerSize);
    const std::size_t first = headerSize + 8;
    Require(first + count * 6 <= sub.size(), name, "pair list runs past its subtable");
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = first + i * 6;
        pairs_.push_back({U32(sub, at), static_cast<std::int16_t>(U16(sub, at + 4))});
    }
}

void KernTable::AddClasses(std::span<const std::uint8_t> sub, std::size_t headerSize,
                           const std::string& name) {
    // u16 row width, then offsets from the subtable's start to the left and
    // right class tables and to the value array. A left class value is the
    // byte offset of its row, a right class value the byte offset within the
    // row, so the value lies at left + right from the subtable's start.
    Require(headerSize + 8 <= sub.size(), name, "class header is cut short");
    ClassSubtable c{{sub.begin(), sub.end()},
                    U16(sub, headerSize + 2),
                    U16(sub, headerSize + 4),
                    U16(sub, headerSize + 6)};
    Require(c.leftClasses + 4 <= sub.size() && c.rightClasses + 4 <= sub.size() &&
                c.array <= sub.size(),
            name, "class tables lie outside the subtable");
    classSubtables_.push_back(std::move(c));
}

int KernTable::ClassValue(const ClassSubtable& c, std::uint16_t left, std::uint16_t right) {
    const std::span<const std::uint8_t> sub(c.bytes);
    const std::size_t at = ClassOf(sub, c.leftClasses, left) + ClassOf(sub, c.rightClasses, right);
    // Class value 0 (a glyph in no class) points into the header: no kerning.
    if (at < c.array || at + 2 > sub.size()) return 0;
    return static_cast<std::int16_t>(U16(sub, at));
}

int KernTable::Pair(std::uint16_t left, std::uint16_t right) const {
    int sum = 0;
    const std::uint32_t key = std::uint32_t{left} << 16 | right;
    const auto it = std::lower_bound(pairs_.begin(), pairs_.end(), key,
                                     [](const PairValue& p, std::uint32_t k) { return p.key < k; });
    if (it != pairs_.end() && it->key == key) sum += it->value;
    for (const ClassSubtable& c : classSubtables_) sum += ClassValue(c, left, right);
    return sum;
}

}  // namespace kr::text
