#include "enemies/alien_model.hpp"

#include <utility>

#include "toolkit/mesh_builder.hpp"

namespace kr::makedata::enemies {
namespace {

// Faces meeting at more than this are a hard edge.
constexpr float kCreaseDegrees = 42.0f;

void AppendPrimitive(model::Primitive& into, const model::Primitive& from) {
    const auto base = static_cast<std::uint32_t>(into.vertices.size());
    into.vertices.insert(into.vertices.end(), from.vertices.begin(), from.vertices.end());
    for (std::uint32_t index : from.indices) into.indices.push_back(base + index);
}

void AddMaterials(toolkit::ModelBuilder& builder, const CraftLook& look) {
    const int picture = builder.AddImage(look.name + "_skin", PaintAlienSkin(look.palette, look.seed, kSkinCell));
    model::Material hull;
    hull.name = look.name + "_hull";
    hull.image = picture;
    hull.metallic = 0.3f;
    hull.roughness = 0.45f;
    builder.AddMaterial(hull);
    model::Material glow = hull;
    glow.name = look.name + "_glow";
    glow.emissive = glm::vec3(1.0f);
    builder.AddMaterial(glow);
}

void BindRigidly(model::Mesh& mesh, int joint) {
    for (auto& primitive : mesh.primitives)
        for (auto& vertex : primitive.vertices) {
            vertex.joints = glm::u16vec4(static_cast<std::uint16_t>(joint), 0, 0, 0);
            vertex.weights = glm::vec4(1, 0, 0, 0);
        }
}

}  // namespace

model::Mesh CraftMesh(const toolkit::Surface& surface, const std::string& name) {
    toolkit::MeshBuilder builder(kCreaseDegrees);
    builder.Add(surface);
    const model::Mesh perSwatch = builder.Build(name);
    model::Primitive hull, glow;
    hull.material = 0;
    glow.material = 1;
    for (const model::Primitive& p : perSwatch.primitives) AppendPrimitive(Glows(p.material) ? glow : hull, p);
    model::Mesh mesh;
    mesh.name = name;
    if (!hull.indices.empty()) mesh.primitives.push_back(std::move(hull));
    if (!glow.indices.empty()) mesh.primitives.push_back(std::move(glow));
    return mesh;
}

model::Model StaticCraftModel(const CraftLook& look, const toolkit::Surface& surface) {
    toolkit::ModelBuilder builder;
    AddMaterials(builder, look);
    builder.AddMesh(CraftMesh(surface, look.name), look.name);
    return builder.Build();
}

toolkit::ModelBuilder RiggedCraftBuilder(const CraftLook& look, const toolkit::Skeleton& skeleton,
                                         const std::vector<toolkit::Surface>& partsByJoint) {
    toolkit::ModelBuilder builder;
    builder.skeleton() = skeleton;
    AddMaterials(builder, look);
    for (std::size_t joint = 0; joint < partsByJoint.size(); ++joint) {
        if (partsByJoint[joint].TriangleCount() == 0) continue;
        const std::string name = look.name + "_" + skeleton.joints()[joint].name;
        model::Mesh mesh = CraftMesh(partsByJoint[joint], name);
        BindRigidly(mesh, static_cast<int>(joint));
        builder.AddMesh(std::move(mesh), name);
    }
    return builder;
}

}  // namespace kr::makedata::enemies
