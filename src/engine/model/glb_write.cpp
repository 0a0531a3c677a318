// The GLB writer: the JSON document is built with nlohmann::ordered_json,
// whose output depends only on what is inserted and in which order, so the
// same model always gives the same bytes.

#include <algorithm>

#include "engine/model/glb.hpp"
#include "engine/model/glb_container.hpp"
#include "engine/model/hierarchy.hpp"
#include "engine/model/write_parts.hpp"

namespace kr::model {
namespace {

// glTF stores rotations as x, y, z, w.
Json QuatJson(const glm::quat& q, const std::string& what) {
    const float xyzw[4] = {q.x, q.y, q.z, q.w};
    return Numbers(xyzw, 4, what);
}

void CheckHierarchy(const Model& model) {
    const std::size_t count = model.nodes.size();
    for (std::size_t p = 0; p < count; ++p) {
        CheckReference(model.nodes[p].parent, count, true, "parent of " + Named("node", p));
        for (int child : model.nodes[p].children) {
            CheckReference(child, count, false, "child of " + Named("node", p));
            if (model.nodes[static_cast<std::size_t>(child)].parent != static_cast<int>(p)) {
                Refuse(Named("node", p) + " lists child " + std::to_string(child) + " whose parent is " +
                       std::to_string(model.nodes[static_cast<std::size_t>(child)].parent));
            }
        }
    }
    for (std::size_t n = 0; n < count; ++n) {
        const int parent = model.nodes[n].parent;
        if (parent == -1) continue;
        const std::vector<int>& siblings = model.nodes[static_cast<std::size_t>(parent)].children;
        if (std::count(siblings.begin(), siblings.end(), static_cast<int>(n)) != 1) {
            Refuse(Named("node", n) + " is not listed exactly once among the children of its parent " +
                   std::to_string(parent));
        }
    }
    if (NodeInParentCycle(model.nodes) != -1) Refuse("the node hierarchy has a cycle");
    for (int root : model.roots) {
        CheckReference(root, count, false, "root node");
        if (model.nodes[static_cast<std::size_t>(root)].parent != -1) {
            Refuse("root node " + std::to_string(root) + " has a parent");
        }
    }
}

Json NodeJson(const Model& model, std::size_t index) {
    const Node& node = model.nodes[index];
    const std::string label = Named("node", index);
    Json out = Json::object();
    if (!node.name.empty()) out["name"] = node.name;
    if (!node.children.empty()) out["children"] = node.children;
    CheckReference(node.mesh, model.meshes.size(), true, "mesh of " + label);
    CheckReference(node.skin, model.skins.size(), true, "skin of " + label);
    if (node.mesh != -1) out["mesh"] = node.mesh;
    if (node.skin != -1) out["skin"] = node.skin;
    out["translation"] = Vec3Json(node.translation, "translation of " + label);
    out["rotation"] = QuatJson(node.rotation, "rotation of " + label);
    out["scale"] = Vec3Json(node.scale, "scale of " + label);
    return out;
}

bool HasSkinWeights(const Primitive& primitive) {
    return std::any_of(primitive.vertices.begin(), primitive.vertices.end(),
                       [](const Vertex& v) { return v.weights != glm::vec4(0.0f); });
}

void CheckPrimitive(const Model& model, const Primitive& primitive, const std::string& label) {
    if (primitive.vertices.empty()) Refuse(label + " has no vertices");
    if (primitive.indices.empty() || primitive.indices.size() % 3 != 0) {
        Refuse(label + " has " + std::to_string(primitive.indices.size()) + " indices, not whole triangles");
    }
    for (std::uint32_t index : primitive.indices) {
        if (index >= primitive.vertices.size()) Refuse(label + " index " + std::to_string(index) + " has no vertex");
    }
    CheckReference(primitive.material, model.materials.size(), true, "material of " + label);
    for (const Vertex& v : primitive.vertices) Vec3Json(v.position, "a vertex position of " + label);
}

template <int N, typename Get>
std::vector<float> Gather(const std::vector<Vertex>& vertices, Get get) {
    std::vector<float> values;
    values.reserve(vertices.size() * N);
    for (const Vertex& v : vertices) {
        const auto value = get(v);
        for (int c = 0; c < N; ++c) values.push_back(value[c]);
    }
    return values;
}

Json AttributesJson(const Primitive& primitive, BufferWriter& buffer) {
    const auto& vs = primitive.vertices;
    Json attributes = Json::object();
    attributes["POSITION"] =
        buffer.AddFloats(Gather<3>(vs, [](const Vertex& v) { return v.position; }), 3, kArrayBuffer, true);
    attributes["NORMAL"] =
        buffer.AddFloats(Gather<3>(vs, [](const Vertex& v) { return v.normal; }), 3, kArrayBuffer, false);
    attributes["TEXCOORD_0"] =
        buffer.AddFloats(Gather<2>(vs, [](const Vertex& v) { return v.uv; }), 2, kArrayBuffer, false);
    if (HasSkinWeights(primitive)) {
        std::vector<std::uint16_t> joints;
        joints.reserve(vs.size() * 4);
        for (const Vertex& v : vs) joints.insert(joints.end(), {v.joints.x, v.joints.y, v.joints.z, v.joints.w});
        attributes["JOINTS_0"] = buffer.AddU16Vec4(joints);
        attributes["WEIGHTS_0"] =
            buffer.AddFloats(Gather<4>(vs, [](const Vertex& v) { return v.weights; }), 4, kArrayBuffer, false);
    }
    return attributes;
}

Json MeshJson(const Model& model, std::size_t index, BufferWriter& buffer) {
    const Mesh& mesh = model.meshes[index];
    Json primitives = Json::array();
    for (std::size_t p = 0; p < mesh.primitives.size(); ++p) {
        const Primitive& primitive = mesh.primitives[p];
        CheckPrimitive(model, primitive, Named("mesh", index) + " " + Named("primitive", p));
        Json out = {{"attributes", AttributesJson(primitive, buffer)},
                    {"indices", buffer.AddIndices(primitive.indices)}};
        if (primitive.material != -1) out["material"] = primitive.material;
        out["mode"] = 4;
        primitives.push_back(std::move(out));
    }
    if (primitives.empty()) Refuse(Named("mesh", index) + " has no primitives");
    Json out = Json::object();
    if (!mesh.name.empty()) out["name"] = mesh.name;
    out["primitives"] = std::move(primitives);
    return out;
}

template <typename MakeItem>
void PutArray(Json& doc, const char* key, std::size_t count, MakeItem make) {
    if (count == 0) return;  // glTF arrays may not be empty
    Json items = Json::array();
    for (std::size_t i = 0; i < count; ++i) items.push_back(make(i));
    doc[key] = std::move(items);
}

}  // namespace

Bytes WriteGlb(const Model& model) {
    CheckHierarchy(model);
    BufferWriter buffer;
    TextureTable textures;
    Json doc = Json::object();
    doc["asset"] = {{"generator", "kravellon"}, {"version", "2.0"}};
    doc["scene"] = 0;
    doc["scenes"] = Json::array({model.roots.empty() ? Json::object() : Json{{"nodes", model.roots}}});
    PutArray(doc, "nodes", model.nodes.size(), [&](std::size_t i) { return NodeJson(model, i); });
    PutArray(doc, "meshes", model.meshes.size(), [&](std::size_t i) { return MeshJson(model, i, buffer); });
    PutArray(doc, "materials", model.materials.size(), [&](std::size_t i) { return MaterialJson(model, i, textures); });
    if (!textures.textures().empty()) {
        doc["textures"] = textures.textures();
        doc["samplers"] = textures.samplers();
    }
    PutArray(doc, "images", model.images.size(), [&](std::size_t i) { return ImageJson(model, i, buffer); });
    PutArray(doc, "skins", model.skins.size(), [&](std::size_t i) { return SkinJson(model, i, buffer); });
    PutArray(doc, "animations", model.animations.size(),
             [&](std::size_t i) { return AnimationJson(model, i, buffer); });
    if (!buffer.bin().empty()) {
        doc["accessors"] = buffer.accessors();
        doc["bufferViews"] = buffer.views();
        doc["buffers"] = Json::array({{{"byteLength", buffer.bin().size()}}});
    }
    const std::string json = doc.dump();
    // The header holds the file's length in 32 bits.
    if (json.size() + buffer.bin().size() > 0xfffff000u) Refuse("the model is too large for a GLB file");
    return AssembleGlb(json, buffer.bin());
}

}  // namespace kr::model
