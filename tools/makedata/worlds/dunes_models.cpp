#include "worlds/dunes_models.hpp"

#include <cmath>
#include <vector>

#include "toolkit/canvas.hpp"
#include "toolkit/loft.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/primitives.hpp"
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
// Bases go this far below y 0, so that objects on a slope do not float.
constexpr float kSink = 14.0f;

SceneryLook SandstoneLook(std::uint32_t seed) {
    return {"stone", toolkit::ToImage(Sandstone(kPictureSize, seed, {0.74f, 0.6f, 0.46f}, {0.4f, 0.3f, 0.24f})),
            vec3(1.0f), vec3(0.0f), 0.0f, 0.95f};
}

SceneryLook PlatingLookOf(const char* name, const PlatingLook& look) {
    return {name, toolkit::ToImage(Plating(kPictureSize, look)), vec3(1.0f), vec3(0.0f), 0.45f, 0.55f};
}

SceneryLook Glow(const char* name, vec3 colour) { return {name, {}, colour * 0.3f, colour, 0.0f, 0.5f}; }

// Weathering: small noise pushed into a surface.
void Weather(Surface& surface, std::uint32_t seed, float amount, float scale) {
    const toolkit::Fractal noise{seed, toolkit::Basis::Gradient, 3, 0.5f};
    Displace(surface, [&](vec3 p) {
        const vec3 q = p * scale;
        return p + amount * vec3(toolkit::Fbm(noise, q), toolkit::Fbm(noise, q + vec3(17.0f)), toolkit::Fbm(noise, q + vec3(31.0f)));
    });
}

}  // namespace

model::Model GroundCannon() {
    SceneryModel model("cannon", kEarlyCannonScale, 35.0f);
    const int armour = model.AddLook(PlatingLookOf("armour", {71, {0.42f, 0.36f, 0.3f}, palette::kCrimson, 0.35f}));
    const int steel = model.AddLook(PlatingLookOf("steel", {72, palette::kMetalDark * 0.8f, palette::kEmber, 0.2f}));
    const int muzzle = model.AddLook(Glow("muzzle", palette::kEmber));
    // An octagonal emplacement ring, the turret on it, twin barrels forward.
    Surface ring = toolkit::Cylinder(44.0f, 36.0f, 16.0f + kSink, 8);
    ring.Translate({0, (16.0f - kSink) * 0.5f, 0});
    model.AddBoxMapped(ring, armour);
    Surface turret = toolkit::Lathe({{0, 42}, {14, 41}, {24, 36}, {29, 26}, {30, 16}, {0, 16}}, 12);
    model.AddBoxMapped(turret, steel);
    Surface mantlet = toolkit::Box({14, 16, 30});
    mantlet.Translate({-24, 28, 0});
    model.AddBoxMapped(mantlet, armour);
    for (float side : {-8.0f, 8.0f}) {
        Surface barrel = toolkit::Cylinder(3.4f, 2.8f, 46.0f, 8);
        barrel.Rotate(kPi / 2, {0, 0, 1});
        barrel.Translate({-52, 29, side});
        model.AddBoxMapped(barrel, steel);
        Surface brake = toolkit::Cylinder(4.6f, 4.6f, 8.0f, 8);
        brake.Rotate(kPi / 2, {0, 0, 1});
        brake.Translate({-74, 29, side});
        model.AddBoxMapped(brake, armour);
        Surface glow = toolkit::Cylinder(2.4f, 2.4f, 1.5f, 8);
        glow.Rotate(kPi / 2, {0, 0, 1});
        glow.Translate({-78.6f, 29, side});
        model.Add(glow, muzzle);
    }
    // A sensor box and its lamp on the turret's back.
    Surface sensor = toolkit::Box({12, 8, 10});
    sensor.Translate({12, 44, -10});
    model.AddBoxMapped(sensor, steel);
    Surface lamp = toolkit::Sphere(2.5f, 8, 5);
    lamp.Translate({12, 49.5f, -10});
    model.Add(lamp, model.AddLook(Glow("lamp", palette::kWarning)));
    return model.Build();
}

