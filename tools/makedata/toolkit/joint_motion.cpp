#include "toolkit/joint_motion.hpp"

#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>

namespace kr::toolkit {
namespace {

// Keys per cycle of a smooth motion: linear keys this close look smooth.
constexpr int kKeysPerCycle = 12;

float Wave(float t, int cycles, float phase) { return std::sin(glm::two_pi<float>() * (t * cycles + phase)); }

}  // namespace

void Swing(AnimationBuilder& animation, const Skeleton& skeleton, int joint, glm::vec3 axis,
           float degrees, int cycles, float phase, float loopSeconds) {
    const glm::quat rest = skeleton.joints()[static_cast<std::size_t>(joint)].rotation;
    const int keys = kKeysPerCycle * cycles;
    for (int k = 0; k <= keys; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(keys);
        const float angle = degrees * Wave(t, cycles, phase);
        animation.Rotation(joint, t * loopSeconds, rest * glm::angleAxis(glm::radians(angle), glm::normalize(axis)));
    }
}

void Revolve(AnimationBuilder& animation, const Skeleton& skeleton, int joint, glm::vec3 axis,
             float loopSeconds) {
    const glm::quat rest = skeleton.joints()[static_cast<std::size_t>(joint)].rotation;
    constexpr int kSteps = 6;
    for (int k = 0; k <= kSteps; ++k) {
        const float t = static_cast<float>(k) / kSteps;
        animation.Rotation(joint, t * loopSeconds, rest * glm::angleAxis(glm::two_pi<float>() * t, glm::normalize(axis)));
    }
}

void Pulse(AnimationBuilder& animation, int joint, float amount, int cycles, float phase, float loopSeconds) {
    const int keys = kKeysPerCycle * cycles;
    for (int k = 0; k <= keys; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(keys);
        animation.Scale(joint, t * loopSeconds, glm::vec3(1.0f + amount * 0.5f * (1.0f + Wave(t, cycles, phase))));
    }
}

void Recoil(AnimationBuilder& animation, const Skeleton& skeleton, int joint, glm::vec3 kick,
            float atSeconds, float loopSeconds) {
    const glm::vec3 rest = skeleton.joints()[static_cast<std::size_t>(joint)].translation;
    const float back = 0.08f * loopSeconds, settle = 0.3f * loopSeconds, home = 0.08f * loopSeconds;
    // A shot late in the loop is moved earlier, so that the gun is home again when the loop ends.
    const float at = std::clamp(atSeconds, 0.0f, loopSeconds - back - settle - home);
    animation.Translation(joint, 0.0f, rest);
    animation.Translation(joint, at, rest);
    animation.Translation(joint, at + back, rest + kick);
    animation.Translation(joint, at + back + settle, rest + kick * 0.15f);
    animation.Translation(joint, at + back + settle + home, rest);
    animation.Translation(joint, loopSeconds, rest);
}

}  // namespace kr::toolkit
