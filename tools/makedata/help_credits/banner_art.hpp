#pragma once
// The pictures of the help pages and the credits, painted with the menu
// pictures' means.

#include <string>

#include "engine/game_folder.hpp"
#include "menu_pictures/menu_pictures.hpp"

namespace kr::makedata::help {

inline constexpr int kBannerWidth = 512, kBannerHeight = 128;
inline constexpr int kCreditsWidth = 2048, kCreditsHeight = 256;

// Help page `page` (1..22): a framed space banner with the page's motif on
// the left and a calm band on the right where the game letters the title.
// Icons are taken from the game folder being written.
MenuPicture HelpBanner(int page, const GameFolder& folder);

// The credits strip of one language ("english" or "polish"): chrome
// lettering on pure black, which the game draws as transparent.
MenuPicture CreditsStrip(const std::string& language, const PictureFonts& fonts);

}  // namespace kr::makedata::help
