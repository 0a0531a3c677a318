#include <cmath>
#include <optional>

#include "engine/model/write_parts.hpp"

namespace kr::model {
namespace {

const char* PathName(Path path) {
    switch (path) {
    case Path::Rotation: return "rotation";
    case Path::Scale: return "scale";
    case Path::Weights: return "weights";
    case Path::Translation: break;
    }
    return "translation";
}

int PathWidth(Path path) { return path == Path::Rotation ? 4 : path == Path::Weights ? 1 : 3; }

const char* InterpolationName(Interpolation interpolation) {
    switch (interpolation) {
    case Interpolation::Step: return "STEP";
    case Interpolation::CubicSpline: return "CUBICSPLINE";
    case Interpolation::Linear: break;
    }
    return "LINEAR";
}

// The kind of value each sampler feeds, from the channels that use it.
std::vector<std::optional<Path>> SamplerPaths(const Animation& animation, const std::string& label) {
    std::vector<std::optional<Path>> paths(animation.samplers.size());
    for (const Channel& channel : animation.channels) {
        CheckReference(channel.sampler, animation.samplers.size(), false, "sampler of a channel of " + label);
        auto& path = paths[static_cast<std::size_t>(channel.sampler)];
        if (path && *path != channel.path) Refuse(label + " uses one sampler for channels of different kinds");
        path = channel.path;
    }
    return paths;
}

void CheckKeys(const Sampler& sampler, std::optional<Path> path, const std::string& label) {
    if (sampler.times.empty()) Refuse(label + " has no keys");
    for (std::size_t k = 0; k < sampler.times.size(); ++k) {
        if (!std::isfinite(sampler.times[k]) || (k > 0 && sampler.times[k] < sampler.times[k - 1])) {
            Refuse(label + " key times are not finite and ascending");
        }
    }
    if (!path) return;
    const std::size_t perKey = sampler.interpolation == Interpolation::CubicSpline ? 3 : 1;
    const std::size_t needed = sampler.times.size() * perKey * static_cast<std::size_t>(PathWidth(*path));
    const bool fits = *path == Path::Weights ? !sampler.values.empty() && sampler.values.size() % needed == 0
                                             : sampler.values.size() == needed;
    if (!fits) Refuse(label + " has " + std::to_string(sampler.values.size()) + " values for its keys");
}

Json SamplerJson(const Sampler& sampler, std::optional<Path> path, const std::string& label, BufferWriter& buffer) {
    CheckKeys(sampler, path, label);
    const int input = buffer.AddFloats(sampler.times, 1, 0, true);
    // A sampler no channel uses has no known element type: its values are
    // written as scalars, or its key times stand in when it has none.
    const int width = path ? PathWidth(*path) : 1;
    const int output = path || !sampler.values.empty() ? buffer.AddFloats(sampler.values, width, 0, false) : input;
    return {{"input", input}, {"interpolation", InterpolationName(sampler.interpolation)}, {"output", output}};
}

}  // namespace

Json SkinJson(const Model& model, std::size_t index, BufferWriter& buffer) {
    const Skin& skin = model.skins[index];
    const std::string label = Named("skin", index);
    if (skin.joints.empty()) Refuse(label + " has no joints");
    for (int joint : skin.joints) CheckReference(joint, model.nodes.size(), false, "joint of " + label);
    CheckReference(skin.skeleton, model.nodes.size(), true, "skeleton of " + label);
    Json out = Json::object();
    if (!skin.name.empty()) out["name"] = skin.name;
    if (!skin.inverseBind.empty()) {
        if (skin.inverseBind.size() != skin.joints.size()) Refuse(label + " needs one inverse bind matrix per joint");
        std::vector<float> values;
        for (const glm::mat4& m : skin.inverseBind) {
            for (int c = 0; c < 4; ++c) values.insert(values.end(), {m[c][0], m[c][1], m[c][2], m[c][3]});
        }
        out["inverseBindMatrices"] = buffer.AddFloats(values, 16, 0, false);
    }
    if (skin.skeleton != -1) out["skeleton"] = skin.skeleton;
    out["joints"] = skin.joints;
    return out;
}

Json AnimationJson(const Model& model, std::size_t index, BufferWriter& buffer) {
    const Animation& animation = model.animations[index];
    const std::string label = Named("animation", index);
    const std::vector<std::optional<Path>> paths = SamplerPaths(animation, label);
    Json samplers = Json::array();
    for (std::size_t s = 0; s < animation.samplers.size(); ++s) {
        samplers.push_back(SamplerJson(animation.samplers[s], paths[s], label + " " + Named("sampler", s), buffer));
    }
    Json channels = Json::array();
    for (const Channel& channel : animation.channels) {
        CheckReference(channel.node, model.nodes.size(), false, "node of a channel of " + label);
        channels.push_back(
            {{"sampler", channel.sampler}, {"target", {{"node", channel.node}, {"path", PathName(channel.path)}}}});
    }
    if (channels.empty()) Refuse(label + " has no channels");
    Json out = Json::object();
    if (!animation.name.empty()) out["name"] = animation.name;
    out["channels"] = std::move(channels);
    out["samplers"] = std::move(samplers);
    return out;
}

}  // namespace kr::model
