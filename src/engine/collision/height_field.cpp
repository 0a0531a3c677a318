#include "engine/collision/height_field.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "engine/collision/segment.hpp"
#include "engine/error.hpp"

namespace kr::collision {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

void CheckShape(const HeightFieldShape& shape) {
    if (shape.samplesX < 2 || shape.samplesZ < 2)
        throw Error("height field: " + std::to_string(shape.samplesX) + " x " + std::to_string(shape.samplesZ) +
                    " samples, at least 2 x 2 needed");
    std::size_t expected = static_cast<std::size_t>(shape.samplesX) * static_cast<std::size_t>(shape.samplesZ);
    if (shape.heights.size() != expected)
        throw Error("height field: " + std::to_string(shape.heights.size()) + " heights for " +
                    std::to_string(expected) + " samples");
    if (!(shape.cellSize.x > 0.0f && shape.cellSize.y > 0.0f) || !std::isfinite(shape.cellSize.x) ||
        !std::isfinite(shape.cellSize.y))
        throw Error("height field: the cell size must be positive and finite");
    if (!std::isfinite(shape.heightScale)) throw Error("height field: the height scale is not finite");
    for (std::size_t i = 0; i < shape.heights.size(); ++i)
        if (!std::isfinite(shape.heights[i] * shape.heightScale))
            throw Error("height field: height " + std::to_string(i) + " is not finite");
}

// Local parameter along one axis, and the cell it falls in (the last cell
// takes the far edge). False outside [0, cells].
bool CellCoordinate(float local, float cellSize, int cells, int& cell, float& fraction) {
    float u = local / cellSize;
    if (!(u >= 0.0f && u <= static_cast<float>(cells))) return false;
    cell = std::min(static_cast<int>(u), cells - 1);
    fraction = u - static_cast<float>(cell);
    return true;
}

// The first cell boundary the walk crosses from `cell` along `direction`.
float NextBoundary(int cell, int step, float origin, float direction, float cellSize) {
    if (step == 0) return kInfinity;
    float boundary = static_cast<float>(cell + (step > 0 ? 1 : 0)) * cellSize;
    return (boundary - origin) / direction;
}

int StepOf(float direction) { return direction > 0.0f ? 1 : (direction < 0.0f ? -1 : 0); }

}  // namespace

HeightField::HeightField(HeightFieldShape shape, const glm::vec3& position)
    : samplesX_(shape.samplesX), samplesZ_(shape.samplesZ), cellSize_(shape.cellSize) {
    CheckShape(shape);
    SetPosition(position);
    heights_ = std::move(shape.heights);
    for (float& h : heights_) h *= shape.heightScale;
    overall_ = {kInfinity, -kInfinity};
    cellRange_.reserve(static_cast<std::size_t>(samplesX_ - 1) * (samplesZ_ - 1));
    for (int z = 0; z + 1 < samplesZ_; ++z)
        for (int x = 0; x + 1 < samplesX_; ++x) {
            float a = LocalHeight(x, z), b = LocalHeight(x + 1, z);
            float c = LocalHeight(x, z + 1), d = LocalHeight(x + 1, z + 1);
            Range range{std::min({a, b, c, d}), std::max({a, b, c, d})};
            cellRange_.push_back(range);
            overall_ = {std::min(overall_.low, range.low), std::max(overall_.high, range.high)};
        }
}

void HeightField::SetPosition(const glm::vec3& position) {
    if (!IsFinite(position)) throw Error("height field: the position is not finite");
    position_ = position;
}

glm::vec3 HeightField::LocalPoint(int x, int z) const {
    return {static_cast<float>(x) * cellSize_.x, LocalHeight(x, z), static_cast<float>(z) * cellSize_.y};
}

glm::vec3 HeightField::SamplePoint(int x, int z) const { return position_ + LocalPoint(x, z); }

Aabb HeightField::LocalBounds() const {
    return {{0.0f, overall_.low, 0.0f},
            {static_cast<float>(samplesX_ - 1) * cellSize_.x, overall_.high,
             static_cast<float>(samplesZ_ - 1) * cellSize_.y}};
}

Aabb HeightField::Bounds() const {
    Aabb local = LocalBounds();
    return {local.min + position_, local.max + position_};
}

std::optional<float> HeightField::HeightAt(float x, float z) const {
    int cx = 0, cz = 0;
    float u = 0.0f, v = 0.0f;
    if (!CellCoordinate(x - position_.x, cellSize_.x, samplesX_ - 1, cx, u) ||
        !CellCoordinate(z - position_.z, cellSize_.y, samplesZ_ - 1, cz, v))
        return std::nullopt;
    float h00 = LocalHeight(cx, cz), h10 = LocalHeight(cx + 1, cz);
    float h01 = LocalHeight(cx, cz + 1), h11 = LocalHeight(cx + 1, cz + 1);
    // The diagonal runs from (0, 0) to (1, 1) within the cell.
    float h = v >= u ? h00 + v * (h01 - h00) + u * (h11 - h01) : h00 + u * (h10 - h00) + v * (h11 - h10);
    return position_.y + h;
}

