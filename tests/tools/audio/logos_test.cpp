// The logo and title compositions: centred letters in metal over a crimson
// glow, opaque or over transparency, and clear errors for bad fonts.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/error.hpp"
#include "video/intro_video.hpp"
#include "video/logos.hpp"
#include "video/text_mask.hpp"

namespace kr::video {
namespace {

constexpr const char* kFontPath = "/usr/share/fonts/truetype/play/Play-Bold.ttf";

DisplayFont LoadFont() {
    std::ifstream in(kFontPath, std::ios::binary);
    return DisplayFont{Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), kFontPath};
}

struct Census {
    int metal = 0;    // bright, nearly grey
    int crimson = 0;  // clearly red
};

Census Count(const image::Image& picture) {
    Census census;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.Pixel(x, y);
            if (p[3] < 128) continue;
            if (p[0] > 150 && std::abs(p[0] - p[2]) < 40) ++census.metal;
            if (p[0] > 80 && p[0] > 2 * p[1] && p[0] > 2 * p[2]) ++census.crimson;
        }
    }
    return census;
}

class Logos : public ::testing::Test {
protected:
    void SetUp() override {
        font = LoadFont();
        if (font.ttf.empty()) GTEST_SKIP() << kFontPath << " is not installed";
    }
    DisplayFont font;
};

TEST_F(Logos, TextIsSetToTheRequestedWidthAndCentre) {
    const Plane text = RenderText(font.ttf, font.name, "KRAVELLON", 400, 200, TextPlacement{300.0f, 180.0f, 90.0f, 0.1f});
    const Box ink = InkBox(text, 0.5f);
    EXPECT_NEAR(ink.Width(), 300, 6);
    EXPECT_NEAR((ink.x0 + ink.x1) / 2.0, 180.0, 3.0);
    EXPECT_NEAR((ink.y0 + ink.y1) / 2.0, 90.0, 3.0);
}

TEST_F(Logos, MakerLogoAndTitleShowMetalLettersInARedGlow) {
    for (const image::Image& picture : {RenderMakerLogo(512, 256, font), RenderTitle(512, 256, font)}) {
        EXPECT_EQ(picture.width, 512);
        EXPECT_EQ(picture.height, 256);
        const Census census = Count(picture);
        EXPECT_GT(census.metal, 1500);
        EXPECT_GT(census.crimson, 1500);
        // Opaque, dark corners.
        const std::uint8_t* corner = picture.Pixel(0, 0);
        EXPECT_EQ(corner[3], 255);
        EXPECT_LT(corner[0] + corner[1] + corner[2], 30);
    }
}

TEST_F(Logos, TransparentVersionIsClearAwayFromTheLetters) {
    const image::Image picture = RenderTitle(512, 256, font, Background::Transparent);
    EXPECT_EQ(picture.Pixel(0, 0)[3], 0);
    EXPECT_EQ(picture.Pixel(511, 255)[3], 0);
    EXPECT_EQ(picture.Pixel(256, 128)[3] > 0 || picture.Pixel(250, 128)[3] > 0, true);
    EXPECT_GT(Count(picture).metal, 1000);
}

TEST_F(Logos, IntroShowsLogoThenTitleBetweenDarkEnds) {
    const IntroArt art = MakeIntroArt(font);
    auto brightest = [&](double t) {
        const Frame frame = RenderIntroFrame(art, t);
        float most = 0.0f;
        for (const Rgb& p : frame.pixels) most = std::max(most, p.r + p.g + p.b);
        return most;
    };
    EXPECT_LT(brightest(0.0), 0.05f);
    EXPECT_GT(brightest(2.5), 1.5f);
    EXPECT_LT(brightest(4.8), 0.6f);
    EXPECT_GT(brightest(7.5), 1.5f);
    EXPECT_LT(brightest(kIntroSeconds - 0.04), 0.05f);
}

TEST(LogoFonts, BadFontBytesNameTheFont) {
    const Bytes junk(100, 7);
    try {
        RenderText(junk, "Fonts\\broken.ttf", "velmor", 64, 64, TextPlacement{});
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "Fonts\\broken.ttf");
    }
}

}  // namespace
}  // namespace kr::video
