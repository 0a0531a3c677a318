#pragma once
// A triangle soup being modelled: corners carry a position and a texture
// coordinate, triangles a material slot. Normals are not stored: the mesh
// builder derives them, smooth or creased, when the surface is finished.
// Triangles wind counter-clockwise seen from outside.

#include <array>
#include <vector>

#include <glm/glm.hpp>

namespace kr::toolkit {

struct Corner {
    glm::vec3 position{0.0f};
    glm::vec2 uv{0.0f};
};

struct Triangle {
    std::array<Corner, 3> corners;
    int material = 0;
};

// Twice the area, along the outward normal.
glm::vec3 AreaVector(const Triangle& triangle);

struct Bounds3 {
    glm::vec3 min{0.0f};
    glm::vec3 max{0.0f};
};

enum class Axis { X = 0, Y = 1, Z = 2 };

class Surface {
public:
    std::vector<Triangle>& triangles() { return triangles_; }
    const std::vector<Triangle>& triangles() const { return triangles_; }
    int TriangleCount() const { return static_cast<int>(triangles_.size()); }

    void AddTriangle(const Corner& a, const Corner& b, const Corner& c);
    // a, b, c, d counter-clockwise from outside; split along a-c.
    void AddQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d);
    void Append(const Surface& other);

    // Reflecting transforms keep the triangles facing outwards.
    Surface& Transform(const glm::mat4& matrix);
    Surface& Translate(glm::vec3 offset);
    Surface& Scale(glm::vec3 factors);
    Surface& Rotate(float radians, glm::vec3 axis);
    // Puts every triangle in one material slot.
    Surface& SetMaterial(int material);

    // Zero-size bounds when empty.
    Bounds3 Bounds() const;

private:
    std::vector<Triangle> triangles_;
};

// The surface reflected in the plane through the origin across `axis`.
Surface Mirrored(const Surface& surface, Axis axis);
// The surface together with its reflection: a symmetric whole from one half.
Surface WithMirror(const Surface& surface, Axis axis);
Surface Merged(const std::vector<Surface>& parts);

}  // namespace kr::toolkit
