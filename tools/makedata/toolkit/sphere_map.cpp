#include "toolkit/sphere_map.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/error.hpp"
#include "engine/scene/geometry.hpp"

namespace kr::toolkit {

SphereMap::SphereMap(int slices, int stacks) : slices_(slices), stacks_(stacks) {
    if (slices < 3 || stacks < 2) throw Error("a sphere map needs at least 3 slices and 2 stacks");
    // The engine's own sphere, so that the map follows it exactly.
    const scene::Geometry sphere = scene::MakeSphere(1.0f, slices, stacks);
    for (const auto& vertex : sphere.primitives.at(0).vertices) vertices_.push_back(vertex.position);
}

glm::vec3 SphereMap::Vertex(int stack, int slice) const {
    return vertices_[static_cast<std::size_t>(stack) * (slices_ + 1) + slice];
}

// Each quad is split like the engine splits it: the triangle (top-left,
// bottom-left, top-right) and the triangle (top-right, bottom-left,
// bottom-right), which in uv are the halves either side of the diagonal.
glm::vec3 SphereMap::Direction(glm::vec2 uv) const {
    const float u = (uv.x - std::floor(uv.x)) * static_cast<float>(slices_);
    const float v = std::clamp(uv.y, 0.0f, 1.0f) * static_cast<float>(stacks_);
    const int slice = std::min(static_cast<int>(u), slices_ - 1);
    const int stack = std::min(static_cast<int>(v), stacks_ - 1);
    const float fu = u - static_cast<float>(slice);
    const float fv = v - static_cast<float>(stack);
    const glm::vec3 topLeft = Vertex(stack, slice);
    const glm::vec3 bottomLeft = Vertex(stack + 1, slice);
    const glm::vec3 topRight = Vertex(stack, slice + 1);
    const glm::vec3 bottomRight = Vertex(stack + 1, slice + 1);
    glm::vec3 p = fu + fv <= 1.0f
                      ? topLeft + fu * (topRight - topLeft) + fv * (bottomLeft - topLeft)
                      : bottomRight + (1.0f - fu) * (bottomLeft - bottomRight) + (1.0f - fv) * (topRight - bottomRight);
    const float length = glm::length(p);
    // A pole's collapsed triangle: the direction of the pole itself.
    if (length < 1e-6f) return glm::normalize(topLeft + bottomLeft);
    return p / length;
}

glm::vec3 SphereMap::TexelDirection(int x, int y, int width, int height) const {
    return Direction({(static_cast<float>(x) + 0.5f) / static_cast<float>(width),
                      (static_cast<float>(y) + 0.5f) / static_cast<float>(height)});
}

namespace {

struct Hit {
    float distance = std::numeric_limits<float>::max();
    glm::vec2 uv{0.0f};
};

// A ray from the centre along `d` against one triangle, with uv at the corners.
void TryTriangle(glm::vec3 d, glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec2 ua, glm::vec2 ub, glm::vec2 uc,
                 Hit& best) {
    const glm::vec3 e1 = b - a;
    const glm::vec3 e2 = c - a;
    const glm::vec3 p = glm::cross(d, e2);
    const float det = glm::dot(e1, p);
    if (std::abs(det) < 1e-9f) return;
    const glm::vec3 s = -a;  // the ray starts at the centre
    const float beta = glm::dot(s, p) / det;
    const glm::vec3 q = glm::cross(s, e1);
    const float gamma = glm::dot(d, q) / det;
    const float t = glm::dot(e2, q) / det;
    const float slack = -1e-5f;
    if (beta < slack || gamma < slack || beta + gamma > 1.0f - slack || t <= 0.0f || t >= best.distance) return;
    best.distance = t;
    best.uv = ua + beta * (ub - ua) + gamma * (uc - ua);
}

}  // namespace

glm::vec2 SphereMap::Uv(glm::vec3 direction) const {
    const glm::vec3 d = glm::normalize(direction);
    Hit best;
    const float su = 1.0f / static_cast<float>(slices_);
    const float sv = 1.0f / static_cast<float>(stacks_);
    for (int stack = 0; stack < stacks_; ++stack) {
        for (int slice = 0; slice < slices_; ++slice) {
            const glm::vec2 uvTl(slice * su, stack * sv), uvBl(slice * su, (stack + 1) * sv);
            const glm::vec2 uvTr((slice + 1) * su, stack * sv), uvBr((slice + 1) * su, (stack + 1) * sv);
            TryTriangle(d, Vertex(stack, slice), Vertex(stack + 1, slice), Vertex(stack, slice + 1), uvTl, uvBl, uvTr,
                        best);
            TryTriangle(d, Vertex(stack, slice + 1), Vertex(stack + 1, slice), Vertex(stack + 1, slice + 1), uvTr,
                        uvBl, uvBr, best);
        }
    }
    glm::vec2 uv = best.uv;
    uv.x -= std::floor(uv.x);
    uv.y = std::clamp(uv.y, 0.0f, 1.0f);
    return uv;
}

}  // namespace kr::toolkit
