#pragma once
// The landscape's collision shape: a regular grid of height samples placed
// in the world. Each cell is split into two triangles along the diagonal from
// its (x, z) corner to its (x + 1, z + 1) corner; HeightFieldIndices gives
// that triangulation for drawing, so what is drawn is what is hit.

#include <cstdint>
#include <optional>
#include <vector>

#include <glm/glm.hpp>

#include "engine/collision/aabb.hpp"
#include "engine/collision/triangle_test.hpp"
#include "engine/collision/triangle_bvh.hpp"

namespace kr::collision {

struct HeightFieldShape {
    int samplesX = 0;            // samples along x (at least 2)
    int samplesZ = 0;            // samples along z (at least 2)
    std::vector<float> heights;  // samplesX * samplesZ raw heights, row by row: index z * samplesX + x
    glm::vec2 cellSize{1.0f};    // world distance between samples along x and along z
    float heightScale = 1.0f;    // world height = position.y + raw height * heightScale
};

class HeightField {
public:
    // Throws Error for fewer than 2 samples a side, a height count that does
    // not match, a cell size that is not positive, or a non-finite number.
    HeightField(HeightFieldShape shape, const glm::vec3& position);

    // The world point of sample (0, 0); the grid runs toward +x and +z from it.
    const glm::vec3& Position() const { return position_; }
    // Moving is free: nothing is rebuilt. Throws Error for a non-finite point.
    void SetPosition(const glm::vec3& position);

    int SamplesX() const { return samplesX_; }
    int SamplesZ() const { return samplesZ_; }
    glm::vec3 SamplePoint(int x, int z) const;  // in the world

    // The ground height under (x, z) on the triangle drawn there; nothing
    // outside the grid (edges included in it).
    std::optional<float> HeightAt(float x, float z) const;

    // The nearest crossing of the segment with the surface within t in
    // [0, maxFraction], either face. Hit::triangle numbers cells row by row,
    // two per cell as HeightFieldIndices lists them.
    std::optional<Hit> Intersect(const glm::vec3& start, const glm::vec3& end, float maxFraction = 1.0f) const;

    Aabb Bounds() const;  // in the world

private:
    struct Range {
        float low, high;
    };

    float LocalHeight(int x, int z) const { return heights_[static_cast<std::size_t>(z) * samplesX_ + x]; }
    glm::vec3 LocalPoint(int x, int z) const;
    Aabb LocalBounds() const;
    // Whether the segment's heights over [tIn, tOut] can reach the cell's range.
    bool MayCross(const SegmentProbe& local, float tIn, float tOut, int x, int z) const;
    // Tests the cell's two triangles, keeping the nearer hit (ties: lower number).
    void TestCell(const TriangleProbe& probe, int x, int z, float& best, std::optional<std::uint32_t>& number) const;

    int samplesX_;
    int samplesZ_;
    glm::vec2 cellSize_;
    std::vector<float> heights_;    // scaled, relative to position_.y
    std::vector<Range> cellRange_;  // lowest and highest corner of each cell
    Range overall_{0.0f, 0.0f};
    glm::vec3 position_;
};

// Triangle list over the samples numbered z * samplesX + x: per cell, row by
// row, the triangles (x, z) (x, z+1) (x+1, z+1) and (x, z) (x+1, z+1) (x+1, z),
// both facing +y by the right-hand rule.
std::vector<std::uint32_t> HeightFieldIndices(int samplesX, int samplesZ);

}  // namespace kr::collision