model::Model Boulders() {
    SceneryModel model("boulders", kPlacedScale, 38.0f);
    const int stone = model.AddLook(SandstoneLook(101));
    model.AddBoxMapped(Lump({{72, 48, 60}, 102, 0.3f, -0.35f, 22}), stone);
    Surface second = Lump({{38, 30, 34}, 103, 0.35f, -0.3f, 16});
    second.Translate({58, -4, 40});
    model.AddBoxMapped(second, stone);
    Surface third = Lump({{24, 18, 22}, 104, 0.4f, -0.3f, 12});
    third.Translate({-50, -6, -48});
    model.AddBoxMapped(third, stone);
    return model.Build();
}

model::Model RockSpire() {
    SceneryModel model("spire", kPlacedScale, 38.0f);
    const int stone = model.AddLook(SandstoneLook(111));
    // A hoodoo: a hard cap on a waisted column of softer layers.
    Surface spire = toolkit::Lathe({{0, 172}, {30, 170}, {44, 160}, {40, 150}, {22, 142}, {20, 120}, {30, 104},
                                    {26, 86},  {34, 70}, {30, 52},  {46, 30}, {62, 6},   {66, -kSink}, {0, -kSink}},
                                   14);
    Weather(spire, 112, 9.0f, 0.025f);
    model.AddBoxMapped(spire, stone);
    Surface scree = Lump({{30, 16, 26}, 113, 0.4f, -0.3f, 12});
    scree.Translate({58, -2, -30});
    model.AddBoxMapped(scree, stone);
    return model.Build();
}

model::Model RockArch() {
    SceneryModel model("arch", kPlacedScale, 40.0f);
    const int stone = model.AddLook(SandstoneLook(121));
    toolkit::LoftShape arch;
    for (int i = 0; i < 8; ++i) {
        const float a = 2.0f * kPi * (static_cast<float>(i) + 0.5f) / 8.0f;
        arch.profile.push_back({std::cos(a), std::sin(a)});
    }
    arch.up = vec3(0, 0, 1);
    constexpr int kStations = 16;
    for (int i = 0; i <= kStations; ++i) {
        const float t = static_cast<float>(i) / kStations;
        const float a = -0.12f + t * (kPi + 0.24f);
        const float foot = 1.0f - std::sin(t * kPi);  // thick at the feet
        toolkit::LoftStation station;
        station.centre = vec3(-115.0f * std::cos(a), 125.0f * std::sin(a), 0.0f);
        station.scale = vec2(26.0f + 20.0f * foot, 30.0f + 16.0f * foot);
        arch.stations.push_back(station);
    }
    Surface span = toolkit::Loft(arch);
    Weather(span, 122, 10.0f, 0.02f);
    model.AddBoxMapped(span, stone);
    for (float side : {-1.0f, 1.0f}) {
        Surface foot = Lump({{40, 26, 44}, side > 0 ? 123u : 124u, 0.35f, -0.4f, 12});
        foot.Translate({side * 128.0f, -4, side * 14.0f});
        model.AddBoxMapped(foot, stone);
    }
    return model.Build();
}

