#pragma once
// One object of the scene: a mesh or an animated model (actor), with its
// transform and how it is drawn and hit.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/collision/collision_world.hpp"
#include "engine/model/pose.hpp"
#include "engine/scene/draw_items.hpp"
#include "engine/scene/transform.hpp"

namespace kr::scene {

enum class ObjectKind { Mesh, Actor };

// Collision set-up: whether segment tests and picking can hit the object,
// and whether its triangles or only its bounding box count.
struct CollisionSetup {
    bool collidable = false;
    bool boundsFirst = true;
    bool triangles = false;
};

struct Animation {
    std::shared_ptr<const model::Model> model;
    int clip = 0;
    double seconds = 0;
    float speed = 1.0f;
    bool playing = true;
    bool loop = true;
    // The pose at `seconds`, made when first asked for after a change.
    mutable std::optional<model::Pose> pose;
    mutable GeometryPtr posed;
    // The posed triangles for segment tests, refitted as the pose moves;
    // each actor has its own.
    std::shared_ptr<collision::TriangleBvh> posedShape;
};

struct SceneObject {
    ObjectKind kind = ObjectKind::Mesh;
    std::string name;
    GeometryPtr geometry;                // empty until something is loaded or made
    std::vector<int> textureOverrides;   // per primitive: texture id, 0 keeps the geometry's
    Transform transform;
    int material = 0;                    // material id, 0: the default material
    Lighting lighting = Lighting::PerVertex;
    Colour tint{1, 1, 1, 1};
    bool doubleSided = false;
    bool alphaBlend = false;
    float alphaReference = -1;
    bool alphaDepthWrite = true;
    bool glow = false;
    bool visible = true;  // shown and enabled are one state
    CollisionSetup collision;
    std::optional<Animation> animation;  // actors only

    // Its entry in the scene's collision world, brought up to date before
    // the next query whenever something that matters changed.
    collision::InstanceId collisionId;
    bool collisionStale = false;
};

}  // namespace kr::scene
