#include <cmath>
#include <optional>

#include "engine/model/accessors.hpp"
#include "engine/model/load_parts.hpp"
#include "engine/model/triangles.hpp"

namespace kr::model {
namespace {

constexpr std::uint32_t kMaxJointIndex = 0xffff;
constexpr float kWeightSumTolerance = 1e-5f;

// Vertex attributes are vectors; their type constant is their length.
static_assert(TINYGLTF_TYPE_VEC2 == 2 && TINYGLTF_TYPE_VEC3 == 3 && TINYGLTF_TYPE_VEC4 == 4);

// The attribute's accessor, or -1 when the primitive lacks it.
int AttributeAccessor(const tinygltf::Primitive& primitive, const char* name) {
    const auto found = primitive.attributes.find(name);
    return found == primitive.attributes.end() ? -1 : found->second;
}

class PrimitiveReader {
public:
    PrimitiveReader(const GltfSource& source, const tinygltf::Primitive& in, std::string label)
        : source_(source), in_(in), label_(std::move(label)) {}

    Primitive Read() {
        Primitive out;
        ReadPositions(out);
        ReadNormals(out);
        ReadUvs(out);
        ReadJoints(out);
        ReadWeights(out);
        out.indices = ReadTriangleIndices(out.vertices.size());
        out.material = in_.material;
        if (out.material != -1) {
            CheckIndex(source_, out.material, source_.gltf.materials.size(), "material of " + label_);
        }
        if (!hasNormals_) MakeFlatShaded(out);
        return out;
    }

private:
    std::vector<float> Attribute(const char* name, int type, FloatComponents allowed, std::size_t vertices) {
        const int accessor = AttributeAccessor(in_, name);
        if (accessor == -1) return {};
        const std::string role = label_ + " " + name;
        std::vector<float> values = ReadFloats(source_, accessor, type, allowed, role);
        CheckCount(values.size(), vertices * static_cast<std::size_t>(type), role);
        return values;
    }

    void CheckCount(std::size_t values, std::size_t expected, const std::string& role) const {
        if (values != expected) {
            source_.Fail(role + " has " + std::to_string(values) + " values, expected " + std::to_string(expected) +
                         " for the primitive's vertices");
        }
    }

    void ReadPositions(Primitive& out) {
        const int accessor = AttributeAccessor(in_, "POSITION");
        if (accessor == -1) source_.Fail(label_ + " has no POSITION");
        const std::vector<float> p =
            ReadFloats(source_, accessor, TINYGLTF_TYPE_VEC3, FloatComponents::Any, label_ + " POSITION");
        out.vertices.resize(p.size() / 3);
        for (std::size_t v = 0; v < out.vertices.size(); ++v) {
            out.vertices[v].position = {p[v * 3], p[v * 3 + 1], p[v * 3 + 2]};
        }
    }

    void ReadNormals(Primitive& out) {
        const std::vector<float> n = Attribute("NORMAL", TINYGLTF_TYPE_VEC3, FloatComponents::Any, out.vertices.size());
        hasNormals_ = !n.empty();
        for (std::size_t v = 0; hasNormals_ && v < out.vertices.size(); ++v) {
            out.vertices[v].normal = {n[v * 3], n[v * 3 + 1], n[v * 3 + 2]};
        }
    }

    void ReadUvs(Primitive& out) {
        const std::vector<float> uv =
            Attribute("TEXCOORD_0", TINYGLTF_TYPE_VEC2, FloatComponents::Any, out.vertices.size());
        for (std::size_t v = 0; !uv.empty() && v < out.vertices.size(); ++v) {
            out.vertices[v].uv = {uv[v * 2], uv[v * 2 + 1]};
        }
    }

    void ReadJoints(Primitive& out) {
        const int accessor = AttributeAccessor(in_, "JOINTS_0");
        if (accessor == -1) return;
        const std::string role = label_ + " JOINTS_0";
        const std::vector<std::uint32_t> j = ReadUnsigned(source_, accessor, TINYGLTF_TYPE_VEC4, role);
        CheckCount(j.size(), out.vertices.size() * 4, role);
        for (std::size_t i = 0; i < j.size(); ++i) {
            if (j[i] > kMaxJointIndex) source_.Fail(role + " holds joint index " + std::to_string(j[i]));
            out.vertices[i / 4].joints[static_cast<int>(i % 4)] = static_cast<std::uint16_t>(j[i]);
        }
    }

