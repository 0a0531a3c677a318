#pragma once
// The hangar's mission pictures ("loa1", "loa2"): each mission's own world
// rendered from the game folder, with the player's fighter flying in. They
// read the map files back, so they are written after the worlds and ships.

#include "output_folder.hpp"

namespace kr::makedata {

void WriteBriefingPictures(OutputFolder& out);

}  // namespace kr::makedata
