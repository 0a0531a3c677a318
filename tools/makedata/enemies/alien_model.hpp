#pragma once
// Alien craft made into model files: the modelled surface split into the
// plated hull and the glowing parts (emissive, so that the game's glow pass
// lights them up), both on the craft's one painted skin.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/model.hpp"
#include "enemies/alien_skin.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/skeleton.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::enemies {

// Texels of one swatch cell of a craft's skin.
inline constexpr int kSkinCell = 128;

struct CraftLook {
    std::string name;
    AlienPalette palette;
    std::uint32_t seed = 1;
};

// Primitive 0 the hull, 1 the glowing parts (when there are any).
model::Mesh CraftMesh(const toolkit::Surface& surface, const std::string& name);

// One mesh, no skeleton.
model::Model StaticCraftModel(const CraftLook& look, const toolkit::Surface& surface);

// The skeleton with every joint's parts on it, rigidly: `partsByJoint`
// holds one surface per joint, modelled in the rest pose in model space.
// Animations are the caller's to add before building.
toolkit::ModelBuilder RiggedCraftBuilder(const CraftLook& look, const toolkit::Skeleton& skeleton,
                                         const std::vector<toolkit::Surface>& partsByJoint);

}  // namespace kr::makedata::enemies
