#include "engine/scene/landscape.hpp"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"

namespace kr::scene {

namespace {

// The picture's brightness at a fractional position, bilinear.
float Brightness(const image::Image& picture, float u, float v) {
    float x = std::clamp(u, 0.0f, 1.0f) * static_cast<float>(picture.width - 1);
    float y = std::clamp(v, 0.0f, 1.0f) * static_cast<float>(picture.height - 1);
    int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
    int x1 = std::min(x0 + 1, picture.width - 1), y1 = std::min(y0 + 1, picture.height - 1);
    auto level = [&](int px, int py) {
        const std::uint8_t* p = picture.Pixel(px, py);
        return (static_cast<float>(p[0]) + p[1] + p[2]) / 3.0f;
    };
    float fx = x - static_cast<float>(x0), fy = y - static_cast<float>(y0);
    float top = level(x0, y0) * (1 - fx) + level(x1, y0) * fx;
    float bottom = level(x0, y1) * (1 - fx) + level(x1, y1) * fx;
    return top * (1 - fy) + bottom * fy;
}

}  // namespace

void Landscape::Generate(const image::Image& heightMap, int cellsX, int cellsZ, int precision) {
    if (cellsX < 1 || cellsZ < 1 || cellsX > 256 || cellsZ > 256 || precision < 1 || precision > 16)
        throw Error("landscape grid " + std::to_string(cellsX) + "x" + std::to_string(cellsZ) + " at precision " +
                    std::to_string(precision) + " is not supported");
    if (heightMap.width < 2 || heightMap.height < 2) throw Error("the height map is too small");
    cellsX_ = cellsX;
    cellsZ_ = cellsZ;
    quadsPerCell_ = precision * kLandscapeQuadsPerPrecision;
    quadsX_ = cellsX * quadsPerCell_;
    quadsZ_ = cellsZ * quadsPerCell_;
    quadSize_ = kLandscapeCellSize / static_cast<float>(quadsPerCell_);
    heights_.assign(static_cast<std::size_t>(quadsX_ + 1) * (quadsZ_ + 1), 0.0f);
    // The picture's columns run along x, its rows along z.
    for (int iz = 0; iz <= quadsZ_; ++iz) {
        for (int ix = 0; ix <= quadsX_; ++ix) {
            float u = static_cast<float>(ix) / static_cast<float>(quadsX_);
            float v = static_cast<float>(iz) / static_cast<float>(quadsZ_);
            heights_[static_cast<std::size_t>(iz) * (quadsX_ + 1) + ix] =
                Brightness(heightMap, u, v) * kLandscapeHeightScale;
        }
    }
    chunks_.clear();
    for (int cz = 0; cz < cellsZ_; ++cz)
        for (int cx = 0; cx < cellsX_; ++cx) chunks_.push_back(BuildChunk(cx, cz));
    enabled_ = true;
}

float Landscape::Sample(int ix, int iz) const {
    ix = std::clamp(ix, 0, quadsX_);
    iz = std::clamp(iz, 0, quadsZ_);
    return heights_[static_cast<std::size_t>(iz) * (quadsX_ + 1) + ix];
}

glm::vec3 Landscape::NormalAt(int ix, int iz) const {
    float dx = (Sample(ix + 1, iz) - Sample(ix - 1, iz)) / (2 * quadSize_);
    float dz = (Sample(ix, iz + 1) - Sample(ix, iz - 1)) / (2 * quadSize_);
    return glm::normalize(glm::vec3(-dx, 1.0f, -dz));
}

GeometryPtr Landscape::BuildChunk(int cx, int cz) const {
    model::Primitive p;
    int x0 = cx * quadsPerCell_, z0 = cz * quadsPerCell_;
    for (int iz = 0; iz <= quadsPerCell_; ++iz) {
        for (int ix = 0; ix <= quadsPerCell_; ++ix) {
            model::Vertex v;
            int gx = x0 + ix, gz = z0 + iz;
            v.position = {static_cast<float>(gx) * quadSize_, Sample(gx, gz), static_cast<float>(gz) * quadSize_};
            v.normal = NormalAt(gx, gz);
            float fraction = 1.0f / static_cast<float>(quadsPerCell_);
            v.uv = glm::vec2(static_cast<float>(ix) * fraction, static_cast<float>(iz) * fraction);  // one chunk, one tile
            p.vertices.push_back(v);
        }
    }
    auto index = [this](int ix, int iz) { return static_cast<std::uint32_t>(iz * (quadsPerCell_ + 1) + ix); };
    // Each quad is split along the same diagonal as the collision field.
    for (int iz = 0; iz < quadsPerCell_; ++iz) {
        for (int ix = 0; ix < quadsPerCell_; ++ix) {
            p.indices.insert(p.indices.end(), {index(ix, iz), index(ix, iz + 1), index(ix + 1, iz + 1),
                                               index(ix, iz), index(ix + 1, iz + 1), index(ix + 1, iz)});
        }
    }
    auto geometry = std::make_shared<Geometry>(FromPrimitives({std::move(p)}, {}));
    return geometry;
}

glm::mat4 Landscape::WorldMatrix() const {
    return glm::scale(glm::translate(glm::mat4(1.0f), position_), scale_);
}

glm::vec2 Landscape::Extent() const {
    return {static_cast<float>(quadsX_) * quadSize_ * scale_.x, static_cast<float>(quadsZ_) * quadSize_ * scale_.z};
}

float Landscape::HeightAt(float x, float z) const {
    if (!IsGenerated()) return position_.y;
    float gx = std::clamp((x - position_.x) / (scale_.x * quadSize_), 0.0f, static_cast<float>(quadsX_));
    float gz = std::clamp((z - position_.z) / (scale_.z * quadSize_), 0.0f, static_cast<float>(quadsZ_));
    int ix = std::min(static_cast<int>(gx), quadsX_ - 1), iz = std::min(static_cast<int>(gz), quadsZ_ - 1);
    float fx = gx - static_cast<float>(ix), fz = gz - static_cast<float>(iz);
    float h00 = Sample(ix, iz), h10 = Sample(ix + 1, iz), h01 = Sample(ix, iz + 1), h11 = Sample(ix + 1, iz + 1);
    // The two triangles of the quad meet on the diagonal from (0, 0) to (1, 1).
    float h = fz >= fx ? h00 + (h11 - h01) * fx + (h01 - h00) * fz
                       : h00 + (h10 - h00) * fx + (h11 - h10) * fz;
    return position_.y + h * scale_.y;
}

void Landscape::VisibleChunks(const glm::vec3& eye, float distance, std::vector<GeometryPtr>& out) const {
    float sizeX = kLandscapeCellSize * scale_.x, sizeZ = kLandscapeCellSize * scale_.z;
    for (int cz = 0; cz < cellsZ_; ++cz) {
        for (int cx = 0; cx < cellsX_; ++cx) {
            float minX = position_.x + static_cast<float>(cx) * sizeX, minZ = position_.z + static_cast<float>(cz) * sizeZ;
            float dx = std::max({minX - eye.x, 0.0f, eye.x - (minX + sizeX)});
            float dz = std::max({minZ - eye.z, 0.0f, eye.z - (minZ + sizeZ)});
            if (dx * dx + dz * dz <= distance * distance) out.push_back(chunks_[static_cast<std::size_t>(cz * cellsX_ + cx)]);
        }
    }
}

}  // namespace kr::scene
