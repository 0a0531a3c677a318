#pragma once
// The menu pictures by kind; each group renders its own files.

#include <string>
#include <vector>

#include "menu_pictures/art.hpp"
#include "menu_pictures/menu_pictures.hpp"

namespace kr::makedata::menu {

// Colour keys the game loads the pictures with.
inline constexpr std::int32_t kKeyNone = 0;
inline constexpr std::int32_t kKeyOwnAlpha = -327764;
inline constexpr std::int32_t kKeyBlack = -16777216;
inline constexpr std::int32_t kKeyRed = -65536;

// The campaign's missions, each with its picture "loa" + n.
inline constexpr int kMissionCount = 2;

MenuPicture DdsPicture(std::string name, const Canvas& canvas, std::int32_t key = kKeyOwnAlpha);
// A 24-bit BMP whose see-through parts become the key colour.
MenuPicture KeyedBmpPicture(std::string name, const Canvas& canvas, std::int32_t key, glm::vec3 matte = glm::vec3(0.0f));
MenuPicture OpaqueBmpPicture(std::string name, const Canvas& canvas);

std::vector<MenuPicture> MakerScreenPictures(Faces& faces, const Bytes& displayFont);
std::vector<MenuPicture> TitleScreenPictures(Faces& faces, const Bytes& displayFont);
std::vector<MenuPicture> LogoPictures(Faces& faces, const Bytes& displayFont);
std::vector<MenuPicture> PanelPictures(Faces& faces);
std::vector<MenuPicture> HudPictures(Faces& faces);
std::vector<MenuPicture> IconPictures();
std::vector<MenuPicture> ScreenIconPictures(Faces& faces);
std::vector<MenuPicture> ShipCardPictures(Faces& faces);
std::vector<MenuPicture> VistaPictures(Faces& faces);
std::vector<MenuPicture> HelpPictures(Faces& faces);
std::vector<MenuPicture> FramePictures(Faces& faces);

}  // namespace kr::makedata::menu
