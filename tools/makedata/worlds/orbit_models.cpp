#include "worlds/orbit_models.hpp"

#include <cmath>

#include "toolkit/loft.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/primitives.hpp"
#include "toolkit/uv_projection.hpp"
#include "worlds/scenery_model.hpp"
#include "worlds/scenery_shapes.hpp"
#include "worlds/scenery_textures.hpp"
#include "worlds/world_frame.hpp"

namespace kr::makedata::worlds {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Surface;
namespace palette = toolkit::palette;

constexpr float kPi = 3.14159265f;
constexpr int kPictureSize = 256;

SceneryLook Hull(const char* name, const PlatingLook& look) {
    return {name, toolkit::ToImage(Plating(kPictureSize, look)), vec3(1.0f), vec3(0.0f), 0.55f, 0.5f};
}

SceneryLook Glow(const char* name, vec3 colour) { return {name, {}, colour * 0.3f, colour, 0.0f, 0.5f}; }

Surface Turned(Surface s, float angle, vec3 axis, vec3 at) {
    s.Rotate(angle, axis);
    s.Translate(at);
    return s;
}

}  // namespace

model::Model Asteroid(int shape) {
    struct Form {
        LumpShape lump;
        int craters;
        float crease;
    };
    const Form forms[] = {
        {{{90, 80, 86}, 201, 0.28f, -1.0f, 26}, 7, 50.0f},
        {{{150, 70, 78}, 202, 0.32f, -1.0f, 26}, 5, 50.0f},
        {{{70, 95, 60}, 203, 0.6f, -1.0f, 14}, 2, 28.0f},
    };
    const Form& form = forms[shape];
    SceneryModel model("asteroid" + std::to_string(shape + 1), kPlacedScale, form.crease);
    const int rock = model.AddLook({"rock", toolkit::ToImage(Regolith(kPictureSize, 210u + static_cast<std::uint32_t>(shape))),
                                    vec3(1.0f), vec3(0.0f), 0.05f, 0.95f});
    Surface body = Lump(form.lump);
    PressCraters(body, form.lump.radii, form.craters, 0.45f, 220u + static_cast<std::uint32_t>(shape));
    model.AddBoxMapped(body, rock);
    return model.Build();
}

model::Model FreighterWreck() {
    SceneryModel model("freighter", kPlacedScale, 35.0f);
    const int hull = model.AddLook(Hull("hull", {231, {0.42f, 0.4f, 0.38f}, palette::kCrimson, 0.6f}));
    const int frame = model.AddLook(Hull("frame", {232, palette::kMetalDark * 0.6f, palette::kEmber, 0.7f}));
    const int fire = model.AddLook(Glow("embers", palette::kEmber));
    // The aft section: a hull of bevelled hexagonal section, its engine,
    // and the torn front where the ribs stick out.
    Surface body = toolkit::Extrude({{-50, -36}, {50, -36}, {64, 0}, {50, 36}, {-50, 36}, {-64, 0}}, 200.0f, 6.0f);
    body.Rotate(kPi / 2, {0, 1, 0});  // length along x
    model.AddBoxMapped(body, hull);
    Surface nozzle = toolkit::Lathe({{0, 30}, {26, 28}, {40, 0}, {44, -34}, {36, -34}, {24, -6}, {0, -4}}, 14);
    model.AddBoxMapped(Turned(nozzle, kPi / 2, {0, 0, 1}, {-128, 0, 0}), frame);
    Surface core = toolkit::Cylinder(20.0f, 20.0f, 6.0f, 14);
    model.Add(Turned(core, kPi / 2, {0, 0, 1}, {-162, 0, 0}), fire);
    for (int i = 0; i < 5; ++i) {
        const float x = 108.0f + 16.0f * i;
        const float bend = 0.08f * static_cast<float>(i);
        Surface rib = toolkit::Torus(54.0f - 4.0f * i, 3.0f, 12, 6);
        model.AddBoxMapped(Turned(rib, kPi / 2 + bend, {0, 0, 1}, {x, -2.0f * i, 0}), frame);
    }
    // Torn plates and a spine running out of the break.
    model.AddBoxMapped(Beam({95, -30, 0}, {190, -20, 10}, 8.0f), frame);
    for (int i = 0; i < 3; ++i) {
        Surface plate = toolkit::Box({46.0f, 3.0f, 34.0f});
        plate.Rotate(0.5f + 0.4f * i, {1, 0.3f, 0});
        plate.Translate({118.0f + 14.0f * i, 36.0f - 30.0f * i, (i - 1) * 34.0f});
        model.AddBoxMapped(plate, hull);
    }
    // Two cargo pods still clamped on.
    for (float z : {-46.0f, 46.0f}) {
        Surface pod = toolkit::Box({80.0f, 34.0f, 30.0f});
        pod.Translate({-10.0f, 32.0f, z});
        model.AddBoxMapped(pod, frame);
    }
    Surface glow = toolkit::Sphere(7.0f, 8, 5);
    glow.Translate({104, 10, 12});
    model.Add(glow, fire);
    return model.Build();
}

