#include "worlds/scenery_model.hpp"

#include <utility>

#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/uv_projection.hpp"

namespace kr::makedata::worlds {

SceneryModel::SceneryModel(std::string name, float worldScale, float creaseDegrees)
    : name_(std::move(name)), worldScale_(worldScale), crease_(creaseDegrees) {}

int SceneryModel::AddLook(SceneryLook look) {
    looks_.push_back(std::move(look));
    return static_cast<int>(looks_.size()) - 1;
}

void SceneryModel::Add(toolkit::Surface part, int look) {
    part.SetMaterial(look);
    surface_.Append(part);
}

void SceneryModel::AddBoxMapped(toolkit::Surface part, int look) {
    toolkit::ProjectBox(part);
    Add(std::move(part), look);
}

model::Model SceneryModel::Build() const {
    toolkit::Surface scaled = surface_;
    scaled.Scale(glm::vec3(1.0f / worldScale_));
    toolkit::MeshBuilder meshes(crease_);
    meshes.Add(scaled);
    model::Mesh mesh = meshes.Build(name_);
    // Slots that no part used leave no primitive; their materials stay so
    // that slot numbers keep naming them.
    toolkit::ModelBuilder builder;
    for (const SceneryLook& look : looks_) {
        model::Material material;
        material.name = name_ + "_" + look.name;
        material.baseColour = glm::vec4(look.colour, 1.0f);
        material.emissive = look.emissive;
        material.metallic = look.metallic;
        material.roughness = look.roughness;
        if (look.picture.width > 0) material.image = builder.AddImage(name_ + "_" + look.name, look.picture);
        builder.AddMaterial(material);
    }
    builder.AddMesh(std::move(mesh), name_);
    return builder.Build();
}

}  // namespace kr::makedata::worlds
