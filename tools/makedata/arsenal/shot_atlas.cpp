#include "arsenal/shot_atlas.hpp"

#include <glm/gtc/constants.hpp>

#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/primitives.hpp"
#include "toolkit/uv_projection.hpp"

namespace kr::makedata::arsenal {
namespace {

constexpr int kAtlasWidth = 256, kAtlasHeight = 128;

toolkit::UvRect RectOf(const Canvas& canvas, const Cell& cell) { return {UvMin(canvas, cell), UvMax(canvas, cell)}; }

}  // namespace

ShotAtlas PaintShotAtlas(const GlowLook& look) {
    ShotAtlas atlas;
    atlas.canvas = Canvas(kAtlasWidth, kAtlasHeight, Colour(look.colour, 0.0f));
    const Cell bolt{{0, 0}, {256, 64}}, orb{{0, 64}, {64, 128}}, band{{64, 64}, {128, 128}}, flare{{128, 64}, {192, 128}};
    PaintBolt(atlas.canvas, bolt, look);
    PaintOrb(atlas.canvas, orb, look);
    PaintBand(atlas.canvas, band, look);
    PaintFlare(atlas.canvas, flare, look);
    // The band is sampled away from its edges, where neighbours would bleed in.
    atlas.bolt = RectOf(atlas.canvas, bolt);
    atlas.orb = RectOf(atlas.canvas, orb);
    atlas.band = {UvMin(atlas.canvas, band) + glm::vec2(0.02f, 0.05f), UvMax(atlas.canvas, band) - glm::vec2(0.02f, 0.05f)};
    atlas.flare = RectOf(atlas.canvas, flare);
    return atlas;
}

model::Model ShotModel(const std::string& name, const toolkit::Surface& parts, const ShotAtlas& atlas) {
    toolkit::ModelBuilder builder;
    model::Material glow;
    glow.name = name + "_glow";
    glow.image = builder.AddImage(name, toolkit::ToImage(atlas.canvas));
    glow.emissive = glm::vec3(1.0f);
    glow.alphaMode = model::AlphaMode::Blend;
    glow.doubleSided = true;
    glow.wrapS = glow.wrapT = model::Wrap::ClampToEdge;
    builder.AddMaterial(glow);
    toolkit::MeshBuilder mesh(30.0f);
    mesh.Add(parts, 0);
    builder.AddMesh(mesh.Build(name), name);
    return builder.Build();
}

toolkit::Surface GlowRing(glm::vec3 centre, float radius, float thickness, const toolkit::UvRect& band) {
    toolkit::Surface ring = toolkit::Torus(radius, thickness * 0.5f, 16, 6);
    toolkit::PlaceUv(ring, band.min, band.max);
    ring.Rotate(glm::half_pi<float>(), glm::vec3(1, 0, 0));  // from round y to round z
    ring.Translate(centre);
    return ring;
}

}  // namespace kr::makedata::arsenal
