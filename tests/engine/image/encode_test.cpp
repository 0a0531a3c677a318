// Writers: what they write must read back (exactly where the format is
// lossless), with the header fields other tools rely on.

#include <gtest/gtest.h>

#include "engine/image/image.hpp"
#include "image_test_util.hpp"

namespace kr::image::test {
namespace {

std::uint32_t U32At(const Bytes& data, std::size_t offset) {
    return static_cast<std::uint32_t>(data[offset]) | (static_cast<std::uint32_t>(data[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(data[offset + 2]) << 16) | (static_cast<std::uint32_t>(data[offset + 3]) << 24);
}

Image Opaque(Image image) {
    for (std::size_t i = 3; i < image.rgba.size(); i += 4) image.rgba[i] = 255;
    return image;
}

Image DecodeOne(const Bytes& data) {
    const MipChain chain = DecodeImage(data, "written");
    EXPECT_EQ(chain.levels.size(), 1u);
    return chain.levels.at(0);
}

TEST(EncodeLossless, PngRoundTripIsExactAndDeterministic) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{13, 7}, std::pair{64, 32}}) {
        const Image image = MakeRamp(w, h);
        const Bytes png = EncodePng(image);
        EXPECT_EQ(DecodeOne(png).rgba, image.rgba) << w << "x" << h;
        EXPECT_EQ(EncodePng(image), png);
    }
}

TEST(EncodeLossless, Bmp24RoundTripDropsAlphaOnly) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{13, 7}, std::pair{127, 64}}) {  // odd widths need row padding
        const Image image = MakeRamp(w, h);
        const Bytes bmp = EncodeBmp24(image);
        const std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
        EXPECT_EQ(bmp.size(), 54 + rowBytes * h);
        EXPECT_EQ(U32At(bmp, 2), bmp.size());
        EXPECT_EQ(DecodeOne(bmp).rgba, Opaque(image).rgba) << w << "x" << h;
    }
}

TEST(EncodeLossless, Bmp32RoundTripKeepsAlpha) {
    const Image image = MakeRamp(13, 7);
    const Bytes bmp = EncodeBmp32(image);
    EXPECT_EQ(U32At(bmp, 30), 3u);           // BI_BITFIELDS
    EXPECT_EQ(U32At(bmp, 66), 0xFF000000u);  // alpha mask
    EXPECT_EQ(DecodeOne(bmp).rgba, image.rgba);
    // Fully transparent pictures stay transparent (no "all alpha zero" guess).
    const Image clear = MakeSolid(4, 4, {10, 20, 30, 0});
    EXPECT_EQ(DecodeOne(EncodeBmp32(clear)).rgba, clear.rgba);
}

TEST(EncodeDdsTest, Rgba32ChainRoundTripIsExact) {
    const MipChain chain = BuildMipChain(MakeRamp(13, 7));
    const Bytes dds = EncodeDds(chain, DdsFormat::Rgba32);
    const DdsInfo info = ReadDdsInfo(dds, "written.dds");
    EXPECT_EQ(info.levelCount, 4);
    EXPECT_EQ(info.bitsPerPixel, 32);
    EXPECT_FALSE(info.hasDx10Header);
    const MipChain back = DecodeImage(dds, "written.dds");
    ASSERT_EQ(back.levels.size(), chain.levels.size());
    for (std::size_t i = 0; i < chain.levels.size(); ++i) EXPECT_EQ(back.levels[i].rgba, chain.levels[i].rgba) << i;
}

TEST(EncodeDdsTest, HeaderFieldsForOneLevelAndForAChain) {
    const Bytes single = EncodeDds(MipChain{{MakeRamp(8, 4)}}, DdsFormat::Rgba32);
    EXPECT_EQ(single.size(), 128u + 8 * 4 * 4);
    EXPECT_EQ(U32At(single, 8), 0x100Fu);        // caps, height, width, pitch, pixel format
    EXPECT_EQ(U32At(single, 20), 32u);           // pitch
    EXPECT_EQ(U32At(single, 80), 0x41u);         // RGB + alpha pixels
    EXPECT_EQ(U32At(single, 92), 0x00FF0000u);   // red mask
    EXPECT_EQ(U32At(single, 104), 0xFF000000u);  // alpha mask
    EXPECT_EQ(U32At(single, 108), 0x1000u);      // texture only

    const Bytes chain = EncodeDds(BuildMipChain(MakeRamp(129, 66)), DdsFormat::Bc1);
    EXPECT_EQ(U32At(chain, 8), 0xA1007u);       // linear size + mipmap count
    EXPECT_EQ(U32At(chain, 20), 33u * 17 * 8);  // level 0 bytes
    EXPECT_EQ(U32At(chain, 28), 8u);
    EXPECT_EQ(U32At(chain, 84), 0x31545844u);   // "DXT1"
    EXPECT_EQ(U32At(chain, 108), 0x401008u);    // texture, complex, mipmap
    EXPECT_EQ(chain.size(), 128u + 6000);       // the same chain size as the corpus's 129x66 BC1
}

// Worst difference per channel, over texels whose source alpha is at least
// `minAlpha` (BC1 keeps no colour for its transparent texels).
Rgba WorstDifference(const Image& a, const Image& b, int minAlpha) {
    Rgba worst{0, 0, 0, 0};
    for (std::size_t i = 0; i < a.rgba.size(); ++i) {
        if (a.rgba[i | 3] < minAlpha) continue;
        worst[i % 4] = std::max(worst[i % 4], std::abs(a.rgba[i] - b.rgba[i]));
    }
    return worst;
}

