#include "toolkit/lighting.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/gradients.hpp"

namespace kr::toolkit {
namespace {

int EdgeNeighbour(int i, int size, Edge edge) {
    if (i < 0) return edge == Edge::Wrap ? size - 1 : 0;
    if (i >= size) return edge == Edge::Wrap ? 0 : size - 1;
    return i;
}

}  // namespace

NormalField NormalsFromHeight(const Field& height, float strength, Edge edge) {
    NormalField out{height.width(), height.height(), {}};
    out.normals.resize(static_cast<std::size_t>(out.width) * out.height);
    if (out.normals.empty()) return out;
    // Neighbouring columns and rows, resolved at the edges once.
    std::vector<int> left(out.width), right(out.width), up(out.height), down(out.height);
    for (int x = 0; x < out.width; ++x) {
        left[x] = EdgeNeighbour(x - 1, out.width, edge);
        right[x] = EdgeNeighbour(x + 1, out.width, edge);
    }
    for (int y = 0; y < out.height; ++y) {
        up[y] = EdgeNeighbour(y - 1, out.height, edge);
        down[y] = EdgeNeighbour(y + 1, out.height, edge);
    }
    const float scale = strength * 0.125f;
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            // Sobel: smooth across the slope so that single-texel steps do
            // not alias into stripes.
            const int l = left[x], r = right[x], u = up[y], d = down[y];
            const float gx = (height.At(r, u) + 2.0f * height.At(r, y) + height.At(r, d)) -
                             (height.At(l, u) + 2.0f * height.At(l, y) + height.At(l, d));
            const float gy = (height.At(l, d) + 2.0f * height.At(x, d) + height.At(r, d)) -
                             (height.At(l, u) + 2.0f * height.At(x, u) + height.At(r, u));
            out.normals[static_cast<std::size_t>(y) * out.width + x] = glm::normalize(glm::vec3(-gx * scale, -gy * scale, 1.0f));
        }
    }
    return out;
}

Field BevelHeight(const Field& mask, float width) {
    Field height = DistanceInside(mask);
    const float w = std::max(width, 1e-3f);
    for (std::size_t i = 0; i < height.values().size(); ++i) {
        float& v = height.values()[i];
        // Distances are to the nearest outside texel's centre; the edge lies
        // half a texel before it.
        v = mask.values()[i] >= 0.5f ? SmoothStep(0.0f, w, v - 0.5f) : 0.0f;
    }
    return height;
}

void BakeLighting(Canvas& canvas, const NormalField& normals, const Light& light) {
    const glm::vec3 l = glm::normalize(light.towardsLight);
    const glm::vec3 halfway = glm::normalize(l + glm::vec3(0.0f, 0.0f, 1.0f));
    const float flatDiffuse = light.ambient + light.diffuse * std::max(l.z, 0.0f);
    const float flatSpecular = std::pow(halfway.z, light.shininess);
    auto& pixels = canvas.pixels();
    for (std::size_t i = 0; i < pixels.size() && i < normals.normals.size(); ++i) {
        const glm::vec3& n = normals.normals[i];
        const float diffuse = (light.ambient + light.diffuse * std::max(glm::dot(n, l), 0.0f)) / flatDiffuse;
        // Only slopes turned further towards the light than flat ground shine.
        const float towardsHalfway = glm::dot(n, halfway);
        const float highlight = towardsHalfway > halfway.z
                                    ? light.specular * (std::pow(towardsHalfway, light.shininess) - flatSpecular) /
                                          (1.0f - flatSpecular)
                                    : 0.0f;
        pixels[i] = Colour(glm::vec3(pixels[i]) * diffuse + glm::vec3(highlight), pixels[i].a);
    }
}

void BakeLighting(Canvas& canvas, const Field& height, float strength, const Light& light, Edge edge) {
    BakeLighting(canvas, NormalsFromHeight(height, strength, edge), light);
}

}  // namespace kr::toolkit
