#include "enemies/boss_designs.hpp"

#include <string>
#include <utility>

#include <glm/gtc/constants.hpp>

#include "engine/error.hpp"
#include "enemies/alien_parts.hpp"
#include "toolkit/joint_motion.hpp"
#include "toolkit/primitives.hpp"

namespace kr::makedata::enemies {
namespace {

using toolkit::Pulse;
using toolkit::Recoil;
using toolkit::Revolve;
using toolkit::Surface;
using toolkit::Swing;

Surface Raised(Surface s, float y) {
    s.Translate({0, y, 0});
    return s;
}

// Parts gathered per joint while a boss is modelled.
class Rig {
public:
    int Joint(const std::string& name, int parent, glm::vec3 at) {
        const glm::vec3 relative = parent < 0 ? at : at - skeleton_.RestPosition(parent);
        const int joint = skeleton_.AddJoint(name, parent, relative);
        parts_.emplace_back();
        return joint;
    }
    CraftParts& On(int joint) { return parts_[static_cast<std::size_t>(joint)]; }

    BossDesign Finish(CraftLook look, void (*animate)(toolkit::AnimationBuilder&, const toolkit::Skeleton&)) {
        BossDesign boss{std::move(look), skeleton_, {}, animate};
        for (const CraftParts& p : parts_) boss.partsByJoint.push_back(p.surface());
        return boss;
    }

private:
    toolkit::Skeleton skeleton_;
    std::vector<CraftParts> parts_;
};

// ---- boss 1: the hive crawler of the dunes ----------------------------------

enum CrawlerJoint { kCrawlerHull, kCrawlerHeart, kCrawlerArmLeft, kCrawlerArmRight, kCrawlerGunLeft, kCrawlerGunRight };

constexpr glm::vec3 kCrawlerShoulder{760, 40, -300};
constexpr glm::vec3 kCrawlerMuzzle{780, 30, -1290};

void CrawlerHull(CraftParts& p) {
    p.Add(Pod({{-920, 0, 0, 0}, {-860, 520, 200, 120}, {-600, 900, 380, 170}, {-100, 1100, 470, 200}, {400, 1010, 430, 200},
               {800, 720, 300, 160}, {1010, 0, 0, 0}},
              24, 2.3f),
          Swatch::Shell);
    for (float z : {-520.0f, -260.0f, 0.0f, 260.0f, 520.0f})
        p.Add(Spike({0, 380, z}, {0, 720, z + 170}, 70, 8), Swatch::ShellDark);
    p.AddPair(Raised(Blade({{620, -220}, {1320, 80}, {1380, 500}, {920, 720}, {620, 500}}, 70, 18), 110), Swatch::ShellDark);
    p.Add(Pod({{-1270, 0, 0, 0}, {-1220, 300, 140, 100}, {-1020, 460, 220, 140}, {-800, 500, 240, 150}, {-660, 0, 0, 0}}, 20),
          Swatch::ShellDark);
    for (float x : {100.0f, 230.0f, 350.0f}) p.AddPair(Orb({x, 190 - x * 0.25f, -1090 + x * 0.3f}, glm::vec3(52), 12), Swatch::Eye);
    p.Add(Orb({0, -30, -1240}, {220, 70, 70}, 16), Swatch::Glow);
    for (float x : {-170.0f, -85.0f, 0.0f, 85.0f, 170.0f}) p.Add(Spike({x, 40, -1230}, {x * 0.9f, -50, -1340}, 26, 6), Swatch::Metal);
    p.Add(Orb({0, 330, 380}, {480, 120, 420}, 20), Swatch::Vein);
    p.Add(Raised(toolkit::Torus(240, 34, 32, 8), 420), Swatch::Metal);
    for (float z : {-560.0f, 100.0f, 640.0f}) p.AddPair(Spike({900, 90, z}, {1320, 30, z + 140}, 70, 8), Swatch::ShellDark);
    for (float z : {-150.0f, 350.0f})
        p.AddPair(Horn({{880, 0, z}, {1400, 220, z + 100}, {1640, -320, z + 220}}, {95, 62, 0}, 10), Swatch::Under);
    for (float x : {-380.0f, 380.0f}) {
        p.Add(Pod({{900, 170, 140, 140, 60, x}, {1060, 150, 120, 120, 60, x}}, 16), Swatch::Metal);
        p.Add(Orb({x, 60, 1064}, {130, 110, 60}, 14), Swatch::Glow);
    }
}

void CrawlerArm(CraftParts& p, float side) {
    const glm::vec3 s{side, 1, 1};
    p.Add(Horn({kCrawlerShoulder * s, glm::vec3(860, 30, -640) * s, glm::vec3(800, 30, -860) * s}, {140, 120, 110}, 12),
          Swatch::ShellDark);
    p.Add(Pod({{-760, 130, 120, 120, 30, 780 * side}, {-1000, 100, 96, 96, 30, 780 * side}, {-1180, 86, 84, 84, 30, 780 * side}}, 14),
          Swatch::Metal);
    Surface plate = Blade({{640, -420}, {980, -560}, {960, -1000}, {700, -1060}, {600, -700}}, 40, 12);
    if (side < 0) plate = toolkit::Mirrored(plate, toolkit::Axis::X);
    p.Add(Raised(std::move(plate), 150), Swatch::Accent);
}

void CrawlerGun(CraftParts& p, float side) {
    const glm::vec3 s{side, 1, 1};
    p.Add(Horn({glm::vec3(780, 30, -1160) * s, glm::vec3(780, 30, -1270) * s}, {96, 118}, 14), Swatch::Metal);
    p.Add(Orb(kCrawlerMuzzle * s + glm::vec3(0, 0, 4), {80, 80, 34}, 14), Swatch::Glow);
}

void AnimateCrawler(toolkit::AnimationBuilder& a, const toolkit::Skeleton& s) {
    Pulse(a, kCrawlerHeart, 0.18f, 4, 0.0f, kBossLoopSeconds);
    Swing(a, s, kCrawlerArmLeft, {0, 1, 0}, 7.0f, 1, 0.0f, kBossLoopSeconds);
    Swing(a, s, kCrawlerArmRight, {0, 1, 0}, 7.0f, 1, 0.5f, kBossLoopSeconds);
    Recoil(a, s, kCrawlerGunLeft, {0, 0, 90}, 0.4f, kBossLoopSeconds);
    Recoil(a, s, kCrawlerGunRight, {0, 0, 90}, 2.4f, kBossLoopSeconds);
}

BossDesign Crawler() {
    Rig rig;
    rig.Joint("hull", -1, {0, 0, 0});
    rig.Joint("heart", kCrawlerHull, {0, 470, 380});
    rig.Joint("arm_left", kCrawlerHull, kCrawlerShoulder * glm::vec3(-1, 1, 1));
    rig.Joint("arm_right", kCrawlerHull, kCrawlerShoulder);
    rig.Joint("gun_left", kCrawlerArmLeft, kCrawlerMuzzle * glm::vec3(-1, 1, 1));
    rig.Joint("gun_right", kCrawlerArmRight, kCrawlerMuzzle);
    CrawlerHull(rig.On(kCrawlerHull));
    rig.On(kCrawlerHeart).Add(Orb({0, 470, 380}, {170, 110, 170}, 18), Swatch::Glow);
    CrawlerArm(rig.On(kCrawlerArmLeft), -1.0f);
    CrawlerArm(rig.On(kCrawlerArmRight), 1.0f);
    CrawlerGun(rig.On(kCrawlerGunLeft), -1.0f);
    CrawlerGun(rig.On(kCrawlerGunRight), 1.0f);
    const AlienPalette colours{{0.34f, 0.10f, 0.08f}, {0.12f, 0.04f, 0.04f}, {0.32f, 0.26f, 0.2f}, {0.5f, 0.34f, 0.14f}, {0.6f, 1.0f, 0.3f}};
    return rig.Finish({"boss1", colours, 9001}, AnimateCrawler);
}

// ---- boss 2: the warden of the orbit ----------------------------------------

enum WardenJoint {
    kWardenHull, kWardenRing, kWardenEye, kWardenWingLeft, kWardenWingRight,
    kWardenProngLeft, kWardenProngRight, kWardenMuzzleLeft, kWardenMuzzleRight
};

constexpr glm::vec3 kWardenWing{560, 0, 300};
constexpr glm::vec3 kWardenProng{460, -20, -480};
constexpr glm::vec3 kWardenMuzzle{540, -20, -1400};

void WardenHull(CraftParts& p) {
    p.Add(Pod({{-720, 0, 0, 0}, {-620, 380, 200, 200}, {0, 520, 260, 260}, {500, 420, 220, 220}, {820, 200, 140, 140}, {900, 0, 0, 0}}, 24),
          Swatch::Shell);
    p.Add(Pod({{-500, 0, 0, 0, -120}, {-400, 300, 40, 200, -120}, {500, 300, 40, 200, -120}, {700, 0, 0, 0, -120}}, 16), Swatch::Under);
    for (float z : {-100.0f, 150.0f, 400.0f}) p.Add(Spike({0, 220, z}, {0, 470, z + 160}, 60, 8), Swatch::ShellDark);
    for (float x : {-220.0f, 0.0f, 220.0f}) {
        p.Add(Pod({{780, 120, 100, 100, 0, x}, {940, 110, 90, 90, 0, x}}, 14), Swatch::Metal);
        p.Add(Orb({x, 0, 944}, {100, 90, 50}, 14), Swatch::Glow);
    }
}

void WardenRing(CraftParts& p) {
    p.Add(toolkit::Torus(820, 70, 48, 10), Swatch::Metal);
    p.AddAround(Orb({820, 0, 0}, {70, 60, 70}, 12), Swatch::Glow, 8, glm::pi<float>() / 8.0f);
    p.AddAround(Spike({860, 0, 0}, {1160, 0, 0}, 60, 8), Swatch::ShellDark, 8);
}

void WardenWing(CraftParts& p, float side) {
    Surface wing = Blade({{480, 100}, {1000, -60}, {1300, 200}, {1240, 600}, {900, 520}, {480, 480}}, 60, 16);
    Surface edge = Horn({{1000, 40, -60}, {1300, 40, 200}, {1240, 40, 600}}, {22, 22, 18}, 8);
    if (side < 0) {
        wing = toolkit::Mirrored(wing, toolkit::Axis::X);
        edge = toolkit::Mirrored(edge, toolkit::Axis::X);
    }
    p.Add(std::move(wing), Swatch::ShellDark);
    p.Add(std::move(edge), Swatch::Glow);
}

void WardenProng(CraftParts& p, float side) {
    const glm::vec3 s{side, 1, 1};
    p.Add(Horn({kWardenProng * s, glm::vec3(620, -20, -800) * s, glm::vec3(560, -20, -1300) * s}, {120, 100, 84}, 12), Swatch::Accent);
    p.Add(Spike(glm::vec3(640, -20, -900) * s, glm::vec3(860, -20, -1140) * s, 50, 8), Swatch::ShellDark);
}

void WardenMuzzle(CraftParts& p, float side) {
    const glm::vec3 s{side, 1, 1};
    p.Add(Horn({glm::vec3(550, -20, -1260) * s, glm::vec3(540, -20, -1390) * s}, {90, 110}, 14), Swatch::Metal);
    p.Add(Orb(kWardenMuzzle * s + glm::vec3(0, 0, 6), {84, 84, 36}, 14), Swatch::Glow);
}

void AnimateWarden(toolkit::AnimationBuilder& a, const toolkit::Skeleton& s) {
    Revolve(a, s, kWardenRing, {0, 1, 0}, kBossLoopSeconds);
    Pulse(a, kWardenEye, 0.1f, 2, 0.0f, kBossLoopSeconds);
    Swing(a, s, kWardenWingLeft, {0, 0, 1}, 9.0f, 1, 0.0f, kBossLoopSeconds);
    Swing(a, s, kWardenWingRight, {0, 0, 1}, -9.0f, 1, 0.0f, kBossLoopSeconds);
    Swing(a, s, kWardenProngLeft, {0, 1, 0}, 6.0f, 2, 0.0f, kBossLoopSeconds);
    Swing(a, s, kWardenProngRight, {0, 1, 0}, -6.0f, 2, 0.0f, kBossLoopSeconds);
    Recoil(a, s, kWardenMuzzleLeft, {0, 0, 110}, 0.2f, kBossLoopSeconds);
    Recoil(a, s, kWardenMuzzleRight, {0, 0, 110}, 2.2f, kBossLoopSeconds);
}

BossDesign Warden() {
    Rig rig;
    const glm::vec3 left{-1, 1, 1};
    rig.Joint("hull", -1, {0, 0, 0});
    rig.Joint("ring", kWardenHull, {0, 0, 0});
    rig.Joint("eye", kWardenHull, {0, 140, -300});
    rig.Joint("wing_left", kWardenHull, kWardenWing * left);
    rig.Joint("wing_right", kWardenHull, kWardenWing);
    rig.Joint("prong_left", kWardenHull, kWardenProng * left);
    rig.Joint("prong_right", kWardenHull, kWardenProng);
    rig.Joint("muzzle_left", kWardenProngLeft, kWardenMuzzle * left);
    rig.Joint("muzzle_right", kWardenProngRight, kWardenMuzzle);
    WardenHull(rig.On(kWardenHull));
    WardenRing(rig.On(kWardenRing));
    rig.On(kWardenEye).Add(Orb({0, 140, -300}, {360, 300, 360}, 28), Swatch::Eye);
    WardenWing(rig.On(kWardenWingLeft), -1.0f);
    WardenWing(rig.On(kWardenWingRight), 1.0f);
    WardenProng(rig.On(kWardenProngLeft), -1.0f);
    WardenProng(rig.On(kWardenProngRight), 1.0f);
    WardenMuzzle(rig.On(kWardenMuzzleLeft), -1.0f);
    WardenMuzzle(rig.On(kWardenMuzzleRight), 1.0f);
    const AlienPalette colours{{0.30f, 0.30f, 0.42f}, {0.10f, 0.10f, 0.16f}, {0.22f, 0.2f, 0.28f}, {0.34f, 0.1f, 0.26f}, {1.0f, 0.3f, 0.85f}};
    return rig.Finish({"boss2", colours, 9002}, AnimateWarden);
}

}  // namespace

BossDesign BossDesignOf(int number) {
    if (number == 1) return Crawler();
    if (number == 2) return Warden();
    throw Error("no boss number " + std::to_string(number));
}

model::Model BossMesh(const BossDesign& boss) {
    Surface whole;
    for (const Surface& part : boss.partsByJoint) whole.Append(part);
    return StaticCraftModel(boss.look, whole);
}

model::Model BossActor(const BossDesign& boss) {
    toolkit::ModelBuilder builder = RiggedCraftBuilder(boss.look, boss.skeleton, boss.partsByJoint);
    boss.animate(builder.AddAnimation("hover"), boss.skeleton);
    return builder.Build();
}

}  // namespace kr::makedata::enemies
