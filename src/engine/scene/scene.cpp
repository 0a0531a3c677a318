#include "engine/scene/scene.hpp"

#include <algorithm>

#include "engine/error.hpp"
#include "engine/model/glb.hpp"

namespace kr::scene {

// ---- the scene -------------------------------------------------------------

struct Scene::CachedFile {
    std::string path;
    bool loadTextures = false;
    bool loadMaterials = false;
    GeometryPtr geometry;
    std::shared_ptr<const model::Model> model;
};

Scene::Scene(TextureRegistry& textures, const GameFolder& folder, FrameRecord& frame)
    : self_(std::make_shared<Scene* const>(this)), textures_(textures), folder_(folder), frame_(frame) {
    materials_.push_back(Material{"(default)"});
    ResetParticles();
}

Scene::~Scene() = default;

Handle Scene::Add(SceneObject object) {
    std::uint32_t slot;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        slot = static_cast<std::uint32_t>(slots_.size());
        slots_.emplace_back();
    }
    slots_[slot].object = std::make_unique<SceneObject>(std::move(object));
    Handle handle{slot, slots_[slot].generation};
    order_.push_back(handle);
    SceneObject& added = *slots_[slot].object;
    added.collisionId = {};  // a copy never shares its original's entry
    added.collisionStale = false;
    MarkReshaped(handle);
    return handle;
}

void Scene::Remove(Handle handle) {
    SceneObject& object = Resolve(handle);
    if (object.collisionId.Valid()) collision_.Remove(object.collisionId);
    Slot& slot = slots_[handle.slot];
    slot.object.reset();
    ++slot.generation;
    freeSlots_.push_back(handle.slot);
    order_.erase(std::find_if(order_.begin(), order_.end(), [&](const Handle& h) {
        return h.slot == handle.slot && h.generation == handle.generation;
    }));
}

SceneObject* Scene::Lookup(Handle handle, bool mustExist) const {
    bool live = handle.generation != 0 && handle.slot < slots_.size() &&
                slots_[handle.slot].generation == handle.generation && slots_[handle.slot].object;
    if (!live && !mustExist) return nullptr;
    if (!live) throw Error("the scene object was destroyed or never created");
    return slots_[handle.slot].object.get();
}

SceneObject& Scene::Resolve(Handle handle) { return *Lookup(handle); }

const SceneObject& Scene::Resolve(Handle handle) const { return *Lookup(handle); }

Mesh Scene::CreateMesh(std::string_view name) {
    SceneObject object;
    object.name = name;
    return Mesh(self_, Add(std::move(object)));
}

Actor Scene::CreateActor(std::string_view name) {
    SceneObject object;
    object.kind = ObjectKind::Actor;
    object.name = name;
    object.animation.emplace();
    return Actor(self_, Add(std::move(object)));
}

void Scene::DeleteAll(ObjectKind kind) {
    for (Handle handle : std::vector<Handle>(order_)) {
        if (Resolve(handle).kind == kind) Remove(handle);
    }
}

void Scene::DeleteAllMeshes() { DeleteAll(ObjectKind::Mesh); }
void Scene::DeleteAllActors() { DeleteAll(ObjectKind::Actor); }

void Scene::SetCamera(const glm::vec3& position, const glm::vec3& lookAt) {
    camera_.position = position;
    camera_.lookAt = lookAt;
}

void Scene::SetViewFrustum(float fieldOfViewDeg, float farPlane) {
    if (!(fieldOfViewDeg > 0 && fieldOfViewDeg < 180) || !(farPlane > camera_.nearPlane))
        throw Error("view frustum " + std::to_string(fieldOfViewDeg) + "/" + std::to_string(farPlane) + " is invalid");
    camera_.fieldOfViewDeg = fieldOfViewDeg;
    camera_.farPlane = farPlane;
}

int Scene::CreateMaterial(std::string_view name) {
    materials_.push_back(Material{std::string(name)});
    return static_cast<int>(materials_.size()) - 1;
}

int Scene::MaterialId(std::string_view name) const {
    for (std::size_t i = materials_.size(); i-- > 1;) {
        if (materials_[i].name == name) return static_cast<int>(i);
    }
    throw Error("material '" + std::string(name) + "' does not exist");
}

Material& Scene::material(int id) {
    if (id < 0 || id >= static_cast<int>(materials_.size()))
        throw Error("material id " + std::to_string(id) + " does not exist");
    return materials_[id];
}

int Scene::CreatePointLight(std::string_view name, const glm::vec3& position, const Colour& colour, float range) {
    Light light;
    light.name = name;
    light.position = position;
    light.colour = colour;
    light.range = std::max(0.0f, range);
    lights_.push_back(light);
    return static_cast<int>(lights_.size()) - 1;
}

