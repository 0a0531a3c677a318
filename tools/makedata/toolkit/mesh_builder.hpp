#pragma once
// Turns modelled surfaces into engine meshes: corners at the same place are
// welded, normals are averaged across edges flatter than the crease angle
// and split across sharper ones (smooth where curved, hard where plated),
// and corners that end up identical become one vertex.

#include <string>

#include "engine/model/model.hpp"
#include "toolkit/surface.hpp"

namespace kr::toolkit {

struct MeshStats {
    int triangles = 0;
    int vertices = 0;
    int degenerate = 0;  // triangles without area, left out
};

class MeshBuilder {
public:
    explicit MeshBuilder(float creaseAngleDegrees = 40.0f);

    void Add(const Surface& surface);
    // Adds the surface with every triangle in material slot `material`.
    void Add(const Surface& surface, int material);
    int TriangleCount() const { return surface_.TriangleCount(); }
    const Surface& surface() const { return surface_; }

    // One primitive per material slot in use, in ascending order; a slot
    // number is the primitive's material index.
    model::Mesh Build(std::string name) const;
    // The counts of the last Build.
    const MeshStats& stats() const { return stats_; }

private:
    Surface surface_;
    float cosCrease_;
    mutable MeshStats stats_;
};

}  // namespace kr::toolkit
