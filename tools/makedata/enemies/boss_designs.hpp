#pragma once
// The bosses, one per mission: "models\bosses\bossN.tvM", the craft as one
// mesh (it flies, takes hits and dies like an enemy), and "bossN.tva", the
// same craft on bones with a looping animation. The game fires from the
// world positions of the animated model's last two bones, so those are the
// gun muzzles, and they move with the guns. Both are modelled with the nose
// towards -z; the game turns them 90 degrees about y and scales them by 0.2.

#include <vector>

#include "engine/model/model.hpp"
#include "enemies/alien_model.hpp"
#include "toolkit/skeleton.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::enemies {

inline constexpr int kBossCount = 2;
inline constexpr float kBossLoopSeconds = 4.0f;

// A boss before it is made into files: its joints, the parts each joint
// carries (one surface per joint) and its animation.
struct BossDesign {
    CraftLook look;
    toolkit::Skeleton skeleton;
    std::vector<toolkit::Surface> partsByJoint;
    void (*animate)(toolkit::AnimationBuilder& animation, const toolkit::Skeleton& skeleton) = nullptr;
};

// Boss `number` (1 or 2).
BossDesign BossDesignOf(int number);

// The craft as one mesh in its rest pose.
model::Model BossMesh(const BossDesign& boss);
// The craft on its bones, with its looping animation.
model::Model BossActor(const BossDesign& boss);

}  // namespace kr::makedata::enemies
