#include <algorithm>
#include <cmath>
#include <optional>

#include <glm/gtc/type_ptr.hpp>

#include "engine/model/accessors.hpp"
#include "engine/model/load_parts.hpp"

namespace kr::model {
namespace {

Skin ConvertSkin(const GltfSource& source, const Model& model, std::size_t index) {
    const tinygltf::Skin& in = source.gltf.skins[index];
    const std::string label = Describe("skin", index);
    if (in.joints.empty()) source.Fail(label + " has no joints");
    Skin out;
    out.name = in.name;
    for (int joint : in.joints) CheckIndex(source, joint, model.nodes.size(), "joint of " + label);
    out.joints = in.joints;
    if (in.skeleton != -1) CheckIndex(source, in.skeleton, model.nodes.size(), "skeleton of " + label);
    out.skeleton = in.skeleton;
    out.inverseBind.assign(out.joints.size(), glm::mat4(1.0f));
    if (in.inverseBindMatrices != -1) {
        const std::vector<float> m = ReadFloats(source, in.inverseBindMatrices, TINYGLTF_TYPE_MAT4,
                                                FloatComponents::FloatOnly, "inverse bind matrices of " + label);
        if (m.size() < out.joints.size() * 16) {
            source.Fail(label + " has " + std::to_string(m.size() / 16) + " inverse bind matrices for " +
                        std::to_string(out.joints.size()) + " joints");
        }
        for (std::size_t j = 0; j < out.joints.size(); ++j) out.inverseBind[j] = glm::make_mat4(&m[j * 16]);
    }
    return out;
}

std::optional<Path> ToPath(const std::string& path) {
    if (path == "translation") return Path::Translation;
    if (path == "rotation") return Path::Rotation;
    if (path == "scale") return Path::Scale;
    if (path == "weights") return Path::Weights;
    return std::nullopt;
}

Interpolation ToInterpolation(const GltfSource& source, const std::string& name, const std::string& role) {
    if (name == "LINEAR") return Interpolation::Linear;
    if (name == "STEP") return Interpolation::Step;
    if (name == "CUBICSPLINE") return Interpolation::CubicSpline;
    source.Fail(role + " has unknown interpolation \"" + name + "\"");
}

std::vector<float> ReadKeyTimes(const GltfSource& source, int accessor, const std::string& label) {
    std::vector<float> times =
        ReadFloats(source, accessor, TINYGLTF_TYPE_SCALAR, FloatComponents::FloatOnly, "input of " + label);
    for (std::size_t k = 0; k < times.size(); ++k) {
        if (!std::isfinite(times[k])) source.Fail(label + " has a key time out of range");
        if (k > 0 && times[k] < times[k - 1]) source.Fail(label + " has key times out of order");
    }
    return times;
}

// Output values: the channel's element type decides how they are read; the
// value count must fit the key count (three values per key for cubic
// splines: in-tangent, value, out-tangent).
std::vector<float> ReadKeyValues(const GltfSource& source, const tinygltf::AnimationSampler& in, Path path,
                                 const Sampler& sampler, const std::string& label) {
    const bool rotation = path == Path::Rotation;
    const int type = path == Path::Weights ? TINYGLTF_TYPE_SCALAR : rotation ? TINYGLTF_TYPE_VEC4 : TINYGLTF_TYPE_VEC3;
    const std::size_t width = path == Path::Weights ? 1 : rotation ? 4 : 3;
    // Rotations and morph weights may also be stored as normalized integers.
    const FloatComponents allowed = path == Path::Translation || path == Path::Scale
                                        ? FloatComponents::FloatOnly
                                        : FloatComponents::FloatOrNormalized;
    std::vector<float> values = ReadFloats(source, in.output, type, allowed, "output of " + label);
    const std::size_t perKey = sampler.interpolation == Interpolation::CubicSpline ? 3 : 1;
    const std::size_t keys = sampler.times.size();
    const std::size_t elements = values.size() / width;
    const bool fits = path == Path::Weights ? elements % (keys * perKey) == 0 : elements == keys * perKey;
    if (!fits) {
        source.Fail(label + " has " + std::to_string(elements) + " output values for " + std::to_string(keys) +
                    " keys");
    }
    return values;
}

// A sampler is read once its channel says what it animates; one sampler may
// serve several channels of the same kind.
class AnimationReader {
public:
    AnimationReader(const GltfSource& source, const Model& model, std::size_t index)
        : source_(source),
          model_(model),
          in_(source.gltf.animations[index]),
          label_(Describe("animation", index)),
          read_(in_.samplers.size()) {}

