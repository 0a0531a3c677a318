#pragma once
// The 3D scene: meshes and animated models (actors) made by name, materials,
// lights, camera, fog and sky box, and the passes that draw them. All state
// lives here, CPU-side, so a headless run computes what a windowed one does.
// Names are data: many objects may share one; code holds references.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/collision/collision_world.hpp"
#include "engine/draw_list.hpp"
#include "engine/game_folder.hpp"
#include "engine/scene/environment.hpp"
#include "engine/scene/landscape.hpp"
#include "engine/scene/object.hpp"
#include "engine/particles/particle_system.hpp"
#include "engine/textures.hpp"

namespace kr::scene {

class Scene;

// What a segment test or a pick may hit.
namespace hit {
inline constexpr collision::KindMask Meshes = collision::kind::Mesh;
inline constexpr collision::KindMask Landscape = collision::kind::Landscape;
inline constexpr collision::KindMask Actors = collision::kind::Animated;
inline constexpr collision::KindMask World = Meshes | Landscape;  // what shots and spawns test against
}  // namespace hit

struct Handle {
    std::uint32_t slot = 0;
    std::uint32_t generation = 0;  // 0: no object
};

// A reference to a scene object. Using it after the object was destroyed
// (or after the scene was replaced) raises an error instead of touching
// freed memory.
class ObjectRef {
public:
    ObjectRef() = default;
    ObjectRef(std::weak_ptr<Scene* const> scene, Handle handle) : scene_(std::move(scene)), handle_(handle) {}

    bool IsValid() const;
    Handle handle() const { return handle_; }
    const std::string& Name() const;

    void SetPosition(const glm::vec3& position);
    glm::vec3 Position() const;
    void SetRotation(const glm::vec3& degrees);
    glm::vec3 Rotation() const;
    void RotateX(float degrees);
    void RotateY(float degrees);
    void RotateZ(float degrees);
    void SetScale(const glm::vec3& scale);
    glm::vec3 Scale() const;
    glm::mat4 WorldMatrix() const;

    void Show() { SetEnabled(true); }
    void Hide() { SetEnabled(false); }
    void SetEnabled(bool enabled);
    bool IsEnabled() const;

    // Replaces the picture of one group, or of every group with -1.
    void SetTexture(int textureId, int group = -1);
    // The texture set on a group; 0 when none was set.
    int TextureOf(int group) const;
    void SetMaterial(int materialId);
    // 0 and 1: unlit, 2: lit per vertex, 4: lit per pixel.
    void SetLightingMode(int mode);
    void SetGlow(bool glow);
    void SetColour(const Colour& colour);
    void SetDoubleSided(bool doubleSided);
    // reference 0..255: texels with less alpha are not drawn.
    void SetAlphaTest(bool enabled, int reference, bool depthWrite);
    void SetAlphaBlend(bool enabled);
    // precision 1: bounding box only; 3: exact triangles.
    void SetCollision(bool collidable, bool boundsFirst, int precision);
    CollisionSetup Collision() const;

    float DistanceTo(const ObjectRef& other) const;
    // The box around the object's triangles, in its own space.
    model::Bounds LocalBounds() const;
    std::size_t TriangleCount() const;

protected:
    Scene& OwnScene() const;
    SceneObject& Object() const;
    // The object, for a change that moves or reshapes what can be hit.
    SceneObject& Reshaped() const;
    std::weak_ptr<Scene* const> scene_;  // expires with the scene
    Handle handle_;
};

class Mesh : public ObjectRef {
public:
    using ObjectRef::ObjectRef;
    // Loads a static mesh (".tvm"); loadTextures: register the pictures the
    // file carries; loadMaterials: keep its materials' colours.
    void Load(std::string_view path, bool loadTextures, bool loadMaterials);
    // The same from a file's bytes; `name` names it in errors and textures.
    void LoadData(const Bytes& data, std::string_view name);
    void MakeSphere(float radius, int slices, int stacks);
    void MakeBox(float width, float height, float depth);
    // A copy that shares the triangles and takes every setting.
    Mesh Clone(std::string_view name) const;
    void Destroy();
};

class Actor : public ObjectRef {
public:
    using ObjectRef::ObjectRef;
    Actor() = default;
    explicit Actor(const ObjectRef& ref) : ObjectRef(ref) {}
    void Load(std::string_view path, bool loadTextures, bool loadMaterials);
    void LoadData(const Bytes& data, std::string_view name);
    Actor Clone(std::string_view name) const;
    void Destroy();

    void SelectClip(int clip);
    void PlayAnimation();   // from the start
    void StopAnimation();
    void SetAnimationSpeed(float speed);
    void SetLooping(bool loop);
    bool IsPlaying() const;
    double AnimationSeconds() const;

    int BoneCount() const;
    // The bone's position in the world at the current animation time.
    glm::vec3 BonePosition(int bone) const;
};

// The answer of a segment test or a pick.
struct CollisionResult {
    bool hit = false;
    glm::vec3 point{0.0f};  // where, in the world
    std::string name;       // the object's name; the landscape's for the ground
    ObjectRef object;       // not valid for the ground
};

class Scene {
public:
    Scene(TextureRegistry& textures, const GameFolder& folder, FrameRecord& frame);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    Mesh CreateMesh(std::string_view name);
    Actor CreateActor(std::string_view name);
    void DeleteAllMeshes();
    void DeleteAllActors();
    std::size_t ObjectCount() const { return order_.size(); }

    // Camera and view.
    Camera& camera() { return camera_; }
    void SetCamera(const glm::vec3& position, const glm::vec3& lookAt);
    void SetViewFrustum(float fieldOfViewDeg, float farPlane);
    void SetAspect(float aspect) { aspect_ = aspect; }

