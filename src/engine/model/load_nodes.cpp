#include <cmath>

#include <glm/gtc/type_ptr.hpp>

#include "engine/model/hierarchy.hpp"
#include "engine/model/load_parts.hpp"
#include "engine/model/transform.hpp"

namespace kr::model {
namespace {

constexpr float kUnitTolerance = 1e-5f;

std::string NodeName(std::size_t index) { return Describe("node", index); }

void CheckFinite(const GltfSource& source, const std::vector<double>& values, const std::string& what) {
    for (double v : values) {
        if (!std::isfinite(v) || std::abs(v) > 3.4e38) source.Fail(what + " holds a value out of range");
    }
}

void CheckLength(const GltfSource& source, const std::vector<double>& values, std::size_t expected,
                 const std::string& what) {
    if (!values.empty() && values.size() != expected) {
        source.Fail(what + " has " + std::to_string(values.size()) + " numbers, expected " + std::to_string(expected));
    }
    CheckFinite(source, values, what);
}

Trs NodeTransform(const GltfSource& source, const tinygltf::Node& in, const std::string& name) {
    Trs trs;
    CheckLength(source, in.matrix, 16, name + " matrix");
    if (!in.matrix.empty()) {
        float columns[16];
        for (int i = 0; i < 16; ++i) columns[i] = static_cast<float>(in.matrix[static_cast<std::size_t>(i)]);
        return DecomposeTrs(glm::make_mat4(columns));
    }
    CheckLength(source, in.translation, 3, name + " translation");
    CheckLength(source, in.rotation, 4, name + " rotation");
    CheckLength(source, in.scale, 3, name + " scale");
    if (!in.translation.empty()) {
        trs.translation = glm::vec3(in.translation[0], in.translation[1], in.translation[2]);
    }
    if (!in.scale.empty()) trs.scale = glm::vec3(in.scale[0], in.scale[1], in.scale[2]);
    if (!in.rotation.empty()) {
        const glm::quat q(static_cast<float>(in.rotation[3]), static_cast<float>(in.rotation[0]),
                          static_cast<float>(in.rotation[1]), static_cast<float>(in.rotation[2]));
        const float length = glm::length(q);
        if (!(length > 1e-6f)) source.Fail(name + " rotation is not a rotation (zero quaternion)");
        // Unit quaternions are kept bit for bit so that a model survives
        // being written and read again unchanged.
        trs.rotation = std::abs(length - 1.0f) > kUnitTolerance ? q / length : q;
    }
    return trs;
}

Node ConvertNode(const GltfSource& source, std::size_t index) {
    const tinygltf::Node& in = source.gltf.nodes[index];
    const std::string name = NodeName(index);
    Node node;
    node.name = in.name;
    if (in.mesh != -1) CheckIndex(source, in.mesh, source.gltf.meshes.size(), "mesh of " + name);
    if (in.skin != -1) CheckIndex(source, in.skin, source.gltf.skins.size(), "skin of " + name);
    node.mesh = in.mesh;
    node.skin = in.skin;
    node.children = in.children;
    const Trs trs = NodeTransform(source, in, name);
    node.translation = trs.translation;
    node.rotation = trs.rotation;
    node.scale = trs.scale;
    return node;
}

void LinkChildren(const GltfSource& source, std::vector<Node>& nodes) {
    for (std::size_t p = 0; p < nodes.size(); ++p) {
        for (int child : nodes[p].children) {
            CheckIndex(source, child, nodes.size(), "child of " + NodeName(p));
            Node& node = nodes[static_cast<std::size_t>(child)];
            if (static_cast<std::size_t>(child) == p) source.Fail(NodeName(p) + " is its own child");
            if (node.parent == static_cast<int>(p)) {
                source.Fail(NodeName(p) + " lists child " + std::to_string(child) + " twice");
            }
            if (node.parent != -1) {
                source.Fail(NodeName(static_cast<std::size_t>(child)) + " has two parents (nodes " +
                            std::to_string(node.parent) + " and " + std::to_string(p) + ")");
            }
            node.parent = static_cast<int>(p);
        }
    }
}

std::vector<int> ParentlessNodes(const std::vector<Node>& nodes) {
    std::vector<int> roots;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].parent == -1) roots.push_back(static_cast<int>(i));
    }
    return roots;
}

// The scene named by "scene", else the first; every node when there is none.
std::vector<int> SceneRoots(const GltfSource& source, const std::vector<Node>& nodes) {
    const auto& scenes = source.gltf.scenes;
    if (scenes.empty()) return ParentlessNodes(nodes);
    const int sceneIndex = source.gltf.defaultScene == -1 ? 0 : source.gltf.defaultScene;
    CheckIndex(source, sceneIndex, scenes.size(), "the scene shown");
    const std::string name = Describe("scene", static_cast<std::size_t>(sceneIndex));
    std::vector<bool> listed(nodes.size(), false);
    for (int root : scenes[static_cast<std::size_t>(sceneIndex)].nodes) {
        CheckIndex(source, root, nodes.size(), "root node of " + name);
        const Node& node = nodes[static_cast<std::size_t>(root)];
        if (node.parent != -1) {
            source.Fail("root " + NodeName(static_cast<std::size_t>(root)) + " of " + name + " is a child of node " +
                        std::to_string(node.parent));
        }
        if (listed[static_cast<std::size_t>(root)]) {
            source.Fail(name + " lists node " + std::to_string(root) + " twice");
        }
        listed[static_cast<std::size_t>(root)] = true;
    }
    return scenes[static_cast<std::size_t>(sceneIndex)].nodes;
}

}  // namespace

void LoadNodes(const GltfSource& source, Model& model) {
    model.nodes.clear();
    model.nodes.reserve(source.gltf.nodes.size());
    for (std::size_t i = 0; i < source.gltf.nodes.size(); ++i) model.nodes.push_back(ConvertNode(source, i));
    LinkChildren(source, model.nodes);
    const int looping = NodeInParentCycle(model.nodes);
    if (looping != -1) {
        source.Fail("the node hierarchy has a cycle through " + NodeName(static_cast<std::size_t>(looping)));
    }
    model.roots = SceneRoots(source, model.nodes);
}

}  // namespace kr::model
