#include "arsenal/powerups.hpp"

#include <cmath>
#include <string>
#include <vector>

#include <glm/gtc/constants.hpp>

#include "engine/error.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/loft.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/primitives.hpp"
#include "toolkit/uv_projection.hpp"

namespace kr::makedata::arsenal {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Surface;
namespace palette = toolkit::palette;

// The skin's four swatches: bright metal, dark metal, the kind's glow (hot
// at the top of the swatch) and white heat.
enum class Swatch { Metal, DarkMetal, Glow, Hot };

constexpr int kSkinSize = 64;

void OnSwatch(Surface& s, Swatch swatch) {
    const int i = static_cast<int>(swatch);
    const vec2 min(0.5f * static_cast<float>(i % 2), 0.5f * static_cast<float>(i / 2));
    toolkit::PlaceUv(s, min + vec2(0.04f), min + vec2(0.46f));
}

Canvas Skin(vec3 glow) {
    Canvas skin(kSkinSize, kSkinSize);
    skin.Generate([&](int x, int y) {
        const float v = std::fmod((y + 0.5f) / (kSkinSize / 2.0f), 1.0f);
        const bool right = x >= kSkinSize / 2, bottom = y >= kSkinSize / 2;
        if (!bottom && !right) return Colour(glm::mix(palette::kMetalLight * 1.1f, palette::kMetalDark, v), 1.0f);
        if (!bottom) return Colour(glm::mix(palette::kMetalDark * 0.7f, palette::kInk * 2.0f, v), 1.0f);
        if (!right) return Colour(glm::mix(glm::mix(glow, vec3(1.0f), 0.45f), glow * 0.75f, v), 1.0f);
        return Colour(glm::mix(vec3(1.0f), glm::mix(glow, vec3(1.0f), 0.6f), v), 1.0f);
    });
    return skin;
}

struct Parts {
    Surface core;  // on the spinning core joint
    Surface halo;  // on the halo joint
    vec3 glow;
};

Surface Ring(float radius, float tube, Swatch swatch, float tiltRadians, vec3 axis) {
    Surface ring = toolkit::Torus(radius, tube, 24, 8);
    OnSwatch(ring, swatch);
    ring.Rotate(tiltRadians, axis);
    return ring;
}

// Small lights evenly round a ring lying in the xz plane.
Surface Studs(int count, float radius, float size, Swatch swatch) {
    Surface studs;
    for (int i = 0; i < count; ++i) {
        Surface stud = toolkit::Sphere(size, 8, 5);
        OnSwatch(stud, swatch);
        const float a = glm::two_pi<float>() * static_cast<float>(i) / static_cast<float>(count);
        stud.Translate(vec3(std::cos(a) * radius, 0.0f, std::sin(a) * radius));
        studs.Append(stud);
    }
    return studs;
}

// Armour: a faceted cyan crystal in a steel ring with three lamps.
Parts Armour() {
    Parts p;
    p.glow = vec3(0.35f, 0.8f, 1.0f);
    p.core = toolkit::Lathe({{0.0f, 13.0f}, {7.5f, 4.0f}, {7.5f, -4.0f}, {0.0f, -13.0f}}, 6);
    OnSwatch(p.core, Swatch::Glow);
    Surface inner = toolkit::Lathe({{0.0f, 15.0f}, {3.0f, 9.0f}, {0.0f, 8.0f}}, 6);
    OnSwatch(inner, Swatch::Hot);
    p.core.Append(inner);
    p.halo = Ring(14.0f, 1.6f, Swatch::Metal, 0.0f, vec3(1, 0, 0));
    p.halo.Append(Studs(3, 14.0f, 2.3f, Swatch::Glow));
    p.halo.Rotate(0.45f, vec3(1, 0, 0));
    return p;
}

// A chevron pointing up (+y), flat in the xy plane.
Surface Chevron(float size) {
    const std::vector<vec2> outline{{0.0f, size}, {size, 0.0f}, {size * 0.55f, 0.0f},
                                    {0.0f, size * 0.45f}, {-size * 0.55f, 0.0f}, {-size, 0.0f}};
    return toolkit::Extrude(outline, 1.6f, 0.3f);
}

// Gun power: an ember core ringed by four chevrons, tips outwards.
Parts GunPower() {
    Parts p;
    p.glow = palette::kEmber;
    p.core = toolkit::Sphere(6.5f, 12, 8);
    OnSwatch(p.core, Swatch::Glow);
    Surface hot = toolkit::Sphere(3.0f, 8, 5);
    OnSwatch(hot, Swatch::Hot);
    hot.Translate(vec3(0.0f, 4.5f, 0.0f));
    p.core.Append(hot);
    for (int k = 0; k < 4; ++k) {
        Surface chevron = Chevron(6.0f);
        toolkit::ProjectBox(chevron);
        OnSwatch(chevron, k % 2 == 0 ? Swatch::Metal : Swatch::Glow);
        chevron.Translate(vec3(0.0f, 8.0f, 0.0f));
        chevron.Rotate(glm::half_pi<float>() * static_cast<float>(k), vec3(0, 0, 1));
        chevron.Rotate(0.6f, vec3(1, 0, 0));
        p.halo.Append(chevron);
    }
    Surface band = Ring(10.0f, 1.0f, Swatch::DarkMetal, 0.6f + glm::half_pi<float>(), vec3(1, 0, 0));
    p.halo.Append(band);
    return p;
}

// Recharge: a gold energy cell with dark bands in two gyroscope rings.
Parts Recharge() {
    Parts p;
    p.glow = palette::kGold;
    p.core = toolkit::Capsule(5.0f, 12.0f, 12, 4);
    OnSwatch(p.core, Swatch::Glow);
    for (float y : {-4.0f, 0.0f, 4.0f}) {
        Surface band = toolkit::Cylinder(5.4f, 5.4f, 1.2f, 12);
        OnSwatch(band, Swatch::DarkMetal);
        band.Translate(vec3(0.0f, y, 0.0f));
        p.core.Append(band);
    }
    Surface cap = toolkit::Cylinder(2.2f, 2.2f, 2.0f, 10);
    OnSwatch(cap, Swatch::Metal);
    cap.Translate(vec3(0.0f, 12.0f, 0.0f));
    p.core.Append(cap);
    p.halo = Ring(13.0f, 1.2f, Swatch::Glow, 0.5f, vec3(1, 0, 0));
    p.halo.Append(Ring(11.0f, 1.0f, Swatch::Metal, -0.9f, vec3(0, 0, 1)));
    return p;
}

Parts PartsOf(int kind) {
    switch (kind) {
        case 1: return Armour();
        case 2: return GunPower();
        case 3: return Recharge();
        default: throw Error("powerup: no kind " + std::to_string(kind));
    }
}

model::Mesh RigidOn(const Surface& surface, int joint, const toolkit::Skeleton& skeleton, const std::string& name) {
    toolkit::MeshBuilder builder(35.0f);
    builder.Add(surface, 0);
    model::Mesh mesh = builder.Build(name);
    toolkit::WeightByRegion(mesh, skeleton, [joint](vec3) { return joint; });
    return mesh;
}

glm::quat About(vec3 axis, float turns) { return glm::angleAxis(glm::two_pi<float>() * turns, axis); }

// The core turns once a loop, the halo once the other way; the core
// swells and the whole bobs twice a loop.
void AddLoop(toolkit::AnimationBuilder& animation) {
    constexpr int kKeys = 8;
    for (int k = 0; k <= kKeys; ++k) {
        const float f = static_cast<float>(k) / kKeys;
        const float t = f * kPowerupLoopSeconds;
        const float wave = std::sin(glm::two_pi<float>() * 2.0f * f);
        animation.Rotation(kPowerupCore, t, About(vec3(0, 1, 0), f));
        animation.Rotation(kPowerupHalo, t, About(vec3(0, 1, 0), -f));
        animation.Scale(kPowerupCore, t, vec3(1.0f + 0.08f * wave));
        animation.Translation(kPowerupRoot, t, vec3(0.0f, 1.5f * wave, 0.0f));
    }
}

}  // namespace

model::Model PowerupModel(int kind) {
    const Parts parts = PartsOf(kind);
    const std::string name = "powerup" + std::to_string(kind);
    toolkit::ModelBuilder builder;
    toolkit::Skeleton& skeleton = builder.skeleton();
    skeleton.AddJoint("root", -1, vec3(0.0f));
    skeleton.AddJoint("core", kPowerupRoot, vec3(0.0f));
    skeleton.AddJoint("halo", kPowerupRoot, vec3(0.0f));
    model::Material paint;
    paint.name = name;
    paint.image = builder.AddImage(name + "_skin", toolkit::ToImage(Skin(parts.glow)));
    paint.emissive = parts.glow * 0.4f;
    paint.metallic = 0.3f;
    paint.roughness = 0.4f;
    builder.AddMaterial(paint);
    builder.AddMesh(RigidOn(parts.core, kPowerupCore, skeleton, name + "_core"), name + "_core");
    builder.AddMesh(RigidOn(parts.halo, kPowerupHalo, skeleton, name + "_halo"), name + "_halo");
    AddLoop(builder.AddAnimation("spin"));
    return builder.Build();
}

}  // namespace kr::makedata::arsenal
