#pragma once
// A picture prepared for drawing onto 3D surfaces: its mip levels as float
// colours, sampled with bilinear filtering between texels and a blend
// between the two nearest levels.

#include <vector>

#include <glm/glm.hpp>

#include "engine/image/image.hpp"

namespace kr::toolkit {

enum class TextureWrap { Repeat, Clamp };
// Single: for pictures never seen smaller than they are (sky boxes).
enum class TextureLevels { Mipmapped, Single };

class Texture {
public:
    explicit Texture(const image::Image& picture, TextureWrap wrap = TextureWrap::Repeat,
                     TextureLevels levels = TextureLevels::Mipmapped);

    int width() const { return levels_.front().width; }
    int height() const { return levels_.front().height; }
    int levelCount() const { return static_cast<int>(levels_.size()); }

    // Straight-alpha colour at `uv` (0..1 across the picture, v down); `lod`
    // picks the level, 0 the full size, fractions blend two levels.
    glm::vec4 Sample(glm::vec2 uv, float lod = 0.0f) const;

private:
    struct Level {
        int width = 0, height = 0;
        std::vector<glm::u8vec4> texels;
    };
    glm::vec4 Bilinear(const Level& level, glm::vec2 uv) const;
    int Wrapped(int i, int size) const;

    std::vector<Level> levels_;
    TextureWrap wrap_;
};

}  // namespace kr::toolkit
