#pragma once
// A model's triangles flattened into model space: baked once for static
// meshes, or posed for collision and picking on animated models.

#include <vector>

#include <glm/glm.hpp>

#include "engine/model/model.hpp"
#include "engine/model/pose.hpp"

namespace kr::model {

struct Bounds {
    glm::vec3 min{0.0f};
    glm::vec3 max{0.0f};
};

struct StaticGeometry {
    std::vector<Primitive> primitives;  // one per material, in order of first use
    Bounds bounds;                      // all zero when there are no vertices
};

// Every primitive of every mesh node in the scene (the nodes under
// Model::roots), moved into model space at the rest pose: positions by the
// node's world matrix, normals by its inverse transpose, the winding turned
// over under a mirroring matrix. Skinned meshes are skinned at the rest pose
// instead. Primitives sharing a material are merged. The result carries no
// skin weights.
StaticGeometry BakeStatic(const Model& model);

// The same for `pose` (of this model), with linear blend skinning on the CPU
// for skinned meshes.
std::vector<Primitive> SkinnedGeometry(const Model& model, const Pose& pose);

// The box around every vertex; all zero when there are none.
Bounds BoundsOf(const std::vector<Primitive>& primitives);

}  // namespace kr::model
