#pragma once
// Reading an animation sampler at a moment.

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include "engine/model/model.hpp"

namespace kr::model {

// Whether the sampler holds `width` floats per key (three times that for
// cubic splines) for at least one key.
bool SamplerFits(const Sampler& sampler, std::size_t width);

// The value at `seconds`, held before the first and after the last key.
// The sampler must fit the width (3 for vectors, 4 for rotations).
glm::vec3 SampleVec3(const Sampler& sampler, float seconds);
glm::quat SampleRotation(const Sampler& sampler, float seconds);

}  // namespace kr::model
