#pragma once
// The maker's logo ("velmor") and the game's title ("KRAVELLON"):
// typographic compositions in brushed chrome with a bevel and a crimson
// glow. Built once as layers, so the intro can animate them, and flattened
// into pictures for the game's logo textures.

#include <string>

#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"
#include "video/raster.hpp"

namespace kr::video {

// The display face and the name its errors carry.
struct DisplayFont {
    Bytes ttf;
    std::string name;
};

struct LogoArt {
    int width = 0;
    int height = 0;
    Plane coverage;   // letters and rules, 0..1
    Frame metal;      // the lit colour where coverage is set
    Plane glow;       // strength of the crimson glow around them
    Box ink;          // where the letters lie
    Box reach;        // where anything (glow included) is drawn
};

LogoArt MakerLogoArt(int width, int height, const DisplayFont& font);
LogoArt TitleArt(int width, int height, const DisplayFont& font);

// How a logo is shown in one frame of the intro.
struct LogoLook {
    float opacity = 1.0f;  // fades letters and glow together
    float glow = 1.0f;     // glow strength (flares above 1)
    float sweep = -1.0f;   // 0..1 position of a passing highlight; < 0: none
    float scale = 1.0f;    // about the centre of the frame
};

// The intro's backdrop: deep blue-black with a soft vignette.
Frame Backdrop(int width, int height);

// Lays the logo over `frame` (same size as the art).
void Composite(const LogoArt& art, const LogoLook& look, Frame& frame);

// Flattened pictures. On the dark backdrop, or with transparent
// surroundings (alpha from letters and glow) for drawing over other scenes.
enum class Background { Dark, Transparent };
image::Image RenderMakerLogo(int width, int height, const DisplayFont& font, Background background = Background::Dark);
image::Image RenderTitle(int width, int height, const DisplayFont& font, Background background = Background::Dark);

}  // namespace kr::video