model::Model Palm() {
    SceneryModel model("palm", kPlacedScale, 50.0f);
    const int bark = model.AddLook({"bark", toolkit::ToImage(Bark(128)), vec3(1.0f), vec3(0.0f), 0.0f, 1.0f});
    const int leaf = model.AddLook({"frond", toolkit::ToImage(Frond(128)), vec3(1.0f), vec3(0.0f), 0.0f, 0.8f});
    toolkit::LoftShape trunk;
    for (int i = 0; i < 10; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i) / 10.0f;
        trunk.profile.push_back({std::cos(a), std::sin(a)});
    }
    trunk.up = vec3(0, 0, 1);
    constexpr int kRings = 14;
    for (int i = 0; i <= kRings; ++i) {
        const float t = static_cast<float>(i) / kRings;
        const float r = (8.0f - 2.5f * t) * (i % 2 == 0 ? 1.0f : 1.1f);
        trunk.stations.push_back({vec3(30.0f * t * t, -kSink + (118.0f + kSink) * t, 0.0f), vec2(r), {}});
    }
    model.Add(toolkit::Loft(trunk), bark);
    const vec3 crown(30.0f, 118.0f, 0.0f);
    constexpr int kFronds = 9;
    for (int k = 0; k < kFronds; ++k) {
        const float heading = 2.0f * kPi * (static_cast<float>(k) + 0.3f * (k % 2)) / kFronds;
        const float length = 62.0f + 14.0f * static_cast<float>((k * 5) % 3);
        const float droop = k % 3 == 0 ? 1.3f : 0.8f;  // some hang dry and low
        const vec3 out(std::cos(heading), 0.0f, std::sin(heading));
        toolkit::LoftShape frond;
        frond.profile = {{1.0f, 0.0f}, {0.0f, 0.12f}, {-1.0f, 0.0f}, {0.0f, -0.18f}};
        frond.up = vec3(0, 1, 0);
        for (int i = 0; i <= 6; ++i) {
            const float s = static_cast<float>(i) / 6.0f;
            const float width = i == 6 ? 0.0f : 12.0f * std::sin((s * 0.85f + 0.12f) * kPi);
            const vec3 at = crown + out * (length * s) + vec3(0.0f, 22.0f * s - 60.0f * droop * s * s, 0.0f);
            frond.stations.push_back({at, vec2(width, i == 6 ? 0.0f : 12.0f), {}});
        }
        model.Add(toolkit::Loft(frond), leaf);
    }
    Surface nuts = toolkit::Sphere(7.0f, 8, 5);
    nuts.Translate(crown + vec3(-4, -6, 0));
    model.Add(nuts, bark);
    return model.Build();
}

model::Model Ruin() {
    SceneryModel model("ruin", kPlacedScale, 30.0f);
    const int stone = model.AddLook(SandstoneLook(131));
    // Courses of blocks, fewer and shorter towards the broken end.
    for (int course = 0; course < 5; ++course) {
        const int blocks = 6 - course;
        for (int b = 0; b < blocks; ++b) {
            const std::uint32_t h = toolkit::Hash(static_cast<std::uint32_t>(course * 16 + b) + 131u);
            const float jitter = toolkit::HashFraction(h) - 0.5f;
            Surface block = toolkit::Box({34.0f, 17.0f, 22.0f});
            block.Rotate(jitter * 0.08f, {0, 1, 0});
            block.Translate({-90.0f + static_cast<float>(b) * 35.0f + (course % 2) * 17.0f, -6.0f + course * 17.5f, jitter * 3.0f});
            model.AddBoxMapped(block, stone);
        }
    }
    // A standing column and a fallen one.
    Surface column = toolkit::Cylinder(13.0f, 11.0f, 110.0f + kSink, 10);
    column.Translate({60.0f, (110.0f - kSink) * 0.5f, 46.0f});
    Weather(column, 132, 2.5f, 0.05f);
    model.AddBoxMapped(column, stone);
    Surface capital = toolkit::Box({32.0f, 10.0f, 32.0f});
    capital.Translate({60.0f, 114.0f, 46.0f});
    model.AddBoxMapped(capital, stone);
    Surface fallen = toolkit::Cylinder(12.0f, 12.0f, 80.0f, 10);
    fallen.Rotate(kPi / 2, {0, 0, 1});
    fallen.Rotate(0.5f, {0, 1, 0});
    fallen.Translate({-30.0f, 4.0f, 62.0f});
    model.AddBoxMapped(fallen, stone);
    for (int i = 0; i < 4; ++i) {
        Surface rubble = toolkit::Box({16.0f, 10.0f, 13.0f});
        rubble.Rotate(0.4f * static_cast<float>(i), {0.3f, 1.0f, 0.2f});
        rubble.Translate({40.0f + i * 16.0f, -1.0f, -24.0f - (i % 2) * 14.0f});
        model.AddBoxMapped(rubble, stone);
    }
    return model.Build();
}