    Animation Read() {
        Animation out;
        out.name = in_.name;
        out.samplers.resize(in_.samplers.size());
        for (std::size_t c = 0; c < in_.channels.size(); ++c) ReadChannel(c, out);
        for (std::size_t s = 0; s < in_.samplers.size(); ++s) {
            if (!read_[s]) out.samplers[s] = ReadUnusedSampler(s);
            out.duration = std::max(out.duration, out.samplers[s].times.back());
        }
        return out;
    }

private:
    void ReadChannel(std::size_t index, Animation& out) {
        const tinygltf::AnimationChannel& in = in_.channels[index];
        const std::string label = label_ + " " + Describe("channel", index);
        const std::optional<Path> path = ToPath(in.target_path);
        // Channels without a node or with a path from an extension animate
        // nothing here.
        if (in.target_node == -1 || !path) return;
        CheckIndex(source_, in.target_node, model_.nodes.size(), "node of " + label);
        CheckIndex(source_, in.sampler, in_.samplers.size(), "sampler of " + label);
        const std::size_t s = static_cast<std::size_t>(in.sampler);
        if (!read_[s]) {
            out.samplers[s] = ReadSampler(s, *path);
            read_[s] = path;
        } else if (*read_[s] != *path) {
            source_.Fail(label + " shares its sampler with a channel of another kind");
        }
        out.channels.push_back({in.target_node, *path, in.sampler});
    }

    Sampler ReadSampler(std::size_t index, Path path) const {
        const tinygltf::AnimationSampler& in = in_.samplers[index];
        const std::string label = label_ + " " + Describe("sampler", index);
        Sampler out;
        out.interpolation = ToInterpolation(source_, in.interpolation, label);
        out.times = ReadKeyTimes(source_, in.input, label);
        out.values = ReadKeyValues(source_, in, path, out, label);
        return out;
    }

    // A sampler no channel uses still counts towards the duration.
    Sampler ReadUnusedSampler(std::size_t index) const {
        const tinygltf::AnimationSampler& in = in_.samplers[index];
        const std::string label = label_ + " " + Describe("sampler", index);
        Sampler out;
        out.interpolation = ToInterpolation(source_, in.interpolation, label);
        out.times = ReadKeyTimes(source_, in.input, label);
        return out;
    }

    const GltfSource& source_;
    const Model& model_;
    const tinygltf::Animation& in_;
    std::string label_;
    std::vector<std::optional<Path>> read_;
};

int HighestJoint(const Primitive& primitive) {
    int highest = -1;
    for (const Vertex& v : primitive.vertices) {
        for (int i = 0; i < 4; ++i) {
            if (v.weights[i] > 0.0f) highest = std::max(highest, static_cast<int>(v.joints[i]));
        }
    }
    return highest;
}

}  // namespace

void LoadSkins(const GltfSource& source, Model& model) {
    model.skins.clear();
    for (std::size_t i = 0; i < source.gltf.skins.size(); ++i) model.skins.push_back(ConvertSkin(source, model, i));
}

void LoadAnimations(const GltfSource& source, Model& model) {
    model.animations.clear();
    for (std::size_t i = 0; i < source.gltf.animations.size(); ++i) {
        model.animations.push_back(AnimationReader(source, model, i).Read());
    }
}

void CheckSkinnedMeshes(const GltfSource& source, const Model& model) {
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const Node& node = model.nodes[n];
        if (node.skin == -1 || node.mesh == -1) continue;
        const std::size_t joints = model.skins[static_cast<std::size_t>(node.skin)].joints.size();
        for (const Primitive& primitive : model.meshes[static_cast<std::size_t>(node.mesh)].primitives) {
            const int highest = HighestJoint(primitive);
            if (highest >= static_cast<int>(joints)) {
                source.Fail(Describe("mesh", static_cast<std::size_t>(node.mesh)) + " uses joint " +
                            std::to_string(highest) + ", but the skin of " + Describe("node", n) + " has " +
                            std::to_string(joints));
            }
        }
    }
}

}  // namespace kr::model
