// The particle sprites: soft edges that vanish before the border, a visible
// body, their own colours, and a DDS with every mipmap level.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "particle_sprites.hpp"

namespace kr::makedata::test {
namespace {

float Alpha(const image::Image& image, int x, int y) { return image.Pixel(x, y)[3] / 255.0f; }

const std::vector<ParticleSprite>& Sprites() {
    static const std::vector<ParticleSprite> sprites = RenderParticleSprites();
    return sprites;
}

TEST(ParticleSprites, AreTheSevenFilesTheGameLoads) {
    std::vector<std::string> files;
    for (const auto& sprite : Sprites()) files.push_back(sprite.file);
    EXPECT_EQ(files, (std::vector<std::string>{"graphics\\smoke.dds", "graphics\\fire.dds", "graphics\\tribal.dds",
                                               "graphics\\eng.dds", "graphics\\ring.dds", "graphics\\star.dds",
                                               "graphics\\spots.dds"}));
    for (const auto& sprite : Sprites()) {
        EXPECT_TRUE(sprite.picture.width == 64 || sprite.picture.width == 128) << sprite.file;
        EXPECT_EQ(sprite.picture.width, sprite.picture.height) << sprite.file;
    }
}

TEST(ParticleSprites, FadeOutBeforeTheBorderAndShowABrightBody) {
    for (const auto& sprite : Sprites()) {
        const image::Image& p = sprite.picture;
        const int n = p.width;
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(Alpha(p, i, 0), 0.0f) << sprite.file;
            ASSERT_EQ(Alpha(p, i, n - 1), 0.0f) << sprite.file;
            ASSERT_EQ(Alpha(p, 0, i), 0.0f) << sprite.file;
            ASSERT_EQ(Alpha(p, n - 1, i), 0.0f) << sprite.file;
        }
        // Opaque-ish somewhere in the middle (a ring has its body off centre).
        float peak = 0.0f;
        for (int y = n / 8; y < n - n / 8; ++y)
            for (int x = n / 8; x < n - n / 8; ++x) peak = std::max(peak, Alpha(p, x, y));
        EXPECT_GT(peak, 0.6f) << sprite.file;
        // Not a filled square: at least a third of the picture is see-through.
        int clear = 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) clear += Alpha(p, x, y) < 0.02f;
        EXPECT_GT(clear, n * n / 3) << sprite.file;
    }
}

TEST(ParticleSprites, SoftOnesHaveSmoothAlphaFalloff) {
    for (const auto& sprite : Sprites()) {
        if (sprite.file == "graphics\\tribal.dds") continue;  // a drawn sigil has crisp lines
        const image::Image& p = sprite.picture;
        float step = 0.0f;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x + 1 < p.width; ++x) step = std::max(step, std::abs(Alpha(p, x + 1, y) - Alpha(p, x, y)));
        // A unit Gaussian two texels wide climbs at most 0.3 per texel.
        EXPECT_LT(step, 0.35f) << sprite.file;
    }
}

TEST(ParticleSprites, CarryTheirOwnColours) {
    std::map<std::string, std::array<double, 3>> average;
    for (const auto& sprite : Sprites()) {
        std::array<double, 3> sum{};
        double weight = 0.0;
        const auto& rgba = sprite.picture.rgba;
        for (std::size_t i = 0; i < rgba.size(); i += 4) {
            for (int c = 0; c < 3; ++c) sum[c] += rgba[i + c] * rgba[i + 3];
            weight += rgba[i + 3];
        }
        for (double& v : sum) v /= weight * 255.0;
        average[sprite.file] = sum;
    }
    const auto& smoke = average["graphics\\smoke.dds"];
    EXPECT_LT(std::max({smoke[0], smoke[1], smoke[2]}) - std::min({smoke[0], smoke[1], smoke[2]}), 0.05);
    EXPECT_GT(smoke[1], 0.3);
    const auto& fire = average["graphics\\fire.dds"];
    EXPECT_GT(fire[0], fire[1] + 0.1);
    EXPECT_GT(fire[1], fire[2] + 0.1);
    EXPECT_GT(average["graphics\\tribal.dds"][0], average["graphics\\tribal.dds"][2] + 0.2);
    for (const char* cool : {"graphics\\eng.dds", "graphics\\ring.dds", "graphics\\spots.dds"}) {
        EXPECT_GT(average[cool][2], average[cool][0] + 0.1) << cool;
    }
}

TEST(ParticleSprites, StoreEveryMipLevelUncompressedAndTheSameEachRun) {
    const std::vector<ParticleSprite> again = RenderParticleSprites();
    for (std::size_t i = 0; i < Sprites().size(); ++i) {
        const ParticleSprite& sprite = Sprites()[i];
        EXPECT_EQ(again[i].picture.rgba, sprite.picture.rgba) << sprite.file;
        const Bytes dds = EncodeParticleSprite(sprite.picture);
        const image::DdsInfo info = image::ReadDdsInfo(dds, sprite.file);
        EXPECT_EQ(info.format, image::DdsPixelFormat::Uncompressed) << sprite.file;
        EXPECT_EQ(info.levelCount, image::FullMipChainLength(sprite.picture.width, sprite.picture.height)) << sprite.file;
        const image::MipChain chain = image::DecodeImage(dds, sprite.file);
        EXPECT_EQ(chain.levels.at(0).rgba, sprite.picture.rgba) << sprite.file;
        EXPECT_EQ(EncodeParticleSprite(again[i].picture), dds) << sprite.file;
    }
}

}  // namespace
}  // namespace kr::makedata::test
