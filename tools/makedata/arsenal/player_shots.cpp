#include "arsenal/player_shots.hpp"

#include <cmath>
#include <functional>

#include <glm/gtc/constants.hpp>

#include "arsenal/shot_atlas.hpp"
#include "engine/error.hpp"
#include "toolkit/palette.hpp"

namespace kr::makedata::arsenal {
namespace {

using glm::vec3;
using toolkit::CardStar;
using toolkit::Surface;

const vec3 kForward{0, 0, 1};
constexpr int kStarCards = 3;

// Each level glows denser and whiter than the one below.
GlowLook LookOf(const std::string& gun, int level) {
    GlowLook look;
    look.intensity = 0.85f + 0.15f * static_cast<float>(level);
    look.coreWidth = 0.14f + 0.03f * static_cast<float>(level);
    look.seed = static_cast<std::uint32_t>(40 + level);
    if (gun == "laser") {
        look.colour = vec3(1.0f, 0.22f, 0.14f);
        look.core = vec3(1.0f, 0.9f, 0.85f);
    } else if (gun == "plasma") {
        look.colour = vec3(0.85f, 0.35f, 1.0f);
        look.core = vec3(1.0f, 0.92f, 1.0f);
    } else if (gun == "gauss") {
        look.colour = toolkit::palette::kEngine * vec3(0.8f, 1.0f, 1.0f);
        look.core = vec3(0.92f, 1.0f, 1.0f);
    } else {
        look.colour = toolkit::palette::kEmber * vec3(1.0f, 1.3f, 1.0f);
        look.core = vec3(1.0f, 0.95f, 0.75f);
    }
    return look;
}

// `count` parallel bolts round the axis at `spread`, their heads staggered by `stagger`.
Surface Bolts(const ShotAtlas& a, int count, float spread, float length, float width, float stagger = 0.0f) {
    Surface s;
    for (int i = 0; i < count; ++i) {
        const float angle = glm::two_pi<float>() * static_cast<float>(i) / static_cast<float>(count) + 0.5f;
        const vec3 at = count == 1 ? vec3(0.0f) : vec3(std::cos(angle) * spread, std::sin(angle) * spread, -stagger * i);
        s.Append(CardStar(at, kForward, length, width, kStarCards, a.bolt));
    }
    return s;
}

Surface Flare(const ShotAtlas& a, vec3 at, float size) { return CardStar(at, kForward, size, size, kStarCards, a.flare); }

Surface Orb(const ShotAtlas& a, vec3 at, float size) { return CardStar(at, kForward, size, size, kStarCards, a.orb); }

// A thin red beam: longer and wider with power, then doubled and tripled
// round a hot centre line.
Surface Laser(const ShotAtlas& a, int level) {
    switch (level) {
        case 1: return Bolts(a, 1, 0.0f, 48.0f, 13.0f);
        case 2: return Bolts(a, 1, 0.0f, 56.0f, 15.0f);
        case 3: {
            Surface s = Bolts(a, 2, 4.5f, 56.0f, 11.0f);
            s.Append(Bolts(a, 1, 0.0f, 60.0f, 6.0f));
            return s;
        }
        default: {
            Surface s = Bolts(a, 3, 6.0f, 62.0f, 12.0f);
            s.Append(Bolts(a, 1, 0.0f, 68.0f, 9.0f));
            s.Append(Flare(a, vec3(0, 0, 26.0f), 22.0f));
            return s;
        }
    }
}

// A ball of plasma trailing a short flame; satellites and a halo at higher power.
Surface Plasma(const ShotAtlas& a, int level) {
    const float size = 12.0f + 4.0f * static_cast<float>(level);
    Surface s = Orb(a, vec3(0, 0, size * 0.5f), size);
    s.Append(Bolts(a, 1, 0.0f, size * 2.2f, size * 0.7f));
    if (level >= 3) {
        const int satellites = level == 3 ? 2 : 3;
        for (int i = 0; i < satellites; ++i) {
            const float angle = glm::two_pi<float>() * static_cast<float>(i) / static_cast<float>(satellites);
            const vec3 at(std::cos(angle) * size * 0.55f, std::sin(angle) * size * 0.55f, size * 0.2f);
            s.Append(Orb(a, at, size * 0.45f));
        }
    }
    if (level >= 4) s.Append(GlowRing(vec3(0, 0, size * 0.5f), size * 0.6f, 1.6f, a.band));
    return s;
}

// A hard slug driven through glowing coils, one more coil per level.
Surface Gauss(const ShotAtlas& a, int level) {
    const float length = 26.0f + 6.0f * static_cast<float>(level);
    Surface s = Bolts(a, 1, 0.0f, length, 7.0f + static_cast<float>(level));
    for (int i = 0; i < level; ++i) {
        const float z = length * 0.3f - static_cast<float>(i) * 7.0f;
        s.Append(GlowRing(vec3(0, 0, z), 4.5f + 0.6f * static_cast<float>(level) - 0.5f * static_cast<float>(i), 1.3f, a.band));
    }
    if (level >= 3) s.Append(Flare(a, vec3(0, 0, length * 0.42f), 10.0f + 3.0f * static_cast<float>(level)));
    return s;
}

// Tracer rounds: one per level, in a staggered burst.
Surface Machinegun(const ShotAtlas& a, int level) {
    Surface s = Bolts(a, level, level == 1 ? 0.0f : 3.5f + 0.5f * static_cast<float>(level), 36.0f, 8.0f, 9.0f);
    if (level >= 4) s.Append(Flare(a, vec3(0, 0, 14.0f), 16.0f));
    return s;
}

}  // namespace

model::Model GunShotModel(const std::string& gun, int level) {
    if (level < 1 || level > kGunLevels) throw Error("shot model: no level " + std::to_string(level));
    const ShotAtlas atlas = PaintShotAtlas(LookOf(gun, level));
    std::function<Surface(const ShotAtlas&, int)> design;
    if (gun == "laser") design = Laser;
    else if (gun == "plasma") design = Plasma;
    else if (gun == "gauss") design = Gauss;
    else if (gun == "machinegun") design = Machinegun;
    else throw Error("shot model: no gun " + gun);
    return ShotModel(gun + "lv" + std::to_string(level), design(atlas, level), atlas);
}

}  // namespace kr::makedata::arsenal
