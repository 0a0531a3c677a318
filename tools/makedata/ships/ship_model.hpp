#pragma once
// A player ship made whole: its mesh, mapped onto one skin, and the five
// wear levels of that skin. The mesh has two primitives on the same
// texture: the hull, and the glowing parts (engine cores and lamps) whose
// material is emissive so that the game's glow pass lights them up.

#include <array>
#include <string>

#include "engine/image/image.hpp"
#include "engine/model/model.hpp"
#include "ships/skin_patterns.hpp"
#include "ships/skin_wear.hpp"

namespace kr::makedata::ships {

inline constexpr int kSkinSize = 512;

struct ShipModel {
    int number = 0;
    std::string name;
    model::Mesh mesh;                                // primitive 0 the hull, 1 the glowing parts
    std::array<image::Image, kWearLevels> skins;     // wear levels 0..4
};

// Ship `number` (1..5), its skins painted with `patterns` (of kSkinSize).
ShipModel MakeShipModel(int number, const SkinPatterns& patterns);

// The model file of a ship: the mesh with its clean skin embedded at
// `pictureSize` texels, so that a viewer, or a game that does not set the
// texture itself, shows it painted.
model::Model FighterModel(const ShipModel& ship, int pictureSize);

// A picture scaled down by halves to `size` (a power-of-two fraction of its own).
image::Image Reduced(const image::Image& picture, int size);

}  // namespace kr::makedata::ships
