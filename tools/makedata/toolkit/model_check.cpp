#include "toolkit/model_check.hpp"

#include <cmath>

#include "engine/model/hierarchy.hpp"

namespace kr::toolkit {
namespace {

using Problems = std::vector<std::string>;

bool InRange(int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; }

bool IsFinite(glm::vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void CheckNodes(const model::Model& m, Problems& out) {
    for (std::size_t i = 0; i < m.nodes.size(); ++i) {
        const model::Node& n = m.nodes[i];
        const std::string at = "node " + std::to_string(i) + " \"" + n.name + "\": ";
        if (n.parent != -1 && !InRange(n.parent, m.nodes.size())) out.push_back(at + "parent out of range");
        if (n.mesh != -1 && !InRange(n.mesh, m.meshes.size())) out.push_back(at + "mesh out of range");
        if (n.skin != -1 && !InRange(n.skin, m.skins.size())) out.push_back(at + "skin out of range");
        for (int child : n.children) {
            if (!InRange(child, m.nodes.size())) out.push_back(at + "child out of range");
            else if (m.nodes[child].parent != static_cast<int>(i)) out.push_back(at + "child does not name it as parent");
        }
    }
    if (!out.empty()) return;
    if (const int looping = model::NodeInParentCycle(m.nodes); looping >= 0) {
        out.push_back("node " + std::to_string(looping) + ": its parents loop");
    }
    for (int root : m.roots) {
        if (!InRange(root, m.nodes.size())) out.push_back("root out of range");
        else if (m.nodes[root].parent != -1) out.push_back("root " + std::to_string(root) + " has a parent");
    }
}

void CheckPrimitive(const model::Primitive& p, const std::string& at, const model::Model& m, const model::Skin* skin,
                    Problems& out) {
    if (p.vertices.empty() || p.indices.empty()) out.push_back(at + "empty");
    if (p.indices.size() % 3 != 0) out.push_back(at + "index count not a multiple of 3");
    for (std::uint32_t index : p.indices)
        if (index >= p.vertices.size()) {
            out.push_back(at + "index " + std::to_string(index) + " past " + std::to_string(p.vertices.size()) + " vertices");
            break;
        }
    if (p.material != -1 && !InRange(p.material, m.materials.size())) out.push_back(at + "material out of range");
    for (std::size_t v = 0; v < p.vertices.size(); ++v) {
        const model::Vertex& vertex = p.vertices[v];
        const std::string here = at + "vertex " + std::to_string(v) + ": ";
        if (!IsFinite(vertex.position)) out.push_back(here + "position not finite");
        if (std::abs(glm::length(vertex.normal) - 1.0f) > 1e-3f) out.push_back(here + "normal not unit length");
        if (!skin) continue;
        float sum = 0.0f;
        for (int k = 0; k < 4; ++k) {
            if (vertex.weights[k] < 0.0f) out.push_back(here + "negative weight");
            if (vertex.weights[k] > 0.0f && vertex.joints[k] >= skin->joints.size()) out.push_back(here + "joint not in the skin");
            sum += vertex.weights[k];
        }
        if (std::abs(sum - 1.0f) > 1e-3f) out.push_back(here + "weights sum to " + std::to_string(sum));
    }
}

void CheckMeshes(const model::Model& m, Problems& out) {
    for (const model::Node& node : m.nodes) {
        if (!InRange(node.mesh, m.meshes.size())) continue;
        const model::Skin* skin = InRange(node.skin, m.skins.size()) ? &m.skins[node.skin] : nullptr;
        const model::Mesh& mesh = m.meshes[node.mesh];
        for (std::size_t i = 0; i < mesh.primitives.size(); ++i) {
            CheckPrimitive(mesh.primitives[i], "mesh \"" + mesh.name + "\" primitive " + std::to_string(i) + ": ", m, skin, out);
        }
    }
    for (const model::Material& material : m.materials)
        if (material.image != -1 && !InRange(material.image, m.images.size())) {
            out.push_back("material \"" + material.name + "\": image out of range");
        }
}

void CheckSkins(const model::Model& m, Problems& out) {
    for (const model::Skin& skin : m.skins) {
        if (skin.inverseBind.size() != skin.joints.size()) out.push_back("skin \"" + skin.name + "\": inverse bind count");
        for (int joint : skin.joints)
            if (!InRange(joint, m.nodes.size())) out.push_back("skin \"" + skin.name + "\": joint out of range");
    }
}

void CheckAnimations(const model::Model& m, Problems& out) {
    for (const model::Animation& a : m.animations) {
        const std::string at = "animation \"" + a.name + "\": ";
        for (const model::Channel& c : a.channels) {
            if (!InRange(c.node, m.nodes.size())) out.push_back(at + "channel node out of range");
            if (!InRange(c.sampler, a.samplers.size())) {
                out.push_back(at + "channel sampler out of range");
                continue;
            }
            const model::Sampler& s = a.samplers[c.sampler];
            const std::size_t width = c.path == model::Path::Rotation ? 4 : 3;
            const std::size_t perKey = s.interpolation == model::Interpolation::CubicSpline ? width * 3 : width;
            if (c.path != model::Path::Weights && s.values.size() != s.times.size() * perKey) {
                out.push_back(at + "value count does not match the keys");
            }
            for (std::size_t k = 1; k < s.times.size(); ++k)
                if (!(s.times[k] > s.times[k - 1])) out.push_back(at + "key times not ascending");
        }
    }
}

}  // namespace

std::vector<std::string> ModelProblems(const model::Model& model) {
    Problems problems;
    CheckNodes(model, problems);
    if (!problems.empty()) return problems;
    CheckMeshes(model, problems);
    CheckSkins(model, problems);
    CheckAnimations(model, problems);
    return problems;
}

}  // namespace kr::toolkit