    // Materials, looked up by name; id 0 is the built-in default.
    int CreateMaterial(std::string_view name);
    int MaterialId(std::string_view name) const;
    Material& material(int id);

    // Lights, by index; looked up by name.
    int CreatePointLight(std::string_view name, const glm::vec3& position, const Colour& colour, float range);
    int CreateDirectionalLight(std::string_view name, const glm::vec3& direction, const Colour& colour);
    int LightIndex(std::string_view name) const;
    Light& light(int index);
    void DeleteAllLights();

    // The landscape: one per scene, made from a height-map picture.
    Landscape& landscape() { return landscape_; }
    void GenerateLandscape(std::string_view heightMapPath, int cellsX, int cellsZ, int precision);
    void SetLandscapeName(std::string_view name) { landscapeName_ = name; }
    void DeleteAllLandscapes();
    void RenderLandscape();

    Fog& fog() { return fog_; }
    SkyBox& sky() { return sky_; }
    void SetAmbient(const Colour& colour) { ambient_ = colour; }
    void SetBackground(const Colour& colour) { background_ = colour; }
    // Texture filtering 0..4 (nearest, bilinear, trilinear, anisotropic 4x, 16x).
    void SetTextureFilter(int level) { textureQuality_.filterLevel = std::clamp(level, 0, 4); }
    // Positive values trade texture detail for speed.
    void SetDetailBias(float bias) { textureQuality_.lodBias = bias; }
    const Colour& Background() const { return background_; }

    // Advances every playing animation by the frame time.
    void Update(double frameMs);

    // Segment tests and picking against shown, collidable objects and the
    // landscape, selected by `kinds` (see hit::).
    CollisionResult Collide(const glm::vec3& from, const glm::vec3& to, collision::KindMask kinds);
    // The nearest object under a point of a viewport of the given size.
    CollisionResult Pick(float x, float y, float viewportWidth, float viewportHeight, collision::KindMask kinds);

    // The particle emitters; one system per scene, made anew by ResetParticles.
    particles::ParticleSystem& particles() { return particles_; }
    void ResetParticles();
    // An emitter follows the object from now on, keeping its present offset.
    void AttachEmitter(int emitter, const ObjectRef& object);
    void UpdateParticles(double frameMs) { particles_.Update(frameMs); }
    void RenderParticles();

    // Draws the glowing parts of glow-flagged, shown objects once more,
    // added over what is there: panel lights and nozzles shine.
    void RenderGlowParts();

    // Drawing into the current frame, in call order.
    void RenderAll();
    void Render(const ObjectRef& object);
    void RenderSky();

    // For the engine's own use: the object behind a reference.
    SceneObject& Resolve(Handle handle);
    const SceneObject& Resolve(Handle handle) const;
    GeometryPtr PosedGeometry(const SceneObject& object) const;
    const model::Pose& PoseOf(const SceneObject& object) const;
    Handle Add(SceneObject object);
    void Remove(Handle handle);
    // Something about the object that collision depends on changed.
    void MarkReshaped(Handle handle);
    std::vector<Handle> Objects() const { return order_; }
    PassSetup CurrentSetup() const;

    const GameFolder& folder() const { return folder_; }
    TextureRegistry& textures() { return textures_; }
    // Geometry of a file, shared by every mesh that loads it.
    GeometryPtr LoadGeometry(std::string_view path, bool loadTextures, bool loadMaterials,
                             std::shared_ptr<const model::Model>* modelOut);
    // Geometry of a model file's bytes, with its pictures and materials.
    GeometryPtr GeometryFromData(const Bytes& data, std::string_view name, bool loadTextures, bool loadMaterials,
                                 std::shared_ptr<const model::Model>& modelOut);

private:
    friend class ObjectRef;
    struct Slot {
        std::unique_ptr<SceneObject> object;
        std::uint32_t generation = 1;
    };
    SceneObject* Lookup(Handle handle, bool mustExist = true) const;
    MeshDraw DrawOf(const SceneObject& object) const;
    void DeleteAll(ObjectKind kind);
    void SyncCollision();
    void SyncObject(Handle handle, SceneObject& object);
    void SyncLandscape();
    std::shared_ptr<const collision::TriangleBvh> ShapeOf(const SceneObject& object);
    CollisionResult ResultOf(const std::optional<collision::WorldHit>& hit) const;
    std::optional<glm::vec3> LocateObject(int generation, int slot) const;

    std::shared_ptr<Scene* const> self_;
    TextureRegistry& textures_;
    const GameFolder& folder_;
    FrameRecord& frame_;
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> freeSlots_;
    std::vector<Handle> order_;  // creation order: the order "render all" draws in
    std::vector<Material> materials_;
    std::vector<Light> lights_;
    Camera camera_;
    float aspect_ = 4.0f / 3.0f;
    Fog fog_;
    SkyBox sky_;
    Landscape landscape_;
    std::string landscapeName_ = "name";
    int landscapeVersion_ = 0;        // counts generations of the ground
    int syncedLandscapeVersion_ = -1;
    glm::vec3 syncedLandscapeScale_{0.0f};
    collision::CollisionWorld collision_;
    std::vector<Handle> collisionOwners_;  // by collision slot
    std::vector<Handle> reshaped_;
    particles::ParticleSystem particles_;
    struct ParticleScratch {
        std::vector<particles::Billboard> billboards;
        std::vector<particles::EmitterDraw> draws;
    } particleScratch_;
    Colour ambient_{0.15f, 0.15f, 0.15f, 1};
    Colour background_{0, 0, 0, 1};
    TextureQuality textureQuality_;
    struct CachedFile;
    std::vector<std::unique_ptr<CachedFile>> files_;
};

}  // namespace kr::scene
