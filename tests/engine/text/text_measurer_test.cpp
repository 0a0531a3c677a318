#include "engine/text/text_measurer.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/error.hpp"
#include "engine/text/font_files.hpp"

namespace kr::text {
namespace {

using namespace kr::text::testing;

// "Zażółć gęślą jaźń" and the capitals, in Windows-1250.
const std::string kPolishText = "Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1";
const std::string kPolishCapitals = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";

// Measured at an em of unitsPerEm pixels a width is in font units, so the
// fonts' own numbers can be checked exactly.
TEST(TextMeasurer, LiberationSansAdvancesAndKerningInFontUnits) {
    const TextMeasurer sans(FontBytes(kSansRegular), kSansRegular);
    EXPECT_FLOAT_EQ(sans.Measure(2048, "A"), 1366);
    EXPECT_FLOAT_EQ(sans.Measure(2048, "V"), 1366);
    EXPECT_FLOAT_EQ(sans.Measure(2048, "AV"), 2580);
    EXPECT_FLOAT_EQ(sans.Measure(2048, "To"), 2163);
    EXPECT_FLOAT_EQ(sans.Measure(2048, "0123456789"), 11390);
}

// Play keeps its kerning in an Apple-format 'kern' table (a pair list and a
// class array) that FreeType's own kerning does not read.
TEST(TextMeasurer, PlayKerningComesFromItsAppleKernTable) {
    const TextMeasurer play(FontBytes(kPlayRegular), kPlayRegular);
    EXPECT_FLOAT_EQ(play.Measure(1000, "A") + play.Measure(1000, "V"), 1304);
    EXPECT_FLOAT_EQ(play.Measure(1000, "AV"), 1254);
    EXPECT_FLOAT_EQ(play.Measure(1000, "To"), 1053);
    EXPECT_FLOAT_EQ(play.Measure(1000, "LT"), 955);
    EXPECT_FLOAT_EQ(play.Measure(1000, "\xA3T"), 975);  // "ŁT"
}

TEST(TextMeasurer, FontWithoutKerningJustAddsAdvances) {
    const TextMeasurer mono(FontBytes(kMonoRegular), kMonoRegular);
    EXPECT_FLOAT_EQ(mono.Measure(20, "AV"), mono.Measure(20, "A") + mono.Measure(20, "V"));
    EXPECT_FLOAT_EQ(mono.Measure(20, "To"), mono.Measure(20, "T") + mono.Measure(20, "o"));
}

// Splitting a text anywhere: the parts add up, plus the kerning of the pair
// that was cut apart.
TEST(TextMeasurer, WidthIsSumOfPartsPlusKerningAtTheCut) {
    for (const std::string& path : {kPlayRegular, kSansRegular, kSansBold}) {
        const TextMeasurer m(FontBytes(path), path);
        const std::string text = "AVATAR To LT " + kPolishText;
        for (std::size_t cut = 1; cut < text.size(); ++cut) {
            const std::string a = text.substr(0, cut), b = text.substr(cut);
            const std::string pair = text.substr(cut - 1, 2);
            const float kern = m.Measure(1000, pair) - m.Measure(1000, pair.substr(0, 1)) -
                               m.Measure(1000, pair.substr(1));
            EXPECT_NEAR(m.Measure(1000, text), m.Measure(1000, a) + m.Measure(1000, b) + kern, 1e-3)
                << path << " cut " << cut;
        }
    }
}

TEST(TextMeasurer, ScalesLinearlyAndEmptyIsZero) {
    const TextMeasurer play(FontBytes(kPlayBold), kPlayBold);
    EXPECT_EQ(play.Measure(22, ""), 0);
    EXPECT_EQ(play.Measure(22, "\x01\x1F\x7F"), 0);  // control codes draw nothing
    EXPECT_EQ(play.Measure(0, kPolishText), 0);
    const float at10 = play.Measure(10, kPolishText);
    EXPECT_GT(at10, 0);
    EXPECT_NEAR(play.Measure(82.5f, kPolishText), at10 * 8.25f, 1e-3);
    EXPECT_THROW(play.Measure(-1, "A"), Error);
    EXPECT_THROW(play.Measure(NAN, "A"), Error);
}

TEST(TextMeasurer, OneOffFormMatchesTheMeasurer) {
    const Bytes& bytes = FontBytes(kPlayBold);
    EXPECT_FLOAT_EQ(MeasureTextAtEm(bytes, 29.3f, kPolishText),
                    TextMeasurer(bytes, kPlayBold).Measure(29.3f, kPolishText));
    EXPECT_EQ(MeasureTextAtEm(bytes, 29.3f, ""), 0);
}

TEST(TextMeasurer, BoldIsWiderThanRegular) {
    for (const std::string& text : {kPolishText, kPolishCapitals, std::string("Hello World")}) {
        EXPECT_GT(MeasureTextAtEm(FontBytes(kPlayBold), 22, text),
                  MeasureTextAtEm(FontBytes(kPlayRegular), 22, text));
        EXPECT_GT(MeasureTextAtEm(FontBytes(kSansBold), 22, text),
                  MeasureTextAtEm(FontBytes(kSansRegular), 22, text));
    }
}

TEST(TextMeasurer, BadFontBytesNameTheFile) {
    Bytes garbage(4000);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (const Bytes& bad : {garbage, Bytes{}, Bytes(FontBytes(kSansRegular).begin(),
                                                     FontBytes(kSansRegular).begin() + 300)}) {
        try {
            TextMeasurer(bad, "Fonts\\broken.ttf");
            ADD_FAILURE() << "no error for " << bad.size() << " bytes";
        } catch (const FileError& e) {
            EXPECT_EQ(e.file(), "Fonts\\broken.ttf");
        }
    }
}

}  // namespace
}  // namespace kr::text
