#include <algorithm>
#include <cmath>
#include <map>

#include <glm/gtc/matrix_inverse.hpp>

#include "engine/error.hpp"
#include "engine/model/geometry.hpp"

namespace kr::model {
namespace {

constexpr float kSingular = 1e-20f;

// Normals follow the inverse transpose; a singular matrix (a collapsed axis)
// has none, and its own linear part is the best left.
glm::mat3 NormalMatrix(const glm::mat3& linear) {
    return std::abs(glm::determinant(linear)) > kSingular ? glm::inverseTranspose(linear) : linear;
}

Vertex MovedVertex(const Vertex& in, const glm::mat4& matrix) {
    Vertex out = in;
    out.position = glm::vec3(matrix * glm::vec4(in.position, 1.0f));
    const glm::vec3 normal = NormalMatrix(glm::mat3(matrix)) * in.normal;
    const float length = glm::length(normal);
    out.normal = length > 0.0f ? normal / length : in.normal;
    out.joints = glm::u16vec4(0);
    out.weights = glm::vec4(0.0f);
    return out;
}

// Linear blend of the vertex's joints; unweighted vertices follow the node.
glm::mat4 SkinMatrix(const Vertex& v, const std::vector<glm::mat4>& joints, const glm::mat4& nodeWorld) {
    glm::mat4 blended(0.0f);
    float total = 0.0f;
    for (int i = 0; i < 4; ++i) {
        if (v.weights[i] <= 0.0f || v.joints[i] >= joints.size()) continue;
        blended += joints[v.joints[i]] * v.weights[i];
        total += v.weights[i];
    }
    return total > 0.0f ? blended / total : nodeWorld;
}

// Primitives gathered per material in order of first appearance.
class MaterialMerge {
public:
    void Add(const Primitive& in, const std::vector<Vertex>& moved, bool mirrored) {
        Primitive& out = Target(in.material);
        const auto base = static_cast<std::uint32_t>(out.vertices.size());
        out.vertices.insert(out.vertices.end(), moved.begin(), moved.end());
        for (std::size_t t = 0; t + 2 < in.indices.size(); t += 3) {
            const std::uint32_t a = in.indices[t], b = in.indices[t + 1], c = in.indices[t + 2];
            if (std::max({a, b, c}) >= moved.size()) continue;
            out.indices.insert(out.indices.end(), {base + a, base + (mirrored ? c : b), base + (mirrored ? b : c)});
        }
    }

    std::vector<Primitive> Take() { return std::move(primitives_); }

private:
    Primitive& Target(int material) {
        const auto found = slots_.find(material);
        if (found != slots_.end()) return primitives_[found->second];
        slots_[material] = primitives_.size();
        primitives_.push_back(Primitive{{}, {}, material});
        return primitives_.back();
    }

    std::map<int, std::size_t> slots_;
    std::vector<Primitive> primitives_;
};

// The mesh nodes under the roots, parents before children, each once.
std::vector<int> SceneMeshNodes(const Model& model) {
    std::vector<int> found;
    std::vector<bool> seen(model.nodes.size(), false);
    std::vector<int> pending(model.roots.rbegin(), model.roots.rend());
    while (!pending.empty()) {
        const int n = pending.back();
        pending.pop_back();
        if (n < 0 || static_cast<std::size_t>(n) >= model.nodes.size() || seen[static_cast<std::size_t>(n)]) continue;
        seen[static_cast<std::size_t>(n)] = true;
        const Node& node = model.nodes[static_cast<std::size_t>(n)];
        if (node.mesh >= 0 && static_cast<std::size_t>(node.mesh) < model.meshes.size()) found.push_back(n);
        pending.insert(pending.end(), node.children.rbegin(), node.children.rend());
    }
    return found;
}

void AddNode(const Model& model, const Pose& pose, int n, MaterialMerge& merge) {
    const Node& node = model.nodes[static_cast<std::size_t>(n)];
    const glm::mat4& world = pose.world[static_cast<std::size_t>(n)];
    const bool skinned = node.skin >= 0 && static_cast<std::size_t>(node.skin) < model.skins.size();
    const std::vector<glm::mat4> joints = skinned ? JointMatrices(model, pose, node.skin) : std::vector<glm::mat4>{};
    for (const Primitive& primitive : model.meshes[static_cast<std::size_t>(node.mesh)].primitives) {
        std::vector<Vertex> moved;
        moved.reserve(primitive.vertices.size());
        for (const Vertex& v : primitive.vertices) {
            moved.push_back(MovedVertex(v, skinned ? SkinMatrix(v, joints, world) : world));
        }
        merge.Add(primitive, moved, !skinned && glm::determinant(glm::mat3(world)) < 0.0f);
    }
}

}  // namespace

std::vector<Primitive> SkinnedGeometry(const Model& model, const Pose& pose) {
    if (pose.world.size() != model.nodes.size()) {
        throw Error("SkinnedGeometry: pose of " + std::to_string(pose.world.size()) + " nodes for a model of " +
                    std::to_string(model.nodes.size()));
    }
    MaterialMerge merge;
    for (int n : SceneMeshNodes(model)) AddNode(model, pose, n, merge);
    return merge.Take();
}

StaticGeometry BakeStatic(const Model& model) {
    StaticGeometry baked;
    baked.primitives = SkinnedGeometry(model, RestPose(model));
    baked.bounds = BoundsOf(baked.primitives);
    return baked;
}

Bounds BoundsOf(const std::vector<Primitive>& primitives) {
    Bounds bounds;
    bool first = true;
    for (const Primitive& primitive : primitives) {
        for (const Vertex& v : primitive.vertices) {
            bounds.min = first ? v.position : glm::min(bounds.min, v.position);
            bounds.max = first ? v.position : glm::max(bounds.max, v.position);
            first = false;
        }
    }
    return bounds;
}

}  // namespace kr::model
