// Shop and HUD icons: the four main guns (i1-i4), the fifteen upgrades
// (i5-i19), the five ship abilities (i_spec1-5) and the gun pictures
// (s_gun_*). Each is an emblem designed on a 64-unit grid.

#include <cmath>
#include <functional>
#include <string>

#include "menu_pictures/picture_groups.hpp"

namespace kr::makedata::menu {
namespace {

using toolkit::Combine;
using glm::vec2;
using glm::vec3;

constexpr float kPi = 3.14159265f;

using Design = EmblemDesign;

std::vector<vec2> Rotated(std::vector<vec2> points, vec2 centre, float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    for (vec2& p : points) {
        const vec2 d = p - centre;
        p = centre + vec2(d.x * c - d.y * s, d.x * s + d.y * c);
    }
    return points;
}

// ---- the guns, pointing right -------------------------------------------

void GunReceiver(Emblem& e, const Sketch& s) {
    s.Box(e.body, {6, 24}, {36, 39}, 3);
    s.Poly(e.body, {{15, 37}, {26, 37}, {22, 53}, {12, 53}});
    s.Poly(e.body, {{2, 27}, {7, 25}, {7, 37}, {2, 35}});
    s.Line(e.detail, {10, 35}, {33, 35}, 1.0f);
    s.Line(e.detail, {17, 42}, {23, 42}, 1.0f);
}

void Laser(Emblem& e, const Sketch& s) {
    GunReceiver(e, s);
    s.Box(e.body, {34, 28}, {52, 35}, 1);
    s.Box(e.body, {50, 25}, {55, 38}, 1.5f);
    s.Box(e.accent, {12, 27}, {30, 31}, 1);
    s.Line(e.accent, {56, 31.5f}, {62, 31.5f}, 3.0f);
    s.Disc(e.accent, {55.5f, 31.5f}, 2.6f);
    e.accentColour = vec3(1.0f, 0.22f, 0.2f);
}

void Plasma(Emblem& e, const Sketch& s) {
    GunReceiver(e, s);
    s.Box(e.body, {34, 24}, {47, 39}, 3);
    s.Line(e.detail, {39, 25}, {39, 38}, 1.2f);
    s.Line(e.detail, {43, 25}, {43, 38}, 1.2f);
    s.Disc(e.accent, {53, 31.5f}, 9.5f);
    s.Disc(e.accent, {12, 31}, 2.2f);
    s.Disc(e.accent, {19, 31}, 2.2f);
    s.Disc(e.accent, {26, 31}, 2.2f);
    e.accentColour = palette::kMagenta;
}

void Gauss(Emblem& e, const Sketch& s) {
    GunReceiver(e, s);
    // Two rails with an open gap, ringed by coils that stand proud of them.
    s.Box(e.body, {34, 22}, {62, 26.5f}, 1);
    s.Box(e.body, {34, 36.5f}, {62, 41}, 1);
    for (float x : {39.0f, 47.0f, 55.0f}) {
        s.Box(e.accent, {x, 19}, {x + 3.0f, 28.5f}, 0.8f);
        s.Box(e.accent, {x, 34.5f}, {x + 3.0f, 44}, 0.8f);
    }
    e.accentColour = palette::kEngine;
}

void MachineGun(Emblem& e, const Sketch& s) {
    GunReceiver(e, s);
    for (float y : {24.5f, 29.5f, 34.5f}) s.Box(e.body, {34, y}, {56, y + 3.6f}, 0.8f);
    s.Box(e.body, {43, 22}, {48, 41}, 1.2f);
    s.Poly(e.accent, {{57, 31.5f}, {61, 24}, {60, 30}, {64, 31.5f}, {60, 33}, {61, 39}});
    for (int i = 0; i < 4; ++i) {
        const vec2 c(28.0f + i * 4.5f, 45.0f + i * 3.0f);
        s.Box(e.body, c - vec2(1.6f, 3.0f), c + vec2(1.6f, 3.0f), 0.6f);
    }
    e.accentColour = palette::kEmber;
}

// ---- upgrades -----------------------------------------------------------

// A circular arrow round the middle: regeneration.
void RenewRing(Emblem& e, const Sketch& s) {
    s.Arc(e.body, {32, 32}, 23, -0.35f * kPi, 1.3f * kPi, 5.0f);
    s.Poly(e.body, {{48, 5}, {56, 19}, {41, 20}});
}

void Cross(Field& f, const Sketch& s, vec2 c, float arm, float thick) {
    s.Box(f, c - vec2(thick, arm), c + vec2(thick, arm), thick * 0.4f);
    s.Box(f, c - vec2(arm, thick), c + vec2(arm, thick), thick * 0.4f);
}

std::vector<vec2> ShieldOutline(vec2 c, float w, float h) {
    return {c + vec2(0, -h * 0.5f),       c + vec2(w * 0.5f, -h * 0.32f), c + vec2(w * 0.46f, h * 0.1f),
            c + vec2(0, h * 0.5f),        c + vec2(-w * 0.46f, h * 0.1f), c + vec2(-w * 0.5f, -h * 0.32f)};
}

void HullRepair(Emblem& e, const Sketch& s) {
    RenewRing(e, s);
    Cross(e.accent, s, {32, 33}, 12, 4.5f);
    e.accentColour = palette::kHealth;
}

void ArmourRepair(Emblem& e, const Sketch& s) {
    RenewRing(e, s);
    s.Poly(e.accent, ShieldOutline({32, 33}, 26, 30));
    e.accentColour = palette::kEngine;
}

void HullCapacity(Emblem& e, const Sketch& s) {
    s.Box(e.body, {17, 9}, {47, 58}, 4);
    s.Box(e.body, {25, 4}, {39, 10}, 1.5f);
    s.Box(e.body, {22, 14}, {42, 53}, 2, Combine::Subtract);
    for (int i = 0; i < 4; ++i) s.Box(e.accent, {24, 16.0f + i * 9.4f}, {40, 23.5f + i * 9.4f}, 1);
    e.accentColour = palette::kHealth;
}

void ArmourCapacity(Emblem& e, const Sketch& s) {
    s.Poly(e.body, ShieldOutline({32, 33}, 50, 56));
    s.Poly(e.body, ShieldOutline({32, 33.5f}, 38, 43), Combine::Subtract);
    s.Poly(e.accent, {{32, 13}, {44, 28}, {37, 28}, {37, 46}, {27, 46}, {27, 28}, {20, 28}});
    e.accentColour = palette::kEngine;
}

void GunDamage(Emblem& e, const Sketch& s) {
    s.Box(e.body, {21, 31}, {43, 57}, 2);
    s.Box(e.body, {19, 53}, {45, 60}, 1.5f);
    s.Line(e.detail, {23, 38}, {41, 38}, 1.2f);
    s.Line(e.detail, {23, 49}, {41, 49}, 1.2f);
    s.Poly(e.accent, {{22, 30}, {42, 30}, {41, 19}, {32, 5}, {23, 19}});
    s.Poly(e.accent, {{50, 22}, {56, 14}, {62, 22}, {59, 22}, {56, 18}, {53, 22}});
    s.Poly(e.accent, {{50, 32}, {56, 24}, {62, 32}, {59, 32}, {56, 28}, {53, 32}});
    e.accentColour = palette::kEmber;
}

void ArmourPlating(Emblem& e, const Sketch& s) {
    const vec2 plates[] = {{6, 30}, {16, 19}, {26, 8}};
    for (const vec2& p : plates) s.Box(e.body, p, p + vec2(32, 26), 4);
    // Each upper plate's lower-left edge engraved over the one below.
    for (int i = 1; i < 3; ++i) {
        const vec2 p = plates[i];
        s.Line(e.detail, p + vec2(0.5f, 4), p + vec2(0.5f, 25.5f), 1.3f);
        s.Line(e.detail, p + vec2(0.5f, 25.5f), p + vec2(28, 25.5f), 1.3f);
    }
    for (const vec2& p : plates) {
        s.Disc(e.accent, p + vec2(26.5f, 5.5f), 2.1f);
        s.Disc(e.accent, p + vec2(26.5f, 20.5f), 2.1f);
    }
    e.accentColour = palette::kGold;
    e.halo = 0.25f;
}

void SmallDelta(Field& f, const Sketch& s, vec2 c, float size) {
    s.Poly(f, {c + vec2(size, 0), c + vec2(-size * 0.8f, -size * 0.75f), c + vec2(-size * 0.45f, 0),
               c + vec2(-size * 0.8f, size * 0.75f)});
}

void Shield(Emblem& e, const Sketch& s) {
    SmallDelta(e.body, s, {32, 32}, 14);
    s.Ring(e.accent, {32, 32}, 25, 3.5f);
    s.Arc(e.accent, {32, 32}, 20, 1.05f * kPi, 1.45f * kPi, 2.0f);
    e.accentColour = palette::kEngine;
}

void ShockWave(Emblem& e, const Sketch& s) {
    s.Disc(e.body, {32, 32}, 8);
    s.Ring(e.detail, {32, 32}, 4.5f, 1.2f);
    const float widths[] = {4.0f, 3.4f, 2.8f};
    for (int i = 0; i < 3; ++i) {
        const float r = 14.0f + i * 6.5f;
        s.Arc(e.accent, {32, 32}, r, -0.3f * kPi, 0.3f * kPi, widths[i]);
        s.Arc(e.accent, {32, 32}, r, 0.7f * kPi, 1.3f * kPi, widths[i]);
    }
    e.accentColour = vec3(0.6f, 0.85f, 1.0f);
}

void LaserBeam(Emblem& e, const Sketch& s) {
    s.Box(e.body, {3, 20}, {22, 44}, 4);
    s.Poly(e.body, {{8, 20}, {14, 12}, {18, 12}, {16, 20}});
    s.Poly(e.body, {{8, 44}, {14, 52}, {18, 52}, {16, 44}});
    s.Line(e.detail, {7, 27}, {18, 27}, 1.2f);
    s.Line(e.detail, {7, 37}, {18, 37}, 1.2f);
    s.Poly(e.accent, {{22, 26}, {62, 21}, {62, 43}, {22, 38}});
    e.accentColour = vec3(1.0f, 0.25f, 0.32f);
}

void Blast(Emblem& e, const Sketch& s) {
    std::vector<vec2> star;
    for (int i = 0; i < 16; ++i) {
        const float a = i * kPi / 8.0f - kPi / 2.0f;
        const float r = i % 2 == 0 ? (i % 4 == 0 ? 30.0f : 23.0f) : 11.0f;
        star.push_back(vec2(32, 32) + r * vec2(std::cos(a), std::sin(a)));
    }
    s.Poly(e.accent, star);
    s.Disc(e.accent, {32, 32}, 10.5f, Combine::Subtract);
    s.Disc(e.body, {32, 32}, 9.0f);
    s.Line(e.detail, {26, 32}, {38, 32}, 1.2f);
    e.accentColour = palette::kEmber;
}

// A rocket along the diagonal from lower left (tail) to upper right (nose),
// `length` units long, its tail at `tail`.
void Rocket(Emblem& e, const Sketch& s, vec2 tail, float length, float girth, bool flame = true) {
    const float g = girth * 0.5f;
    std::vector<vec2> body = {{0, -g},           {length * 0.72f, -g}, {length, 0},
                              {length * 0.72f, g}, {0, g}};
    std::vector<vec2> fins = {{length * 0.05f, -g},        {length * 0.3f, -g},   {length * 0.02f, -g * 2.4f},
                              {-length * 0.04f, -g * 2.4f}};
    std::vector<vec2> fins2 = fins;
    for (vec2& p : fins2) p.y = -p.y;
    const float angle = -kPi / 4.0f;
    const auto place = [&](std::vector<vec2> pts) {
        for (vec2& p : pts) p += tail;
        return Rotated(pts, tail, angle);
    };
    s.Poly(e.body, place(body));
    s.Poly(e.body, place(fins));
    s.Poly(e.body, place(fins2));
    const auto line = place({{length * 0.72f, -g}, {length * 0.72f, g}});
    s.Line(e.detail, line[0], line[1], 1.1f);
    if (flame) {
        s.Poly(e.accent, place({{-1, -g * 0.8f}, {-length * 0.32f, 0}, {-1, g * 0.8f}}));
    }
}

void Reticle(Field& f, const Sketch& s, vec2 c, float r) {
    s.Ring(f, c, r, 2.4f);
    s.Line(f, c + vec2(0, -r - 4), c + vec2(0, -r + 3), 2.2f);
    s.Line(f, c + vec2(0, r - 3), c + vec2(0, r + 4), 2.2f);
    s.Line(f, c + vec2(-r - 4, 0), c + vec2(-r + 3, 0), 2.2f);
    s.Line(f, c + vec2(r - 3, 0), c + vec2(r + 4, 0), 2.2f);
}

void StraightRocket(Emblem& e, const Sketch& s) {
    Rocket(e, s, {13, 51}, 50, 13);
    e.accentColour = vec3(1.0f, 0.6f, 0.25f);
}

void HomingRocket(Emblem& e, const Sketch& s) {
    Rocket(e, s, {9, 57}, 38, 11);
    Reticle(e.accent, s, {47, 17}, 11);
    e.accentColour = vec3(1.0f, 0.6f, 0.25f);
}

void HeavyRocket(Emblem& e, const Sketch& s) {
    Rocket(e, s, {6, 45}, 44, 12);
    Rocket(e, s, {19, 58}, 44, 12);
    e.accentColour = palette::kGold;
}

void HeavyHoming(Emblem& e, const Sketch& s) {
    Rocket(e, s, {8, 58}, 42, 15);
    Reticle(e.accent, s, {47, 17}, 11);
    e.accentColour = palette::kWarning;
}

void Scanner(Emblem& e, const Sketch& s) {
    // Dish, mast and base.
    s.Disc(e.body, {26, 38}, 17);
    s.Disc(e.body, {33, 31}, 15, Combine::Subtract);
    s.Line(e.body, {24, 40}, {36, 28}, 3.5f);
    s.Disc(e.body, {37, 27}, 3.2f);
    s.Poly(e.body, {{20, 46}, {28, 46}, {34, 58}, {14, 58}});
    for (int i = 0; i < 3; ++i) s.Arc(e.accent, {37, 27}, 9.0f + i * 7.0f, -0.45f * kPi, -0.05f * kPi, 2.8f);
    e.accentColour = palette::kHealth;
}

// ---- ship abilities -------------------------------------------------------

void PhaseShield(Emblem& e, const Sketch& s) {
    Field ghosts = s.Blank();
    for (float dx : {-16.0f, -8.0f}) {
        Field one = s.Blank();
        SmallDelta(one, s, {38 + dx, 32}, 19);
        Field inner = s.Blank();
        SmallDelta(inner, s, {38 + dx, 32}, 15);
        toolkit::CombineInto(one, inner, [](float a, float b) { return std::min(a, 1.0f - b); });
        toolkit::CombineInto(ghosts, one, [](float a, float b) { return std::max(a, b); });
    }
    e.accent = ghosts;
    SmallDelta(e.body, s, {38, 32}, 19);
    toolkit::CombineInto(e.accent, e.body, [](float a, float b) { return std::min(a, 1.0f - b); });
    e.accentColour = palette::kEngine;
}

void TimeLock(Emblem& e, const Sketch& s) {
    s.Box(e.body, {14, 5}, {50, 11}, 2);
    s.Box(e.body, {14, 53}, {50, 59}, 2);
    s.Line(e.body, {17, 10}, {17, 54}, 3.5f);
    s.Line(e.body, {47, 10}, {47, 54}, 3.5f);
    s.Poly(e.accent, {{22, 13}, {42, 13}, {33, 31}, {31, 31}});
    s.Poly(e.accent, {{31, 33}, {33, 33}, {34, 42}, {43, 51}, {21, 51}, {30, 42}});
    e.accentColour = vec3(0.7f, 0.55f, 1.0f);
}

void Jammer(Emblem& e, const Sketch& s) {
    s.Poly(e.body, {{28, 30}, {36, 30}, {42, 58}, {22, 58}});
    s.Line(e.detail, {26, 44}, {38, 44}, 1.2f);
    s.Disc(e.body, {32, 26}, 5);
    const auto zigzag = [&](float y, float half) {
        std::vector<vec2> points;
        for (int i = 0; i <= 6; ++i) points.push_back({32 - half + i * half / 3.0f, y + (i % 2 ? -3.0f : 3.0f)});
        for (std::size_t i = 0; i + 1 < points.size(); ++i) s.Line(e.accent, points[i], points[i + 1], 2.6f);
    };
    zigzag(16, 12);
    zigzag(7, 20);
    s.Line(e.accent, {12, 56}, {54, 18}, 3.5f);
    e.accentColour = palette::kAcid;
}

void Thunderbolt(Emblem& e, const Sketch& s) {
    s.Box(e.body, {6, 9}, {38, 25}, 3);
    s.Line(e.detail, {12, 13}, {12, 21}, 1.2f);
    s.Line(e.detail, {32, 13}, {32, 21}, 1.2f);
    s.Line(e.body, {22, 24}, {22, 58}, 6.0f);
    s.Poly(e.accent, {{50, 4}, {37, 30}, {46, 30}, {35, 60}, {59, 24}, {49, 24}, {58, 4}});
    e.accentColour = vec3(1.0f, 0.8f, 0.3f);
}

void FieldRepair(Emblem& e, const Sketch& s) {
    s.Line(e.body, {15, 50}, {40, 25}, 7.0f);
    s.Disc(e.body, {44, 20}, 11);
    s.Poly(e.body, {{44, 20}, {56, 4}, {62, 12}}, Combine::Subtract);
    s.Disc(e.body, {44, 20}, 4.5f, Combine::Subtract);
    s.Disc(e.body, {13, 52}, 6.5f);
    s.Disc(e.detail, {13, 52}, 2.2f);
    Cross(e.accent, s, {16, 18}, 9, 3.2f);
    Cross(e.accent, s, {50, 48}, 5, 2.0f);
    e.accentColour = palette::kHealth;
}


}  // namespace

std::vector<MenuPicture> IconPictures() {
    const Design items[] = {Laser,         Plasma,     Gauss,        MachineGun,  HullRepair,
                            ArmourRepair,  HullCapacity, ArmourCapacity, GunDamage, ArmourPlating,
                            Shield,        ShockWave,  LaserBeam,    Blast,       StraightRocket,
                            HomingRocket,  HeavyRocket, HeavyHoming, Scanner};
    const Design abilities[] = {PhaseShield, TimeLock, Jammer, Thunderbolt, FieldRepair};
    std::vector<MenuPicture> pictures;
    int n = 1;
    for (const Design& design : items) pictures.push_back(DdsPicture("graphics\\i" + std::to_string(n++) + ".dds", DrawEmblem(design, 64)));
    n = 1;
    for (const Design& design : abilities) {
        pictures.push_back(DdsPicture("graphics\\i_spec" + std::to_string(n++) + ".dds", DrawEmblem(design, 64)));
    }
    pictures.push_back(DdsPicture("graphics\\s_gun_laser.dds", DrawEmblem(Laser, 128)));
    pictures.push_back(DdsPicture("graphics\\s_gun_plasma.dds", DrawEmblem(Plasma, 128)));
    pictures.push_back(DdsPicture("graphics\\s_gun_gauss.dds", DrawEmblem(Gauss, 128)));
    pictures.push_back(DdsPicture("graphics\\s_gun_machinegun.dds", DrawEmblem(MachineGun, 128)));
    return pictures;
}

}  // namespace kr::makedata::menu
