#include "enemies/enemy_designs.hpp"

#include <array>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "enemies/alien_parts.hpp"
#include "toolkit/primitives.hpp"

namespace kr::makedata::enemies {
namespace {

using toolkit::Surface;

// A fin: a blade stood up on its edge (its outline's x becomes height),
// leaning out by `lean` degrees from upright towards +x.
Surface Fin(const std::vector<glm::vec2>& outline, float thickness, float lean, glm::vec3 root) {
    Surface fin = Blade(outline, thickness, thickness * 0.3f);
    fin.Rotate(glm::radians(90.0f - lean), {0, 0, 1});
    fin.Translate(root);
    return fin;
}

Surface Raised(Surface s, float y) {
    s.Translate({0, y, 0});
    return s;
}

// Skarab: a beetle scout. A domed shell split by a glowing seam, flared
// wing cases, a small head with two lenses and hooked mandibles.
EnemyDesign Skarab() {
    EnemyDesign d;
    d.look = {"skarab", {{0.10f, 0.36f, 0.26f}, {0.04f, 0.13f, 0.10f}, {0.22f, 0.2f, 0.14f}, {0.85f, 0.75f, 0.2f}, {0.55f, 1.0f, 0.3f}}, 101};
    d.rules = {0.2, 90, 0, 0, 24, 1, 3};
    CraftParts p;
    p.Add(Pod({{-135, 0, 0, 0}, {-125, 70, 30, 18}, {-95, 112, 58, 26}, {-25, 132, 80, 32}, {60, 126, 74, 32},
               {140, 96, 54, 28}, {188, 48, 30, 20}, {205, 0, 0, 0}},
              18, 2.2f),
          Swatch::Shell);
    p.Add(Horn({{0, 52, -112}, {0, 78, -40}, {0, 77, 40}, {0, 60, 120}, {0, 36, 180}}, {6, 8, 8, 7, 0}, 8), Swatch::Glow);
    p.AddPair(Raised(Blade({{88, -70}, {190, -10}, {232, 95}, {176, 172}, {104, 130}}, 14, 4), 14), Swatch::ShellDark);
    p.Add(Pod({{-150, 0, 0, 0}, {-125, 82, 12, 36, -12}, {120, 82, 12, 36, -12}, {165, 0, 0, 0, -12}}, 12), Swatch::Under);
    p.Add(Pod({{-250, 0, 0, 0, 4}, {-238, 36, 20, 16, 4}, {-200, 62, 34, 24, 4}, {-140, 62, 36, 24, 4}, {-112, 0, 0, 0, 4}}, 14),
          Swatch::ShellDark);
    p.AddPair(Orb({38, 26, -212}, {15, 10, 15}, 12), Swatch::Eye);
    p.AddPair(Horn({{36, 0, -222}, {74, -2, -262}, {66, -4, -310}, {26, -6, -344}}, {14, 11, 7, 0}, 8), Swatch::Accent);
    for (float z : {-60.0f, 20.0f, 100.0f})
        p.AddPair(Horn({{90, -16, z}, {156, -36, z + 26}, {186, -72, z + 52}}, {9, 6, 0}, 6), Swatch::Under);
    p.Add(Orb({0, 4, 196}, {36, 22, 16}, 14), Swatch::Glow);
    d.body = p.surface();
    return d;
}

// Vesper: a needle dart with crescent wings whose tips sweep forward, their
// leading edges lit, a forked nose and canted tail fins.
EnemyDesign Vesper() {
    EnemyDesign d;
    d.look = {"vesper", {{0.30f, 0.13f, 0.42f}, {0.10f, 0.05f, 0.16f}, {0.2f, 0.16f, 0.24f}, {0.9f, 0.85f, 0.95f}, {1.0f, 0.3f, 0.9f}}, 202};
    d.rules = {0.18, 90, 0, 0, 16, 1, 4};
    CraftParts p;
    p.Add(Pod({{-300, 0, 0, 0}, {-255, 14, 10, 8}, {-150, 30, 20, 14}, {0, 38, 26, 18}, {120, 36, 24, 16}, {215, 26, 18, 13},
               {240, 0, 0, 0}},
              14),
          Swatch::Shell);
    p.Add(Orb({0, 18, -150}, {12, 9, 42}, 12), Swatch::Glow);
    const std::vector<glm::vec2> wing{{15, -30}, {120, 20}, {230, 40}, {292, -34}, {304, -12}, {252, 92}, {150, 124}, {15, 132}};
    p.AddPair(Blade(wing, 12, 3), Swatch::ShellDark);
    p.AddPair(Horn({{28, 6, -24}, {120, 6, 24}, {230, 6, 44}, {290, 6, -28}}, {5, 5, 5, 4}, 6), Swatch::Glow);
    p.AddPair(Horn({{26, 0, -120}, {24, 0, -250}, {14, 0, -340}}, {9, 6, 0}, 8), Swatch::Metal);
    p.AddPair(Fin({{0, 130}, {80, 196}, {92, 250}, {0, 236}}, 10, 28, {14, 10, 0}), Swatch::Accent);
    p.Add(Pod({{196, 28, 20, 20}, {236, 24, 17, 17}}, 12), Swatch::Metal);
    p.Add(Orb({0, 0, 240}, {18, 16, 12}, 12), Swatch::Glow);
    d.body = p.surface();
    return d;
}

// Orbul: a spinning saucer with a veined dome, a lit eye on top, a ring of
// glowing nodes round the rim and four blades over its back.
EnemyDesign Orbul() {
    EnemyDesign d;
    d.look = {"orbul", {{0.20f, 0.27f, 0.38f}, {0.07f, 0.10f, 0.16f}, {0.16f, 0.2f, 0.25f}, {0.95f, 0.55f, 0.2f}, {0.4f, 0.9f, 1.0f}}, 303};
    d.rules = {0.2, 90, 1, 25, 36, 0, 5};
    CraftParts p;
    Surface disc = toolkit::Lathe({{0, 20}, {100, 24}, {200, 14}, {258, 0}, {228, -16}, {120, -30}, {0, -42}}, 36);
    p.Add(std::move(disc), Swatch::Shell);
    p.Add(Orb({0, 24, 0}, {100, 44, 100}, 24), Swatch::Vein);
    p.Add(Orb({0, 66, 0}, {32, 14, 32}, 16), Swatch::Eye);
    p.AddAround(Orb({246, 0, 0}, {18, 14, 18}, 10), Swatch::Glow, 8, glm::pi<float>() / 8.0f);
    p.AddAround(Raised(Blade({{112, -14}, {222, -40}, {246, -22}, {226, 10}, {112, 14}}, 10, 3), 22), Swatch::ShellDark, 4);
    p.Add(Raised(toolkit::Torus(170, 14, 32, 8), -26), Swatch::Metal);
    d.body = p.surface();
    return d;
}

// Points spread evenly over a sphere (a Fibonacci spiral).
std::vector<glm::vec3> SpreadOverSphere(int count) {
    std::vector<glm::vec3> points;
    const float golden = glm::pi<float>() * (3.0f - std::sqrt(5.0f));
    for (int i = 0; i < count; ++i) {
        const float y = 1.0f - 2.0f * (static_cast<float>(i) + 0.5f) / static_cast<float>(count);
        const float r = std::sqrt(1.0f - y * y);
        points.push_back({r * std::cos(golden * i), y, r * std::sin(golden * i)});
    }
    return points;
}

// Thorn: a spinning mine: an ember-veined core bristling with spikes, a
// banded equator and six long blades of spikes round it.
EnemyDesign Thorn() {
    EnemyDesign d;
    d.look = {"thorn", {{0.26f, 0.12f, 0.10f}, {0.10f, 0.05f, 0.05f}, {0.2f, 0.12f, 0.1f}, {0.9f, 0.65f, 0.3f}, {1.0f, 0.42f, 0.15f}}, 404};
    d.rules = {0.2, 90, 1, 40, 28, 0, 6};
    CraftParts p;
    p.Add(Orb({0, 0, 0}, glm::vec3(92), 20), Swatch::Vein);
    for (const glm::vec3& dir : SpreadOverSphere(14)) p.Add(Spike(dir * 70.0f, dir * 190.0f, 20, 7), Swatch::ShellDark);
    p.Add(toolkit::Torus(94, 16, 32, 8), Swatch::Metal);
    p.AddAround(Spike({96, 0, 0}, {245, 0, 0}, 24, 8), Swatch::Accent, 6);
    p.AddAround(Orb({110, 0, 0}, {14, 14, 14}, 10), Swatch::Glow, 6, glm::pi<float>() / 6.0f);
    d.body = p.surface();
    return d;
}

// Mantik: a manta ray: broad wings round a humped back, horned lobes at the
// front, lit gills and a long tail spike.
EnemyDesign Mantik() {
    EnemyDesign d;
    d.look = {"mantik", {{0.12f, 0.20f, 0.40f}, {0.05f, 0.08f, 0.18f}, {0.6f, 0.62f, 0.6f}, {0.95f, 0.9f, 0.8f}, {0.35f, 1.0f, 0.9f}}, 505};
    d.rules = {0.2, 90, 0, 0, 60, 1, 7};
    CraftParts p;
    std::vector<glm::vec2> wing{{0, -190}, {60, -176}, {122, -122}, {192, -42}, {252, 28}, {262, 60}, {202, 82}, {122, 112}, {52, 160}, {0, 170}};
    for (int i = static_cast<int>(wing.size()) - 2; i >= 1; --i) wing.push_back({-wing[static_cast<std::size_t>(i)].x, wing[static_cast<std::size_t>(i)].y});
    p.Add(Blade(wing, 28, 10), Swatch::ShellDark);
    p.Add(Pod({{-205, 0, 0, 0}, {-172, 52, 32, 20}, {-80, 78, 46, 26}, {40, 72, 42, 24}, {150, 42, 26, 16}, {200, 0, 0, 0}}, 16),
          Swatch::Shell);
    p.AddPair(Horn({{44, 0, -168}, {64, -4, -230}, {46, -8, -272}}, {18, 12, 0}, 8), Swatch::Accent);
    for (float z : {-20.0f, 14.0f, 48.0f})
        p.AddPair(Raised(Blade({{86, z}, {160, z + 12}, {160, z + 20}, {86, z + 8}}, 6, 1.5f), 13), Swatch::Glow);
    p.Add(Horn({{0, 4, 150}, {0, 8, 260}, {0, 12, 372}}, {18, 10, 0}, 8), Swatch::Under);
    p.AddPair(Orb({44, 24, -150}, {11, 9, 11}, 10), Swatch::Eye);
    p.AddPair(Orb({40, 0, 172}, {16, 12, 12}, 10), Swatch::Glow);
    d.body = p.surface();
    return d;
}

// Seraph: a pale hunter holding a great lit eye in three hooked claws, with
// swept wings and a spine fin.
EnemyDesign Seraph() {
    EnemyDesign d;
    d.look = {"seraph", {{0.74f, 0.73f, 0.78f}, {0.22f, 0.2f, 0.27f}, {0.3f, 0.28f, 0.34f}, {0.55f, 0.12f, 0.3f}, {1.0f, 0.3f, 0.75f}}, 606};
    d.rules = {0.2, 90, 0, 0, 90, 1, 9};
    CraftParts p;
    p.Add(Pod({{-70, 0, 0, 0}, {-44, 48, 38, 38}, {60, 70, 50, 44}, {180, 56, 40, 34}, {240, 30, 24, 24}, {262, 0, 0, 0}}, 16),
          Swatch::Shell);
    p.Add(Orb({0, 8, -118}, glm::vec3(56), 20), Swatch::Eye);
    p.AddPair(Horn({{56, 0, -40}, {112, 0, -140}, {84, 0, -232}, {30, 0, -276}}, {22, 18, 10, 0}, 8), Swatch::Accent);
    p.Add(Horn({{0, 52, -30}, {0, 100, -140}, {0, 72, -232}, {0, 30, -270}}, {20, 16, 9, 0}, 8), Swatch::Accent);
    p.AddPair(Blade({{40, 20}, {200, 92}, {286, 186}, {252, 204}, {150, 172}, {40, 142}}, 14, 4), Swatch::ShellDark);
    p.AddPair(Orb({270, 0, 194}, {12, 10, 14}, 10), Swatch::Glow);
    p.Add(Fin({{0, 20}, {70, 140}, {76, 200}, {0, 210}}, 12, 0, {0, 40, 0}), Swatch::ShellDark);
    p.Add(Orb({0, 0, 258}, {26, 22, 14}, 14), Swatch::Glow);
    d.body = p.surface();
    return d;
}

// Kraggon: a heavy gunship: a boxy armoured hull under a ridge, two gun
// pods with twin barrels, lit vents and three engines.
EnemyDesign Kraggon() {
    EnemyDesign d;
    d.look = {"kraggon", {{0.44f, 0.09f, 0.07f}, {0.15f, 0.05f, 0.05f}, {0.25f, 0.2f, 0.18f}, {0.9f, 0.7f, 0.25f}, {1.0f, 0.75f, 0.3f}}, 707};
    d.rules = {0.22, 90, 0, 0, 160, 1, 8};
    CraftParts p;
    p.Add(Pod({{-272, 40, 18, 18}, {-220, 90, 44, 34}, {-100, 130, 64, 44}, {80, 140, 70, 50}, {200, 120, 60, 44}, {270, 90, 44, 34}},
              16, 3.5f),
          Swatch::Shell);
    p.Add(Pod({{-210, 0, 0, 0, 40}, {-150, 42, 32, 0, 44}, {150, 46, 36, 0, 52}, {236, 0, 0, 0, 46}}, 12, 2.5f), Swatch::ShellDark);
    p.AddPair(Pod({{-236, 0, 0, 0, 0, 190}, {-204, 36, 30, 30, 0, 190}, {120, 46, 38, 38, 0, 190}, {184, 0, 0, 0, 0, 190}}, 14, 3.0f),
              Swatch::Metal);
    for (float x : {170.0f, 210.0f}) {
        p.AddPair(Horn({{x, 0, -200}, {x, 0, -336}}, {11, 9}, 8), Swatch::Metal);
        p.AddPair(Orb({x, 0, -340}, {8, 8, 6}, 8), Swatch::Glow);
    }
    p.AddPair(Raised(Blade({{100, -120}, {196, -100}, {196, 60}, {100, 84}}, 22, 5), 0), Swatch::Under);
    for (float z : {-60.0f, -20.0f, 20.0f, 60.0f})
        p.AddPair(Raised(Blade({{52, z}, {104, z}, {104, z + 14}, {52, z + 14}}, 8, 2), 62), Swatch::Glow);
    p.Add(Orb({0, 34, -222}, {32, 16, 26}, 14), Swatch::Eye);
    for (float x : {-60.0f, 0.0f, 60.0f}) {
        p.Add(Pod({{250, 30, 26, 26, 0, x}, {282, 26, 22, 22, 0, x}}, 12), Swatch::Metal);
        p.Add(Orb({x, 0, 284}, {22, 20, 12}, 12), Swatch::Glow);
    }
    d.body = p.surface();
    return d;
}

// Voidmaw: a crab cruiser: a wide carapace, a lit maw ringed with teeth,
// two great pincers, spiked legs and eyes on stalks.
EnemyDesign Voidmaw() {
    EnemyDesign d;
    d.look = {"voidmaw", {{0.24f, 0.12f, 0.32f}, {0.08f, 0.05f, 0.12f}, {0.3f, 0.22f, 0.26f}, {0.75f, 0.2f, 0.25f}, {0.55f, 1.0f, 0.3f}}, 808};
    d.rules = {0.22, 90, 0, 0, 210, 1, 10};
    CraftParts p;
    p.Add(Pod({{-172, 0, 0, 0}, {-160, 120, 40, 30}, {-100, 190, 70, 40}, {20, 210, 80, 45}, {130, 170, 64, 40}, {190, 90, 40, 30},
               {210, 0, 0, 0}},
              18, 2.4f),
          Swatch::Shell);
    p.Add(Orb({0, 56, 40}, {112, 34, 92}, 18), Swatch::Vein);
    p.Add(Orb({0, -4, -164}, {84, 32, 32}, 16), Swatch::Under);
    p.Add(Orb({0, -4, -176}, {68, 22, 24}, 16), Swatch::Glow);
    for (float x : {-54.0f, -18.0f, 18.0f, 54.0f}) p.Add(Spike({x, 16, -176}, {x * 0.9f, -14, -214}, 8, 6), Swatch::Metal);
    p.AddPair(Horn({{150, 0, -100}, {220, 0, -180}, {212, 0, -258}}, {30, 26, 22}, 10), Swatch::ShellDark);
    p.AddPair(Horn({{206, 4, -258}, {190, 6, -330}, {140, 6, -372}}, {26, 16, 0}, 10), Swatch::Accent);
    p.AddPair(Horn({{232, -2, -262}, {252, -2, -330}, {214, -2, -366}}, {20, 12, 0}, 8), Swatch::Accent);
    for (float z : {-20.0f, 50.0f, 120.0f})
        p.AddPair(Horn({{170, 0, z}, {280, 30, z + 20}, {330, -30, z + 40}}, {18, 12, 0}, 8), Swatch::Under);
    p.AddPair(Horn({{50, 60, -120}, {60, 108, -140}}, {8, 6}, 6), Swatch::Under);
    p.AddPair(Orb({60, 114, -142}, glm::vec3(14), 10), Swatch::Eye);
    p.AddPair(Orb({60, 0, 206}, {22, 18, 12}, 12), Swatch::Glow);
    d.body = p.surface();
    return d;
}

}  // namespace

std::vector<EnemyDesign> EnemyDesigns() {
    return {Skarab(), Vesper(), Thorn(), Orbul(), Mantik(), Seraph(), Kraggon(), Voidmaw()};
}

}  // namespace kr::makedata::enemies
