#include "engine/collision/triangle_bvh.hpp"

#include <string>

#include "engine/collision/segment.hpp"
#include "engine/collision/triangle_test.hpp"
#include "engine/error.hpp"

namespace kr::collision {
namespace {

constexpr std::uint32_t kTrianglesPerLeaf = 4;

Aabb TriangleBox(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c) {
    Aabb box;
    if (!IsFinite(a) || !IsFinite(b) || !IsFinite(c)) return box;
    box.Grow(a);
    box.Grow(b);
    box.Grow(c);
    return box;
}

void CheckIndices(std::size_t vertexCount, std::span<const std::uint32_t> indices, const std::string& where) {
    if (indices.size() % 3 != 0)
        throw Error("collision mesh: " + where + " has " + std::to_string(indices.size()) +
                    " indices, not whole triangles");
    for (std::uint32_t index : indices)
        if (index >= vertexCount)
            throw Error("collision mesh: " + where + " uses vertex " + std::to_string(index) + " of only " +
                        std::to_string(vertexCount));
}

}  // namespace

void FlattenPrimitives(const std::vector<model::Primitive>& primitives, std::vector<glm::vec3>& positions,
                       std::vector<std::uint32_t>* indices) {
    positions.clear();
    if (indices) indices->clear();
    for (std::size_t p = 0; p < primitives.size(); ++p) {
        const model::Primitive& primitive = primitives[p];
        auto offset = static_cast<std::uint32_t>(positions.size());
        for (const model::Vertex& vertex : primitive.vertices) positions.push_back(vertex.position);
        if (!indices) continue;
        CheckIndices(primitive.vertices.size(), primitive.indices, "primitive " + std::to_string(p));
        for (std::uint32_t index : primitive.indices) indices->push_back(offset + index);
    }
}

TriangleBvh::TriangleBvh(std::span<const glm::vec3> positions, std::span<const std::uint32_t> indices) {
    Build(positions, indices);
}

TriangleBvh::TriangleBvh(const std::vector<model::Primitive>& primitives) {
    std::vector<glm::vec3> positions;
    std::vector<std::uint32_t> indices;
    FlattenPrimitives(primitives, positions, &indices);
    Build(positions, indices);
}

void TriangleBvh::Build(std::span<const glm::vec3> positions, std::span<const std::uint32_t> indices) {
    CheckIndices(positions.size(), indices, "the triangle list");
    vertexCount_ = positions.size();
    std::size_t triangles = indices.size() / 3;
    std::vector<Aabb> boxes(triangles);
    for (std::size_t i = 0; i < triangles; ++i)
        boxes[i] = TriangleBox(positions[indices[3 * i]], positions[indices[3 * i + 1]], positions[indices[3 * i + 2]]);
    bvh_ = BuildBvh(boxes, kTrianglesPerLeaf);
    triangleNumber_ = bvh_.order;
    vertexIndices_.resize(triangles);
    for (std::size_t k = 0; k < triangles; ++k) {
        std::size_t i = triangleNumber_[k];
        vertexIndices_[k] = {indices[3 * i], indices[3 * i + 1], indices[3 * i + 2]};
    }
    PlaceCorners(positions);
    bounds_ = bvh_.nodes.empty() ? Aabb{} : bvh_.nodes[0].bounds;
}

void TriangleBvh::PlaceCorners(std::span<const glm::vec3> positions) {
    corners_.resize(vertexIndices_.size());
    for (std::size_t k = 0; k < vertexIndices_.size(); ++k) {
        const glm::uvec3& v = vertexIndices_[k];
        corners_[k] = {positions[v.x], positions[v.y], positions[v.z]};
    }
}

std::vector<Aabb> TriangleBvh::TriangleBoxes() const {
    std::vector<Aabb> boxes(corners_.size());
    for (std::size_t k = 0; k < corners_.size(); ++k)
        boxes[triangleNumber_[k]] = TriangleBox(corners_[k].a, corners_[k].b, corners_[k].c);
    return boxes;
}

void TriangleBvh::Refit(std::span<const glm::vec3> positions) {
    if (positions.size() != vertexCount_)
        throw Error("collision mesh: refitted with " + std::to_string(positions.size()) + " vertices, built with " +
                    std::to_string(vertexCount_));
    PlaceCorners(positions);
    RefitBvh(bvh_, TriangleBoxes());
    bounds_ = bvh_.nodes.empty() ? Aabb{} : bvh_.nodes[0].bounds;
}

void TriangleBvh::Refit(const std::vector<model::Primitive>& primitives) {
    std::vector<glm::vec3> positions;
    FlattenPrimitives(primitives, positions, nullptr);
    Refit(positions);
}

std::optional<Hit> TriangleBvh::Intersect(const glm::vec3& start, const glm::vec3& end, float maxFraction) const {
    if (!UsableSegment(start, end) || !(maxFraction >= 0.0f)) return std::nullopt;
    SegmentProbe probe(start, end);
    TriangleProbe triangles(start, probe.direction);
    float best = maxFraction;
    std::optional<std::uint32_t> bestNumber;
    auto acceptAll = [](std::uint32_t) { return true; };
    auto testLeaf = [&](const BvhNode& leaf) {
        for (std::uint32_t k = leaf.first; k < leaf.first + leaf.count; ++k) {
            const Corners& c = corners_[k];
            float t = 0.0f;
            if (!triangles.Cross(c.a, c.b, c.c, best, t)) continue;
            std::uint32_t number = triangleNumber_[k];
            if (bestNumber && t == best && number > *bestNumber) continue;
            best = t;
            bestNumber = number;
        }
    };
    TraverseNearestFirst(bvh_.nodes, probe, best, acceptAll, testLeaf);
    if (!bestNumber) return std::nullopt;
    return Hit{best, start + best * probe.direction, *bestNumber};
}

}  // namespace kr::collision
