#pragma once
// Triangles shared by a mesh and its clones: primitives in model space with
// the material and picture of each. Read-only once built and held by
// shared pointer; the renderer caches its buffers per geometry object.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/collision/triangle_bvh.hpp"
#include "engine/model/geometry.hpp"
#include "engine/model/model.hpp"

namespace kr::scene {

struct Geometry {
    std::vector<model::Primitive> primitives;
    std::vector<model::Material> materials;  // one per primitive
    std::vector<int> textures;               // one per primitive: texture id, 0 for none
    model::Bounds bounds;

    std::size_t TriangleCount() const;
    // The triangles arranged for segment tests; built on first use and
    // shared by every object drawing this geometry.
    const std::shared_ptr<const collision::TriangleBvh>& CollisionShape() const;

private:
    mutable std::shared_ptr<const collision::TriangleBvh> collisionShape_;
};

using GeometryPtr = std::shared_ptr<const Geometry>;

// Shapes made in place.
Geometry MakeSphere(float radius, int slices, int stacks);
Geometry MakeBox(float width, float height, float depth);
// Primitives of a baked model, each with its material; textures are filled
// in by the caller.
Geometry FromPrimitives(std::vector<model::Primitive> primitives, const std::vector<model::Material>& materials);

}  // namespace kr::scene
