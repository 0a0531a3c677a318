#include "toolkit/texture_sampler.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/error.hpp"

namespace kr::toolkit {

namespace {

std::vector<glm::u8vec4> Texels(const image::Image& picture) {
    std::vector<glm::u8vec4> texels(static_cast<std::size_t>(picture.width) * picture.height);
    std::memcpy(texels.data(), picture.rgba.data(), texels.size() * sizeof(glm::u8vec4));
    return texels;
}

}  // namespace

Texture::Texture(const image::Image& picture, TextureWrap wrap, TextureLevels levels) : wrap_(wrap) {
    if (picture.width < 1 || picture.height < 1) throw Error("texture: empty picture");
    if (levels == TextureLevels::Single) {
        levels_.push_back({picture.width, picture.height, Texels(picture)});
        return;
    }
    for (const image::Image& level : image::BuildMipChain(picture).levels) levels_.push_back({level.width, level.height, Texels(level)});
}

int Texture::Wrapped(int i, int size) const {
    if (wrap_ == TextureWrap::Clamp) return std::clamp(i, 0, size - 1);
    const int m = i % size;
    return m < 0 ? m + size : m;
}

glm::vec4 Texture::Bilinear(const Level& level, glm::vec2 uv) const {
    // Far repeats are brought back first, so that they lose no precision.
    if (wrap_ == TextureWrap::Repeat) uv -= glm::floor(uv);
    const float x = uv.x * static_cast<float>(level.width) - 0.5f;
    const float y = uv.y * static_cast<float>(level.height) - 0.5f;
    const float fx = std::floor(x), fy = std::floor(y);
    const float tx = x - fx, ty = y - fy;
    const int x0 = Wrapped(static_cast<int>(std::clamp(fx, -1.0f, static_cast<float>(level.width))), level.width);
    const int y0 = Wrapped(static_cast<int>(std::clamp(fy, -1.0f, static_cast<float>(level.height))), level.height);
    const int x1 = Wrapped(static_cast<int>(std::clamp(fx + 1.0f, -1.0f, static_cast<float>(level.width))), level.width);
    const int y1 = Wrapped(static_cast<int>(std::clamp(fy + 1.0f, -1.0f, static_cast<float>(level.height))), level.height);
    const auto at = [&](int px, int py) { return glm::vec4(level.texels[static_cast<std::size_t>(py) * level.width + px]); };
    const glm::vec4 top = glm::mix(at(x0, y0), at(x1, y0), tx);
    const glm::vec4 bottom = glm::mix(at(x0, y1), at(x1, y1), tx);
    return glm::mix(top, bottom, ty) * (1.0f / 255.0f);
}

glm::vec4 Texture::Sample(glm::vec2 uv, float lod) const {
    const float top = static_cast<float>(levels_.size() - 1);
    lod = std::clamp(lod, 0.0f, top);
    const int level = static_cast<int>(lod);
    const float blend = lod - static_cast<float>(level);
    const glm::vec4 near = Bilinear(levels_[static_cast<std::size_t>(level)], uv);
    if (blend <= 0.0f || level + 1 >= static_cast<int>(levels_.size())) return near;
    return glm::mix(near, Bilinear(levels_[static_cast<std::size_t>(level) + 1], uv), blend);
}

}  // namespace kr::toolkit
