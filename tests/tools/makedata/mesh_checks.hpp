#pragma once
// Geometric checks on built meshes shared by the toolkit tests.

#include <cstdint>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include <glm/glm.hpp>

#include "engine/model/model.hpp"

namespace kr::toolkit::test {

// Positions shared between primitives and uv seams compare as equal when
// they are the same point.
inline std::tuple<long, long, long> PointKey(glm::vec3 p) {
    const auto q = [](float v) { return static_cast<long>(std::lround(v * 1e4f)); };
    return {q(p.x), q(p.y), q(p.z)};
}

// Number of edges (between distinct points) that are not matched by exactly
// one edge running the other way: 0 for a closed, consistently wound surface.
inline int OpenOrInconsistentEdges(const model::Mesh& mesh) {
    std::map<std::pair<std::tuple<long, long, long>, std::tuple<long, long, long>>, int> directed;
    for (const auto& p : mesh.primitives)
        for (std::size_t i = 0; i + 2 < p.indices.size(); i += 3)
            for (int k = 0; k < 3; ++k) {
                const auto a = PointKey(p.vertices[p.indices[i + k]].position);
                const auto b = PointKey(p.vertices[p.indices[i + (k + 1) % 3]].position);
                ++directed[{a, b}];
            }
    int bad = 0;
    for (const auto& [edge, count] : directed) {
        const auto reverse = directed.find({edge.second, edge.first});
        if (count != 1 || reverse == directed.end() || reverse->second != 1) ++bad;
    }
    return bad;
}

// Signed volume enclosed (positive when triangles face outwards).
inline double Volume(const model::Mesh& mesh) {
    double volume = 0.0;
    for (const auto& p : mesh.primitives)
        for (std::size_t i = 0; i + 2 < p.indices.size(); i += 3) {
            const glm::dvec3 a = p.vertices[p.indices[i]].position;
            const glm::dvec3 b = p.vertices[p.indices[i + 1]].position;
            const glm::dvec3 c = p.vertices[p.indices[i + 2]].position;
            volume += glm::dot(a, glm::cross(b, c)) / 6.0;
        }
    return volume;
}

inline int TriangleCount(const model::Mesh& mesh) {
    int count = 0;
    for (const auto& p : mesh.primitives) count += static_cast<int>(p.indices.size() / 3);
    return count;
}

inline int VertexCount(const model::Mesh& mesh) {
    int count = 0;
    for (const auto& p : mesh.primitives) count += static_cast<int>(p.vertices.size());
    return count;
}

}  // namespace kr::toolkit::test
