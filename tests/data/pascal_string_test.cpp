#include "data/pascal_string.hpp"

#include <gtest/gtest.h>

namespace kr {
namespace {

TEST(PascalString, AssignCutsToCapacityAndKeepsTheBytesPastTheText) {
    PascalString<5> text;
    text.Assign("abcdefgh");
    EXPECT_EQ(text.View(), "abcde");
    text.Assign("xy");
    EXPECT_EQ(text.View(), "xy");
    const auto& bytes = text.Bytes();
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.end()), "xycde");
}

TEST(PascalString, LengthByteAboveCapacityIsCutOnReading) {
    std::array<std::uint8_t, 6> image{250, 'a', 'b', 'c', 'd', 'e'};
    PascalString<5> text;
    text.ReadBytes(image);
    EXPECT_EQ(text.View(), "abcde");
    std::array<std::uint8_t, 6> written{};
    text.WriteBytes(written);
    EXPECT_EQ(written[0], 5);
}

TEST(PascalString, AnyByteIsKeptAsIs) {
    using namespace std::string_view_literals;
    PascalString<8> text("a\0\xFF\r\n"sv);
    EXPECT_EQ(text.Length(), 5u);
    EXPECT_EQ(text.View(), "a\0\xFF\r\n"sv);
    EXPECT_TRUE(text == "a\0\xFF\r\n"sv);
    EXPECT_TRUE(text == std::string("a\0\xFF\r\n"sv));
    EXPECT_FALSE(text == "a");
}

}  // namespace
}  // namespace kr
