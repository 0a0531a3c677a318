#include "engine/text/cp1250.hpp"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "engine/error.hpp"

namespace kr::text {
namespace {

const std::string kPolishUtf8 = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
const std::string kPolishCp1250 =
    "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";

bool IsUndefined(int byte) {
    return byte == 0x81 || byte == 0x83 || byte == 0x88 || byte == 0x90 || byte == 0x98;
}

std::string ThrownMessage(std::string_view utf8) {
    try {
        Utf8ToCp1250(utf8);
    } catch (const Error& e) {
        return e.what();
    }
    return "(nothing thrown)";
}

TEST(Cp1250, PolishLettersConvertBothWays) {
    EXPECT_EQ(Utf8ToCp1250(kPolishUtf8), kPolishCp1250);
    EXPECT_EQ(Cp1250ToUtf8(kPolishCp1250), kPolishUtf8);
    EXPECT_EQ(Cp1250ToUnicode(0xA3), U'Ł');
    EXPECT_EQ(Cp1250ToUnicode(0x9F), U'ź');
}

TEST(Cp1250, AsciiIncludingControlCodesPassesUnchanged) {
    std::string ascii;
    for (int b = 0; b < 0x80; ++b) ascii.push_back(static_cast<char>(b));
    EXPECT_EQ(Cp1250ToUtf8(ascii), ascii);
    EXPECT_EQ(Utf8ToCp1250(ascii), ascii);
    EXPECT_EQ(Utf8ToCp1250(""), "");
}

// glibc's converter is an independent copy of the code page's table.
TEST(Cp1250, EveryDefinedByteMatchesTheSystemTableAndRoundTrips) {
    iconv_t cd = iconv_open("UTF-8", "CP1250");
    if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP1250 in iconv";
    for (int b = 0x80; b < 0x100; ++b) {
        if (IsUndefined(b)) continue;
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1)) << b;
        const std::string expected(out, outPtr);
        const std::string single(1, static_cast<char>(b));
        EXPECT_EQ(Cp1250ToUtf8(single), expected) << "byte " << b;
        EXPECT_EQ(Utf8ToCp1250(expected), single) << "byte " << b;
    }
    iconv_close(cd);
}

TEST(Cp1250, UndefinedBytesGiveReplacementCharacterOneWay) {
    for (int b : {0x81, 0x83, 0x88, 0x90, 0x98}) {
        EXPECT_EQ(Cp1250ToUnicode(static_cast<std::uint8_t>(b)), U'\uFFFD');
        EXPECT_EQ(Cp1250ToUtf8(std::string(1, static_cast<char>(b))), "\xEF\xBF\xBD");
    }
    EXPECT_THROW(Utf8ToCp1250("\xEF\xBF\xBD"), Error);
}

TEST(Cp1250, CharacterOutsideTheCodePageIsNamed) {
    const std::string message = ThrownMessage("ma\xC3\xB1" "ana");  // "mañana"
    EXPECT_NE(message.find("U+00F1"), std::string::npos) << message;
    EXPECT_NE(message.find("offset 2"), std::string::npos) << message;
    EXPECT_THROW(Utf8ToCp1250("\xE4\xB8\xAD"), Error);      // CJK
    EXPECT_THROW(Utf8ToCp1250("\xF0\x9F\x98\x80"), Error);  // emoji
}

TEST(Cp1250, MalformedUtf8IsRejected) {
    const char* cases[] = {
        "a\x80",              // stray continuation byte
        "\xC4",               // truncated at the end
        "\xC4" "a",           // lead byte without continuation
        "\xC0\xAF",           // overlong '/'
        "\xE0\x80\xAF",       // overlong, three bytes
        "\xED\xA0\x80",       // surrogate
        "\xF4\x90\x80\x80",   // above U+10FFFF
        "\xF8\x88\x80\x80\x80",
        "\xFF",
    };
    for (const char* bad : cases) {
        const std::string message = ThrownMessage(bad);
        EXPECT_NE(message.find("malformed UTF-8"), std::string::npos) << message;
    }
    EXPECT_NE(ThrownMessage("ok\xC4").find("offset 2"), std::string::npos);
}

}  // namespace
}  // namespace kr::text
