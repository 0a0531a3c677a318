#pragma once
// The hangar's pictures: the floor of the well under the menu camera, the
// tiling wall plates, and an atlas of trims (hazard stripes, lamps, screens,
// grilles, cables, crates) that small parts take their colour from.

#include <glm/glm.hpp>

#include "engine/image/image.hpp"

namespace kr::makedata::menu_scene {

// The floor picture spans the well's whole floor: its centre is the turning
// axis and its edge the well's wall.
inline constexpr int kFloorSize = 1024;
// The wall plates repeat every kPlateTile world units.
inline constexpr int kPlateSize = 512;
inline constexpr float kPlateTile = 96.0f;
inline constexpr int kAtlasSize = 512;

// A rectangle of the trim atlas in texture coordinates, already inset so
// that filtering never reaches a neighbour.
struct AtlasRegion {
    glm::vec2 min{0.0f};
    glm::vec2 max{1.0f};
};

namespace atlas {
AtlasRegion Hazard();       // crimson and black stripes running along u
AtlasRegion LampWhite();    // a cold white lamp lens in its frame
AtlasRegion LampRed();      // a crimson lamp lens
AtlasRegion Screen();       // a console screen with readouts
AtlasRegion Amber();        // an ember warning lamp
AtlasRegion Grating();      // a floor grille
AtlasRegion Vent();         // louvred vent
AtlasRegion Cable();        // black rubber
AtlasRegion Pipe();         // brushed steel with clamp bands along u
AtlasRegion Crate();        // the side of a cargo crate
AtlasRegion Machinery();    // dark plate with bolts
AtlasRegion Tank();         // crimson paint over steel, worn
AtlasRegion DarkMetal();    // unpainted dark steel
AtlasRegion Glass();        // a window's tinted glass
AtlasRegion Rail();         // crimson painted rail
AtlasRegion SteelLight();   // light bare steel
}  // namespace atlas

image::Image FloorPicture();
image::Image PlatePicture();
image::Image TrimAtlasPicture();

}  // namespace kr::makedata::menu_scene
