#pragma once
// Display text set with FreeType straight from the font file, at any size,
// as a coverage plane: the logo art's raw material.

#include <string_view>

#include "engine/game_folder.hpp"
#include "video/raster.hpp"

namespace kr::video {

struct TextPlacement {
    float inkWidth = 400.0f;   // width the letters' ink spans, in pixels
    float centreX = 0.0f;      // where the ink box is centred
    float centreY = 0.0f;
    float trackingEm = 0.0f;   // extra space between letters, in ems
};

// Coverage 0..1 of `text` (ASCII) on a width x height plane. Throws
// FileError(fontName, ...) for unreadable font bytes or missing glyphs.
Plane RenderText(const Bytes& ttf, const std::string& fontName, std::string_view text, int width, int height,
                 const TextPlacement& placement);

}  // namespace kr::video
