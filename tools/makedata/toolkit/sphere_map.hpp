#pragma once
// Pictures for the engine's own spheres (scene::MakeSphere): u runs around
// the y axis, v from the top pole to the bottom one, over a faceted surface
// of slices x stacks quads. Painting a picture as a function of direction,
// texel by texel on the facets the texel really lands on, leaves no
// stretching and no seam however coarse the sphere is.

#include <vector>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"

namespace kr::toolkit {

class SphereMap {
public:
    // Throws kr::Error for fewer than 3 slices or 2 stacks (the engine
    // raises smaller counts to these, a map must match what is drawn).
    SphereMap(int slices, int stacks);

    // The unit direction, in the sphere's own space, of the point of the
    // faceted surface at texture coordinate `uv` (u wraps around).
    glm::vec3 Direction(glm::vec2 uv) const;
    // The texture coordinate where `direction` meets the faceted surface:
    // u in [0, 1), v in [0, 1].
    glm::vec2 Uv(glm::vec3 direction) const;

    // Texel (x, y) has its centre at uv ((x + 0.5) / width, (y + 0.5) / height).
    glm::vec3 TexelDirection(int x, int y, int width, int height) const;

    int slices() const { return slices_; }
    int stacks() const { return stacks_; }

private:
    glm::vec3 Vertex(int stack, int slice) const;

    int slices_;
    int stacks_;
    std::vector<glm::vec3> vertices_;  // (stacks + 1) x (slices + 1), as the engine lays them out
};

// colour(direction) for every texel of a width x height picture.
template <class Fn>
Canvas PaintSphere(const SphereMap& map, int width, int height, Fn colour) {
    Canvas canvas(width, height);
    canvas.Generate([&](int x, int y) { return colour(map.TexelDirection(x, y, width, height)); });
    return canvas;
}

}  // namespace kr::toolkit