bool HeightField::MayCross(const SegmentProbe& local, float tIn, float tOut, int x, int z) const {
    float yIn = local.origin.y + local.direction.y * tIn;
    float yOut = local.origin.y + local.direction.y * tOut;
    // The walk's t values carry rounding: widen the segment's span a little.
    float slack = 1e-4f * (std::abs(local.direction.y) + std::abs(yIn) + std::abs(yOut) + 1.0f);
    const Range& cell = cellRange_[static_cast<std::size_t>(z) * (samplesX_ - 1) + x];
    return std::min(yIn, yOut) - slack <= cell.high && std::max(yIn, yOut) + slack >= cell.low;
}

void HeightField::TestCell(const TriangleProbe& probe, int x, int z, float& best,
                           std::optional<std::uint32_t>& number) const {
    glm::vec3 p00 = LocalPoint(x, z), p10 = LocalPoint(x + 1, z);
    glm::vec3 p01 = LocalPoint(x, z + 1), p11 = LocalPoint(x + 1, z + 1);
    auto first = static_cast<std::uint32_t>(2 * (static_cast<std::size_t>(z) * (samplesX_ - 1) + x));
    const glm::vec3* triangles[2][3] = {{&p00, &p01, &p11}, {&p00, &p11, &p10}};
    for (std::uint32_t half = 0; half < 2; ++half) {
        float t = 0.0f;
        if (!probe.Cross(*triangles[half][0], *triangles[half][1], *triangles[half][2], best, t)) continue;
        if (number && t == best && first + half > *number) continue;
        best = t;
        number = first + half;
    }
}

std::optional<Hit> HeightField::Intersect(const glm::vec3& start, const glm::vec3& end, float maxFraction) const {
    if (!UsableSegment(start, end) || !(maxFraction >= 0.0f)) return std::nullopt;
    glm::vec3 localStart = start - position_;
    SegmentProbe local(localStart, localStart + (end - start));
    float tEnter = 0.0f, tLeave = 0.0f;
    if (!SlabTest(local, LocalBounds(), maxFraction, tEnter, tLeave)) return std::nullopt;
    TriangleProbe probe(local.origin, local.direction);
    // Walk the cells under the segment in order (a 2D digital differential
    // analyser), stopping once a hit lies before the next cell.
    int cellsX = samplesX_ - 1, cellsZ = samplesZ_ - 1;
    glm::vec3 entry = local.origin + local.direction * tEnter;
    int x = std::clamp(static_cast<int>(std::floor(entry.x / cellSize_.x)), 0, cellsX - 1);
    int z = std::clamp(static_cast<int>(std::floor(entry.z / cellSize_.y)), 0, cellsZ - 1);
    int stepX = StepOf(local.direction.x), stepZ = StepOf(local.direction.z);
    float best = maxFraction;
    std::optional<std::uint32_t> number;
    float tIn = tEnter;
    for (;;) {
        float nextX = NextBoundary(x, stepX, local.origin.x, local.direction.x, cellSize_.x);
        float nextZ = NextBoundary(z, stepZ, local.origin.z, local.direction.z, cellSize_.y);
        float tOut = std::min({nextX, nextZ, tLeave});
        if (MayCross(local, tIn, tOut, x, z)) TestCell(probe, x, z, best, number);
        if ((number && best < tOut) || tOut >= tLeave) break;
        if (nextX <= nextZ)
            x += stepX;
        else
            z += stepZ;
        if (x < 0 || x >= cellsX || z < 0 || z >= cellsZ) break;
        tIn = tOut;
    }
    if (!number) return std::nullopt;
    return Hit{best, start + best * (end - start), *number};
}

std::vector<std::uint32_t> HeightFieldIndices(int samplesX, int samplesZ) {
    std::vector<std::uint32_t> indices;
    if (samplesX < 2 || samplesZ < 2) return indices;
    indices.reserve(static_cast<std::size_t>(samplesX - 1) * (samplesZ - 1) * 6);
    auto at = [samplesX](int x, int z) { return static_cast<std::uint32_t>(z * samplesX + x); };
    for (int z = 0; z + 1 < samplesZ; ++z)
        for (int x = 0; x + 1 < samplesX; ++x) {
            for (std::uint32_t i : {at(x, z), at(x, z + 1), at(x + 1, z + 1)}) indices.push_back(i);
            for (std::uint32_t i : {at(x, z), at(x + 1, z + 1), at(x + 1, z)}) indices.push_back(i);
        }
    return indices;
}

}  // namespace kr::collision
