#pragma once
// Horizontal pair kerning from a TrueType font's legacy 'kern' table, in font
// units. Both the Microsoft layout (version 0) and Apple's (version 1) are
// read, with their pair-list (format 0) and class-array (format 2) subtables;
// vertical, cross-stream and variation subtables are ignored. FreeType's own
// kerning reads only Microsoft format 0, which misses e.g. Play's kerning.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kr::text {

class KernTable {
public:
    KernTable() = default;
    // `table` is the raw 'kern' table; throws FileError(nameForErrors, ...)
    // when a subtable runs past the table's end.
    KernTable(std::span<const std::uint8_t> table, const std::string& nameForErrors);

    bool Empty() const { return pairs_.empty() && classSubtables_.empty(); }
    // The sum over all subtables of the adjustment between two glyphs.
    int Pair(std::uint16_t left, std::uint16_t right) const;

private:
    struct PairValue {
        std::uint32_t key;  // left << 16 | right
        std::int16_t value;
    };
    // A format 2 subtable, kept as bytes and looked up on demand.
    struct ClassSubtable {
        std::vector<std::uint8_t> bytes;  // from the subtable header on
        std::size_t leftClasses;
        std::size_t rightClasses;
        std::size_t array;
    };

    void AddSubtable(std::span<const std::uint8_t> subtable, std::size_t headerSize,
                     int format, const std::string& nameForErrors);
    void AddPairs(std::span<const std::uint8_t> subtable, std::size_t headerSize,
                  const std::string& nameForErrors);
    void AddClasses(std::span<const std::uint8_t> subtable, std::size_t headerSize,
                    const std::string& nameForErrors);
    static int ClassValue(const ClassSubtable& sub, std::uint16_t left, std::uint16_t right);

    std::vector<PairValue> pairs_;  // sorted by key, equal keys summed
    std::vector<ClassSubtable> classSubtables_;
};

}  // namespace kr::text
