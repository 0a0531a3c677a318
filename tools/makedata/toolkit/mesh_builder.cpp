#include "toolkit/mesh_builder.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <unordered_map>
#include <utility>

namespace kr::toolkit {
namespace {

// Points closer than this (relative to the model's size) are one point.
constexpr float kWeldTolerance = 1e-5f;

struct CellKey {
    std::int64_t x, y, z;
    bool operator==(const CellKey&) const = default;
};

struct CellKeyHash {
    std::size_t operator()(const CellKey& k) const {
        std::uint64_t h = static_cast<std::uint64_t>(k.x) * 0x9E3779B97F4A7C15ULL;
        h ^= static_cast<std::uint64_t>(k.y) * 0xC2B2AE3D27D4EB4FULL + (h << 6) + (h >> 2);
        h ^= static_cast<std::uint64_t>(k.z) * 0x165667B19E3779F9ULL + (h << 6) + (h >> 2);
        return static_cast<std::size_t>(h);
    }
};

// Gives every distinct point an id; points within the tolerance share one.
class Welder {
public:
    explicit Welder(float tolerance) : tolerance_(tolerance) {}

    int Id(glm::vec3 p) {
        const CellKey home = KeyOf(p);
        for (std::int64_t dz = -1; dz <= 1; ++dz)
            for (std::int64_t dy = -1; dy <= 1; ++dy)
                for (std::int64_t dx = -1; dx <= 1; ++dx) {
                    auto found = cells_.find({home.x + dx, home.y + dy, home.z + dz});
                    if (found == cells_.end()) continue;
                    for (int id : found->second)
                        if (glm::length(points_[id] - p) <= tolerance_) return id;
                }
        points_.push_back(p);
        const int id = static_cast<int>(points_.size()) - 1;
        cells_[home].push_back(id);
        return id;
    }

    const std::vector<glm::vec3>& points() const { return points_; }

private:
    CellKey KeyOf(glm::vec3 p) const {
        const glm::vec3 c = glm::floor(p / tolerance_);
        return {static_cast<std::int64_t>(c.x), static_cast<std::int64_t>(c.y), static_cast<std::int64_t>(c.z)};
    }

