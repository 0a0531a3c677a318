#pragma once
// The mission HUD's gauges: the gun-heat bar and its track (24-bit BMP,
// drawn 100 x 6), the life and armour bars with their shared track (drawn
// 32 wide, up to 100 and 108 high) and their two 32 x 32 icons.

#include <string>
#include <vector>

#include "engine/image/image.hpp"

namespace kr::makedata::arsenal {

enum class HudFormat { Bmp24, Dds };

struct HudPicture {
    std::string file;  // under the game folder
    image::Image picture;
    HudFormat format;
};

std::vector<HudPicture> HudGaugePictures();

}  // namespace kr::makedata::arsenal
