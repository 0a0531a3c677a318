#include "engine/scene/scene.hpp"

#include <algorithm>

#include "engine/error.hpp"

namespace kr::scene {

Scene& ObjectRef::OwnScene() const {
    auto scene = scene_.lock();
    if (!scene) throw Error("the scene object belongs to a scene that no longer exists");
    return **scene;
}

SceneObject& ObjectRef::Object() const { return OwnScene().Resolve(handle_); }

SceneObject& ObjectRef::Reshaped() const {
    Scene& scene = OwnScene();
    SceneObject& object = scene.Resolve(handle_);
    scene.MarkReshaped(handle_);
    return object;
}

bool ObjectRef::IsValid() const {
    auto scene = scene_.lock();
    if (!scene) return false;
    try {
        (*scene)->Resolve(handle_);
        return true;
    } catch (const Error&) {
        return false;
    }
}

const std::string& ObjectRef::Name() const { return Object().name; }

void ObjectRef::SetPosition(const glm::vec3& position) { Reshaped().transform.position = position; }
glm::vec3 ObjectRef::Position() const { return Object().transform.position; }
void ObjectRef::SetRotation(const glm::vec3& degrees) { Reshaped().transform.rotation = degrees; }
glm::vec3 ObjectRef::Rotation() const { return Object().transform.rotation; }
void ObjectRef::RotateX(float degrees) { Reshaped().transform.rotation.x += degrees; }
void ObjectRef::RotateY(float degrees) { Reshaped().transform.rotation.y += degrees; }
void ObjectRef::RotateZ(float degrees) { Reshaped().transform.rotation.z += degrees; }
void ObjectRef::SetScale(const glm::vec3& scale) { Reshaped().transform.scale = scale; }
glm::vec3 ObjectRef::Scale() const { return Object().transform.scale; }
glm::mat4 ObjectRef::WorldMatrix() const { return Object().transform.Matrix(); }

void ObjectRef::SetEnabled(bool enabled) { Reshaped().visible = enabled; }
bool ObjectRef::IsEnabled() const { return Object().visible; }

int ObjectRef::TextureOf(int group) const {
    const SceneObject& object = Object();
    if (group < 0 || static_cast<std::size_t>(group) >= object.textureOverrides.size()) return 0;
    return object.textureOverrides[static_cast<std::size_t>(group)];
}

void ObjectRef::SetTexture(int textureId, int group) {
    SceneObject& object = Object();
    std::size_t groups = object.geometry ? object.geometry->primitives.size() : 0;
    object.textureOverrides.resize(std::max(groups, object.textureOverrides.size()), 0);
    if (group < 0) {
        std::fill(object.textureOverrides.begin(), object.textureOverrides.end(), textureId);
        object.textureOverrides.resize(std::max<std::size_t>(object.textureOverrides.size(), 1), textureId);
        return;
    }
    if (static_cast<std::size_t>(group) >= object.textureOverrides.size())
        throw Error("'" + object.name + "' has no group " + std::to_string(group));
    object.textureOverrides[static_cast<std::size_t>(group)] = textureId;
}

void ObjectRef::SetMaterial(int materialId) {
    OwnScene().material(materialId);  // throws for an unknown id
    Object().material = materialId;
}

void ObjectRef::SetLightingMode(int mode) {
    Lighting lighting = mode >= 4 ? Lighting::PerPixel : mode >= 2 ? Lighting::PerVertex : Lighting::Unlit;
    Object().lighting = lighting;
}

void ObjectRef::SetGlow(bool glow) { Object().glow = glow; }
void ObjectRef::SetColour(const Colour& colour) { Object().tint = colour; }
void ObjectRef::SetDoubleSided(bool doubleSided) { Object().doubleSided = doubleSided; }

void ObjectRef::SetAlphaTest(bool enabled, int reference, bool depthWrite) {
    SceneObject& object = Object();
    object.alphaReference = enabled ? static_cast<float>(std::clamp(reference, 0, 255)) / 255.0f : -1.0f;
    object.alphaDepthWrite = depthWrite;
}

void ObjectRef::SetAlphaBlend(bool enabled) { Object().alphaBlend = enabled; }

void ObjectRef::SetCollision(bool collidable, bool boundsFirst, int precision) {
    Reshaped().collision = CollisionSetup{collidable, boundsFirst, precision >= 3};
}

CollisionSetup ObjectRef::Collision() const { return Object().collision; }

float ObjectRef::DistanceTo(const ObjectRef& other) const {
    return glm::distance(Position(), other.Position());
}

model::Bounds ObjectRef::LocalBounds() const {
    const SceneObject& object = Object();
    return object.geometry ? object.geometry->bounds : model::Bounds{};
}

std::size_t ObjectRef::TriangleCount() const {
    const SceneObject& object = Object();
    return object.geometry ? object.geometry->TriangleCount() : 0;
}

// ---- meshes ----------------------------------------------------------------

void Mesh::Load(std::string_view path, bool loadTextures, bool loadMaterials) {
    Reshaped().geometry = OwnScene().LoadGeometry(path, loadTextures, loadMaterials, nullptr);
}

void Mesh::LoadData(const Bytes& data, std::string_view name) {
    std::shared_ptr<const model::Model> model;
    Reshaped().geometry = OwnScene().GeometryFromData(data, name, true, true, model);
}

void Mesh::MakeSphere(float radius, int slices, int stacks) {
    Reshaped().geometry = std::make_shared<Geometry>(scene::MakeSphere(radius, slices, stacks));
}

void Mesh::MakeBox(float width, float height, float depth) {
    Reshaped().geometry = std::make_shared<Geometry>(scene::MakeBox(width, height, depth));
}

Mesh Mesh::Clone(std::string_view name) const {
    SceneObject copy = Object();
    copy.name = name;
    return Mesh(scene_, OwnScene().Add(std::move(copy)));
}

void Mesh::Destroy() { OwnScene().Remove(handle_); }

// ---- actors ----------------------------------------------------------------

namespace {
Animation& AnimationOf(SceneObject& object) {
    if (!object.animation) throw Error("'" + object.name + "' is not an animated model");
    return *object.animation;
}
void Changed(Animation& a) {
    a.pose.reset();
    a.posed.reset();
}
}  // namespace

void Actor::Load(std::string_view path, bool loadTextures, bool loadMaterials) {
    SceneObject& object = Reshaped();
    Animation& a = AnimationOf(object);
    object.geometry = OwnScene().LoadGeometry(path, loadTextures, loadMaterials, &a.model);
    a.seconds = 0;
    Changed(a);
}

void Actor::LoadData(const Bytes& data, std::string_view name) {
    SceneObject& object = Reshaped();
    Animation& a = AnimationOf(object);
    object.geometry = OwnScene().GeometryFromData(data, name, true, true, a.model);
    a.seconds = 0;
    Changed(a);
}

Actor Actor::Clone(std::string_view name) const {
    SceneObject copy = Object();
    copy.name = name;
    copy.animation->posedShape.reset();  // the clone's pose moves on its own
    return Actor(scene_, OwnScene().Add(std::move(copy)));
}

void Actor::Destroy() { OwnScene().Remove(handle_); }

void Actor::SelectClip(int clip) {
    Animation& a = AnimationOf(Reshaped());
    a.clip = clip;
    a.seconds = 0;
    Changed(a);
}

void Actor::PlayAnimation() {
    Animation& a = AnimationOf(Reshaped());
    a.playing = true;
    a.seconds = 0;
    Changed(a);
}

void Actor::StopAnimation() { AnimationOf(Object()).playing = false; }
void Actor::SetAnimationSpeed(float speed) { AnimationOf(Object()).speed = speed; }
void Actor::SetLooping(bool loop) {
    Animation& a = AnimationOf(Reshaped());
    a.loop = loop;
    Changed(a);
}
bool Actor::IsPlaying() const { return AnimationOf(Object()).playing; }
double Actor::AnimationSeconds() const { return AnimationOf(Object()).seconds; }

int Actor::BoneCount() const {
    Animation& a = AnimationOf(Object());
    return a.model && !a.model->skins.empty() ? static_cast<int>(a.model->skins[0].joints.size()) : 0;
}

glm::vec3 Actor::BonePosition(int bone) const {
    SceneObject& object = Object();
    Animation& a = AnimationOf(object);
    if (bone < 0 || bone >= BoneCount())
        throw Error("'" + object.name + "' has no bone " + std::to_string(bone));
    glm::vec3 local = model::JointWorldPosition(*a.model, OwnScene().PoseOf(object), 0, bone);
    return glm::vec3(object.transform.Matrix() * glm::vec4(local, 1.0f));
}

}  // namespace kr::scene