    void ReadWeights(Primitive& out) {
        const std::vector<float> w =
            Attribute("WEIGHTS_0", TINYGLTF_TYPE_VEC4, FloatComponents::FloatOrNormalized, out.vertices.size());
        for (std::size_t v = 0; !w.empty() && v < out.vertices.size(); ++v) {
            glm::vec4 weights(0.0f);
            // Negative and non-numeric weights count as none.
            for (int i = 0; i < 4; ++i) {
                const float value = w[v * 4 + static_cast<std::size_t>(i)];
                weights[i] = value > 0.0f ? value : 0.0f;
            }
            const float sum = weights.x + weights.y + weights.z + weights.w;
            // Exporters often round weights so that they miss 1; sums close
            // enough are kept as they are, so that a rewritten model loads
            // back unchanged.
            if (sum > 0.0f && std::abs(sum - 1.0f) > kWeightSumTolerance) weights /= sum;
            out.vertices[v].weights = weights;
        }
    }

    std::vector<std::uint32_t> ReadTriangleIndices(std::size_t vertexCount) const {
        std::vector<std::uint32_t> indices;
        if (in_.indices == -1) {
            indices.resize(vertexCount);
            for (std::size_t i = 0; i < vertexCount; ++i) indices[i] = static_cast<std::uint32_t>(i);
        } else {
            indices = ReadUnsigned(source_, in_.indices, TINYGLTF_TYPE_SCALAR, label_ + " indices");
            for (std::uint32_t index : indices) {
                if (index >= vertexCount) {
                    source_.Fail(label_ + " index " + std::to_string(index) + " is past its " +
                                 std::to_string(vertexCount) + " vertices");
                }
            }
        }
        if (in_.mode == TINYGLTF_MODE_TRIANGLE_STRIP) return StripToList(indices);
        if (in_.mode == TINYGLTF_MODE_TRIANGLE_FAN) return FanToList(indices);
        if (indices.size() % 3 != 0) {
            source_.Fail(label_ + " has " + std::to_string(indices.size()) + " indices, not whole triangles");
        }
        return indices;
    }

    const GltfSource& source_;
    const tinygltf::Primitive& in_;
    std::string label_;
    bool hasNormals_ = false;
};

bool IsPointsOrLines(int mode) { return mode >= TINYGLTF_MODE_POINTS && mode <= TINYGLTF_MODE_LINE_STRIP; }

bool IsTriangles(int mode) {
    return mode == TINYGLTF_MODE_TRIANGLES || mode == TINYGLTF_MODE_TRIANGLE_STRIP ||
           mode == TINYGLTF_MODE_TRIANGLE_FAN;
}

// Points and lines have nothing to draw as triangles and are left out.
std::optional<Primitive> ConvertPrimitive(const GltfSource& source, const tinygltf::Primitive& in,
                                          const std::string& label) {
    if (IsPointsOrLines(in.mode)) return std::nullopt;
    if (!IsTriangles(in.mode)) source.Fail(label + " has unknown mode " + std::to_string(in.mode));
    Primitive out = PrimitiveReader(source, in, label).Read();
    if (out.indices.empty()) return std::nullopt;
    return out;
}

}  // namespace

void LoadMeshes(const GltfSource& source, Model& model) {
    model.meshes.clear();
    for (std::size_t m = 0; m < source.gltf.meshes.size(); ++m) {
        const tinygltf::Mesh& in = source.gltf.meshes[m];
        Mesh mesh;
        mesh.name = in.name;
        for (std::size_t p = 0; p < in.primitives.size(); ++p) {
            const std::string label = Describe("mesh", m) + " " + Describe("primitive", p);
            if (auto primitive = ConvertPrimitive(source, in.primitives[p], label)) {
                mesh.primitives.push_back(std::move(*primitive));
            }
        }
        model.meshes.push_back(std::move(mesh));
    }
}

}  // namespace kr::model
