// DDS reading checked against the facts of real files made by other tools.

#include <gtest/gtest.h>

#include "engine/image/image.hpp"
#include "image_test_util.hpp"

namespace kr::image::test {
namespace {

struct DdsFacts {
    const char* file;
    int width;
    int height;
    int levels;
    DdsPixelFormat format;
    int bitsPerPixel;
    std::uint32_t dxgi;  // 0: legacy header only
};

const DdsFacts kCorpusDds[] = {
    {"dxt1-rgb-4bbp-noalpha_MipMaps-1.dds", 256, 256, 1, DdsPixelFormat::Bc1, 4, 0},
    {"dxt1-alpha.dds", 128, 64, 8, DdsPixelFormat::Bc1, 4, 0},
    {"dds_bc1.dds", 16, 8, 1, DdsPixelFormat::Bc1, 4, 0},
    {"sample-DXT1.dds", 123, 456, 1, DdsPixelFormat::Bc1, 4, 0},
    {"dxt3-argb-8bbp-explicitalpha_MipMaps-1.dds", 256, 256, 1, DdsPixelFormat::Bc2, 8, 0},
    {"BC2_RGBA.dds", 129, 66, 8, DdsPixelFormat::Bc2, 8, 0},
    {"dxt5-argb-8bbp-interpolatedalpha_MipMaps-1.dds", 256, 256, 1, DdsPixelFormat::Bc3, 8, 0},
    {"DX9_BC3_UNORM.dds", 129, 66, 8, DdsPixelFormat::Bc3, 8, 0},
    {"dds_rgba8.dds", 16, 8, 1, DdsPixelFormat::Uncompressed, 32, 0},
    {"dds_rgba8_mips.dds", 16, 8, 5, DdsPixelFormat::Uncompressed, 32, 0},
    {"dds_rgb8.dds", 16, 8, 1, DdsPixelFormat::Uncompressed, 24, 0},
    {"hopper.dds", 128, 128, 8, DdsPixelFormat::Uncompressed, 24, 0},
    {"DXGI_FORMAT_R8G8B8A8_UNORM_SRGB.dds", 16, 16, 1, DdsPixelFormat::Uncompressed, 32, 29},
    {"argb-32bpp_MipMaps-1.dds", 256, 256, 1, DdsPixelFormat::Uncompressed, 32, 28},
    {"BC1_RGB_DX10.dds", 129, 66, 8, DdsPixelFormat::Bc1, 4, 71},
};

class CorpusDds : public ::testing::TestWithParam<DdsFacts> {};

TEST_P(CorpusDds, HeaderFactsAndLevelChain) {
    const DdsFacts& facts = GetParam();
    const std::string name = std::string("dds/") + facts.file;
    const Bytes data = ReadCorpus(name);

    const DdsInfo info = ReadDdsInfo(data, name);
    EXPECT_EQ(info.width, facts.width);
    EXPECT_EQ(info.height, facts.height);
    EXPECT_EQ(info.levelCount, facts.levels);
    EXPECT_EQ(info.format, facts.format);
    EXPECT_EQ(info.bitsPerPixel, facts.bitsPerPixel);
    EXPECT_EQ(info.hasDx10Header, facts.dxgi != 0);
    EXPECT_EQ(info.dxgiFormat, facts.dxgi);

    const MipChain chain = DecodeImage(data, name);
    ASSERT_EQ(chain.levels.size(), static_cast<std::size_t>(facts.levels));
    int width = facts.width;
    int height = facts.height;
    for (const Image& level : chain.levels) {
        EXPECT_EQ(level.width, width);
        EXPECT_EQ(level.height, height);
        EXPECT_EQ(level.rgba.size(), static_cast<std::size_t>(width) * height * 4);
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusDds, ::testing::ValuesIn(kCorpusDds));

TEST(DdsDecode, NpotChainHalvesWithFloor) {
    const MipChain chain = DecodeImage(ReadCorpus("dds/BC2_RGBA.dds"), "BC2_RGBA.dds");
    const std::pair<int, int> expected[] = {{129, 66}, {64, 33}, {32, 16}, {16, 8}, {8, 4}, {4, 2}, {2, 1}, {1, 1}};
    ASSERT_EQ(chain.levels.size(), std::size(expected));
    for (std::size_t i = 0; i < chain.levels.size(); ++i) {
        EXPECT_EQ(chain.levels[i].width, expected[i].first) << "level " << i;
        EXPECT_EQ(chain.levels[i].height, expected[i].second) << "level " << i;
    }
}

struct ReferencePixel {
    const char* file;
    int x;
    int y;
    Rgba rgba;
};

// Hand-decoded from the raw bytes; rows are stored top-down.
const ReferencePixel kDdsPixels[] = {
    {"dds_rgba8.dds", 0, 0, {252, 233, 79, 255}},
    {"dds_rgba8.dds", 8, 4, {52, 101, 164, 141}},
    {"dds_rgba8.dds", 15, 7, {78, 154, 6, 34}},
    {"dds_rgba8_mips.dds", 0, 0, {252, 233, 79, 255}},
    {"dds_rgba8_mips.dds", 8, 4, {52, 101, 164, 141}},
    {"dds_rgba8_mips.dds", 15, 7, {78, 154, 6, 34}},
    {"dds_rgb8.dds", 0, 0, {252, 233, 79, 255}},
    {"dds_rgb8.dds", 8, 4, {52, 101, 164, 255}},
    {"dds_rgb8.dds", 15, 7, {78, 154, 6, 255}},
    {"hopper.dds", 0, 0, {20, 21, 67, 255}},
    {"hopper.dds", 64, 64, {173, 70, 55, 255}},
    {"hopper.dds", 127, 127, {134, 160, 209, 255}},
    {"DXGI_FORMAT_R8G8B8A8_UNORM_SRGB.dds", 0, 0, {255, 255, 255, 0}},
    {"DXGI_FORMAT_R8G8B8A8_UNORM_SRGB.dds", 8, 8, {255, 255, 255, 0}},
    {"DXGI_FORMAT_R8G8B8A8_UNORM_SRGB.dds", 15, 15, {255, 255, 255, 0}},
    // Named like a legacy A8R8G8B8 file but really DX10 R8G8B8A8 (bytes R, G, B, A).
    {"argb-32bpp_MipMaps-1.dds", 0, 0, {255, 255, 255, 0}},
    {"argb-32bpp_MipMaps-1.dds", 128, 128, {177, 181, 165, 255}},
    {"argb-32bpp_MipMaps-1.dds", 255, 255, {56, 60, 65, 255}},
};

TEST(DdsDecode, ReferencePixelsOfUncompressedFiles) {
    for (const ReferencePixel& ref : kDdsPixels) {
        const std::string name = std::string("dds/") + ref.file;
        const MipChain chain = DecodeImage(ReadCorpus(name), name);
        EXPECT_EQ(PixelAt(chain.levels.at(0), ref.x, ref.y), ref.rgba) << name << " at " << ref.x << "," << ref.y;
    }
}

int BlocksWithTransparentTexels(const Image& image) {
    int count = 0;
    for (int by = 0; by < image.height; by += 4) {
        for (int bx = 0; bx < image.width; bx += 4) {
            bool transparent = false;
            for (int y = by; y < std::min(by + 4, image.height); ++y) {
                for (int x = bx; x < std::min(bx + 4, image.width); ++x) transparent |= image.Pixel(x, y)[3] == 0;
            }
            count += transparent ? 1 : 0;
        }
    }
    return count;
}

bool IsOpaque(const MipChain& chain) {
    for (const Image& level : chain.levels) {
        for (std::size_t i = 3; i < level.rgba.size(); i += 4) {
            if (level.rgba[i] != 255) return false;
        }
    }
    return true;
}

TEST(DdsDecode, Bc1PunchThroughAlphaOnlyWhereTexelsUseIt) {
    const MipChain alpha = DecodeImage(ReadCorpus("dds/dxt1-alpha.dds"), "dxt1-alpha.dds");
    EXPECT_EQ(BlocksWithTransparentTexels(alpha.levels[0]), 270);
    const MipChain small = DecodeImage(ReadCorpus("dds/dds_bc1.dds"), "dds_bc1.dds");
    EXPECT_EQ(BlocksWithTransparentTexels(small.levels[0]), 3);

    // These contain three-colour blocks without transparent texels.
    for (const char* file : {"dxt1-rgb-4bbp-noalpha_MipMaps-1.dds", "BC1_RGB_DX10.dds", "sample-DXT1.dds"}) {
        const std::string name = std::string("dds/") + file;
        EXPECT_TRUE(IsOpaque(DecodeImage(ReadCorpus(name), name))) << name;
    }
}

TEST(DdsDecode, ExplicitAndInterpolatedAlphaSurvive) {
    for (const char* file : {"dxt3-argb-8bbp-explicitalpha_MipMaps-1.dds", "dxt5-argb-8bbp-interpolatedalpha_MipMaps-1.dds",
                             "BC2_RGBA.dds", "DX9_BC3_UNORM.dds"}) {
        const std::string name = std::string("dds/") + file;
        EXPECT_FALSE(IsOpaque(DecodeImage(ReadCorpus(name), name))) << name;
    }
}

// DXT2 is DXT3 with colour multiplied by alpha; the reader returns it straight.
TEST(DdsDecode, PremultipliedDxt2IsUnpremultiplied) {
    Bytes data = ReadCorpus("dds/dxt3-argb-8bbp-explicitalpha_MipMaps-1.dds");
    const Image straight = DecodeImage(data, "dxt3").levels[0];
    data[87] = '2';  // FourCC "DXT3" -> "DXT2"
    const DdsInfo info = ReadDdsInfo(data, "dxt2");
    EXPECT_TRUE(info.premultipliedAlpha);
    const Image restored = DecodeImage(data, "dxt2").levels[0];
    for (std::size_t i = 0; i < straight.rgba.size(); i += 4) {
        const int alpha = straight.rgba[i + 3];
        ASSERT_EQ(restored.rgba[i + 3], alpha);
        if (alpha == 0) continue;
        const int expected = std::min(255, (straight.rgba[i] * 255 + alpha / 2) / alpha);
        ASSERT_EQ(restored.rgba[i], expected) << "texel " << i / 4;
    }
}

TEST(DdsDecode, FormatComesFromBytesNotName) {
    const MipChain chain = DecodeImage(ReadCorpus("dds/hopper.dds"), "graphics\\hopper.bmp");
    EXPECT_EQ(chain.levels.size(), 8u);
    EXPECT_EQ(PixelAt(chain.levels[0], 0, 0), (Rgba{20, 21, 67, 255}));
}

}  // namespace
}  // namespace kr::image::test