int Scene::CreateDirectionalLight(std::string_view name, const glm::vec3& direction, const Colour& colour) {
    Light light;
    light.name = name;
    light.kind = LightKind::Directional;
    light.direction = glm::length(direction) > 0 ? glm::normalize(direction) : glm::vec3(0, -1, 0);
    light.colour = colour;
    lights_.push_back(light);
    return static_cast<int>(lights_.size()) - 1;
}

int Scene::LightIndex(std::string_view name) const {
    for (std::size_t i = lights_.size(); i-- > 0;) {
        if (lights_[i].name == name) return static_cast<int>(i);
    }
    throw Error("light '" + std::string(name) + "' does not exist");
}

Light& Scene::light(int index) {
    if (index < 0 || index >= static_cast<int>(lights_.size()))
        throw Error("light " + std::to_string(index) + " does not exist");
    return lights_[index];
}

void Scene::DeleteAllLights() { lights_.clear(); }

void Scene::Update(double frameMs) {
    for (Handle handle : order_) {
        SceneObject& object = Resolve(handle);
        if (!object.animation || !object.animation->playing || !object.animation->model) continue;
        Animation& a = *object.animation;
        a.seconds += frameMs / 1000.0 * a.speed;
        a.pose.reset();
        a.posed.reset();
        if (object.collisionId.Valid()) MarkReshaped(handle);
    }
}

PassSetup Scene::CurrentSetup() const {
    PassSetup setup;
    setup.camera = camera_;
    setup.ambient = ambient_;
    setup.fog = fog_;
    setup.textureQuality = textureQuality_;
    for (const Light& light : lights_) {
        if (light.enabled) setup.lights.push_back(light);
    }
    return setup;
}

MeshDraw Scene::DrawOf(const SceneObject& object) const {
    MeshDraw draw;
    draw.geometry = PosedGeometry(object);
    draw.world = object.transform.Matrix();
    for (std::size_t i = 0; i < draw.geometry->primitives.size(); ++i) {
        int id = i < object.textureOverrides.size() && object.textureOverrides[i] ? object.textureOverrides[i]
                                                                                  : draw.geometry->textures[i];
        draw.textures.push_back(textures_.IsLoaded(id) ? textures_.Handle(id) : 0);
    }
    draw.material = materials_.at(static_cast<std::size_t>(object.material));
    draw.lighting = object.lighting;
    draw.tint = object.tint;
    draw.doubleSided = object.doubleSided;
    draw.alphaBlend = object.alphaBlend;
    draw.alphaReference = object.alphaReference;
    draw.depthWrite = object.alphaBlend ? false : object.alphaDepthWrite;
    draw.glow = object.glow;
    return draw;
}

void Scene::Render(const ObjectRef& ref) {
    const SceneObject& object = Resolve(ref.handle());
    if (!object.visible || !object.geometry) return;
    ScenePass& pass = frame_.CurrentPass(CurrentSetup());
    pass.order.emplace_back(ScenePass::Kind::Mesh, static_cast<std::uint32_t>(pass.meshes.size()));
    pass.meshes.push_back(DrawOf(object));
}

void Scene::RenderAll() {
    for (Handle handle : order_) Render(ObjectRef(self_, handle));
}

void Scene::RenderGlowParts() {
    for (Handle handle : order_) {
        const SceneObject& object = Resolve(handle);
        if (!object.visible || !object.glow || !object.geometry) continue;
        const auto& materials = object.geometry->materials;  // posing keeps them
        if (std::none_of(materials.begin(), materials.end(),
                         [](const model::Material& m) { return m.emissive != glm::vec3(0.0f); }))
            continue;
        MeshDraw draw = DrawOf(object);
        draw.glowParts = true;
        ScenePass& pass = frame_.CurrentPass(CurrentSetup());
        pass.order.emplace_back(ScenePass::Kind::Mesh, static_cast<std::uint32_t>(pass.meshes.size()));
        pass.meshes.push_back(std::move(draw));
    }
}

void Scene::RenderSky() {
    if (!sky_.enabled) return;
    SkyDraw draw;
    for (std::size_t i = 0; i < 6; ++i) {
        draw.faces[i] = textures_.IsLoaded(sky_.textures[i]) ? textures_.Handle(sky_.textures[i]) : 0;
    }
    ScenePass& pass = frame_.CurrentPass(CurrentSetup());
    pass.order.emplace_back(ScenePass::Kind::Sky, static_cast<std::uint32_t>(pass.skies.size()));
    pass.skies.push_back(draw);
}

void Scene::GenerateLandscape(std::string_view heightMapPath, int cellsX, int cellsZ, int precision) {
    image::MipChain picture = image::DecodeImage(folder_.ReadAll(heightMapPath), std::string(heightMapPath));
    ++landscapeVersion_;
    try {
        landscape_.Generate(picture.levels.at(0), cellsX, cellsZ, precision);
    } catch (const Error& error) {
        throw FileError(std::string(heightMapPath), error.what());
    }
}

