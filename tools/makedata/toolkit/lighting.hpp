#pragma once
// Relief baked into textures: bevel heights from masks, normals from
// heights, and shading by a light from the top-left of the picture.

#include <vector>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/field.hpp"

namespace kr::toolkit {

// Per-texel unit normals in picture space: x right, y down, z out of the
// picture towards the viewer.
struct NormalField {
    int width = 0;
    int height = 0;
    std::vector<glm::vec3> normals;

    const glm::vec3& At(int x, int y) const { return normals[static_cast<std::size_t>(y) * width + x]; }
};

// `strength` scales height differences (height units per texel of slope).
NormalField NormalsFromHeight(const Field& height, float strength, Edge edge = Edge::Clamp);

// A height that is 0 outside the mask and rises smoothly to 1 over `width`
// texels inside it: the slope of a bevelled plate.
Field BevelHeight(const Field& mask, float width);

struct Light {
    glm::vec3 towardsLight = glm::normalize(glm::vec3(-1.0f, -1.0f, 1.4f));  // from the top-left
    float ambient = 0.45f;
    float diffuse = 0.55f;
    float specular = 0.35f;   // highlight added on slopes that face the light
    float shininess = 16.0f;
};

// Multiplies colour by the diffuse light relative to a flat surface (flat
// stays unchanged, slopes facing the light brighten, others darken) and adds
// the highlight.
void BakeLighting(Canvas& canvas, const NormalField& normals, const Light& light = {});
void BakeLighting(Canvas& canvas, const Field& height, float strength, const Light& light = {},
                  Edge edge = Edge::Clamp);

}  // namespace kr::toolkit
