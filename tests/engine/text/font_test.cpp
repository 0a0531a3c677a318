#include "engine/text/font.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/error.hpp"
#include "engine/text/font_files.hpp"
#include "engine/text/text_measurer.hpp"

namespace kr::text {
namespace {

using namespace kr::text::testing;

const std::string kPolishLetters = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
const std::string kBaseLetters = "acelnoszzACELNOSZZ";
// "Zażółć gęślą jaźń"
const std::string kPolishText = "Za\xBF\xF3\xB3\xE6 g\xEA\x9C\x6C\xB9 ja\x9F\xF1";

std::vector<GlyphQuad> LayOut(const Font& font, std::string_view text, float x = 0, float y = 0) {
    std::vector<GlyphQuad> quads;
    font.Layout(text, x, y, quads);
    return quads;
}

// The atlas pixels a quad samples.
struct AtlasRect {
    int x, y, width, height;
};
AtlasRect RectOf(const Font& font, const GlyphQuad& q) {
    const image::Image& a = font.Atlas();
    return {static_cast<int>(std::lround(q.u0 * a.width)), static_cast<int>(std::lround(q.v0 * a.height)),
            static_cast<int>(std::lround((q.u1 - q.u0) * a.width)),
            static_cast<int>(std::lround((q.v1 - q.v0) * a.height))};
}

int CoverageSum(const Font& font, const AtlasRect& r) {
    int sum = 0;
    for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) sum += font.Atlas().Pixel(x, y)[3];
    }
    return sum;
}

std::vector<std::uint8_t> Pixels(const Font& font, const AtlasRect& r) {
    std::vector<std::uint8_t> out;
    for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) out.push_back(font.Atlas().Pixel(x, y)[3]);
    }
    return out;
}

bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

TEST(Font, EveryPolishLetterHasItsOwnGlyphInBothFamilies) {
    for (const std::string& path : {kPlayRegular, kPlayBold, kSansRegular, kSansBold}) {
        const Font font(FontBytes(path), 22, path);
        for (std::size_t i = 0; i < kPolishLetters.size(); ++i) {
            const auto letter = static_cast<std::uint8_t>(kPolishLetters[i]);
            EXPECT_TRUE(font.HasGlyph(letter)) << path << " byte " << int{letter};
            const auto quads = LayOut(font, kPolishLetters.substr(i, 1));
            const auto base = LayOut(font, kBaseLetters.substr(i, 1));
            ASSERT_EQ(quads.size(), 1u) << path << " byte " << int{letter};
            ASSERT_EQ(base.size(), 1u);
            const AtlasRect r = RectOf(font, quads[0]);
            EXPECT_GT(CoverageSum(font, r), 255) << path << " byte " << int{letter};
            EXPECT_NE(Pixels(font, r), Pixels(font, RectOf(font, base[0])))
                << path << " byte " << int{letter} << " draws as its base letter";
        }
    }
}

TEST(Font, ControlCodesHaveNoGlyphAndDrawNothing) {
    const Font font(FontBytes(kSansRegular), 16, kSansRegular);
    EXPECT_FALSE(font.HasGlyph('\n'));
    EXPECT_FALSE(font.HasGlyph(0x7F));
    EXPECT_TRUE(font.HasGlyph('A'));
    EXPECT_TRUE(LayOut(font, "\x01\t\n\x7F").empty());
    EXPECT_EQ(font.Measure("\x01\t\n\x7F"), 0);
}

