#pragma once
// The ground of a mission: a height field generated from a height-map
// picture, cut into chunks so that only those near the camera are drawn,
// textured with tiling, and moved as the world scrolls.

#include <string_view>
#include <vector>

#include <glm/glm.hpp>

#include "engine/image/image.hpp"
#include "engine/scene/draw_items.hpp"

namespace kr::scene {

// Shared with the content generator: what one height-map step means.
inline constexpr float kLandscapeCellSize = 256.0f;    // world units of one grid cell, before scale
inline constexpr int kLandscapeQuadsPerPrecision = 4;  // quads along a cell edge per precision step
inline constexpr float kLandscapeHeightScale = 1.0f;   // world units per height-map level (0..255)

class Landscape {
public:
    // cellsX x cellsZ grid cells; precision sets the quads per cell edge.
    void Generate(const image::Image& heightMap, int cellsX, int cellsZ, int precision);
    bool IsGenerated() const { return quadsX_ > 0; }

    void SetPosition(const glm::vec3& position) { position_ = position; }
    glm::vec3 Position() const { return position_; }
    void Move(const glm::vec3& offset) { position_ += offset; }
    void SetScale(const glm::vec3& scale) { scale_ = scale; }
    glm::vec3 Scale() const { return scale_; }
    void SetTiling(float u, float v) { tiling_ = {u, v}; }
    glm::vec2 Tiling() const { return tiling_; }
    void SetTexture(int textureId) { texture_ = textureId; }
    int Texture() const { return texture_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool IsEnabled() const { return enabled_; }
    void SetMaterial(int material) { material_ = material; }
    int MaterialId() const { return material_; }
    void SetLighting(Lighting lighting) { lighting_ = lighting; }
    Lighting LightingMode() const { return lighting_; }

    // World height of the ground at (x, z); outside the field: the nearest edge.
    float HeightAt(float x, float z) const;
    // World size of the whole field along x and z.
    glm::vec2 Extent() const;
    glm::mat4 WorldMatrix() const;

    // The chunks whose boxes lie within `distance` of `eye` (in the plane).
    void VisibleChunks(const glm::vec3& eye, float distance, std::vector<GeometryPtr>& out) const;

    // Raw samples for collision: (quadsX + 1) x (quadsZ + 1) heights.
    const std::vector<float>& Heights() const { return heights_; }
    int QuadsX() const { return quadsX_; }
    int QuadsZ() const { return quadsZ_; }
    float QuadSize() const { return quadSize_; }

private:
    float Sample(int ix, int iz) const;
    glm::vec3 NormalAt(int ix, int iz) const;
    GeometryPtr BuildChunk(int cx, int cz) const;

    std::vector<float> heights_;
    int quadsX_ = 0, quadsZ_ = 0;
    int quadsPerCell_ = 1;
    float quadSize_ = 1;
    int cellsX_ = 0, cellsZ_ = 0;
    std::vector<GeometryPtr> chunks_;  // cellsX x cellsZ
    glm::vec3 position_{0.0f};
    glm::vec3 scale_{1.0f};
    glm::vec2 tiling_{1.0f, 1.0f};
    int texture_ = 0;
    int material_ = 0;
    Lighting lighting_ = Lighting::PerVertex;
    bool enabled_ = false;
};

}  // namespace kr::scene
