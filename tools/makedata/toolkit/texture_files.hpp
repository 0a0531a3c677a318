#pragma once
// Pictures made ready for the texture files the game loads: DDS pictures
// keep their own alpha, 24-bit BMP pictures get transparency from a colour
// key (texels of exactly the key's colour vanish when loaded).

#include <glm/glm.hpp>

#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"

namespace kr::toolkit {

// Gives fully transparent texels the colour of the nearest visible ones, so
// that filtering and mipmaps do not pull dark or foreign colour into the
// edges. Alpha is untouched.
void BleedIntoTransparent(image::Image& picture);

// An uncompressed DDS with every mipmap level, colours bled first.
Bytes EncodeTextureDds(image::Image picture);

// How a picture with alpha becomes one for a colour-keyed 24-bit BMP.
struct KeyedFlatten {
    glm::u8vec3 key{0, 0, 0};   // the colour the game's loader makes transparent
    glm::u8vec3 matte{0, 0, 0}; // what partly transparent texels are blended onto
    float threshold = 0.25f;    // alpha below this becomes the key
};

// Texels below the threshold become the key colour; the others are blended
// onto the matte, opaque, and never equal the key (they are nudged off it).
image::Image FlattenForColourKey(const image::Image& picture, const KeyedFlatten& how);

// The colour of a colour-key value as the loader reads it (0xAARRGGBB).
glm::u8vec3 ColourKeyRgb(std::int32_t key);

}  // namespace kr::toolkit
