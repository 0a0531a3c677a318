#pragma once
// The clean paint of a ship (wear level 0): plating in the livery's colours
// split into panels with seams and rivets, accent stripes, lettering and an
// insignia, glass with reflections, dark intakes, and the detail swatches.

#include "ships/ship_designs.hpp"
#include "toolkit/view_atlas.hpp"
#include "ships/skin_details.hpp"
#include "ships/skin_patterns.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/field.hpp"

namespace kr::makedata::ships {

struct CleanSkin {
    toolkit::Canvas colour;
    toolkit::Field plating;  // 1 where painted plating lies
    toolkit::Field seams;    // the panel seams, softened: where dirt and chipping gather
};

CleanSkin PaintCleanSkin(const ShipDesign& design, const toolkit::ViewAtlas& atlas, const toolkit::SurfaceMaps& maps,
                         const DetailSwatches& details, const SkinPatterns& patterns);

}  // namespace kr::makedata::ships
