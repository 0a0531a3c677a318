#include "arsenal/alien_shots.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "arsenal/glow_paint.hpp"
#include "engine/error.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/sprite_cards.hpp"

namespace kr::makedata::arsenal {
namespace {

using glm::vec3;
namespace palette = toolkit::palette;

enum class Form { Bolt, Orb, Twin, Spike };

struct Design {
    Form form;
    vec3 colour;
    float length;  // model units along the flight
    float width;
    bool heavy;    // a boss's: a second, wider layer of glow
};

const vec3 kAcidDeep = palette::kAcid * vec3(0.7f, 1.0f, 0.8f);
const vec3 kMagentaHot = palette::kMagenta * vec3(1.0f, 0.8f, 1.0f);

const std::array<Design, kAlienShotKinds> kDesigns{{
    {Form::Twin, palette::kMagenta, 34.0f, 20.0f, true},  // the first mission's boss
    {Form::Orb, palette::kAcid, 34.0f, 22.0f, true},      // the second mission's boss
    {Form::Bolt, palette::kAcid, 29.0f, 12.0f, false},
    {Form::Orb, palette::kMagenta, 23.0f, 14.0f, false},
    {Form::Spike, kAcidDeep, 31.0f, 13.0f, false},
    {Form::Bolt, palette::kMagenta, 29.0f, 12.0f, false},
    {Form::Twin, palette::kAcid, 29.0f, 14.0f, false},
    {Form::Spike, kMagentaHot, 31.0f, 13.0f, false},
    {Form::Orb, palette::kAcid, 23.0f, 14.0f, false},
    {Form::Bolt, kMagentaHot, 34.0f, 13.0f, false},
    {Form::Spike, palette::kAcid, 34.0f, 14.0f, false},
    {Form::Twin, palette::kMagenta, 31.0f, 16.0f, false},
    {Form::Orb, kAcidDeep, 26.0f, 16.0f, false},
    {Form::Bolt, palette::kAcid, 36.0f, 14.0f, false},
}};

// Texels dimmer than this become the transparent black; brighter ones keep
// at least half their colour, so that no dark fringe is blended over the scene.
constexpr float kKeyAlpha = 0.3f;

image::Image KeyedOnBlack(const Canvas& glow) {
    image::Image picture = toolkit::ToImage(glow);
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        const float alpha = picture.rgba[i + 3] / 255.0f;
        const float keep = alpha < kKeyAlpha ? 0.0f : 0.5f + 0.5f * alpha;
        for (int c = 0; c < 3; ++c)
            picture.rgba[i + c] = static_cast<std::uint8_t>(std::lround(picture.rgba[i + c] * keep));
        if (keep > 0.0f && picture.rgba[i] + picture.rgba[i + 1] + picture.rgba[i + 2] == 0) picture.rgba[i + 1] = 1;
        picture.rgba[i + 3] = 255;
    }
    return picture;
}

Canvas PaintShot(const Design& design, int kind) {
    Canvas canvas(kAlienShotPictureWidth, kAlienShotPictureHeight, Colour(0.0f));
    GlowLook look;
    look.colour = design.colour;
    look.core = glm::mix(design.colour, vec3(1.0f), 0.8f);
    look.intensity = design.heavy ? 1.35f : 1.1f;
    look.coreWidth = design.heavy ? 0.3f : 0.22f;
    look.seed = static_cast<std::uint32_t>(300 + kind);
    const int w = kAlienShotPictureWidth, h = kAlienShotPictureHeight;
    switch (design.form) {
        case Form::Bolt: PaintBolt(canvas, Cell{{0, 0}, {w, h}}, look); break;
        case Form::Spike: PaintBolt(canvas, Cell{{0, h / 8}, {w, h - h / 8}}, look, 0.92f); break;
        case Form::Twin:
            PaintBolt(canvas, Cell{{0, 0}, {w, h / 2}}, look, 0.8f);
            PaintBolt(canvas, Cell{{w / 8, h / 2}, {w, h}}, look, 0.8f);
            break;
        case Form::Orb: {
            PaintBolt(canvas, Cell{{0, h / 6}, {w * 3 / 4, h - h / 6}}, look, 0.95f);
            Canvas orb(w, h, Colour(0.0f));
            PaintOrb(orb, Cell{{w - h, 0}, {w, h}}, look);
            toolkit::Composite(canvas, orb, toolkit::Blend::Over);
            break;
        }
    }
    return canvas;
}

// A flat card facing the camera and an upright one along the flight; a
// boss's bolt gets a second, wider flat card.
toolkit::Surface ShotCards(const Design& design) {
    const vec3 flight{0, -1, 0}, across{1, 0, 0}, upright{0, 0, 1};
    const toolkit::UvRect whole;
    toolkit::Surface s = toolkit::Card(vec3(0.0f), flight, across, design.length, design.width, whole);
    s.Append(toolkit::Card(vec3(0.0f), flight, upright, design.length, design.width * 0.8f, whole));
    if (design.heavy)
        s.Append(toolkit::Card(vec3(0.0f, -design.length * 0.05f, -0.5f), flight, across, design.length * 1.15f,
                               design.width * 1.5f, whole));
    return s;
}

model::Model ShotModel(const Design& design, const image::Image& picture, int kind) {
    const std::string name = "alien_shot" + std::to_string(kind);
    toolkit::ModelBuilder builder;
    model::Material glow;
    glow.name = name;
    glow.image = builder.AddImage(name, picture);
    glow.emissive = vec3(1.0f);
    glow.doubleSided = true;
    glow.wrapS = glow.wrapT = model::Wrap::ClampToEdge;
    builder.AddMaterial(glow);
    toolkit::MeshBuilder mesh(30.0f);
    mesh.Add(ShotCards(design), 0);
    builder.AddMesh(mesh.Build(name), name);
    return builder.Build();
}

}  // namespace

AlienShot MakeAlienShot(int kind) {
    if (kind < 1 || kind > kAlienShotKinds) throw Error("alien shot: no kind " + std::to_string(kind));
    const Design& design = kDesigns[static_cast<std::size_t>(kind - 1)];
    AlienShot shot;
    shot.picture = KeyedOnBlack(PaintShot(design, kind));
    shot.model = ShotModel(design, shot.picture, kind);
    return shot;
}

}  // namespace kr::makedata::arsenal