    float tolerance_;
    std::vector<glm::vec3> points_;
    std::unordered_map<CellKey, std::vector<int>, CellKeyHash> cells_;
};

struct Face {
    const Triangle* triangle;
    int point[3];         // welded point ids
    glm::vec3 normal;     // unit
    float angle[3];       // interior angle at each corner
};

float CornerAngle(glm::vec3 at, glm::vec3 a, glm::vec3 b) {
    const glm::vec3 u = glm::normalize(a - at);
    const glm::vec3 v = glm::normalize(b - at);
    return std::acos(std::clamp(glm::dot(u, v), -1.0f, 1.0f));
}

float Tolerance(const Surface& surface) {
    const Bounds3 b = surface.Bounds();
    const float size = std::max({b.max.x - b.min.x, b.max.y - b.min.y, b.max.z - b.min.z});
    return std::max(size * kWeldTolerance, 1e-7f);
}

struct WeldedSurface {
    std::vector<Face> faces;
    std::vector<glm::vec3> points;  // by welded id
};

WeldedSurface Weld(const Surface& surface, MeshStats& stats) {
    Welder welder(Tolerance(surface));
    std::vector<Face> faces;
    faces.reserve(surface.triangles().size());
    for (const Triangle& t : surface.triangles()) {
        Face f{&t, {}, {}, {}};
        for (int k = 0; k < 3; ++k) f.point[k] = welder.Id(t.corners[k].position);
        const glm::vec3 area = AreaVector(t);
        if (f.point[0] == f.point[1] || f.point[1] == f.point[2] || f.point[0] == f.point[2] ||
            glm::length(area) <= 0.0f) {
            ++stats.degenerate;
            continue;
        }
        f.normal = glm::normalize(area);
        for (int k = 0; k < 3; ++k) {
            f.angle[k] = CornerAngle(t.corners[k].position, t.corners[(k + 1) % 3].position,
                                     t.corners[(k + 2) % 3].position);
        }
        faces.push_back(f);
    }
    return {std::move(faces), welder.points()};
}

struct Incidence {
    int face;
    int corner;
};

// For every welded point, the face corners that sit on it, in face order.
std::vector<std::vector<Incidence>> CornersByPoint(const std::vector<Face>& faces, std::size_t points) {
    std::vector<std::vector<Incidence>> byPoint(points);
    for (int i = 0; i < static_cast<int>(faces.size()); ++i)
        for (int k = 0; k < 3; ++k) byPoint[faces[i].point[k]].push_back({i, k});
    return byPoint;
}

// Angle-weighted average of the normals of the faces around the corner that
// meet this face at less than the crease angle.
glm::vec3 CornerNormal(const std::vector<Face>& faces, const std::vector<Incidence>& around, const Face& face,
                       float cosCrease) {
    glm::vec3 sum(0.0f);
    for (const Incidence& other : around) {
        const Face& f = faces[other.face];
        if (glm::dot(f.normal, face.normal) >= cosCrease) sum += f.normal * f.angle[other.corner];
    }
    const float length = glm::length(sum);
    return length > 0.0f ? sum / length : face.normal;
}

// Identity of an output vertex: welded point, normal and uv, bit for bit.
struct VertexKey {
    int point;
    std::uint32_t bits[5];
    bool operator==(const VertexKey&) const = default;
};

struct VertexKeyHash {
    std::size_t operator()(const VertexKey& k) const {
        std::uint64_t h = static_cast<std::uint64_t>(k.point) * 0x9E3779B97F4A7C15ULL;
        for (std::uint32_t b : k.bits) h = (h ^ b) * 0x100000001B3ULL;
        return static_cast<std::size_t>(h);
    }
};

std::uint32_t Bits(float v) {
    if (v == 0.0f) v = 0.0f;  // -0 and +0 are one value
    std::uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

}  // namespace

MeshBuilder::MeshBuilder(float creaseAngleDegrees)
    : cosCrease_(std::cos(glm::radians(std::clamp(creaseAngleDegrees, 0.0f, 180.0f)))) {}

void MeshBuilder::Add(const Surface& surface) { surface_.Append(surface); }

void MeshBuilder::Add(const Surface& surface, int material) {
    Surface copy = surface;
    copy.SetMaterial(material);
    surface_.Append(copy);
}

model::Mesh MeshBuilder::Build(std::string name) const {
    stats_ = {};
    const WeldedSurface welded = Weld(surface_, stats_);
    const std::vector<Face>& faces = welded.faces;
    const auto byPoint = CornersByPoint(faces, welded.points.size());
    std::map<int, model::Primitive> primitives;
    std::map<int, std::unordered_map<VertexKey, std::uint32_t, VertexKeyHash>> seen;
    for (const Face& face : faces) {
        const int material = face.triangle->material;
        model::Primitive& primitive = primitives[material];
        primitive.material = material;
        auto& index = seen[material];
        for (int k = 0; k < 3; ++k) {
            const Corner& corner = face.triangle->corners[k];
            const glm::vec3 normal = CornerNormal(faces, byPoint[face.point[k]], face, cosCrease_);
            const VertexKey key{face.point[k], {Bits(normal.x), Bits(normal.y), Bits(normal.z), Bits(corner.uv.x), Bits(corner.uv.y)}};
            auto [it, added] = index.try_emplace(key, static_cast<std::uint32_t>(primitive.vertices.size()));
            if (added) {
                model::Vertex v;
                v.position = welded.points[face.point[k]];
                v.normal = normal;
                v.uv = corner.uv;
                primitive.vertices.push_back(v);
            }
            primitive.indices.push_back(it->second);
        }
        ++stats_.triangles;
    }
    model::Mesh mesh;
    mesh.name = std::move(name);
    for (auto& [material, primitive] : primitives) {
        stats_.vertices += static_cast<int>(primitive.vertices.size());
        mesh.primitives.push_back(std::move(primitive));
    }
    return mesh;
}

}  // namespace kr::toolkit