model::Model StationModule() {
    SceneryModel model("station", kPlacedScale, 35.0f);
    const int hull = model.AddLook(Hull("hull", {241, {0.66f, 0.67f, 0.7f}, palette::kCrimson, 0.15f}));
    const int dark = model.AddLook(Hull("frame", {242, palette::kMetalDark * 0.7f, palette::kEngine, 0.2f}));
    const int windows = model.AddLook(Glow("windows", vec3(0.9f, 0.75f, 0.5f)));
    const int lamp = model.AddLook(Glow("lamp", palette::kWarning));
    Surface drum = toolkit::Cylinder(46.0f, 46.0f, 220.0f, 18);
    model.AddBoxMapped(Turned(drum, kPi / 2, {0, 0, 1}, {0, 0, 0}), hull);
    for (float x : {-80.0f, 0.0f, 80.0f}) {
        Surface ring = toolkit::Torus(49.0f, 5.0f, 18, 6);
        model.AddBoxMapped(Turned(ring, kPi / 2, {0, 0, 1}, {x, 0, 0}), dark);
    }
    for (float x : {-40.0f, 40.0f}) {
        Surface band = toolkit::Cylinder(46.6f, 46.6f, 8.0f, 18);
        model.Add(Turned(band, kPi / 2, {0, 0, 1}, {x, 0, 0}), windows);
    }
    // Docking collars at both ends, a radiator fin and an antenna.
    for (float side : {-1.0f, 1.0f}) {
        Surface collar = toolkit::Cylinder(26.0f, 22.0f, 30.0f, 12);
        model.AddBoxMapped(Turned(collar, -side * kPi / 2, {0, 0, 1}, {side * 125.0f, 0, 0}), dark);
        Surface light = toolkit::Sphere(4.0f, 8, 5);
        light.Translate({side * 142.0f, 24.0f, 0});
        model.Add(light, lamp);
    }
    Surface fin = toolkit::Box({120.0f, 4.0f, 70.0f});
    fin.Translate({0, 0, 84});
    model.AddBoxMapped(fin, dark);
    model.AddBoxMapped(Beam({20, 46, 0}, {30, 120, 0}, 4.0f), dark);
    return model.Build();
}

model::Model SolarWreck() {
    SceneryModel model("solar", kPlacedScale, 30.0f);
    const int frame = model.AddLook(Hull("frame", {251, palette::kMetalLight * 0.8f, palette::kEmber, 0.3f}));
    const int cells = model.AddLook({"cells", toolkit::ToImage(SolarCells(kPictureSize)), vec3(1.0f), vec3(0.0f), 0.7f, 0.25f});
    // A truss boom with panels out to both sides, one torn and bent.
    model.AddBoxMapped(Beam({-150, 0, 0}, {150, 0, 0}, 9.0f), frame);
    for (int i = 0; i < 3; ++i) {
        const float x = -100.0f + 100.0f * i;
        for (float side : {-1.0f, 1.0f}) {
            const bool torn = i == 2 && side > 0;
            Surface panel = toolkit::Box({84.0f, 2.5f, 110.0f});
            panel.Translate({0, 0, side * 62.0f});
            if (torn) panel.Rotate(0.7f, {1, 0, 0.3f});
            panel.Translate({x, 0, 0});
            Surface copy = panel;
            toolkit::ProjectPlanar(copy, toolkit::Axis::Y);
            model.Add(copy, cells);
            model.AddBoxMapped(Beam({x, 0, side * 6.0f}, {x, 0, side * 118.0f}, 3.0f), frame);
        }
    }
    Surface hub = toolkit::Cylinder(16.0f, 16.0f, 30.0f, 10);
    model.AddBoxMapped(Turned(hub, 0.0f, {0, 1, 0}, {-160, 0, 0}), frame);
    return model.Build();
}

model::Model Beacon() {
    SceneryModel model("beacon", kPlacedScale, 35.0f);
    const int hull = model.AddLook(Hull("hull", {261, {0.3f, 0.31f, 0.35f}, palette::kCrimson, 0.25f}));
    const int lamp = model.AddLook(Glow("lamp", palette::kCrimson * 1.2f));
    const int ring = model.AddLook(Glow("ring", palette::kEmber));
    Surface body = toolkit::Lathe({{0, 80}, {6, 76}, {10, 40}, {26, 10}, {28, 0}, {26, -10}, {10, -40}, {6, -76}, {0, -80}}, 12);
    model.AddBoxMapped(body, hull);
    for (int i = 0; i < 4; ++i) {
        const float a = kPi / 2 * i;
        Surface fin = toolkit::Box({4.0f, 60.0f, 30.0f});
        fin.Translate({0, 0, 36});
        fin.Rotate(a, {0, 1, 0});
        model.AddBoxMapped(fin, hull);
    }
    Surface light = toolkit::Sphere(9.0f, 10, 6);
    light.Translate({0, 86, 0});
    model.Add(light, lamp);
    Surface band = toolkit::Torus(28.5f, 2.0f, 16, 6);
    model.Add(band, ring);
    return model.Build();
}

}  // namespace kr::makedata::worlds
