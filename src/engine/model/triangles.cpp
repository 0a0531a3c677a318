#include "engine/model/triangles.hpp"

#include <glm/geometric.hpp>

namespace kr::model {

std::vector<std::uint32_t> StripToList(const std::vector<std::uint32_t>& strip) {
    std::vector<std::uint32_t> list;
    for (std::size_t i = 0; i + 2 < strip.size(); ++i) {
        const bool odd = i % 2 == 1;
        list.insert(list.end(), {strip[i], strip[odd ? i + 2 : i + 1], strip[odd ? i + 1 : i + 2]});
    }
    return list;
}

std::vector<std::uint32_t> FanToList(const std::vector<std::uint32_t>& fan) {
    std::vector<std::uint32_t> list;
    for (std::size_t i = 0; i + 2 < fan.size(); ++i) list.insert(list.end(), {fan[i + 1], fan[i + 2], fan[0]});
    return list;
}

void MakeFlatShaded(Primitive& primitive) {
    std::vector<Vertex> flat;
    flat.reserve(primitive.indices.size());
    for (std::size_t t = 0; t + 2 < primitive.indices.size(); t += 3) {
        Vertex corners[3];
        for (int c = 0; c < 3; ++c) corners[c] = primitive.vertices[primitive.indices[t + static_cast<std::size_t>(c)]];
        const glm::vec3 face =
            glm::cross(corners[1].position - corners[0].position, corners[2].position - corners[0].position);
        const float length = glm::length(face);
        for (Vertex& corner : corners) {
            corner.normal = length > 0.0f ? face / length : Vertex{}.normal;
            flat.push_back(corner);
        }
    }
    primitive.vertices = std::move(flat);
    primitive.indices.resize(primitive.vertices.size());
    for (std::size_t i = 0; i < primitive.indices.size(); ++i) primitive.indices[i] = static_cast<std::uint32_t>(i);
}

}  // namespace kr::model
