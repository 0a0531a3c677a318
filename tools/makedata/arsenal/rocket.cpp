#include "arsenal/rocket.hpp"

#include <cmath>
#include <vector>

#include <glm/gtc/constants.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/loft.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/noise.hpp"
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

constexpr int kSkinSize = 128;
// The skin: the body's paint down the left three quarters (v from nose to
// nozzle), fin metal and the nozzle's glow in the right quarter.
const vec2 kBodyMin{0.0f, 0.0f}, kBodyMax{0.75f, 1.0f};
const vec2 kFinMin{0.78f, 0.02f}, kFinMax{0.97f, 0.6f};
const vec2 kGlowMin{0.8f, 0.75f}, kGlowMax{0.95f, 0.95f};

// The profile from the nose (v = 0) to the nozzle (v = 1), as (radius, y).
std::vector<vec2> BodyProfile() {
    const float h = kRocketHalfLength;
    return {{0.0f, h},         {1.6f, h - 3.0f},  {3.0f, h - 7.0f},   {3.9f, h - 12.0f}, {4.1f, h - 16.0f},
            {4.1f, -h + 8.0f}, {3.6f, -h + 4.0f}, {3.3f, -h + 1.0f},  {2.4f, -h + 1.0f}, {0.0f, -h + 3.0f}};
}

// Paint along the body by the distance from the nose, 0..1.
Colour BodyPaint(float along, float around, float grain) {
    vec3 c = glm::mix(palette::kMetalLight, palette::kMetalDark, 0.3f + 0.2f * grain);
    if (along < 0.2f) c = palette::kCrimson * (0.9f + 0.2f * grain);                  // warhead
    else if (along < 0.235f) c = vec3(0.9f, 0.9f, 0.88f);                             // band
    else if (along > 0.62f && along < 0.68f) c = palette::kCrimson;                   // tail stripe
    else if (along > 0.86f) c = palette::kMetalDark * 0.45f;                          // nozzle
    const float seam = std::fabs(std::fmod(along * 9.0f, 1.0f) - 0.5f) < 0.03f ? 0.7f : 1.0f;
    const float stencil = along > 0.35f && along < 0.5f && std::fabs(around - 0.25f) < 0.05f ? 0.35f : 1.0f;
    return Colour(c * seam * stencil, 1.0f);
}

Canvas RocketSkin() {
    Canvas skin(kSkinSize, kSkinSize);
    const toolkit::Fractal grain{77, toolkit::Basis::Value, 3, 0.5f};
    skin.Generate([&](int x, int y) {
        const vec2 uv((x + 0.5f) / kSkinSize, (y + 0.5f) / kSkinSize);
        const float g = toolkit::Fbm(grain, uv * 16.0f) * 0.5f + 0.5f;
        if (uv.x < kBodyMax.x + 0.01f) return BodyPaint(uv.y, uv.x / kBodyMax.x, g);
        if (uv.y < 0.65f) return Colour(glm::mix(palette::kMetalDark * 0.6f, palette::kMetalDark, g), 1.0f);
        const float r = glm::length(uv - (kGlowMin + kGlowMax) * 0.5f) / 0.1f;
        return Colour(glm::mix(vec3(1.0f, 0.95f, 0.8f), palette::kEmber, toolkit::SmoothStep(0.0f, 1.0f, r)), 1.0f);
    });
    return skin;
}

// Four swept fins at the tail, turned 45 degrees off the axes so that all
// four show from above.
Surface Fins() {
    const float h = kRocketHalfLength;
    const std::vector<vec2> outline{{3.8f, -h + 16.0f}, {9.5f, -h + 5.0f}, {9.5f, -h + 1.5f}, {3.8f, -h + 2.0f}};
    Surface fins;
    for (int k = 0; k < 4; ++k) {
        Surface fin = toolkit::Extrude(outline, 0.9f);
        toolkit::ProjectBox(fin);
        toolkit::PlaceUv(fin, kFinMin, kFinMax);
        fin.Rotate(glm::quarter_pi<float>() + glm::half_pi<float>() * static_cast<float>(k), vec3(0, 1, 0));
        fins.Append(fin);
    }
    return fins;
}

// The hot throat inside the nozzle.
Surface Exhaust() {
    Surface glow = toolkit::Cylinder(2.5f, 2.5f, 0.6f, 16);
    toolkit::PlaceUv(glow, kGlowMin, kGlowMax);
    glow.Translate(vec3(0.0f, -kRocketHalfLength + 1.2f, 0.0f));
    return glow;
}

}  // namespace

model::Model RocketModel() {
    Surface body = toolkit::Lathe(BodyProfile(), 20);
    toolkit::PlaceUv(body, kBodyMin, kBodyMax);
    toolkit::MeshBuilder hull(35.0f);
    hull.Add(body, 0);
    hull.Add(Fins(), 0);
    hull.Add(Exhaust(), 1);

    toolkit::ModelBuilder builder;
    const int skin = builder.AddImage("rakieta_skin", toolkit::ToImage(RocketSkin()));
    model::Material paint;
    paint.name = "rakieta";
    paint.image = skin;
    paint.metallic = 0.5f;
    paint.roughness = 0.4f;
    builder.AddMaterial(paint);
    model::Material exhaust = paint;
    exhaust.name = "rakieta_exhaust";
    exhaust.emissive = vec3(1.0f);
    builder.AddMaterial(exhaust);
    builder.AddMesh(hull.Build("rakieta"), "rakieta");
    return builder.Build();
}

}  // namespace kr::makedata::arsenal
