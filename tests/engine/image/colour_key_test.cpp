// Texture colour keys: which texels turn transparent and which stay as they were.

#include <gtest/gtest.h>

#include "engine/image/image.hpp"
#include "image_test_util.hpp"

namespace kr::image::test {
namespace {

// Black, red, near-black, near-red, and red that is already half transparent.
Image KeyPalette() {
    Image image(5, 1);
    const Rgba texels[] = {{0, 0, 0, 255}, {255, 0, 0, 255}, {1, 0, 0, 255}, {255, 0, 1, 255}, {255, 0, 0, 128}};
    for (int x = 0; x < 5; ++x) {
        for (int c = 0; c < 4; ++c) image.Pixel(x, 0)[c] = static_cast<std::uint8_t>(texels[x][c]);
    }
    return image;
}

std::vector<int> Alphas(const Image& image) {
    std::vector<int> alphas;
    for (std::size_t i = 3; i < image.rgba.size(); i += 4) alphas.push_back(image.rgba[i]);
    return alphas;
}

TEST(ColourKey, NoneAndOwnAlphaKeepThePicture) {
    for (std::int32_t key : {kColourKeyNone, kColourKeyOwnAlpha}) {
        Image image = KeyPalette();
        ApplyColourKey(image, key);
        EXPECT_EQ(image.rgba, KeyPalette().rgba) << key;
    }
    EXPECT_EQ(kColourKeyOwnAlpha, -327764);
}

TEST(ColourKey, ExactRgbMatchBecomesTransparent) {
    Image black = KeyPalette();
    ApplyColourKey(black, -16777216);  // 0xFF000000
    EXPECT_EQ(Alphas(black), (std::vector<int>{0, 255, 255, 255, 128}));

    Image red = KeyPalette();
    ApplyColourKey(red, -65536);  // 0xFFFF0000
    EXPECT_EQ(Alphas(red), (std::vector<int>{255, 0, 255, 255, 0}));
    // Colour is untouched; only alpha changes.
    EXPECT_EQ(PixelAt(red, 1, 0), (Rgba{255, 0, 0, 0}));
}

TEST(ColourKey, KeyAlphaIsIgnored) {
    Image image = KeyPalette();
    ApplyColourKey(image, 0x00FF0000);  // red with a zero alpha byte
    EXPECT_EQ(Alphas(image), (std::vector<int>{255, 0, 255, 255, 0}));
}

TEST(ColourKey, AppliesToEveryLevel) {
    MipChain chain = BuildMipChain(MakeSolid(8, 4, {255, 0, 0, 255}));
    ApplyColourKey(chain, -65536);
    ASSERT_EQ(chain.levels.size(), 4u);
    for (const Image& level : chain.levels) {
        for (int alpha : Alphas(level)) EXPECT_EQ(alpha, 0);
    }
}

}  // namespace
}  // namespace kr::image::test