TEST(EncodeDdsTest, BlockFormatsRoundTripWithinAFewLevels) {
    const Image image = MakeRamp(129, 66);  // gentle ramps, width not a multiple of 4
    const struct {
        DdsFormat format;
        DdsPixelFormat read;
        int alphaTolerance;
    } cases[] = {{DdsFormat::Bc1, DdsPixelFormat::Bc1, 0},
                 {DdsFormat::Bc2, DdsPixelFormat::Bc2, 9},  // 4-bit alpha
                 {DdsFormat::Bc3, DdsPixelFormat::Bc3, 2}};
    for (const auto& c : cases) {
        const Bytes dds = EncodeDds(BuildMipChain(image), c.format);
        EXPECT_EQ(ReadDdsInfo(dds, "bc.dds").format, c.read);
        EXPECT_EQ(EncodeDds(BuildMipChain(image), c.format), dds) << "not deterministic";
        const MipChain back = DecodeImage(dds, "bc.dds");
        ASSERT_EQ(back.levels.size(), 8u);
        Image expected = image;
        if (c.format == DdsFormat::Bc1) {  // one-bit alpha: below half is cut out
            for (std::size_t i = 3; i < expected.rgba.size(); i += 4) expected.rgba[i] = expected.rgba[i] < 128 ? 0 : 255;
        }
        const Rgba worst = WorstDifference(expected, back.levels[0], c.format == DdsFormat::Bc1 ? 128 : 0);
        for (int channel = 0; channel < 3; ++channel) EXPECT_LE(worst[channel], 10) << "channel " << channel;
        EXPECT_LE(worst[3], c.alphaTolerance);
        if (c.format == DdsFormat::Bc1) {
            for (std::size_t i = 3; i < expected.rgba.size(); i += 4) {
                ASSERT_EQ(back.levels[0].rgba[i], expected.rgba[i]) << "texel " << i / 4;
            }
        }
    }
}

TEST(EncodeDdsTest, SolidColourSurvivesBc1Exactly) {
    const Image image = MakeSolid(5, 3, {255, 0, 0, 255});
    const Image back = DecodeImage(EncodeDds(MipChain{{image}}, DdsFormat::Bc1), "red.dds").levels[0];
    EXPECT_EQ(back.rgba, image.rgba);
}

TEST(EncodeDdsTest, MalformedChainsAreRefused) {
    EXPECT_THROW(EncodeDds(MipChain{}, DdsFormat::Rgba32), Error);
    EXPECT_THROW(EncodeDds(MipChain{{MakeRamp(8, 8), MakeRamp(3, 4)}}, DdsFormat::Bc3), Error);
    EXPECT_THROW(EncodeDds(MipChain{{MakeRamp(1, 1), MakeRamp(1, 1)}}, DdsFormat::Rgba32), Error);
    Image broken = MakeRamp(4, 4);
    broken.rgba.pop_back();
    EXPECT_THROW(EncodeDds(MipChain{{broken}}, DdsFormat::Bc1), Error);
    EXPECT_THROW(EncodePng(Image{}), Error);
}

TEST(EncodeLossy, JpegRoundTripIsCloseAndOpaque) {
    const Image image = Opaque(MakeRamp(40, 24));
    const Image back = DecodeOne(EncodeJpeg(image, 95));
    ASSERT_EQ(back.width, 40);
    ASSERT_EQ(back.height, 24);
    long long total = 0;
    for (std::size_t i = 0; i < image.rgba.size(); ++i) total += std::abs(image.rgba[i] - back.rgba[i]);
    EXPECT_LT(static_cast<double>(total) / static_cast<double>(image.rgba.size()), 3.0);
    EXPECT_THROW(EncodeJpeg(image, 0), Error);
    EXPECT_THROW(EncodeJpeg(image, 101), Error);
}

TEST(MipChainBuild, NpotSizesAndFullLength) {
    const MipChain chain = BuildMipChain(MakeRamp(129, 66));
    ASSERT_EQ(chain.levels.size(), 8u);
    EXPECT_EQ(chain.levels[1].width, 64);
    EXPECT_EQ(chain.levels[1].height, 33);
    EXPECT_EQ(chain.levels[7].width, 1);
    EXPECT_EQ(chain.levels[7].height, 1);
    EXPECT_EQ(BuildMipChain(MakeRamp(1, 1)).levels.size(), 1u);
    EXPECT_EQ(BuildMipChain(MakeRamp(1, 16)).levels.size(), 5u);
}

TEST(MipChainBuild, BoxAverageWeightsColourByAlpha) {
    Image image(2, 2);
    const Rgba texels[] = {{200, 0, 0, 255}, {100, 0, 0, 255}, {0, 0, 0, 255}, {0, 250, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 4; ++c) image.Pixel(i % 2, i / 2)[c] = static_cast<std::uint8_t>(texels[i][c]);
    }
    const MipChain chain = BuildMipChain(image);
    ASSERT_EQ(chain.levels.size(), 2u);
    // The transparent green texel lends no colour; alpha is the plain mean.
    EXPECT_EQ(PixelAt(chain.levels[1], 0, 0), (Rgba{100, 0, 0, 191}));
    // Wholly transparent areas keep their plain average colour.
    const MipChain clear = BuildMipChain(MakeSolid(4, 2, {9, 8, 7, 0}));
    EXPECT_EQ(PixelAt(clear.levels.back(), 0, 0), (Rgba{9, 8, 7, 0}));
}

TEST(MipChainBuild, OddSizesUseEveryTexel) {
    // A bright last column must still reach the 1x1 level of a 3x1 picture.
    Image image = MakeSolid(3, 1, {0, 0, 0, 255});
    image.Pixel(2, 0)[0] = 255;
    const MipChain chain = BuildMipChain(image);
    ASSERT_EQ(chain.levels.size(), 2u);
    EXPECT_GT(PixelAt(chain.levels[1], 0, 0)[0], 0);
}

}  // namespace
}  // namespace kr::image::test