TEST(Font, CellHeightDeterminesAscentDescentAndEm) {
    // Liberation Sans: 2048 units per em, winAscent 1854, winDescent 434.
    // Play Bold: 1000 units per em, winAscent 932, winDescent 220.
    for (float cell : {10.0f, 22.0f, 42.5f, 82.0f}) {
        const Font sans(FontBytes(kSansRegular), cell, kSansRegular);
        EXPECT_FLOAT_EQ(sans.CellHeight(), cell);
        EXPECT_FLOAT_EQ(sans.Ascent() + sans.Descent(), cell);
        EXPECT_NEAR(sans.Ascent(), cell * 1854 / 2288, 1e-4);
        EXPECT_NEAR(sans.EmSize(), cell * 2048 / 2288, 1e-4);
        const Font play(FontBytes(kPlayBold), cell, kPlayBold);
        EXPECT_NEAR(play.Ascent(), cell * 932 / 1152, 1e-4);
        EXPECT_NEAR(play.EmSize(), cell * 1000 / 1152, 1e-4);
    }
}

TEST(Font, GlyphsStayInsideTheCell) {
    // Some fonts let rarer accents (Liberation Sans Bold's ring on U) rise
    // above the cell; the letters of the game's languages stay inside.
    const std::string tallAndDeep = kPolishLetters + "AZgjpqy";
    for (const std::string& path : {kPlayRegular, kPlayBold, kSansRegular, kSansBold}) {
        for (float cell : {10.0f, 22.0f, 62.0f}) {
            const Font font(FontBytes(path), cell, path);
            // The baseline snaps to a whole pixel; hinting may lift an accent
            // by half a pixel and the picture covers partial pixels.
            const float baseline = std::round(100.3f + font.Ascent());
            for (const GlyphQuad& q : LayOut(font, tallAndDeep, 5, 100.3f)) {
                EXPECT_GE(q.y0, baseline - font.Ascent() - 1.5f) << path << " cell " << cell;
                EXPECT_LE(q.y1, baseline + font.Descent() + 1.5f) << path << " cell " << cell;
            }
        }
    }
}

TEST(Font, QuadsMapAtlasTexelsOneToOneOnWholePixels) {
    const Font font(FontBytes(kPlayBold), 42, kPlayBold);
    const auto quads = LayOut(font, kPolishText, 10.4f, 20.6f);
    ASSERT_EQ(quads.size(), kPolishText.size() - 2);  // two spaces draw nothing
    const image::Image& atlas = font.Atlas();
    for (const GlyphQuad& q : quads) {
        EXPECT_EQ(q.x0, std::round(q.x0));
        EXPECT_EQ(q.y0, std::round(q.y0));
        EXPECT_GE(q.u0, 0);
        EXPECT_LE(q.u1, 1);
        EXPECT_GE(q.v0, 0);
        EXPECT_LE(q.v1, 1);
        EXPECT_LT(q.u0, q.u1);
        EXPECT_LT(q.v0, q.v1);
        EXPECT_FLOAT_EQ((q.u1 - q.u0) * atlas.width, q.x1 - q.x0);
        EXPECT_FLOAT_EQ((q.v1 - q.v0) * atlas.height, q.y1 - q.y0);
    }
    // The pen start snaps to the nearest whole pixel.
    const auto at10 = LayOut(font, kPolishText, 10, 21);
    const auto at11 = LayOut(font, kPolishText, 10.6f, 21);
    for (std::size_t i = 0; i < quads.size(); ++i) {
        EXPECT_EQ(quads[i].x0, at10[i].x0);
        EXPECT_EQ(at11[i].x0, at10[i].x0 + 1);
    }
}

TEST(Font, LayoutFollowsMeasuredAdvancesAndKerning) {
    for (const std::string& path : {kPlayRegular, kSansRegular}) {
        const Font font(FontBytes(path), 62, path);
        const GlyphQuad alone = LayOut(font, "V")[0];
        const auto pair = LayOut(font, "AV");
        ASSERT_EQ(pair.size(), 2u);
        const float penOfV = font.Measure("AV") - font.Measure("V");
        EXPECT_LT(penOfV, font.Measure("A")) << path << " has AV kerning";
        EXPECT_EQ(pair[1].x0 - alone.x0, std::round(penOfV)) << path;
        // Text laid out after a measured prefix lines up with the whole.
        const std::string text = "Wa" + kPolishText;
        const auto whole = LayOut(font, text);
        const GlyphQuad last = LayOut(font, text.substr(text.size() - 1))[0];
        const float penOfLast = font.Measure(text) - font.Measure(text.substr(text.size() - 1));
        EXPECT_EQ(whole.back().x0 - last.x0, std::round(penOfLast)) << path;
    }
}

