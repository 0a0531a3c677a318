// Keeping the collision world in step with the scene, lazily: objects are
// marked when they move, show, hide or change shape, and brought up to date
// just before the next query.

#include <algorithm>

#include "engine/error.hpp"
#include "engine/scene/scene.hpp"

namespace kr::scene {

void Scene::MarkReshaped(Handle handle) {
    SceneObject& object = Resolve(handle);
    if (object.collisionStale) return;
    object.collisionStale = true;
    reshaped_.push_back(handle);
}

std::shared_ptr<const collision::TriangleBvh> Scene::ShapeOf(const SceneObject& object) {
    if (!object.animation || !object.animation->model || object.animation->model->skins.empty())
        return object.geometry->CollisionShape();
    Animation& a = const_cast<SceneObject&>(object).animation.value();
    GeometryPtr posed = PosedGeometry(object);
    if (a.posedShape && a.posedShape->TriangleCount() == posed->TriangleCount()) {
        a.posedShape->Refit(posed->primitives);
    } else {
        a.posedShape = std::make_shared<collision::TriangleBvh>(posed->primitives);
    }
    return a.posedShape;
}

void Scene::SyncObject(Handle handle, SceneObject& object) {
    object.collisionStale = false;
    bool wanted = object.collision.collidable && object.visible && object.geometry;
    collision::InstanceId& id = object.collisionId;
    if (!wanted) {
        if (id.Valid()) collision_.SetEnabled(id, false);
        return;
    }
    collision::InstanceDesc desc;
    desc.geometry = ShapeOf(object);
    desc.world = object.transform.Matrix();
    desc.kind = object.kind == ObjectKind::Actor ? hit::Actors : hit::Meshes;
    desc.precision = object.collision.triangles ? collision::Precision::Triangles : collision::Precision::Box;
    if (!id.Valid()) {
        id = collision_.Add(desc);
        if (collisionOwners_.size() <= id.slot) collisionOwners_.resize(id.slot + 1);
        collisionOwners_[id.slot] = handle;
        return;
    }
    collision_.SetGeometry(id, desc.geometry);
    collision_.SetTransform(id, desc.world);
    collision_.SetKind(id, desc.kind);
    collision_.SetPrecision(id, desc.precision);
    collision_.SetEnabled(id, true);
}

void Scene::SyncLandscape() {
    if (!landscape_.IsGenerated()) {
        collision_.ClearLandscape();
        return;
    }
    glm::vec3 scale = landscape_.Scale();
    if (syncedLandscapeVersion_ != landscapeVersion_ || syncedLandscapeScale_ != scale) {
        collision::HeightFieldShape shape;
        shape.samplesX = landscape_.QuadsX() + 1;
        shape.samplesZ = landscape_.QuadsZ() + 1;
        shape.heights = landscape_.Heights();
        shape.cellSize = glm::vec2(landscape_.QuadSize() * scale.x, landscape_.QuadSize() * scale.z);
        shape.heightScale = scale.y;
        collision_.SetLandscape(collision::HeightField(std::move(shape), landscape_.Position()));
        syncedLandscapeVersion_ = landscapeVersion_;
        syncedLandscapeScale_ = scale;
    }
    collision_.Landscape()->SetPosition(landscape_.Position());
    collision_.SetLandscapeEnabled(landscape_.IsEnabled());
}

void Scene::SyncCollision() {
    for (Handle handle : reshaped_) {
        SceneObject* object = Lookup(handle, false);
        if (object && object->collisionStale) SyncObject(handle, *object);
    }
    reshaped_.clear();
    SyncLandscape();
}

CollisionResult Scene::ResultOf(const std::optional<collision::WorldHit>& hit) const {
    CollisionResult result;
    if (!hit) return result;
    result.hit = true;
    result.point = hit->point;
    if (!hit->id.Valid()) {
        result.name = landscapeName_;
        return result;
    }
    result.object = ObjectRef(self_, collisionOwners_.at(hit->id.slot));
    result.name = Resolve(result.object.handle()).name;
    return result;
}

CollisionResult Scene::Collide(const glm::vec3& from, const glm::vec3& to, collision::KindMask kinds) {
    SyncCollision();
    return ResultOf(collision_.SegmentQuery(from, to, kinds));
}

CollisionResult Scene::Pick(float x, float y, float viewportWidth, float viewportHeight, collision::KindMask kinds) {
    SyncCollision();
    float aspect = viewportHeight > 0 ? viewportWidth / viewportHeight : aspect_;
    return ResultOf(collision_.Pick(x, y, ViewMatrix(camera_), ProjectionMatrix(camera_, aspect),
                                    {viewportWidth, viewportHeight}, camera_.farPlane, kinds));
}

}  // namespace kr::scene
