// The texture colour key: texels of the key's RGB become fully transparent.

#include "engine/image/image.hpp"

namespace kr::image {

void ApplyColourKey(Image& image, std::int32_t key) {
    if (key == kColourKeyNone || key == kColourKeyOwnAlpha) return;
    const auto argb = static_cast<std::uint32_t>(key);
    const auto r = static_cast<std::uint8_t>(argb >> 16);
    const auto g = static_cast<std::uint8_t>(argb >> 8);
    const auto b = static_cast<std::uint8_t>(argb);
    for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        std::uint8_t* texel = &image.rgba[i];
        if (texel[0] == r && texel[1] == g && texel[2] == b) texel[3] = 0;
    }
}

void ApplyColourKey(MipChain& chain, std::int32_t key) {
    for (Image& level : chain.levels) ApplyColourKey(level, key);
}

}  // namespace kr::image
