#include "toolkit/texture_files.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kr::toolkit {
namespace {

constexpr int kBleedPasses = 16;

// Mean colour of the visible texels (the fill for texels no pass reaches).
glm::u8vec3 MeanVisibleColour(const image::Image& picture, const std::vector<char>& filled) {
    double sum[3] = {0, 0, 0};
    double count = 0;
    for (std::size_t i = 0; i < filled.size(); ++i) {
        if (!filled[i]) continue;
        for (int c = 0; c < 3; ++c) sum[c] += picture.rgba[i * 4 + c];
        count += 1;
    }
    if (count == 0) return glm::u8vec3(0);
    return glm::u8vec3(static_cast<std::uint8_t>(std::lround(sum[0] / count)),
                       static_cast<std::uint8_t>(std::lround(sum[1] / count)),
                       static_cast<std::uint8_t>(std::lround(sum[2] / count)));
}

// One ring of growth: every empty texel next to a filled one takes their
// mean colour. Returns whether anything grew.
bool GrowOnce(image::Image& picture, std::vector<char>& filled) {
    const int w = picture.width, h = picture.height;
    std::vector<char> next = filled;
    bool grew = false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (filled[i]) continue;
            int sum[3] = {0, 0, 0};
            int count = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const std::size_t n = static_cast<std::size_t>(ny) * w + nx;
                    if (!filled[n]) continue;
                    for (int c = 0; c < 3; ++c) sum[c] += picture.rgba[n * 4 + c];
                    ++count;
                }
            }
            if (count == 0) continue;
            for (int c = 0; c < 3; ++c) picture.rgba[i * 4 + c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
            next[i] = 1;
            grew = true;
        }
    }
    filled.swap(next);
    return grew;
}

std::uint8_t Blend(float colour, float alpha, float matte) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(colour * alpha + matte * (1.0f - alpha), 0.0f, 255.0f)));
}

}  // namespace

void BleedIntoTransparent(image::Image& picture) {
    const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
    std::vector<char> filled(count);
    bool anyEmpty = false;
    for (std::size_t i = 0; i < count; ++i) {
        filled[i] = picture.rgba[i * 4 + 3] > 0;
        anyEmpty |= !filled[i];
    }
    if (!anyEmpty) return;
    for (int pass = 0; pass < kBleedPasses && GrowOnce(picture, filled); ++pass) {
    }
    const glm::u8vec3 mean = MeanVisibleColour(picture, filled);
    for (std::size_t i = 0; i < count; ++i) {
        if (filled[i]) continue;
        for (int c = 0; c < 3; ++c) picture.rgba[i * 4 + c] = mean[c];
    }
}

Bytes EncodeTextureDds(image::Image picture) {
    BleedIntoTransparent(picture);
    return image::EncodeDds(image::BuildMipChain(picture), image::DdsFormat::Rgba32);
}

image::Image FlattenForColourKey(const image::Image& picture, const KeyedFlatten& how) {
    image::Image out(picture.width, picture.height);
    for (std::size_t i = 0; i + 3 < picture.rgba.size(); i += 4) {
        const float alpha = picture.rgba[i + 3] / 255.0f;
        std::uint8_t* texel = &out.rgba[i];
        texel[3] = 255;
        if (alpha < how.threshold) {
            for (int c = 0; c < 3; ++c) texel[c] = how.key[c];
            continue;
        }
        for (int c = 0; c < 3; ++c) texel[c] = Blend(picture.rgba[i + c], alpha, how.matte[c]);
        if (texel[0] == how.key[0] && texel[1] == how.key[1] && texel[2] == how.key[2]) {
            // One step towards mid-grey: invisible, but no longer the key.
            texel[1] = static_cast<std::uint8_t>(how.key[1] < 128 ? how.key[1] + 1 : how.key[1] - 1);
        }
    }
    return out;
}

glm::u8vec3 ColourKeyRgb(std::int32_t key) {
    const auto argb = static_cast<std::uint32_t>(key);
    return glm::u8vec3(static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                       static_cast<std::uint8_t>(argb));
}

}  // namespace kr::toolkit
