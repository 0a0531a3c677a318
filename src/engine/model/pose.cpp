#include "engine/model/pose.hpp"

#include <cmath>

#include "engine/error.hpp"
#include "engine/model/sampling.hpp"
#include "engine/model/transform.hpp"

namespace kr::model {
namespace {

std::vector<Trs> RestTransforms(const Model& model) {
    std::vector<Trs> trs(model.nodes.size());
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        trs[i] = {model.nodes[i].translation, model.nodes[i].rotation, model.nodes[i].scale};
    }
    return trs;
}

bool ValidNode(const Model& model, int node) {
    return node >= 0 && static_cast<std::size_t>(node) < model.nodes.size();
}

void ApplyChannel(const Animation& animation, const Channel& channel, float seconds, std::vector<Trs>& trs) {
    if (channel.sampler < 0 || static_cast<std::size_t>(channel.sampler) >= animation.samplers.size()) return;
    const Sampler& sampler = animation.samplers[static_cast<std::size_t>(channel.sampler)];
    Trs& target = trs[static_cast<std::size_t>(channel.node)];
    switch (channel.path) {
    case Path::Translation:
        if (SamplerFits(sampler, 3)) target.translation = SampleVec3(sampler, seconds);
        break;
    case Path::Rotation:
        if (SamplerFits(sampler, 4)) target.rotation = SampleRotation(sampler, seconds);
        break;
    case Path::Scale:
        if (SamplerFits(sampler, 3)) target.scale = SampleVec3(sampler, seconds);
        break;
    case Path::Weights: break;  // morph targets are not kept
    }
}

float PlaybackTime(const Animation& animation, float seconds, bool loop) {
    if (!loop || !(animation.duration > 0.0f)) return seconds;
    float t = std::fmod(seconds, animation.duration);
    if (t < 0.0f) t += animation.duration;
    return t;
}

// World matrices from the parent links alone; a node whose parents loop (a
// model built by hand) is treated as a root.
std::vector<glm::mat4> WorldMatrices(const Model& model, const std::vector<glm::mat4>& local) {
    const std::size_t count = model.nodes.size();
    std::vector<glm::mat4> world(count);
    std::vector<bool> done(count, false);
    std::vector<std::size_t> chain;
    for (std::size_t start = 0; start < count; ++start) {
        chain.clear();
        std::size_t at = start;
        // Climb to the nearest finished ancestor or a root.
        while (!done[at] && chain.size() <= count) {
            chain.push_back(at);
            const int parent = model.nodes[at].parent;
            if (!ValidNode(model, parent)) break;
            at = static_cast<std::size_t>(parent);
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            if (done[*it]) continue;
            const int parent = model.nodes[*it].parent;
            const bool hasParent = ValidNode(model, parent) && done[static_cast<std::size_t>(parent)];
            world[*it] = hasParent ? world[static_cast<std::size_t>(parent)] * local[*it] : local[*it];
            done[*it] = true;
        }
    }
    return world;
}

Pose PoseFrom(const Model& model, const std::vector<Trs>& trs) {
    Pose pose;
    pose.local.reserve(trs.size());
    for (const Trs& t : trs) pose.local.push_back(ComposeTrs(t.translation, t.rotation, t.scale));
    pose.world = WorldMatrices(model, pose.local);
    return pose;
}

void CheckPose(const Model& model, const Pose& pose, const char* caller) {
    if (pose.world.size() != model.nodes.size()) {
        throw Error(std::string(caller) + ": pose of " + std::to_string(pose.world.size()) + " nodes for a model of " +
                    std::to_string(model.nodes.size()));
    }
}

const Skin& CheckedSkin(const Model& model, int skin, const char* caller) {
    if (skin < 0 || static_cast<std::size_t>(skin) >= model.skins.size()) {
        throw Error(std::string(caller) + ": skin " + std::to_string(skin) + " of " +
                    std::to_string(model.skins.size()));
    }
    return model.skins[static_cast<std::size_t>(skin)];
}

}  // namespace

Pose RestPose(const Model& model) { return PoseFrom(model, RestTransforms(model)); }

Pose EvaluatePose(const Model& model, int animation, float seconds, bool loop) {
    if (animation < 0) return RestPose(model);
    if (static_cast<std::size_t>(animation) >= model.animations.size()) {
        throw Error("EvaluatePose: animation " + std::to_string(animation) + " of " +
                    std::to_string(model.animations.size()));
    }
    const Animation& clip = model.animations[static_cast<std::size_t>(animation)];
    const float t = PlaybackTime(clip, seconds, loop);
    std::vector<Trs> trs = RestTransforms(model);
    for (const Channel& channel : clip.channels) {
        if (ValidNode(model, channel.node)) ApplyChannel(clip, channel, t, trs);
    }
    return PoseFrom(model, trs);
}

std::vector<glm::mat4> JointMatrices(const Model& model, const Pose& pose, int skin) {
    CheckPose(model, pose, "JointMatrices");
    const Skin& s = CheckedSkin(model, skin, "JointMatrices");
    std::vector<glm::mat4> matrices(s.joints.size(), glm::mat4(1.0f));
    for (std::size_t j = 0; j < s.joints.size(); ++j) {
        if (!ValidNode(model, s.joints[j])) continue;
        const glm::mat4 inverseBind = j < s.inverseBind.size() ? s.inverseBind[j] : glm::mat4(1.0f);
        matrices[j] = pose.world[static_cast<std::size_t>(s.joints[j])] * inverseBind;
    }
    return matrices;
}

glm::vec3 JointWorldPosition(const Model& model, const Pose& pose, int skin, int joint) {
    CheckPose(model, pose, "JointWorldPosition");
    const Skin& s = CheckedSkin(model, skin, "JointWorldPosition");
    if (joint < 0 || static_cast<std::size_t>(joint) >= s.joints.size() ||
        !ValidNode(model, s.joints[static_cast<std::size_t>(joint)])) {
        throw Error("JointWorldPosition: joint " + std::to_string(joint) + " of " + std::to_string(s.joints.size()));
    }
    return glm::vec3(pose.world[static_cast<std::size_t>(s.joints[static_cast<std::size_t>(joint)])][3]);
}

}  // namespace kr::model
