#pragma once
// A triangle soup in its own (model) space with a hierarchy over it, for
// segment tests. One is built per shared geometry; placed copies test
// against it through their inverse world matrix.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <glm/glm.hpp>

#include "engine/collision/aabb.hpp"
#include "engine/collision/bvh.hpp"
#include "engine/model/model.hpp"

namespace kr::collision {

struct Hit {
    float t = 0.0f;                // fraction along the segment, 0 at its start, 1 at its end
    glm::vec3 point{0.0f};         // start + t * (end - start)
    std::uint32_t triangle = 0;    // index in the soup as given (primitives in order)
};

class TriangleBvh {
public:
    TriangleBvh() = default;
    // Triangles `indices` (three per triangle) over `positions`. Throws Error
    // for a partial triangle or an index past the positions. Triangles with a
    // non-finite corner are kept but never hit.
    TriangleBvh(std::span<const glm::vec3> positions, std::span<const std::uint32_t> indices);
    // Every primitive's triangles, numbered in primitive order.
    explicit TriangleBvh(const std::vector<model::Primitive>& primitives);

    // The nearest crossing within t in [0, maxFraction] of the segment from
    // `start` to `end`, either face; equal distances go to the lower triangle
    // number. Nothing for a zero-length or non-finite segment.
    std::optional<Hit> Intersect(const glm::vec3& start, const glm::vec3& end, float maxFraction = 1.0f) const;

    // Moves the corners to `positions` (the same vertices, in the same order,
    // as at construction) and refits the hierarchy; the triangles stay. Cheap
    // enough for posed animated models every frame. Throws Error when the
    // vertex count differs.
    void Refit(std::span<const glm::vec3> positions);
    void Refit(const std::vector<model::Primitive>& primitives);

    // The box around every finite triangle; empty without any.
    const Aabb& Bounds() const { return bounds_; }
    std::size_t TriangleCount() const { return corners_.size(); }

private:
    struct Corners {
        glm::vec3 a, b, c;
    };

    void Build(std::span<const glm::vec3> positions, std::span<const std::uint32_t> indices);
    void PlaceCorners(std::span<const glm::vec3> positions);
    std::vector<Aabb> TriangleBoxes() const;  // by triangle number

    Bvh bvh_;
    std::vector<Corners> corners_;               // in leaf order
    std::vector<std::uint32_t> triangleNumber_;  // in leaf order: the soup's numbering
    std::vector<glm::uvec3> vertexIndices_;      // in leaf order: which positions make the corners
    std::size_t vertexCount_ = 0;
    Aabb bounds_;
};

// The positions of every primitive's vertices one after another, and their
// triangle lists renumbered to match.
void FlattenPrimitives(const std::vector<model::Primitive>& primitives, std::vector<glm::vec3>& positions,
                       std::vector<std::uint32_t>* indices);

}  // namespace kr::collision
