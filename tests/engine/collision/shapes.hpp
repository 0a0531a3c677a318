#pragma once
// Small meshes and random numbers for the collision tests.

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include <glm/glm.hpp>

#include "engine/collision/triangle_bvh.hpp"

namespace kr::collision::testing {

struct Soup {
    std::vector<glm::vec3> positions;
    std::vector<std::uint32_t> indices;
};

// The twelve triangles of an axis-aligned box.
inline Soup BoxSoup(const glm::vec3& low, const glm::vec3& high) {
    Soup soup;
    for (int i = 0; i < 8; ++i)
        soup.positions.push_back({i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z});
    soup.indices = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                    2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
    return soup;
}

inline std::shared_ptr<const TriangleBvh> Share(const Soup& soup) {
    return std::make_shared<const TriangleBvh>(soup.positions, soup.indices);
}

inline std::shared_ptr<const TriangleBvh> BoxMesh(const glm::vec3& low, const glm::vec3& high) {
    return Share(BoxSoup(low, high));
}

// Deterministic uniform numbers, the same on every library.
class Numbers {
public:
    explicit Numbers(std::uint32_t seed) : engine_(seed) {}
    float Uniform(float low, float high) {
        return low + (high - low) * static_cast<float>(engine_() / 4294967296.0);
    }
    glm::vec3 Point(const glm::vec3& low, const glm::vec3& high) {
        float x = Uniform(low.x, high.x), y = Uniform(low.y, high.y), z = Uniform(low.z, high.z);
        return {x, y, z};
    }
    std::uint32_t Below(std::uint32_t n) { return engine_() % n; }

private:
    std::mt19937 engine_;
};

}  // namespace kr::collision::testing
