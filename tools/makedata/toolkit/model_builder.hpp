#pragma once
// Assembles a complete model: meshes, materials with embedded pictures, and
// for animated models a skeleton, its skin and keyframed animations. The
// result is ready for model::WriteGlb.

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include "engine/image/image.hpp"
#include "engine/model/model.hpp"
#include "toolkit/skeleton.hpp"

namespace kr::toolkit {

// Keys per joint and property; each joint's translation, rotation and scale
// is one channel. A key at a time already keyed replaces it.
class AnimationBuilder {
public:
    explicit AnimationBuilder(std::string name) : name_(std::move(name)) {}

    AnimationBuilder& Translation(int joint, float seconds, glm::vec3 value);
    AnimationBuilder& Rotation(int joint, float seconds, glm::quat value);
    AnimationBuilder& Scale(int joint, float seconds, glm::vec3 value);
    AnimationBuilder& Interpolate(model::Interpolation interpolation);

    // Channels in joint order, then translation, rotation, scale; `jointNode`
    // gives each joint's node index. Consecutive rotations are kept on the
    // same side of the quaternion sphere so that they turn the short way.
    model::Animation Build(const std::vector<int>& jointNode) const;
    const std::string& name() const { return name_; }

private:
    struct Track {
        std::map<float, glm::vec4> keys;  // by time; xyz, or xyzw for rotations
    };

    AnimationBuilder& Key(int joint, model::Path path, float seconds, glm::vec4 value);

    std::string name_;
    model::Interpolation interpolation_ = model::Interpolation::Linear;
    std::map<std::pair<int, model::Path>, Track> tracks_;
};

class ModelBuilder {
public:
    Skeleton& skeleton() { return skeleton_; }
    const Skeleton& skeleton() const { return skeleton_; }

    int AddMaterial(model::Material material);
    // Embeds the picture as PNG; returns its index for Material::image.
    int AddImage(std::string name, const image::Image& picture);

    // A mesh at the root of the scene. It is skinned when its vertices carry
    // weights, and then bound to the skeleton.
    int AddMesh(model::Mesh mesh, std::string nodeName);
    // A rigid mesh carried by `joint`, its vertices in the joint's space.
    int AttachMesh(model::Mesh mesh, std::string nodeName, int joint);

    // The reference stays valid while the builder lives.
    AnimationBuilder& AddAnimation(std::string name);

    // Throws kr::Error when a mesh refers to a material that does not exist,
    // a skinned mesh to a joint that does not, or an animation has no keys.
    model::Model Build() const;

private:
    struct MeshNode {
        model::Mesh mesh;
        std::string name;
        int joint = -1;  // the carrying joint, -1 at the root
    };

    Skeleton skeleton_;
    std::vector<model::Material> materials_;
    std::vector<model::EmbeddedImage> images_;
    std::vector<MeshNode> meshes_;
    std::deque<AnimationBuilder> animations_;  // handed-out references stay valid
};

}  // namespace kr::toolkit
