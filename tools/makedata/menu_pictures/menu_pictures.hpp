#pragma once
// Every 2D picture the start-up and the menus load: the loading picture,
// the logos and the title, the interface panels, icons, ship cards, mission
// pictures, help, HUD frames and the wide-screen frame.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"
#include "output_folder.hpp"

namespace kr::makedata {

enum class PictureFormat { Dds, Bmp24 };

struct MenuPicture {
    std::string file;          // game-folder name, e.g. "graphics\\panel_128x64.dds"
    image::Image picture;      // the texels as stored (a BMP's already flattened for its key)
    PictureFormat format = PictureFormat::Dds;
    std::int32_t colourKey = 0;  // the key the game loads the file with
};

// The fonts the pictures are lettered with: the game's display face and its
// Arial stand-in, both bold.
struct PictureFonts {
    Bytes display;
    Bytes plain;
};

std::vector<MenuPicture> RenderMenuPictures(const PictureFonts& fonts);
Bytes EncodeMenuPicture(const MenuPicture& picture);

// Reads the fonts from the game folder being written (the font step runs first).
void WriteMenuPictures(OutputFolder& out);

}  // namespace kr::makedata