TEST(Font, MeasureMatchesTheMeasurerAtTheFontsEm) {
    const Font font(FontBytes(kPlayBold), 27, kPlayBold);
    EXPECT_NEAR(font.Measure(kPolishText), MeasureTextAtEm(FontBytes(kPlayBold), font.EmSize(), kPolishText),
                1e-3);
}

TEST(Font, AtlasIsWhitePowerOfTwoPaddedAndReproducible) {
    const Font font(FontBytes(kSansBold), 30, kSansBold);
    const image::Image& atlas = font.Atlas();
    EXPECT_TRUE(IsPowerOfTwo(atlas.width) && IsPowerOfTwo(atlas.height));
    ASSERT_EQ(atlas.rgba.size(), static_cast<std::size_t>(atlas.width) * atlas.height * 4);
    for (std::size_t i = 0; i < atlas.rgba.size(); i += 4) {
        ASSERT_EQ(atlas.rgba[i] & atlas.rgba[i + 1] & atlas.rgba[i + 2], 255) << "pixel " << i / 4;
    }
    // Around every glyph runs a ring of transparent pixels inside the atlas,
    // so bilinear sampling at a glyph's edge never picks up a neighbour.
    std::string all;
    for (int b = 0x20; b < 0x100; ++b) all.push_back(static_cast<char>(b));
    for (const GlyphQuad& q : LayOut(font, all)) {
        const AtlasRect r = RectOf(font, q);
        ASSERT_GE(r.x, 1);
        ASSERT_GE(r.y, 1);
        ASSERT_LE(r.x + r.width + 1, atlas.width);
        ASSERT_LE(r.y + r.height + 1, atlas.height);
        for (int x = r.x - 1; x <= r.x + r.width; ++x) {
            EXPECT_EQ(atlas.Pixel(x, r.y - 1)[3], 0);
            EXPECT_EQ(atlas.Pixel(x, r.y + r.height)[3], 0);
        }
        for (int y = r.y; y < r.y + r.height; ++y) {
            EXPECT_EQ(atlas.Pixel(r.x - 1, y)[3], 0);
            EXPECT_EQ(atlas.Pixel(r.x + r.width, y)[3], 0);
        }
    }
    EXPECT_EQ(Font(FontBytes(kSansBold), 30, kSansBold).Atlas().rgba, atlas.rgba);
}

TEST(Font, BoldIsWiderThanRegularAtTheSameCell) {
    EXPECT_GT(Font(FontBytes(kPlayBold), 22, "b").Measure(kPolishText),
              Font(FontBytes(kPlayRegular), 22, "r").Measure(kPolishText));
    EXPECT_GT(Font(FontBytes(kSansBold), 22, "b").Measure(kPolishText),
              Font(FontBytes(kSansRegular), 22, "r").Measure(kPolishText));
}

TEST(Font, BadFontBytesAndSizesAreRejected) {
    Bytes garbage(4000);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 91 + 7);
    const Bytes& real = FontBytes(kPlayBold);
    for (const Bytes& bad : {garbage, Bytes{}, Bytes(real.begin(), real.begin() + real.size() / 2)}) {
        try {
            Font(bad, 22, "Fonts\\play.ttf");
            ADD_FAILURE() << "no error for " << bad.size() << " bytes";
        } catch (const FileError& e) {
            EXPECT_EQ(e.file(), "Fonts\\play.ttf");
        }
    }
    EXPECT_THROW(Font(real, 0, "play.ttf"), Error);
    EXPECT_THROW(Font(real, NAN, "play.ttf"), Error);
    EXPECT_THROW(Font(real, 5000, "play.ttf"), Error);
}

}  // namespace
}  // namespace kr::text
