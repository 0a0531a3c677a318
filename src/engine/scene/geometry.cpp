#include "engine/scene/geometry.hpp"

#include <cmath>

#include <glm/gtc/constants.hpp>

namespace kr::scene {

std::size_t Geometry::TriangleCount() const {
    std::size_t count = 0;
    for (const auto& p : primitives) count += p.indices.size() / 3;
    return count;
}

const std::shared_ptr<const collision::TriangleBvh>& Geometry::CollisionShape() const {
    if (!collisionShape_) collisionShape_ = std::make_shared<const collision::TriangleBvh>(primitives);
    return collisionShape_;
}

namespace {

Geometry Single(model::Primitive primitive) {
    Geometry g;
    g.primitives.push_back(std::move(primitive));
    g.materials.emplace_back();
    g.textures.push_back(0);
    g.bounds = model::BoundsOf(g.primitives);
    return g;
}

}  // namespace

Geometry MakeSphere(float radius, int slices, int stacks) {
    slices = std::max(slices, 3);
    stacks = std::max(stacks, 2);
    model::Primitive p;
    for (int stack = 0; stack <= stacks; ++stack) {
        float v = static_cast<float>(stack) / static_cast<float>(stacks);
        float phi = v * glm::pi<float>();
        for (int slice = 0; slice <= slices; ++slice) {
            float u = static_cast<float>(slice) / static_cast<float>(slices);
            float theta = u * glm::two_pi<float>();
            glm::vec3 n(std::sin(phi) * std::cos(theta), std::cos(phi), std::sin(phi) * std::sin(theta));
            model::Vertex vertex;
            vertex.position = n * radius;
            vertex.normal = n;
            vertex.uv = glm::vec2(u, v);
            p.vertices.push_back(vertex);
        }
    }
    auto index = [slices](int stack, int slice) { return static_cast<std::uint32_t>(stack * (slices + 1) + slice); };
    for (int stack = 0; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            // Counter-clockwise seen from outside, as model files wind their faces.
            p.indices.insert(p.indices.end(), {index(stack, slice), index(stack, slice + 1), index(stack + 1, slice),
                                               index(stack, slice + 1), index(stack + 1, slice + 1),
                                               index(stack + 1, slice)});
        }
    }
    return Single(std::move(p));
}

Geometry MakeBox(float width, float height, float depth) {
    glm::vec3 half(width / 2, height / 2, depth / 2);
    model::Primitive p;
    const glm::vec3 normals[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const glm::vec3& n : normals) {
        // Two axes across the face, chosen so the corners wind the same way.
        glm::vec3 a = std::abs(n.y) > 0.5f ? glm::vec3(1, 0, 0) : glm::vec3(0, 1, 0);
        glm::vec3 b = glm::cross(n, a);
        auto base = static_cast<std::uint32_t>(p.vertices.size());
        const glm::vec2 corners[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const glm::vec2& c : corners) {
            model::Vertex vertex;
            vertex.position = (n + a * c.x + b * c.y) * half;
            vertex.normal = n;
            vertex.uv = (c + 1.0f) * 0.5f;
            p.vertices.push_back(vertex);
        }
        p.indices.insert(p.indices.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
    }
    return Single(std::move(p));
}

Geometry FromPrimitives(std::vector<model::Primitive> primitives, const std::vector<model::Material>& materials) {
    Geometry g;
    for (auto& p : primitives) {
        bool known = p.material >= 0 && p.material < static_cast<int>(materials.size());
        g.materials.push_back(known ? materials[p.material] : model::Material{});
        g.textures.push_back(0);
    }
    g.primitives = std::move(primitives);
    g.bounds = model::BoundsOf(g.primitives);
    return g;
}

}  // namespace kr::scene
