// BMP, PNG and JPEG reading checked against real files.

#include <gtest/gtest.h>

#include "engine/image/image.hpp"
#include "image_test_util.hpp"

namespace kr::image::test {
namespace {

Image DecodeSingle(const std::string& relative) {
    const MipChain chain = DecodeImage(ReadCorpus(relative), relative);
    EXPECT_EQ(chain.levels.size(), 1u) << relative;
    return chain.levels.at(0);
}

struct BmpFacts {
    const char* file;
    Rgba topLeft;
    Rgba centre;
    Rgba bottomRight;
};

// All are 127x64 and stored bottom-up.
const BmpFacts kCorpusBmp[] = {
    {"rgb24.bmp", {255, 0, 0, 255}, {255, 255, 255, 255}, {96, 96, 126, 255}},
    {"rgb32.bmp", {255, 0, 0, 255}, {255, 255, 255, 255}, {96, 96, 126, 255}},
    // Non-standard bitfield masks, alpha in the second byte.
    {"rgba32.bmp", {255, 0, 0, 255}, {255, 0, 0, 0}, {96, 96, 126, 255}},
    // 252 palette entries, not 256.
    {"pal8.bmp", {255, 0, 0, 255}, {255, 255, 255, 255}, {102, 85, 102, 255}},
};

TEST(BmpDecode, ReferencePixelsOfCorpusFiles) {
    for (const BmpFacts& facts : kCorpusBmp) {
        const Image image = DecodeSingle(std::string("img/") + facts.file);
        ASSERT_EQ(image.width, 127) << facts.file;
        ASSERT_EQ(image.height, 64) << facts.file;
        EXPECT_EQ(PixelAt(image, 0, 0), facts.topLeft) << facts.file;
        EXPECT_EQ(PixelAt(image, 63, 32), facts.centre) << facts.file;
        EXPECT_EQ(PixelAt(image, 126, 63), facts.bottomRight) << facts.file;
    }
}

// In a 32-bit BI_RGB file the fourth byte is padding, whatever it holds.
TEST(BmpDecode, PaddingByteOfRgb32IsNotAlpha) {
    Bytes data = ReadCorpus("img/rgb32.bmp");
    const std::size_t pixelOffset = 54;
    for (std::size_t i = pixelOffset + 3; i < data.size(); i += 8) data[i] = 0x40;
    const Image image = DecodeImage(data, "rgb32.bmp").levels[0];
    for (std::size_t i = 3; i < image.rgba.size(); i += 4) ASSERT_EQ(image.rgba[i], 255) << "texel " << i / 4;
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 0, 0, 255}));
}

TEST(PngDecode, AlphaFactsOfCorpusFile) {
    const Image image = DecodeSingle("img/oiio-logo-with-alpha.png");
    ASSERT_EQ(image.width, 135);
    ASSERT_EQ(image.height, 135);
    EXPECT_EQ(PixelAt(image, 0, 0), (Rgba{255, 255, 255, 0}));
    EXPECT_EQ(PixelAt(image, 67, 67), (Rgba{255, 255, 255, 0}));
    EXPECT_EQ(PixelAt(image, 134, 134), (Rgba{255, 255, 255, 0}));
    int opaque = 0, clear = 0, firstOpaque = -1;
    for (int i = 0; i < image.width * image.height; ++i) {
        const int alpha = image.rgba[static_cast<std::size_t>(i) * 4 + 3];
        opaque += alpha == 255;
        clear += alpha == 0;
        if (alpha == 255 && firstOpaque < 0) firstOpaque = i;
    }
    EXPECT_EQ(opaque, 1765);
    EXPECT_EQ(clear, 15425);
    EXPECT_EQ(firstOpaque, 42 * 135 + 47);
    EXPECT_EQ(PixelAt(image, 47, 42), (Rgba{0, 0, 0, 255}));
}

TEST(JpegDecode, BaselineAndProgressiveGiveTheSamePicture) {
    const Image baseline = DecodeSingle("img/testorig.jpg");
    const Image progressive = DecodeSingle("img/testimgp.jpg");
    for (const Image* image : {&baseline, &progressive}) {
        EXPECT_EQ(image->width, 227);
        EXPECT_EQ(image->height, 149);
        for (std::size_t i = 3; i < image->rgba.size(); i += 4) ASSERT_EQ(image->rgba[i], 255);
    }
    // Different encodings of one picture: close, and certainly not flipped.
    long long total = 0;
    for (std::size_t i = 0; i < baseline.rgba.size(); ++i) total += std::abs(baseline.rgba[i] - progressive.rgba[i]);
    EXPECT_LT(static_cast<double>(total) / static_cast<double>(baseline.rgba.size()), 4.0);
}

}  // namespace
}  // namespace kr::image::test
