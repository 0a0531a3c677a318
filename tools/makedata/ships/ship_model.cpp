#include "ships/ship_model.hpp"

#include <string>
#include <utility>

#include "engine/error.hpp"
#include "ships/ship_designs.hpp"
#include "toolkit/view_atlas.hpp"
#include "ships/skin_details.hpp"
#include "ships/skin_painter.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"

namespace kr::makedata::ships {
namespace {

// Faces meeting at more than this are a hard edge.
constexpr float kCreaseDegrees = 40.0f;
// Texels of paint grown round every piece of the views, for filtering.
constexpr int kFillTexels = 6;

void AppendPrimitive(model::Primitive& into, const model::Primitive& from) {
    const auto base = static_cast<std::uint32_t>(into.vertices.size());
    into.vertices.insert(into.vertices.end(), from.vertices.begin(), from.vertices.end());
    for (std::uint32_t index : from.indices) into.indices.push_back(base + index);
}

// One primitive per part from the builder becomes the hull and the glowing
// parts; the small parts get their swatch coordinates on the way.
model::Mesh HullAndGlow(model::Mesh perPart, const DetailSwatches& details) {
    model::Primitive hull, glow;
    hull.material = 0;
    glow.material = 1;
    for (model::Primitive& p : perPart.primitives) {
        const Part part = static_cast<Part>(p.material);
        if (!OnViews(part)) details.Apply(part, p);
        AppendPrimitive(Glows(part) ? glow : hull, p);
    }
    model::Mesh mesh;
    mesh.name = perPart.name;
    mesh.primitives.push_back(std::move(hull));
    if (!glow.indices.empty()) mesh.primitives.push_back(std::move(glow));
    return mesh;
}

}  // namespace

ShipModel MakeShipModel(int number, const SkinPatterns& patterns) {
    if (patterns.size != kSkinSize) throw Error("ship skin: patterns of the wrong size");
    ShipDesign design = DesignOf(number);
    const toolkit::ViewAtlas atlas(design.hull, kSkinSize);
    atlas.Apply(design.hull, OnViewsSlot);
    const toolkit::SurfaceMaps maps = toolkit::RasteriseViews(design.hull, atlas, OnViewsSlot, kFillTexels);
    const DetailSwatches details(atlas.SpareRegion(), kSkinSize, design.nozzles);
    const CleanSkin clean = PaintCleanSkin(design, atlas, maps, details, patterns);

    ShipModel ship;
    ship.number = number;
    ship.name = design.name;
    toolkit::MeshBuilder builder(kCreaseDegrees);
    builder.Add(design.hull);
    ship.mesh = HullAndGlow(builder.Build(design.name), details);
    for (int level = 0; level < kWearLevels; ++level)
        ship.skins[static_cast<std::size_t>(level)] = toolkit::ToImage(WornSkin(clean, maps, patterns, level));
    return ship;
}

image::Image Reduced(const image::Image& picture, int size) {
    const image::MipChain chain = image::BuildMipChain(picture);
    for (const image::Image& level : chain.levels)
        if (level.width == size && level.height == size) return level;
    throw Error("ship skin: no " + std::to_string(size) + " texel level below " + std::to_string(picture.width));
}

model::Model FighterModel(const ShipModel& ship, int pictureSize) {
    toolkit::ModelBuilder builder;
    const int picture = builder.AddImage(ship.name + "_skin", Reduced(ship.skins[0], pictureSize));
    model::Material hull;
    hull.name = ship.name + "_hull";
    hull.image = picture;
    hull.metallic = 0.4f;
    hull.roughness = 0.5f;
    builder.AddMaterial(hull);
    model::Material glow = hull;
    glow.name = ship.name + "_glow";
    glow.emissive = glm::vec3(1.0f);
    builder.AddMaterial(glow);
    builder.AddMesh(ship.mesh, ship.name);
    return builder.Build();
}

}  // namespace kr::makedata::ships
