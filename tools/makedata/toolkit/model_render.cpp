#include "toolkit/model_render.hpp"

#include <algorithm>
#include <functional>

#include "engine/model/transform.hpp"

namespace kr::toolkit {
namespace {

// Each node's transform in the model's space.
std::vector<glm::mat4> NodeMatrices(const model::Model& model) {
    std::vector<glm::mat4> matrices(model.nodes.size(), glm::mat4(1.0f));
    const std::function<void(int, const glm::mat4&)> visit = [&](int n, const glm::mat4& parent) {
        const model::Node& node = model.nodes[static_cast<std::size_t>(n)];
        matrices[static_cast<std::size_t>(n)] = parent * model::ComposeTrs(node.translation, node.rotation, node.scale);
        for (int child : node.children) visit(child, matrices[static_cast<std::size_t>(n)]);
    };
    for (int root : model.roots) visit(root, glm::mat4(1.0f));
    return matrices;
}

Look LookOf(const model::Model& model, int material) {
    Look look;
    if (material < 0 || material >= static_cast<int>(model.materials.size())) return look;
    const model::Material& m = model.materials[static_cast<std::size_t>(material)];
    look.colour = m.baseColour;
    look.emissive = m.emissive;
    look.doubleSided = m.doubleSided;
    look.alphaCutoff = m.alphaMode == model::AlphaMode::Opaque ? kSceneryAlphaCutoff : m.alphaCutoff;
    return look;
}

}  // namespace

DrawableModel::DrawableModel(const model::Model& model) {
    for (const model::EmbeddedImage& picture : model.images)
        textures_.emplace_back(image::DecodeImage(picture.encoded, picture.name).levels.front());
    const std::vector<glm::mat4> nodes = NodeMatrices(model);
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const int mesh = model.nodes[n].mesh;
        if (mesh < 0 || mesh >= static_cast<int>(model.meshes.size())) continue;
        for (const model::Primitive& primitive : model.meshes[static_cast<std::size_t>(mesh)].primitives)
            AddPrimitive(model, primitive, nodes[n]);
    }
    // The box's middle, and the farthest corner from it.
    glm::vec3 low(1e30f), high(-1e30f);
    for (const Part& part : parts_)
        for (const Corner& c : part.corners) low = glm::min(low, c.position), high = glm::max(high, c.position);
    if (parts_.empty()) return;
    centre_ = (low + high) * 0.5f;
    for (const Part& part : parts_)
        for (const Corner& c : part.corners) radius_ = std::max(radius_, glm::length(c.position - centre_));
}

void DrawableModel::AddPrimitive(const model::Model& model, const model::Primitive& primitive, const glm::mat4& node) {
    Part part;
    const glm::mat3 turn = glm::transpose(glm::inverse(glm::mat3(node)));
    for (const model::Vertex& v : primitive.vertices)
        part.corners.push_back({glm::vec3(node * glm::vec4(v.position, 1.0f)), glm::normalize(turn * v.normal), v.uv});
    part.indices = primitive.indices;
    part.look = LookOf(model, primitive.material);
    if (primitive.material >= 0 && primitive.material < static_cast<int>(model.materials.size()))
        part.texture = model.materials[static_cast<std::size_t>(primitive.material)].image;
    if (part.texture >= static_cast<int>(textures_.size())) part.texture = -1;
    parts_.push_back(std::move(part));
}

void DrawableModel::Draw(Rasterizer& target, const glm::mat4& world) const {
    const float scale = std::max({glm::length(glm::vec3(world[0])), glm::length(glm::vec3(world[1])), glm::length(glm::vec3(world[2]))});
    if (!target.MayShow(glm::vec3(world * glm::vec4(centre_, 1.0f)), radius_ * scale)) return;
    const glm::mat3 turn = glm::transpose(glm::inverse(glm::mat3(world)));
    std::vector<Corner> placed;
    for (const Part& part : parts_) {
        placed.clear();
        for (const Corner& c : part.corners)
            placed.push_back({glm::vec3(world * glm::vec4(c.position, 1.0f)), glm::normalize(turn * c.normal), c.uv});
        Look look = part.look;
        if (part.texture >= 0) look.texture = &textures_[static_cast<std::size_t>(part.texture)];
        target.DrawTriangles(placed, part.indices, look);
    }
}

}  // namespace kr::toolkit