void Scene::DeleteAllLandscapes() {
    landscape_ = Landscape{};
    ++landscapeVersion_;
}

void Scene::RenderLandscape() {
    if (!landscape_.IsGenerated() || !landscape_.IsEnabled()) return;
    std::vector<GeometryPtr> chunks;
    landscape_.VisibleChunks(camera_.position, camera_.farPlane * 1.2f, chunks);
    ScenePass& pass = frame_.CurrentPass(CurrentSetup());
    TextureHandle texture = textures_.IsLoaded(landscape_.Texture()) ? textures_.Handle(landscape_.Texture()) : 0;
    for (const GeometryPtr& chunk : chunks) {
        MeshDraw draw;
        draw.geometry = chunk;
        draw.world = landscape_.WorldMatrix();
        draw.textures = {texture};
        draw.material = materials_.at(static_cast<std::size_t>(landscape_.MaterialId()));
        draw.lighting = landscape_.LightingMode();
        draw.uvScale = landscape_.Tiling();
        pass.order.emplace_back(ScenePass::Kind::Mesh, static_cast<std::uint32_t>(pass.meshes.size()));
        pass.meshes.push_back(std::move(draw));
    }
}

const model::Pose& Scene::PoseOf(const SceneObject& object) const {
    const Animation& a = *object.animation;
    if (!a.pose) {
        bool animated = a.model && !a.model->animations.empty();
        int clip = std::clamp(a.clip, 0, animated ? static_cast<int>(a.model->animations.size()) - 1 : 0);
        a.pose = animated ? model::EvaluatePose(*a.model, clip, static_cast<float>(a.seconds), a.loop)
                          : model::RestPose(*a.model);
    }
    return *a.pose;
}

GeometryPtr Scene::PosedGeometry(const SceneObject& object) const {
    if (!object.animation || !object.animation->model || object.animation->model->skins.empty()) return object.geometry;
    const Animation& a = *object.animation;
    if (!a.posed) {
        auto posed = std::make_shared<Geometry>();
        posed->primitives = object.geometry->primitives;
        posed->materials = object.geometry->materials;
        posed->textures = object.geometry->textures;
        std::vector<model::Primitive> skinned = model::SkinnedGeometry(*a.model, PoseOf(object));
        // The posed primitives come per mesh primitive; keep the baked
        // grouping when the counts agree, otherwise take them as they are.
        if (skinned.size() == posed->primitives.size()) {
            posed->primitives = std::move(skinned);
        } else {
            *posed = FromPrimitives(std::move(skinned), a.model->materials);
        }
        posed->bounds = model::BoundsOf(posed->primitives);
        a.posed = posed;
    }
    return a.posed;
}

GeometryPtr Scene::LoadGeometry(std::string_view path, bool loadTextures, bool loadMaterials,
                                std::shared_ptr<const model::Model>* modelOut) {
    std::string key = folder_.Resolve(path).string();  // one file however its name is spelt
    for (const auto& file : files_) {
        if (file->path == key && file->loadTextures == loadTextures && file->loadMaterials == loadMaterials) {
            if (modelOut) *modelOut = file->model;
            return file->geometry;
        }
    }
    std::shared_ptr<const model::Model> model;
    GeometryPtr geometry = GeometryFromData(folder_.ReadAll(path), path, loadTextures, loadMaterials, model);
    auto file = std::make_unique<CachedFile>();
    file->path = key;
    file->loadTextures = loadTextures;
    file->loadMaterials = loadMaterials;
    file->geometry = geometry;
    file->model = model;
    files_.push_back(std::move(file));
    if (modelOut) *modelOut = model;
    return geometry;
}

GeometryPtr Scene::GeometryFromData(const Bytes& data, std::string_view name, bool loadTextures, bool loadMaterials,
                                    std::shared_ptr<const model::Model>& modelOut) {
    auto model = std::make_shared<model::Model>(model::LoadGlb(data, std::string(name)));
    model::StaticGeometry baked = model::BakeStatic(*model);
    auto geometry = std::make_shared<Geometry>(FromPrimitives(std::move(baked.primitives), model->materials));
    for (std::size_t i = 0; i < geometry->primitives.size(); ++i) {
        if (!loadMaterials) geometry->materials[i] = model::Material{};
        int image = geometry->materials[i].image;
        if (!loadTextures || image < 0 || image >= static_cast<int>(model->images.size())) continue;
        std::string textureName = std::string(name) + "#" + std::to_string(image);
        geometry->textures[i] = textures_.Has(textureName)
                                    ? textures_.Id(textureName)
                                    : textures_.Add(textureName, image::DecodeImage(model->images[image].encoded, textureName));
    }
    modelOut = model;
    return geometry;
}

}  // namespace kr::scene
