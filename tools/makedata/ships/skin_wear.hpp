#pragma once
// Wear on a ship's skin, level by level: 0 as clean as it left the hangar,
// 1 dirt and a few scratches, 2 soot trails and chipped paint, 3 dents and
// scorch marks, 4 scorched, dented and burnt through in places. Each level
// keeps all the damage of the one before.

#include "toolkit/view_atlas.hpp"
#include "ships/hull_parts.hpp"
#include "ships/skin_painter.hpp"
#include "ships/skin_patterns.hpp"
#include "toolkit/canvas.hpp"

namespace kr::makedata::ships {

inline constexpr int kWearLevels = 5;

toolkit::Canvas WornSkin(const CleanSkin& clean, const toolkit::SurfaceMaps& maps, const SkinPatterns& patterns, int level);

}  // namespace kr::makedata::ships
