#include "ships/ship_designs.hpp"

#include <string>

#include <glm/gtc/constants.hpp>

#include "engine/error.hpp"
#include "ships/hull_parts.hpp"
#include "ships/ship_frame.hpp"

namespace kr::makedata::ships {
namespace {

using toolkit::Surface;

// The exit of ship `number`'s engine under flame emitter `which` (0: A, 1: B).
glm::vec3 FlameExit(int number, int which) {
    return ModelPointOfMissionOffset(kFlameOffsets[static_cast<std::size_t>(number - 1)][static_cast<std::size_t>(which)]);
}

// A fin: a wing built along +x, stood up by `tilt` degrees from the
// horizontal about the z axis and moved so that its root sits at `root`.
Surface Fin(const std::vector<WingStation>& stations, float tilt, glm::vec3 root, Part part) {
    Surface fin = Wing(stations, part);
    fin.Rotate(glm::radians(tilt), {0, 0, 1});
    fin.Translate(root);
    return fin;
}

void Add(ShipDesign& ship, const Surface& part) { ship.hull.Append(part); }

void AddEngine(ShipDesign& ship, const NozzleSpec& spec) {
    ship.hull.Append(Nozzle(spec));
    ship.nozzles.push_back(spec);
}

// An engine on the +x side and its mirror image.
void AddEnginePair(ShipDesign& ship, NozzleSpec spec) {
    AddEngine(ship, spec);
    spec.exit.x = -spec.exit.x;
    AddEngine(ship, spec);
}

}  // namespace

// Delta: a classic delta-wing fighter with twin engines under twin canted
// fins and canards at the nose.
ShipDesign Delta() {
    ShipDesign ship;
    ship.number = 1;
    ship.name = "delta";
    ship.seed = 11;
    ship.livery.hull = {0.5f, 0.53f, 0.57f};
    ship.livery.trim = {0.27f, 0.29f, 0.32f};
    ship.livery.accent = {0.85f, 0.15f, 0.12f};
    ship.livery.flame = {0.5f, 0.8f, 1.0f};
    const glm::vec3 exit = FlameExit(1, 1);  // the +x engine; its twin is mirrored

    Add(ship, Body({{-240, 16, 0, 0, 0},
                    {-222, 16, 8, 6, 5, 2.0f},
                    {-190, 17, 18, 14, 11, 2.2f},
                    {-130, 19, 28, 22, 15, 2.4f},
                    {-70, 21, 35, 27, 17, 2.6f},
                    {0, 22, 40, 26, 18, 3.0f},
                    {80, 22, 40, 22, 18, 3.2f},
                    {150, 22, 34, 18, 16, 3.2f},
                    {190, 22, 24, 12, 11, 3.0f}},
                   16, {Part::Hull, Part::Hull, Part::Trim}));
    Add(ship, Body({{-168, 38, 0, 0, 0},
                    {-150, 39, 9, 6, 4, 2.0f},
                    {-120, 41, 15, 12, 6, 2.0f},
                    {-85, 43, 16, 14, 6, 2.0f},
                    {-50, 43, 13, 10, 6, 2.0f},
                    {-25, 42, 7, 4, 4, 2.0f},
                    {-12, 41, 0, 0, 0}},
                   12, {Part::Canopy, Part::Canopy, Part::Canopy}));
    // Engine nacelles along the fuselage, intakes in front.
    Add(ship, Pair(Body({{-45, exit.y, 14, 13, 12, 3.0f},
                         {-30, exit.y, 20, 18, 16, 3.0f},
                         {60, exit.y, 25, 22, 19, 3.0f},
                         {150, exit.y, 24, 21, 19, 3.0f},
                         {exit.z - 22, exit.y, 21, 19, 17, 3.0f}},
                        16, {Part::Hull, Part::Intake, Part::Trim})
                       .Translate({exit.x, 0, 0})));
    AddEnginePair(ship, {exit, 17.0f, 34.0f, 12.0f});
    // The delta wing, a pair of canards and two canted fins.
    Add(ship, Pair(Wing({{40, 18, -90, 168, 14}, {120, 16, 15, 176, 10}, {212, 13, 138, 186, 6}})));
    Add(ship, Pair(Wing({{20, 24, -160, -112, 6}, {72, 25, -124, -104, 4}}, Part::Accent)));
    Add(ship, Pair(Fin({{0, 0, 92, 182, 9}, {70, 0, 150, 196, 5}}, 68.0f, {34, 36, 0}, Part::Hull)));
    // Missile rails on the wing tips, guns in the cheeks, lamps.
    Add(ship, Pair(Barrel({210, 10, 120}, 70, 5, 8)));
    Add(ship, Pair(Barrel({28, 10, -172}, 60, 3.5f, 8)));
    Add(ship, Barrel({0, 16, -262}, 24, 1.8f, 6));
    Add(ship, Blob({210, 10, 192}, {4, 4, 6}, 8, Part::Lamp));
    Add(ship, Blob({-210, 10, 192}, {4, 4, 6}, 8, Part::Lamp));
    Add(ship, Blob({0, 24, 178}, {3, 3, 4}, 6, Part::Lamp));

    ship.stripes = {Band(glm::normalize(glm::vec3(0.798f, 0, -0.602f)), 62, 84).Within({1, 0, 0}, 44, 230).Trim(),
                    Band({1, 0, 0}, 0, 9).Within({0, 0, 1}, -10, 190).Trim(),
                    Band({1, 0, 0}, 150, 172).Within({0, 0, 1}, 100, 200),
                    Band({0, 0, 1}, -200, -185).Unmirrored()};
    ship.lettering = {"01", {-104, 112}, 44, {40, 5}, 26};
    return ship;
}

// Spectre: a faceted stealth flying wing, compact, with one slot engine
// under its tail and a V of fins.
ShipDesign Spectre() {
    ShipDesign ship;
    ship.number = 2;
    ship.name = "spectre";
    ship.seed = 23;
    ship.livery.hull = {0.25f, 0.26f, 0.29f};
    ship.livery.trim = {0.13f, 0.13f, 0.15f};
    ship.livery.accent = {0.9f, 0.7f, 0.28f};
    ship.livery.glass = {0.12f, 0.09f, 0.03f};
    ship.livery.flame = {1.0f, 0.92f, 0.55f};
    ship.livery.marker = {1.0f, 0.75f, 0.3f};
    ship.livery.mottling = 0.08f;
    const glm::vec3 exit = (FlameExit(2, 0) + FlameExit(2, 1)) * 0.5f;

    Add(ship, Body({{-215, 0, 0, 0, 0},
                    {-180, 0, 14, 8, 6, 1.3f},
                    {-120, 0, 30, 18, 12, 1.3f},
                    {-40, 0, 40, 24, 16, 1.4f},
                    {40, 0, 40, 20, 16, 1.4f},
                    {95, 0, 30, 12, 12, 1.3f},
                    {112, 0, 16, 6, 6, 1.3f}},
                   8, {Part::Hull, Part::Hull, Part::Trim}));
    Add(ship, Body({{-150, 14, 0, 0, 0},
                    {-125, 15, 10, 6, 4, 1.3f},
                    {-85, 17, 15, 10, 5, 1.3f},
                    {-45, 17, 12, 7, 5, 1.3f},
                    {-25, 16, 0, 0, 0}},
                   6, {Part::Canopy, Part::Canopy, Part::Canopy}));
    // The ventral engine pod and its slot nozzle.
    Add(ship, Body({{-60, exit.y + 8, 0, 0, 0},
                    {-30, exit.y + 6, 18, 8, 9, 1.6f},
                    {40, exit.y + 3, 22, 10, 10, 1.8f},
                    {exit.z - 12, exit.y, 20, 8, 8, 1.8f}},
                   8, {Part::Trim, Part::Trim, Part::Trim}));
    AddEngine(ship, {exit, 9.0f, 24.0f, 7.0f, {2.2f, 0.9f}, 12});
    // The flying wing with its saw-tooth trailing edge.
    Add(ship, Pair(Wing({{20, 0, -125, 92, 20}, {95, 2, -30, 52, 10}, {150, 4, 28, 96, 6}, {198, 6, 82, 112, 3}})));
    // Swept-back intakes on the shoulders.
    Add(ship, Pair(Body({{-70, 12, 12, 6, 6, 1.4f}, {-45, 12, 16, 8, 7, 1.4f}, {10, 10, 14, 6, 6, 1.4f}, {40, 8, 0, 0, 0}}, 6,
                        {Part::Hull, Part::Intake, Part::Hull})
                       .Translate({38, 0, 0})));
    // The V of fins.
    Add(ship, Pair(Fin({{0, 0, 30, 96, 6}, {62, 0, 82, 110, 3}}, 52.0f, {34, 8, 0}, Part::Hull)));
    // Gold sensor slits on the wings, lamps at the tips.
    Add(ship, Pair(Blob({56, 7, -55}, {14, 2, 3}, 6, Part::Lamp)));
    Add(ship, Blob({198, 6, 98}, {3, 3, 5}, 6, Part::Lamp));
    Add(ship, Blob({-198, 6, 98}, {3, 3, 5}, 6, Part::Lamp));

    ship.stripes = {Band(glm::normalize(glm::vec3(0.758f, 0, -0.652f)), 84, 90).Within({1, 0, 0}, 40, 230),
                    Band({1, 0, 0}, 0, 12).Within({0, 0, 1}, -20, 110).Trim(),
                    Band({1, 0, 0}, 176, 190).Within({0, 0, 1}, 60, 200)};
    ship.lettering = {"02", {-105, 35}, 36, {-10, 6}, 16};
    return ship;
}

// Blade: a long needle fuselage with one large engine, flanked by two
// forward-pointing blades on swept-forward wings.
ShipDesign Blade() {
    ShipDesign ship;
    ship.number = 3;
    ship.name = "blade";
    ship.seed = 37;
    ship.livery.hull = {0.58f, 0.61f, 0.65f};
    ship.livery.trim = {0.3f, 0.32f, 0.35f};
    ship.livery.accent = {0.16f, 0.72f, 0.58f};
    ship.livery.flame = {0.6f, 1.0f, 0.85f};
    ship.livery.marker = {0.4f, 1.0f, 0.8f};
    const glm::vec3 exit = FlameExit(3, 0);

    Add(ship, Body({{-292, 18, 0, 0, 0},
                    {-262, 18, 8, 5, 5, 1.4f},
                    {-200, 19, 17, 12, 10, 1.6f},
                    {-100, 20, 25, 19, 14, 2.0f},
                    {10, 21, 31, 23, 16, 2.4f},
                    {130, 22, 34, 24, 18, 2.6f},
                    {200, 22, 32, 23, 20, 2.6f},
                    {exit.z - 26, 22, 29, 22, 20, 2.6f}},
                   16, {Part::Hull, Part::Hull, Part::Trim}));
    Add(ship, Body({{-215, 30, 0, 0, 0},
                    {-195, 31, 8, 6, 4},
                    {-160, 34, 13, 11, 5},
                    {-120, 36, 14, 12, 5},
                    {-88, 36, 10, 8, 5},
                    {-70, 35, 0, 0, 0}},
                   12, {Part::Canopy, Part::Canopy, Part::Canopy}));
    AddEngine(ship, {exit, 24.0f, 40.0f, 15.0f});
    // Swept-forward wings carrying the two blades.
    Add(ship, Pair(Wing({{24, 18, 60, 205, 14}, {90, 17, 30, 150, 10}, {150, 15, -15, 60, 7}})));
    Add(ship, Pair(Body({{-240, 15, 0, 0, 0},
                         {-200, 15, 6, 4, 3, 1.2f},
                         {-100, 15, 10, 7, 5, 1.3f},
                         {30, 15, 11, 8, 6, 1.4f},
                         {90, 15, 8, 6, 5, 1.4f},
                         {120, 15, 0, 0, 0}},
                        8, {Part::Accent, Part::Accent, Part::Accent})
                       .Translate({152, 0, 0})));
    Add(ship, Pair(Barrel({152, 12, -210}, 60, 3.0f, 8)));
    // A single dorsal fin and two ventral strakes.
    Add(ship, Fin({{0, 0, 120, 225, 9}, {58, 0, 188, 238, 4}}, 90.0f, {0, 40, 0}, Part::Hull));
    Add(ship, Pair(Fin({{0, 0, 150, 222, 6}, {34, 0, 190, 232, 3}}, -60.0f, {12, 6, 0}, Part::Trim)));
    Add(ship, Blob({152, 15, 122}, {3, 3, 6}, 8, Part::Lamp));
    Add(ship, Blob({-152, 15, 122}, {3, 3, 6}, 8, Part::Lamp));
    Add(ship, Blob({0, 99, 236}, {2.5f, 3, 4}, 6, Part::Lamp));

    ship.stripes = {Band({1, 0, 0}, 0, 7).Within({0, 0, 1}, -60, 230).Trim(),
                    Band({0, 0, 1}, -40, -22).Within({1, 0, 0}, -40, 40).Unmirrored(),
                    Band({1, 0, 0}, 60, 78).Within({0, 0, 1}, 40, 220)};
    ship.lettering = {"03", {-92, 128}, 40, {60, 8}, 24};
    return ship;
}

// Thor: a heavy armoured gunship, boxy, with a big engine, shoulder pods and
// two long cannons on stub wings.
ShipDesign Thor() {
    ShipDesign ship;
    ship.number = 4;
    ship.name = "thor";
    ship.seed = 41;
    ship.livery.hull = {0.34f, 0.35f, 0.36f};
    ship.livery.trim = {0.19f, 0.19f, 0.2f};
    ship.livery.accent = {1.0f, 0.45f, 0.2f};
    ship.livery.glass = {0.1f, 0.05f, 0.04f};
    ship.livery.flame = {1.0f, 0.5f, 0.4f};
    ship.livery.marker = {1.0f, 0.3f, 0.2f};
    ship.livery.mottling = 0.07f;
    const glm::vec3 exit = FlameExit(4, 0);

    Add(ship, Body({{-226, 16, 26, 12, 10, 3.0f},
                    {-205, 17, 40, 20, 15, 4.0f},
                    {-130, 20, 54, 30, 20, 5.0f},
                    {0, 22, 62, 34, 22, 5.0f},
                    {140, 22, 60, 32, 22, 5.0f},
                    {200, 22, 50, 28, 21, 4.5f},
                    {exit.z - 28, 22, 42, 24, 19, 4.0f}},
                   16, {Part::Hull, Part::Trim, Part::Trim}));
    Add(ship, Body({{-178, 38, 0, 0, 0},
                    {-165, 39, 16, 6, 4, 3.0f},
                    {-140, 42, 22, 10, 6, 4.0f},
                    {-105, 44, 22, 10, 6, 4.0f},
                    {-88, 43, 0, 0, 0}},
                   12, {Part::Canopy, Part::Canopy, Part::Canopy}));
    // The dorsal armour spine.
    Add(ship, Body({{-80, 46, 0, 0, 0}, {-55, 50, 12, 8, 6, 4.0f}, {150, 50, 16, 10, 6, 4.0f}, {220, 42, 10, 6, 6, 4.0f}}, 8,
                   {Part::Trim, Part::Trim, Part::Trim}));
    AddEngine(ship, {exit, 32.0f, 42.0f, 16.0f, {1.0f, 1.0f}, 20});
    // Shoulder pods with intakes.
    Add(ship, Pair(Body({{-120, 20, 16, 16, 14, 5.0f},
                         {-100, 20, 24, 22, 20, 5.0f},
                         {120, 20, 26, 22, 20, 5.0f},
                         {195, 20, 18, 16, 15, 4.0f}},
                        12, {Part::Hull, Part::Intake, Part::Trim})
                       .Translate({78, 0, 0})));
    // Stub wings, cannon housings and the cannons.
    Add(ship, Pair(Wing({{60, 18, 10, 170, 24}, {176, 16, 55, 160, 16}})));
    Add(ship, Pair(Body({{-70, 18, 12, 12, 12, 5.0f},
                         {-50, 18, 18, 17, 15, 5.0f},
                         {130, 18, 18, 17, 15, 5.0f},
                         {165, 18, 12, 12, 10, 4.0f}},
                        12, {Part::Trim, Part::Trim, Part::Trim})
                       .Translate({184, 0, 0})));
    Add(ship, Pair(Barrel({184, 18, -190}, 140, 8, 10)));
    Add(ship, Pair(Barrel({184, 18, -125}, 40, 11, 10)));
    // Twin fins on the pods.
    Add(ship, Pair(Fin({{0, 0, 110, 192, 8}, {46, 0, 150, 200, 4}}, 80.0f, {82, 38, 0}, Part::Accent)));
    Add(ship, Blob({184, 35, 140}, {4, 3, 5}, 8, Part::Lamp));
    Add(ship, Blob({-184, 35, 140}, {4, 3, 5}, 8, Part::Lamp));
    Add(ship, Pair(Blob({30, 18, -213}, {5, 3, 3}, 6, Part::Lamp)));

    ship.stripes = {Band({0, 0, 1}, -200, -188).Within({1, 0, 0}, -60, 60).Unmirrored(),
                    Band({1, 0, 0}, 0, 14).Within({0, 0, 1}, -180, 230).Trim(),
                    Band({1, 0, 0}, 124, 150).Within({0, 0, 1}, 40, 200)};
    ship.lettering = {"04", {-122, 95}, 44, {20, 6}, 30};
    return ship;
}

// Trinity: three hulls, a sharp central fuselage and two engine pods,
// joined by wings whose tips sweep forward into two more points.
ShipDesign Trinity() {
    ShipDesign ship;
    ship.number = 5;
    ship.name = "trinity";
    ship.seed = 53;
    ship.livery.hull = {0.2f, 0.2f, 0.22f};
    ship.livery.trim = {0.75f, 0.58f, 0.26f};
    ship.livery.accent = {0.85f, 0.15f, 0.12f};
    ship.livery.glass = {0.14f, 0.03f, 0.03f};
    ship.livery.flame = {1.0f, 0.25f, 0.2f};
    ship.livery.marker = {1.0f, 0.2f, 0.15f};
    ship.livery.mottling = 0.06f;
    const glm::vec3 exit = FlameExit(5, 1);

    Add(ship, Body({{-250, 4, 0, 0, 0},
                    {-225, 4, 8, 6, 4, 1.6f},
                    {-160, 5, 19, 15, 10, 2.0f},
                    {-60, 6, 25, 20, 13, 2.4f},
                    {40, 6, 24, 18, 13, 2.4f},
                    {110, 6, 14, 10, 8, 2.2f},
                    {150, 6, 0, 0, 0}},
                   16, {Part::Hull, Part::Hull, Part::Hull}));
    Add(ship, Body({{-185, 14, 0, 0, 0},
                    {-165, 15, 7, 6, 3},
                    {-130, 18, 12, 11, 4},
                    {-90, 19, 12, 10, 4},
                    {-62, 18, 0, 0, 0}},
                   12, {Part::Canopy, Part::Canopy, Part::Canopy}));
    // The engine pods.
    Add(ship, Pair(Body({{-165, exit.y, 0, 0, 0},
                         {-140, exit.y, 8, 7, 6, 1.8f},
                         {-80, exit.y, 16, 15, 13, 2.2f},
                         {60, exit.y, 19, 17, 16, 2.4f},
                         {exit.z - 20, exit.y, 16, 15, 14, 2.4f}},
                        16, {Part::Hull, Part::Hull, Part::Trim})
                       .Translate({exit.x, 0, 0})));
    AddEnginePair(ship, {exit, 14.0f, 30.0f, 10.0f});
    // Inner wings to the pods, outer wings sweeping forward to a point.
    Add(ship, Pair(Wing({{16, 4, -10, 95, 10}, {exit.x, 1, 10, 100, 8}})));
    Add(ship, Pair(Wing({{exit.x, 1, -20, 110, 9}, {130, 4, -70, 50, 6}, {176, 8, -150, -30, 4}, {190, 9, -190, -120, 2}})));
    // Gold spines on the pods, a dorsal blade fin on the fuselage.
    Add(ship, Pair(Fin({{0, 0, 40, 120, 5}, {30, 0, 90, 130, 2.5f}}, 90.0f, {exit.x, exit.y + 14, 0}, Part::Trim)));
    Add(ship, Pair(Barrel({exit.x, exit.y - 4, -178}, 30, 2.5f, 8)));
    Add(ship, Blob({190, 9, -120}, {3, 3, 5}, 8, Part::Lamp));
    Add(ship, Blob({-190, 9, -120}, {3, 3, 5}, 8, Part::Lamp));
    Add(ship, Pair(Blob({11, 9, -180}, {3, 2, 8}, 6, Part::Lamp)));

    ship.stripes = {Band({1, 0, 0}, 0, 3).Within({0, 0, 1}, -235, 140).Trim(),
                    Band({1, 0, 0}, 100, 116).Within({0, 0, 1}, -100, 120),
                    Band({0, 0, 1}, -150, -138).Within({1, 0, 0}, -30, 30).Unmirrored()};
    ship.lettering = {"05", {-128, 20}, 34, {-20, 4}, 16};
    return ship;
}

ShipDesign DesignOf(int number) {
    switch (number) {
        case 1: return Delta();
        case 2: return Spectre();
        case 3: return Blade();
        case 4: return Thor();
        case 5: return Trinity();
        default: throw Error("ship design: no ship number " + std::to_string(number));
    }
}

}  // namespace kr::makedata::ships
