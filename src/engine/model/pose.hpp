#pragma once
// A model's node transforms at rest or at a moment of an animation, and the
// skinning matrices derived from them.

#include <vector>

#include <glm/glm.hpp>

#include "engine/model/model.hpp"

namespace kr::model {

// One matrix per node: relative to its parent (local) and to the model
// (world).
struct Pose {
    std::vector<glm::mat4> local;
    std::vector<glm::mat4> world;
};

// Every node at its own translation, rotation and scale.
Pose RestPose(const Model& model);

// The nodes at `seconds` into `animation`. With `loop` the time wraps by the
// animation's duration (looping playback; negative times count back from the
// end); without it, times before the first key hold the first value and
// times after the last key hold the last. Each channel keeps its own keys: a
// channel that ends earlier holds its last value. Rotations are slerped,
// cubic splines follow glTF; "weights" channels are not applied. A negative
// animation gives the rest pose; a number past the last throws Error.
Pose EvaluatePose(const Model& model, int animation, float seconds, bool loop = true);

// The skinning matrix of each joint of `skin`: world(joint) * inverseBind.
// They take vertices into model space directly: as glTF defines, the
// transform of the skinned mesh's own node is not applied to a skinned mesh.
// Throws Error for a skin that does not exist or a pose of another model.
std::vector<glm::mat4> JointMatrices(const Model& model, const Pose& pose, int skin);

// The model-space origin of joint `joint` (an index into the skin's joints).
glm::vec3 JointWorldPosition(const Model& model, const Pose& pose, int skin, int joint);

}  // namespace kr::model
