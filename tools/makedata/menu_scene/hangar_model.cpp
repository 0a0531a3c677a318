#include "menu_scene/hangar_model.hpp"

#include <cmath>
#include <utility>

#include <glm/gtc/constants.hpp>

#include "menu_scene/embed.hpp"
#include "menu_scene/hangar_parts.hpp"
#include "menu_scene/hangar_textures.hpp"
#include "menu_scene/menu_layout.hpp"
#include "toolkit/loft.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/primitives.hpp"

namespace kr::makedata::menu_scene {

namespace {

using toolkit::Surface;

float Radians(float degrees) { return glm::radians(degrees); }

// A point at `radius` from the axis, `degrees` round from +x towards +z.
glm::vec3 Polar(float radius, float degrees, float y) {
    return {radius * std::cos(Radians(degrees)), y, radius * std::sin(Radians(degrees))};
}

// The yaw that turns a part's +x towards the axis-facing radial at `degrees`.
float FacingOut(float degrees) { return -Radians(degrees); }

// Surfaces gathered per picture.
struct Hangar {
    Surface floor;
    Surface plates;
    Surface trim;

    void Plate(Surface s) {
        WorldUv(s, kPlateTile);
        plates.Append(s);
    }
    void Trim(Surface s, const AtlasRegion& region) {
        ToRegion(s, region);
        trim.Append(s);
    }
};

// The iris in the well's floor: eight overlapping blades around an opening
// onto open space.
constexpr float kIrisHole = 34.0f;
constexpr float kIrisOpening = 25.0f;

Surface IrisBlade(int index) {
    const float a = index * 45.0f;
    const auto p = [](float r, float degrees) {
        return glm::vec2(r * std::cos(Radians(degrees)), r * std::sin(Radians(degrees)));
    };
    Surface blade = toolkit::Extrude({p(kIrisOpening, a), p(kIrisOpening + 5.0f, a + 52.0f), p(kIrisHole + 14.0f, a + 38.0f),
                                      p(kIrisHole + 12.0f, a - 4.0f)},
                                     1.6f, 0.3f);
    // The outline lies in x, y; turn it flat so that y becomes z.
    blade.Rotate(glm::half_pi<float>(), {1, 0, 0});
    blade.Translate({0.0f, kPitFloorY - 3.0f - 0.5f * (index % 2) - 0.05f * index, 0.0f});
    return blade;
}

// Blades take the machinery plate from above, in world units.
void ProjectBladeUv(Surface& blade) {
    for (auto& t : blade.triangles())
        for (auto& c : t.corners) c.uv = glm::fract(glm::vec2(c.position.x, c.position.z) / 64.0f + 0.5f);
}

void AddIris(Hangar& h) {
    for (int i = 0; i < 8; ++i) {
        Surface blade = IrisBlade(i);
        ProjectBladeUv(blade);
        h.Trim(std::move(blade), atlas::Machinery());
    }
    Surface rim = RingWall(kIrisHole, kPitFloorY - 6.0f, kPitFloorY, 48, true, 1.0f);
    ArcUv(rim, 48, Across::Height, kPitFloorY - 6.0f, kPitFloorY);
    h.Trim(std::move(rim), atlas::Hazard());
    Surface housing = Annulus(kIrisOpening + 2.0f, kIrisHole + 20.0f, kPitFloorY - 6.5f, 24, 1);
    ArcUv(housing, 24, Across::Radius, kIrisOpening + 2.0f, kIrisHole + 20.0f);
    h.Trim(std::move(housing), atlas::Machinery());
}

void AddWellFloorAndWall(Hangar& h) {
    Surface floor = Annulus(kIrisHole, kPitRadius, kPitFloorY, 128, 8);
    DiscUv(floor, kPitRadius);
    h.floor.Append(floor);
    h.Plate(RingWall(kPitRadius, kPitFloorY, kTerraceY, 96, true, kPlateTile));
    Surface skirt = RingWall(kPitRadius - 5.0f, kPitFloorY, kPitFloorY + 5.0f, 48, true, 1.0f);
    skirt.Append(Annulus(kPitRadius - 5.0f, kPitRadius, kPitFloorY + 5.0f, 48, 1));
    ArcUv(skirt, 48, Across::Height, kPitFloorY, kPitFloorY + 5.0f);
    h.Trim(std::move(skirt), atlas::DarkMetal());
    const float wallHeight = kTerraceY - kPitFloorY;
    for (int i = 0; i < 24; ++i) {
        const float a = i * 15.0f;
        h.Plate(Block(Polar(kPitRadius - 3.5f, a, kPitFloorY + wallHeight * 0.5f), {7.0f, wallHeight, 6.0f}, FacingOut(a)));
        // Light strips up the wall between the ribs: from above they ring the
        // well like spokes of light.
        const float lamp = a + 7.5f;
        if (i % 2 == 0) {
            Surface strip = Block(Polar(kPitRadius - 0.8f, lamp, kPitFloorY + wallHeight * 0.45f), {1.6f, wallHeight * 0.7f, 3.0f},
                                  FacingOut(lamp));
            h.Trim(std::move(strip), i % 6 == 0 ? atlas::LampRed() : atlas::LampWhite());
        }
        for (float y : {kTerraceY - 17.0f, kTerraceY - 23.0f}) {
            std::vector<glm::vec3> arc;
            for (int k = 0; k <= 4; ++k) arc.push_back(Polar(kPitRadius - 7.0f, a + k * 3.75f, y));
            h.Trim(TubeAlong(arc, 1.8f, 6), atlas::Pipe());
        }
    }
}

void AddTerrace(Hangar& h) {
    // Lamps set in the rim of the well, facing up.
    for (int i = 0; i < 24; ++i) {
        const float a = i * 15.0f + 7.5f;
        h.Trim(Block(Polar(kPitRadius + 5.5f, a, kTerraceY + 0.3f), {2.2f, 0.6f, 5.0f}, FacingOut(a)),
               i % 3 == 0 ? atlas::Amber() : atlas::LampWhite());
    }
    Surface edge = Annulus(kPitRadius, kPitRadius + 8.0f, kTerraceY, 48, 1);
    ArcUv(edge, 48, Across::Radius, kPitRadius, kPitRadius + 8.0f);
    h.Trim(std::move(edge), atlas::Hazard());
    h.Plate(Annulus(kPitRadius + 8.0f, kTerraceOuter, kTerraceY, 96, 8));
    // Railing round the well.
    for (int i = 0; i < 36; ++i)
        h.Trim(Block(Polar(kPitRadius + 3.0f, i * 10.0f, kTerraceY + 5.5f), {1.2f, 11.0f, 1.2f}), atlas::Rail());
    h.Trim(TubeAlong(Circle(kPitRadius + 3.0f, kTerraceY + 11.0f, 72), 0.7f, 6), atlas::Rail());
    h.Trim(TubeAlong(Circle(kPitRadius + 3.0f, kTerraceY + 6.0f, 72), 0.5f, 6), atlas::Rail());
    // The service ring where the welder works on the third ship.
    for (float r : {380.0f, 478.0f}) {
        Surface band = Annulus(r, r + 4.0f, kTerraceY + 0.1f, 96, 1);
        ArcUv(band, 96, Across::Radius, r, r + 4.0f);
        h.Trim(std::move(band), atlas::Hazard());
    }
}

void AddTerraceCargo(Hangar& h) {
    const float y = kTerraceY;
    // Consoles along the railing, screens up.
    for (float a : {25.0f, 118.0f, 232.0f, 305.0f}) {
        h.Trim(Block(Polar(kPitRadius + 16.0f, a, y + 4.5f), {8.0f, 9.0f, 16.0f}, FacingOut(a)), atlas::Machinery());
        h.Trim(Block(Polar(kPitRadius + 16.0f, a, y + 9.3f), {6.0f, 0.6f, 13.0f}, FacingOut(a)), atlas::Screen());
    }
    // Crate stacks and fuel tanks further out.
    for (float a : {55.0f, 170.0f, 265.0f, 340.0f}) {
        const glm::vec3 base = Polar(kPitRadius + 42.0f, a, y);
        h.Trim(Block(base + glm::vec3(0, 8, 0), {16, 16, 16}, FacingOut(a) + 0.2f), atlas::Crate());
        h.Trim(Block(base + glm::vec3(0, 8, 0) + Polar(18.0f, a + 90.0f, 0), {16, 16, 16}, FacingOut(a) - 0.1f),
               atlas::Crate());
        h.Trim(Block(base + glm::vec3(0, 23, 0), {14, 14, 14}, FacingOut(a) + 0.6f), atlas::Crate());
    }
    for (float a : {85.0f, 200.0f, 290.0f}) {
        const glm::vec3 base = Polar(kPitRadius + 30.0f, a, y);
        h.Trim(Drum(base + glm::vec3(0, 6, 0), 6.0f, 30.0f, 16, true, FacingOut(a) + glm::half_pi<float>()),
               atlas::Tank());
        h.Trim(Block(base + glm::vec3(0, 1, 0), {8.0f, 2.0f, 26.0f}, FacingOut(a)), atlas::Machinery());
    }
}

void AddOuterDecks(Hangar& h) {
    h.Plate(RingWall(kTerraceOuter, kTerraceY, kUpperDeckY, 64, true, kPlateTile));
    h.Plate(Annulus(kTerraceOuter, kHangarRadius, kUpperDeckY, 64, 4));
    h.Plate(RingWall(kHangarRadius, kUpperDeckY, 260.0f, 64, true, kPlateTile));
    for (int i = 0; i < 16; ++i) {
        const float a = i * 22.5f;
        h.Trim(Block(Polar(kTerraceOuter + 6.0f, a, kUpperDeckY + 0.4f), {3.0f, 0.8f, 12.0f}, FacingOut(a)),
               atlas::LampWhite());
    }
}

// ---- the truss bridge over the well ------------------------------------------------

constexpr float kBridgeZ = 55.0f;       // its centre line runs along x at this z
constexpr float kBridgeHalfWidth = 13.0f;
constexpr float kBridgeLow = 12.0f;     // chord heights
constexpr float kBridgeHigh = 32.0f;
constexpr float kBridgeReach = 556.0f;  // its ends stand on pylons at the terrace's rim,
                                        // short of the parked ships' circle
constexpr float kTrussReach = 336.0f;   // open truss within this, plain girder beyond
constexpr float kBay = 16.0f;

void AddBridgeChords(Hangar& h) {
    for (float y : {kBridgeLow, kBridgeHigh})
        for (float side : {-1.0f, 1.0f}) {
            const float z = kBridgeZ + side * kBridgeHalfWidth;
            h.Plate(BeamBetween({-kBridgeReach, y, z}, {kBridgeReach, y, z}, 3.0f, 3.0f));
        }
    // Plain girder webs where nobody sees through.
    for (float sign : {-1.0f, 1.0f})
        for (float side : {-1.0f, 1.0f}) {
            const float z = kBridgeZ + side * kBridgeHalfWidth;
            h.Plate(Block({sign * (kTrussReach + kBridgeReach) * 0.5f, (kBridgeLow + kBridgeHigh) * 0.5f, z},
                          {kBridgeReach - kTrussReach, kBridgeHigh - kBridgeLow, 1.5f}));
        }
    // The pylons it rests on, standing on the terrace.
    for (float sign : {-1.0f, 1.0f}) {
        const float x = sign * (kBridgeReach - 4.0f);
        for (float side : {-1.0f, 1.0f})
            h.Plate(Block({x, (kTerraceY + kBridgeHigh) * 0.5f, kBridgeZ + side * kBridgeHalfWidth},
                          {8.0f, kBridgeHigh - kTerraceY, 6.0f}));
        for (float y = kTerraceY + 20.0f; y < kBridgeLow; y += 30.0f)
            h.Plate(BeamBetween({x, y, kBridgeZ - kBridgeHalfWidth}, {x, y + 24.0f, kBridgeZ + kBridgeHalfWidth}, 2.0f, 2.0f));
        h.Trim(Block({x, kTerraceY + 3.0f, kBridgeZ}, {14.0f, 6.0f, 2 * kBridgeHalfWidth + 10.0f}), atlas::Machinery());
    }
}

void AddBridgeBay(Hangar& h, float x) {
    const float zA = kBridgeZ - kBridgeHalfWidth, zB = kBridgeZ + kBridgeHalfWidth;
    for (float z : {zA, zB}) {
        h.Plate(BeamBetween({x, kBridgeLow, z}, {x, kBridgeHigh, z}, 2.0f, 2.0f));
        const bool rising = static_cast<int>(std::lround(x / kBay)) % 2 == 0;
        h.Plate(BeamBetween({x, rising ? kBridgeLow : kBridgeHigh, z}, {x + kBay, rising ? kBridgeHigh : kBridgeLow, z},
                            1.5f, 1.5f));
    }
    h.Plate(BeamBetween({x, kBridgeHigh, zA}, {x, kBridgeHigh, zB}, 1.6f, 1.6f));
    h.Plate(BeamBetween({x, kBridgeLow, zA}, {x, kBridgeLow, zB}, 1.6f, 1.6f));
    h.Trim(Block({x + kBay * 0.5f, kBridgeLow + 1.8f, kBridgeZ}, {kBay - 0.6f, 0.6f, 2 * kBridgeHalfWidth - 3.0f}),
           atlas::Grating());
}

void AddBridgeServices(Hangar& h) {
    // Beacons along the top chords, and cables slung along the side.
    for (float x = -kTrussReach; x <= kTrussReach; x += 4 * kBay) {
        for (float side : {-1.0f, 1.0f})
            h.Trim(Block({x + 2 * kBay, kBridgeHigh + 2.1f, kBridgeZ + side * kBridgeHalfWidth}, {3.0f, 1.2f, 2.0f}),
                   side > 0 ? atlas::LampRed() : atlas::Amber());
    }
    for (float x = -kTrussReach; x < kTrussReach; x += 3 * kBay) {
        for (int k = 0; k < 3; ++k) {
            const float z = kBridgeZ + kBridgeHalfWidth + 2.5f + k * 1.6f;
            const float y = kBridgeLow + 3.0f - k * 0.4f;
            h.Trim(TubeAlong(Catenary({x, y, z}, {x + 3 * kBay, y, z}, 3.0f + k, 9), 0.7f, 6), atlas::Cable());
        }
    }
}

// The crane trolley riding the bridge, its hook hanging over the well.
constexpr float kTrolleyX = -34.0f;
constexpr float kHookY = -72.0f;

void AddTrolley(Hangar& h) {
    const glm::vec3 top(kTrolleyX, kBridgeHigh + 7.0f, kBridgeZ);
    h.Trim(Block(top, {24.0f, 9.0f, 2 * kBridgeHalfWidth + 6.0f}), atlas::Machinery());
    h.Trim(Block(top + glm::vec3(6.0f, 7.5f, -6.0f), {10.0f, 6.0f, 12.0f}), atlas::Tank());
    h.Trim(Block(top + glm::vec3(-5.0f, 6.0f, 8.0f), {8.0f, 3.0f, 8.0f}), atlas::Vent());
    h.Trim(Block(top + glm::vec3(6.0f, 10.6f, -6.0f), {5.0f, 0.4f, 8.0f}), atlas::Glass());
    for (float side : {-1.0f, 1.0f})
        h.Trim(Drum(top + glm::vec3(side * 8.0f, -5.0f, 0.0f), 2.5f, 2 * kBridgeHalfWidth + 8.0f, 10, true, glm::half_pi<float>()),
               atlas::DarkMetal());
    for (float dx : {-3.0f, 3.0f})
        h.Trim(TubeAlong({{kTrolleyX + dx, kBridgeHigh, kBridgeZ}, {kTrolleyX + dx * 0.6f, kHookY + 5.0f, kBridgeZ}}, 0.6f, 6),
               atlas::Cable());
    const glm::vec3 hook(kTrolleyX, kHookY, kBridgeZ);
    h.Trim(Block(hook, {10.0f, 9.0f, 7.0f}), atlas::Tank());
    h.Trim(Block(hook + glm::vec3(0, 5.3f, 0), {4.0f, 1.6f, 4.0f}), atlas::Amber());
    for (int k = 0; k < 3; ++k) {
        const float a = k * 120.0f + 30.0f;
        const glm::vec3 knuckle = hook + Polar(7.0f, a, -8.0f);
        h.Trim(BeamBetween(hook + glm::vec3(0, -4, 0), knuckle, 1.8f, 1.8f), atlas::DarkMetal());
        h.Trim(BeamBetween(knuckle, hook + Polar(4.5f, a, -16.0f), 1.5f, 1.5f), atlas::Rail());
    }
}

void AddBridge(Hangar& h) {
    AddBridgeChords(h);
    for (float x = -kTrussReach; x < kTrussReach; x += kBay) AddBridgeBay(h, x);
    AddBridgeBay(h, kTrussReach);  // the closing post
    AddBridgeServices(h);
    AddTrolley(h);
}

// ---- the service arm and the cables --------------------------------------------------

constexpr float kArmAngle = 150.0f;
constexpr float kArmY = -78.0f;

void AddServiceArm(Hangar& h) {
    const float a = kArmAngle;
    const glm::vec3 foot = Polar(kPitRadius + 22.0f, a, kTerraceY);
    h.Trim(Drum(foot + glm::vec3(0, 14, 0), 7.0f, 28.0f, 16), atlas::Machinery());
    h.Trim(Drum(foot + glm::vec3(0, 29, 0), 8.5f, 3.0f, 16), atlas::Rail());
    const glm::vec3 root = Polar(kPitRadius + 22.0f, a, kArmY);
    const glm::vec3 tip = Polar(68.0f, a + 6.0f, kArmY);
    h.Plate(BeamBetween(root, tip, 7.0f, 6.0f));
    h.Trim(BeamBetween(root + glm::vec3(0, 3.6f, 0), tip + glm::vec3(0, 3.6f, 0), 4.0f, 1.2f), atlas::Hazard());
    h.Trim(TubeAlong({foot + Polar(7.5f, a - 90.0f, 8.0f), (root + tip) * 0.5f + Polar(4.0f, a - 90.0f, -3.0f)}, 1.2f, 8),
           atlas::Pipe());
    h.Trim(Drum(tip + glm::vec3(0, -6, 0), 4.0f, 10.0f, 12), atlas::Tank());
    h.Trim(Drum(tip + glm::vec3(0, -13, 0), 1.6f, 6.0f, 8), atlas::DarkMetal());
    h.Trim(Block(tip + glm::vec3(0, 3.6f, 0), {3.0f, 1.0f, 3.0f}), atlas::LampRed());
    h.Trim(TubeAlong(Catenary(tip + glm::vec3(0, -2, 0), Polar(kPitRadius + 2.0f, a + 40.0f, kTerraceY + 10.0f), 22.0f, 18),
                     1.1f, 8),
           atlas::Cable());
}

void AddCables(Hangar& h) {
    struct Sling {
        glm::vec3 from;
        glm::vec3 to;
        float sag;
        float radius;
    };
    const Sling slings[] = {
        {{-120.0f, kBridgeLow, kBridgeZ - kBridgeHalfWidth}, Polar(kPitRadius + 3.0f, 205.0f, kTerraceY + 10.0f), 20.0f, 1.2f},
        {{96.0f, kBridgeLow, kBridgeZ + kBridgeHalfWidth}, Polar(kPitRadius + 3.0f, 62.0f, kTerraceY + 10.0f), 24.0f, 1.3f},
        {{99.0f, kBridgeLow, kBridgeZ + kBridgeHalfWidth}, Polar(kPitRadius + 3.0f, 65.0f, kTerraceY + 10.0f), 27.0f, 0.9f},
        {{150.0f, kBridgeLow, kBridgeZ - kBridgeHalfWidth}, Polar(kPitRadius + 3.0f, 325.0f, kTerraceY + 10.0f), 16.0f, 1.0f},
    };
    for (const Sling& s : slings) h.Trim(TubeAlong(Catenary(s.from, s.to, s.sag, 22), s.radius, 8), atlas::Cable());
}

// ---- on the well's floor --------------------------------------------------------------

void AddWellEquipment(Hangar& h) {
    const float y = kPitFloorY;
    // Crates.
    for (float a : {40.0f, 160.0f}) {
        const glm::vec3 base = Polar(128.0f, a, y);
        h.Trim(Block(base + glm::vec3(0, 7, 0), {14, 14, 14}, FacingOut(a) + 0.15f), atlas::Crate());
        h.Trim(Block(base + Polar(15.0f, a + 90.0f, 7.0f), {14, 14, 14}, FacingOut(a) - 0.1f), atlas::Crate());
        h.Trim(Block(base + Polar(6.0f, a + 90.0f, 20.0f), {12, 12, 12}, FacingOut(a) + 0.5f), atlas::Crate());
    }
    // A fuel cart.
    {
        const float a = 250.0f;
        const glm::vec3 base = Polar(124.0f, a, y);
        h.Trim(Block(base + glm::vec3(0, 1.6f, 0), {14.0f, 3.2f, 26.0f}, FacingOut(a)), atlas::Machinery());
        for (float side : {-3.6f, 3.6f})
            h.Trim(Drum(base + Polar(side, a, 7.6f), 3.6f, 22.0f, 14, true, FacingOut(a) + glm::half_pi<float>()),
                   atlas::Tank());
    }
    // A generator with its vents and beacon.
    {
        const float a = 320.0f;
        const glm::vec3 base = Polar(126.0f, a, y);
        h.Trim(Block(base + glm::vec3(0, 7, 0), {16.0f, 14.0f, 22.0f}, FacingOut(a)), atlas::Machinery());
        h.Trim(Block(base + glm::vec3(0, 14.3f, 0), {10.0f, 0.6f, 16.0f}, FacingOut(a)), atlas::Vent());
        h.Trim(Block(base + Polar(5.0f, a + 90.0f, 15.5f), {2.5f, 2.0f, 2.5f}), atlas::Amber());
        h.Trim(TubeAlong(Catenary(base + Polar(8.0f, a, 10.0f), Polar(kPitRadius - 8.0f, a + 8.0f, y + 20.0f), 8.0f, 10),
                         1.0f, 8),
               atlas::Cable());
    }
    // A coil of hose and a tool cart with its screen.
    {
        Surface coil = toolkit::Torus(6.0f, 1.2f, 24, 8);
        coil.Translate(Polar(100.0f, 62.0f, y + 1.2f));
        h.Trim(std::move(coil), atlas::Cable());
        Surface coil2 = toolkit::Torus(5.5f, 1.2f, 24, 8);
        coil2.Translate(Polar(100.0f, 62.0f, y + 3.4f));
        h.Trim(std::move(coil2), atlas::Cable());
        const float a = 205.0f;
        const glm::vec3 cart = Polar(106.0f, a, y);
        h.Trim(Block(cart + glm::vec3(0, 4, 0), {8.0f, 8.0f, 12.0f}, FacingOut(a)), atlas::Machinery());
        h.Trim(Block(cart + glm::vec3(0, 8.2f, 0), {6.0f, 0.4f, 10.0f}, FacingOut(a)), atlas::Screen());
    }
    for (int k = 0; k < 3; ++k)
        h.Trim(Drum(Polar(140.0f, 288.0f + k * 4.5f, y + 4.0f), 2.8f, 8.0f, 12), atlas::Tank());
}

model::Mesh BuildMesh(const Hangar& h) {
    const glm::mat4 toModel = glm::inverse(kBackdrop.Matrix());
    toolkit::MeshBuilder builder(35.0f);
    Surface floor = h.floor, plates = h.plates, trim = h.trim;
    builder.Add(floor.Transform(toModel), kFloorSlot);
    builder.Add(plates.Transform(toModel), kPlateSlot);
    builder.Add(trim.Transform(toModel), kTrimSlot);
    return builder.Build("mainmenu");
}

}  // namespace

model::Model BuildHangarModel() {
    Hangar h;
    AddWellFloorAndWall(h);
    AddIris(h);
    AddWellEquipment(h);
    AddTerrace(h);
    AddTerraceCargo(h);
    AddOuterDecks(h);
    AddBridge(h);
    AddServiceArm(h);
    AddCables(h);

    toolkit::ModelBuilder builder;
    for (const char* name : {"floor", "plates", "trim"}) {
        model::Material material;
        material.name = name;
        builder.AddMaterial(material);
    }
    builder.AddMesh(BuildMesh(h), "Menu_Tlo");
    model::Model model = builder.Build();
    model.materials[kFloorSlot].image = EmbedJpeg(model, "floor", FloorPicture());
    model.materials[kPlateSlot].image = EmbedJpeg(model, "plates", PlatePicture());
    model.materials[kTrimSlot].image = EmbedJpeg(model, "trim", TrimAtlasPicture());
    return model;
}

}  // namespace kr::makedata::menu_scene
