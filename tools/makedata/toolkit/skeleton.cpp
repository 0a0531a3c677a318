#include "toolkit/skeleton.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"

namespace kr::toolkit {
namespace {

float DistanceToSegment(glm::vec3 p, glm::vec3 a, glm::vec3 b) {
    const glm::vec3 ab = b - a;
    const float lengthSquared = glm::dot(ab, ab);
    const float t = lengthSquared > 0.0f ? std::clamp(glm::dot(p - a, ab) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return glm::length(p - (a + ab * t));
}

struct Bone {
    glm::vec3 from;
    std::vector<glm::vec3> to;  // children's positions; empty: a point
};

float DistanceToBone(glm::vec3 p, const Bone& bone) {
    if (bone.to.empty()) return glm::length(p - bone.from);
    float best = DistanceToSegment(p, bone.from, bone.to[0]);
    for (const auto& end : bone.to) best = std::min(best, DistanceToSegment(p, bone.from, end));
    return best;
}

void CheckJoint(const Skeleton& skeleton, int joint, const char* what) {
    if (joint < 0 || joint >= skeleton.JointCount()) {
        throw Error(std::string(what) + ": joint " + std::to_string(joint) + " does not exist (" +
                    std::to_string(skeleton.JointCount()) + " joints)");
    }
}

}  // namespace

int Skeleton::AddJoint(std::string name, int parent, glm::vec3 translation, glm::quat rotation) {
    if (parent < -1 || parent >= JointCount()) {
        throw Error("skeleton: joint \"" + name + "\" has parent " + std::to_string(parent) +
                    ", which is not an earlier joint");
    }
    if (name.empty()) throw Error("skeleton: a joint needs a name");
    if (Find(name) >= 0) throw Error("skeleton: two joints are named \"" + name + "\"");
    joints_.push_back({std::move(name), parent, translation, glm::normalize(rotation), glm::vec3(1.0f)});
    return JointCount() - 1;
}

int Skeleton::Find(std::string_view name) const {
    for (int i = 0; i < JointCount(); ++i)
        if (joints_[i].name == name) return i;
    return -1;
}

std::vector<int> Skeleton::Children(int joint) const {
    std::vector<int> children;
    for (int i = 0; i < JointCount(); ++i)
        if (joints_[i].parent == joint) children.push_back(i);
    return children;
}

glm::mat4 Skeleton::LocalTransform(int joint) const {
    const Joint& j = joints_.at(static_cast<std::size_t>(joint));
    return glm::translate(glm::mat4(1.0f), j.translation) * glm::mat4_cast(j.rotation) *
           glm::scale(glm::mat4(1.0f), j.scale);
}

glm::mat4 Skeleton::RestTransform(int joint) const {
    glm::mat4 m = LocalTransform(joint);
    for (int p = joints_.at(static_cast<std::size_t>(joint)).parent; p >= 0; p = joints_[p].parent) {
        m = LocalTransform(p) * m;
    }
    return m;
}

glm::vec3 Skeleton::RestPosition(int joint) const { return glm::vec3(RestTransform(joint)[3]); }

void WeightByDistance(model::Mesh& mesh, const Skeleton& skeleton, float sharpness) {
    const int count = skeleton.JointCount();
    if (count == 0) throw Error("skin weights: the skeleton has no joints");
    std::vector<Bone> bones(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        bones[j].from = skeleton.RestPosition(j);
        for (int child : skeleton.Children(j)) bones[j].to.push_back(skeleton.RestPosition(child));
        // A last joint carries on its parent's bone by half its length, so
        // that what lies beyond it (a hand, a gun tip) belongs to it.
        const int parent = skeleton.joints()[j].parent;
        if (bones[j].to.empty() && parent >= 0) {
            bones[j].to.push_back(bones[j].from + (bones[j].from - skeleton.RestPosition(parent)) * 0.5f);
        }
    }
    struct Influence {
        float weight;
        int joint;
    };
    std::vector<Influence> influences(static_cast<std::size_t>(count));
    for (auto& primitive : mesh.primitives) {
        for (auto& vertex : primitive.vertices) {
            for (int j = 0; j < count; ++j) {
                const float d = DistanceToBone(vertex.position, bones[j]);
                influences[j] = {1.0f / std::pow(d + 1e-4f, sharpness), j};
            }
            // Strongest first; equal weights by joint order, so the choice
            // is the same on every run.
            std::sort(influences.begin(), influences.end(), [](const Influence& a, const Influence& b) {
                return a.weight != b.weight ? a.weight > b.weight : a.joint < b.joint;
            });
            const int used = std::min(count, 4);
            float total = 0.0f;
            for (int k = 0; k < used; ++k) total += influences[k].weight;
            vertex.joints = glm::u16vec4(0);
            vertex.weights = glm::vec4(0.0f);
            for (int k = 0; k < used; ++k) {
                vertex.joints[k] = static_cast<std::uint16_t>(influences[k].joint);
                vertex.weights[k] = influences[k].weight / total;
            }
        }
    }
}

void WeightByRegion(model::Mesh& mesh, const Skeleton& skeleton, const std::function<int(glm::vec3)>& jointAt) {
    for (auto& primitive : mesh.primitives) {
        for (auto& vertex : primitive.vertices) {
            const int joint = jointAt(vertex.position);
            CheckJoint(skeleton, joint, "skin weights by region");
            vertex.joints = glm::u16vec4(static_cast<std::uint16_t>(joint), 0, 0, 0);
            vertex.weights = glm::vec4(1.0f, 0.0f, 0.0f, 0.0f);
        }
    }
}

}  // namespace kr::toolkit
