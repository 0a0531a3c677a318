#include "toolkit/model_builder.hpp"

#include <algorithm>
#include <string>

#include "engine/error.hpp"

namespace kr::toolkit {
namespace {

bool IsSkinned(const model::Mesh& mesh) {
    for (const auto& primitive : mesh.primitives)
        for (const auto& vertex : primitive.vertices)
            if (vertex.weights != glm::vec4(0.0f)) return true;
    return false;
}

void CheckMesh(const model::Mesh& mesh, int materials, int joints) {
    for (const auto& primitive : mesh.primitives) {
        if (primitive.material < -1 || primitive.material >= materials) {
            throw Error("model builder: mesh \"" + mesh.name + "\" uses material " +
                        std::to_string(primitive.material) + " of " + std::to_string(materials));
        }
        for (const auto& vertex : primitive.vertices)
            for (int k = 0; k < 4; ++k)
                if (vertex.weights[k] != 0.0f && vertex.joints[k] >= joints) {
                    throw Error("model builder: mesh \"" + mesh.name + "\" is weighted to joint " +
                                std::to_string(vertex.joints[k]) + " of " + std::to_string(joints));
                }
    }
}

int Components(model::Path path) { return path == model::Path::Rotation ? 4 : 3; }

}  // namespace

AnimationBuilder& AnimationBuilder::Key(int joint, model::Path path, float seconds, glm::vec4 value) {
    if (joint < 0) throw Error("animation \"" + name_ + "\": key for joint " + std::to_string(joint));
    if (!(seconds >= 0.0f)) throw Error("animation \"" + name_ + "\": key at a negative time");
    tracks_[{joint, path}].keys[seconds] = value;
    return *this;
}

AnimationBuilder& AnimationBuilder::Translation(int joint, float seconds, glm::vec3 value) {
    return Key(joint, model::Path::Translation, seconds, glm::vec4(value, 0.0f));
}

AnimationBuilder& AnimationBuilder::Rotation(int joint, float seconds, glm::quat value) {
    const glm::quat q = glm::normalize(value);
    return Key(joint, model::Path::Rotation, seconds, glm::vec4(q.x, q.y, q.z, q.w));
}

AnimationBuilder& AnimationBuilder::Scale(int joint, float seconds, glm::vec3 value) {
    return Key(joint, model::Path::Scale, seconds, glm::vec4(value, 0.0f));
}

AnimationBuilder& AnimationBuilder::Interpolate(model::Interpolation interpolation) {
    if (interpolation == model::Interpolation::CubicSpline) {
        throw Error("animation \"" + name_ + "\": cubic spline keys need tangents, which are not made here");
    }
    interpolation_ = interpolation;
    return *this;
}

model::Animation AnimationBuilder::Build(const std::vector<int>& jointNode) const {
    if (tracks_.empty()) throw Error("animation \"" + name_ + "\": no keys");
    model::Animation animation;
    animation.name = name_;
    for (const auto& [target, track] : tracks_) {
        const auto [joint, path] = target;
        if (joint >= static_cast<int>(jointNode.size())) {
            throw Error("animation \"" + name_ + "\": key for joint " + std::to_string(joint) + " of " +
                        std::to_string(jointNode.size()));
        }
        model::Sampler sampler;
        sampler.interpolation = interpolation_;
        glm::vec4 previous(0.0f);
        for (const auto& [time, key] : track.keys) {
            glm::vec4 value = key;
            if (path == model::Path::Rotation) {
                if (!sampler.times.empty() && glm::dot(value, previous) < 0.0f) value = -value;
                previous = value;
            }
            sampler.times.push_back(time);
            for (int c = 0; c < Components(path); ++c) sampler.values.push_back(value[c]);
        }
        animation.duration = std::max(animation.duration, sampler.times.back());
        animation.channels.push_back({jointNode[joint], path, static_cast<int>(animation.samplers.size())});
        animation.samplers.push_back(std::move(sampler));
    }
    return animation;
}

int ModelBuilder::AddMaterial(model::Material material) {
    materials_.push_back(std::move(material));
    return static_cast<int>(materials_.size()) - 1;
}

int ModelBuilder::AddImage(std::string name, const image::Image& picture) {
    images_.push_back({std::move(name), "image/png", image::EncodePng(picture)});
    return static_cast<int>(images_.size()) - 1;
}

int ModelBuilder::AddMesh(model::Mesh mesh, std::string nodeName) {
    meshes_.push_back({std::move(mesh), std::move(nodeName), -1});
    return static_cast<int>(meshes_.size()) - 1;
}

int ModelBuilder::AttachMesh(model::Mesh mesh, std::string nodeName, int joint) {
    if (joint < 0 || joint >= skeleton_.JointCount()) {
        throw Error("model builder: mesh \"" + nodeName + "\" attached to joint " + std::to_string(joint) + " of " +
                    std::to_string(skeleton_.JointCount()));
    }
    meshes_.push_back({std::move(mesh), std::move(nodeName), joint});
    return static_cast<int>(meshes_.size()) - 1;
}

AnimationBuilder& ModelBuilder::AddAnimation(std::string name) {
    animations_.emplace_back(std::move(name));
    return animations_.back();
}

model::Model ModelBuilder::Build() const {
    model::Model out;
    out.materials = materials_;
    out.images = images_;
    const int jointCount = skeleton_.JointCount();
    std::vector<int> jointNode(static_cast<std::size_t>(jointCount));
    for (int j = 0; j < jointCount; ++j) {
        const Joint& joint = skeleton_.joints()[j];
        model::Node node;
        node.name = joint.name;
        node.parent = joint.parent;
        node.translation = joint.translation;
        node.rotation = joint.rotation;
        node.scale = joint.scale;
        if (joint.parent >= 0) out.nodes[joint.parent].children.push_back(j);
        else out.roots.push_back(j);
        out.nodes.push_back(std::move(node));
        jointNode[j] = j;
    }
    bool anySkinned = false;
    for (const MeshNode& part : meshes_) {
        CheckMesh(part.mesh, static_cast<int>(materials_.size()), jointCount);
        const int index = static_cast<int>(out.nodes.size());
        model::Node node;
        node.name = part.name;
        node.mesh = static_cast<int>(out.meshes.size());
        node.parent = part.joint;
        if (IsSkinned(part.mesh)) {
            node.skin = 0;
            anySkinned = true;
        }
        if (part.joint >= 0) out.nodes[part.joint].children.push_back(index);
        else out.roots.push_back(index);
        out.nodes.push_back(std::move(node));
        out.meshes.push_back(part.mesh);
    }
    if (anySkinned) {
        model::Skin skin;
        skin.name = "skin";
        skin.joints = jointNode;
        for (int j = 0; j < jointCount; ++j) skin.inverseBind.push_back(glm::inverse(skeleton_.RestTransform(j)));
        skin.skeleton = out.roots.empty() ? -1 : out.roots.front();
        out.skins.push_back(std::move(skin));
    }
    for (const AnimationBuilder& animation : animations_) out.animations.push_back(animation.Build(jointNode));
    return out;
}

}  // namespace kr::toolkit
