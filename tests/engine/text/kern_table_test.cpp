#include "engine/text/kern_table.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "engine/error.hpp"

namespace kr::text {
namespace {

using Table = std::vector<std::uint8_t>;

void Put16(Table& t, int v) {
    t.push_back(static_cast<std::uint8_t>(v >> 8));
    t.push_back(static_cast<std::uint8_t>(v));
}
void Put32(Table& t, std::uint32_t v) {
    Put16(t, static_cast<int>(v >> 16));
    Put16(t, static_cast<int>(v & 0xFFFF));
}

struct Pair {
    int left, right, value;
};

// The body of a format 0 subtable: count, search fields, pairs.
Table PairBody(const std::vector<Pair>& pairs) {
    Table t;
    Put16(t, static_cast<int>(pairs.size()));
    Put16(t, 6), Put16(t, 0), Put16(t, 0);
    for (const Pair& p : pairs) Put16(t, p.left), Put16(t, p.right), Put16(t, p.value);
    return t;
}

Table MicrosoftSubtable(int coverage, const Table& body) {
    Table t;
    Put16(t, 0), Put16(t, static_cast<int>(6 + body.size())), Put16(t, coverage);
    t.insert(t.end(), body.begin(), body.end());
    return t;
}

Table AppleSubtable(int coverage, const Table& body) {
    Table t;
    Put32(t, static_cast<std::uint32_t>(8 + body.size()));
    Put16(t, coverage), Put16(t, 0);
    t.insert(t.end(), body.begin(), body.end());
    return t;
}

Table MicrosoftTable(const std::vector<Table>& subtables) {
    Table t;
    Put16(t, 0), Put16(t, static_cast<int>(subtables.size()));
    for (const Table& s : subtables) t.insert(t.end(), s.begin(), s.end());
    return t;
}

Table AppleTable(const std::vector<Table>& subtables) {
    Table t;
    Put32(t, 0x00010000), Put32(t, static_cast<std::uint32_t>(subtables.size()));
    for (const Table& s : subtables) t.insert(t.end(), s.begin(), s.end());
    return t;
}

// A format 2 body after an 8-byte Apple header: left glyphs 10, 11 are rows
// 1, 2 and right glyphs 20, 21 columns 1, 2 of a 3 x 3 array whose row and
// column 0 (glyphs in no class) hold zeros; cell (r, c) holds 10r + c.
Table ClassBody() {
    const int header = 8, rowWidth = 6;
    const int left = header + 8, right = left + 8, array = right + 8;
    Table t;
    Put16(t, rowWidth), Put16(t, left), Put16(t, right), Put16(t, array);
    Put16(t, 10), Put16(t, 2), Put16(t, array + rowWidth), Put16(t, array + 2 * rowWidth);
    Put16(t, 20), Put16(t, 2), Put16(t, 2), Put16(t, 4);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) Put16(t, r == 0 || c == 0 ? 0 : -(10 * r + c));
    }
    return t;
}

TEST(KernTable, MicrosoftPairListIsSearchedWhateverItsOrder) {
    const KernTable kern(
        MicrosoftTable({MicrosoftSubtable(0x0001, PairBody({{36, 57, -152}, {3, 4, 20}, {36, 55, -100}}))}),
        "font.ttf");
    EXPECT_EQ(kern.Pair(36, 57), -152);
    EXPECT_EQ(kern.Pair(3, 4), 20);
    EXPECT_EQ(kern.Pair(36, 55), -100);
    EXPECT_EQ(kern.Pair(57, 36), 0);
}

TEST(KernTable, AppleClassArrayAndPairListAddUp) {
    const KernTable kern(AppleTable({AppleSubtable(0x0000, PairBody({{11, 21, -100}})),
                                     AppleSubtable(0x0002, ClassBody())}),
                         "play.ttf");
    EXPECT_EQ(kern.Pair(10, 20), -11);
    EXPECT_EQ(kern.Pair(10, 21), -12);
    EXPECT_EQ(kern.Pair(11, 20), -21);
    EXPECT_EQ(kern.Pair(11, 21), -122);
    EXPECT_EQ(kern.Pair(9, 20), 0);   // left glyph in no class
    EXPECT_EQ(kern.Pair(10, 22), 0);  // right glyph in no class
}

TEST(KernTable, VerticalAndCrossStreamSubtablesAreIgnored) {
    const Table pairs = PairBody({{1, 2, -50}});
    EXPECT_TRUE(KernTable(MicrosoftTable({MicrosoftSubtable(0x0000, pairs),
                                          MicrosoftSubtable(0x0005, pairs)}),
                          "a.ttf")
                    .Empty());
    EXPECT_TRUE(KernTable(AppleTable({AppleSubtable(0x8000, pairs), AppleSubtable(0x4000, pairs)}),
                          "b.ttf")
                    .Empty());
}

TEST(KernTable, DamagedTablesNameTheFont) {
    Table cut = AppleTable({AppleSubtable(0x0000, PairBody({{1, 2, -50}, {1, 3, -60}}))});
    cut.resize(cut.size() - 4);
    try {
        KernTable(cut, "cut.ttf");
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "cut.ttf");
        EXPECT_NE(std::string(e.what()).find("kern"), std::string::npos);
    }
    // A pair count promising more pairs than the subtable holds.
    Table lying = MicrosoftTable({MicrosoftSubtable(0x0001, PairBody({{1, 2, -50}}))});
    lying[4 + 6 + 1] = 9;
    EXPECT_THROW(KernTable(lying, "lying.ttf"), FileError);
    EXPECT_THROW(KernTable(Table{0, 7, 0, 0}, "version.ttf"), FileError);
    EXPECT_THROW(KernTable(Table{0, 0}, "short.ttf"), FileError);
}

TEST(KernTable, ClassOffsetsPointingOutsideTheSubtableReadAsNoKerning) {
    Table body = ClassBody();
    body[12] = 0x7F;  // left row offset of glyph 10 far past the end
    const KernTable kern(AppleTable({AppleSubtable(0x0002, body)}), "odd.ttf");
    EXPECT_EQ(kern.Pair(10, 21), 0);
    EXPECT_EQ(kern.Pair(11, 21), -22);
}

}  // namespace
}  // namespace kr::text
