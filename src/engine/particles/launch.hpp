#pragma once
// Where a new particle appears relative to its emitter and how fast it leaves.

#include <glm/vec3.hpp>

#include "engine/particles/emitter_settings.hpp"
#include "engine/random.hpp"

namespace kr::particles {

// A point of the emission box, or no offset when the box is off.
glm::vec3 SpawnOffset(const EmitterSettings& settings, Random& random);

// Units per ms: the direction as a base velocity plus the launch speed along
// it (or along a random unit vector when undirected), plus the random spread.
glm::vec3 LaunchVelocity(const EmitterSettings& settings, Random& random);

// A random sprite angle in radians.
float RandomAngle(Random& random);

}  // namespace kr::particles
