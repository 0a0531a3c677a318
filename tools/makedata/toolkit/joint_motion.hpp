#pragma once
// Looping motions of a skeleton's joints, keyed so that the last key repeats the
// first and the loop runs on without a jump.

#include <glm/glm.hpp>

#include "toolkit/model_builder.hpp"
#include "toolkit/skeleton.hpp"

namespace kr::toolkit {

// Turns the joint back and forth about `axis` by up to `degrees` from its
// rest rotation, `cycles` times a loop, starting `phase` (0..1) into a cycle.
void Swing(AnimationBuilder& animation, const Skeleton& skeleton, int joint, glm::vec3 axis,
           float degrees, int cycles, float phase, float loopSeconds);

// Turns the joint a whole turn about `axis` once a loop.
void Revolve(AnimationBuilder& animation, const Skeleton& skeleton, int joint, glm::vec3 axis,
             float loopSeconds);

// Swells the joint's scale by `amount` (0.1: ten per cent) `cycles` times a loop.
void Pulse(AnimationBuilder& animation, int joint, float amount, int cycles, float phase, float loopSeconds);

// Kicks the joint back by `kick` (model units, in its parent's space) at
// `atSeconds` and eases it home before the loop ends: a gun firing once a
// loop.
void Recoil(AnimationBuilder& animation, const Skeleton& skeleton, int joint, glm::vec3 kick,
            float atSeconds, float loopSeconds);

}  // namespace kr::toolkit