model::Model Outpost() {
    SceneryModel model("outpost", kPlacedScale, 35.0f);
    const int hull = model.AddLook(PlatingLookOf("hull", {141, {0.55f, 0.5f, 0.42f}, palette::kCrimson, 0.45f}));
    const int steel = model.AddLook(PlatingLookOf("steel", {142, palette::kMetalDark, palette::kEmber, 0.3f}));
    const int window = model.AddLook(Glow("window", palette::kEmber * 0.9f));
    const int beacon = model.AddLook(Glow("beacon", palette::kWarning));
    // A bunker with a sloped front, pushed along z.
    Surface bunker = toolkit::Extrude({{-60, -kSink}, {60, -kSink}, {60, 40}, {30, 56}, {-60, 56}, {-72, 20}}, 80.0f, 4.0f);
    model.AddBoxMapped(bunker, hull);
    for (int i = 0; i < 3; ++i) {
        Surface slit = toolkit::Box({3.0f, 5.0f, 14.0f});
        slit.Rotate(0.45f, {0, 0, 1});
        slit.Translate({-66.5f, 36.0f, -24.0f + i * 24.0f});
        model.Add(slit, window);
    }
    Surface door = toolkit::Box({2.0f, 30.0f, 20.0f});
    door.Translate({61.0f, 15.0f, 0.0f});
    model.Add(door, window);
    // Two fuel tanks lying beside it.
    for (int i = 0; i < 2; ++i) {
        Surface tank = toolkit::Capsule(15.0f, 60.0f, 12, 4);
        tank.Rotate(kPi / 2, {0, 0, 1});
        tank.Translate({10.0f, 14.0f, 62.0f + i * 32.0f});
        model.AddBoxMapped(tank, steel);
    }
    // The mast with its dish and warning lamp.
    Surface mast = toolkit::Cylinder(4.0f, 2.5f, 80.0f, 8);
    mast.Translate({-20.0f, 96.0f, -20.0f});
    model.AddBoxMapped(mast, steel);
    Surface dish = toolkit::Lathe({{0, 14}, {10, 12}, {22, 4}, {24, 0}, {20, 1}, {10, 6}, {0, 8}}, 14);
    dish.Rotate(-0.7f, {0, 0, 1});
    dish.Translate({-14.0f, 110.0f, -20.0f});
    model.AddBoxMapped(dish, steel);
    Surface lamp = toolkit::Sphere(3.5f, 8, 5);
    lamp.Translate({-20.0f, 138.0f, -20.0f});
    model.Add(lamp, beacon);
    return model.Build();
}

model::Model Pylon() {
    SceneryModel model("pylon", kPlacedScale, 30.0f);
    const int steel = model.AddLook(PlatingLookOf("steel", {151, palette::kMetalDark * 0.75f, palette::kCrimson, 0.55f}));
    const int insulator = model.AddLook({"insulator", {}, vec3(0.55f, 0.6f, 0.7f), vec3(0.0f), 0.2f, 0.3f});
    // Four tapering legs braced in panels, cross-arms at the top.
    constexpr float kTop = 190.0f;
    const auto half = [](float y) { return 34.0f - 24.0f * y / kTop; };
    const float levels[] = {-kSink, 40.0f, 80.0f, 120.0f, 160.0f, kTop};
    const vec2 corners[] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    for (int c = 0; c < 4; ++c) {
        const vec2 a = corners[c], b = corners[(c + 1) % 4];
        model.AddBoxMapped(Beam(vec3(a.x * half(-kSink), -kSink, a.y * half(-kSink)), vec3(a.x * half(kTop), kTop, a.y * half(kTop)), 4.0f), steel);
        for (std::size_t l = 1; l < std::size(levels); ++l) {
            const float y0 = levels[l - 1], y1 = levels[l];
            const vec3 lowA(a.x * half(y0), y0, a.y * half(y0)), highB(b.x * half(y1), y1, b.y * half(y1));
            model.AddBoxMapped(Beam(vec3(a.x * half(y1), y1, a.y * half(y1)), highB, 2.2f), steel);
            model.AddBoxMapped(Beam(lowA, highB, 1.8f), steel);
        }
    }
    for (float y : {kTop - 4.0f, kTop - 40.0f}) {
        model.AddBoxMapped(Beam(vec3(0, y, -70), vec3(0, y, 70), 5.0f), steel);
        for (float z : {-62.0f, 62.0f}) {
            Surface string = toolkit::Cylinder(3.0f, 3.0f, 16.0f, 8);
            string.Translate({0, y - 10.0f, z});
            model.Add(string, insulator);
        }
    }
    return model.Build();
}

}  // namespace kr::makedata::worlds
