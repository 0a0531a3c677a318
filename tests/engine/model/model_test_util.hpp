#pragma once
// Helpers for the model tests: corpus files read in place, a minimal GLB
// builder for hand-made documents, and a plain reader of a GLB's JSON and
// float accessors that shares no code with the loader (used to compute
// expected values independently).

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include <glm/glm.hpp>
#include <nlohmann/json.hpp>

#include "engine/error.hpp"
#include "engine/model/glb.hpp"

namespace kr::model::test {

inline std::string CorpusPath(const std::string& name) { return std::string(KR_CORPUS_DIR) + "/gltf/" + name; }

inline Bytes ReadCorpus(const std::string& name) {
    std::ifstream file(CorpusPath(name), std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing corpus file " << name;
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline Model LoadCorpus(const std::string& name) { return LoadGlb(ReadCorpus(name), name); }

// Runs `call` and expects a FileError whose message names `fileName`.
template <typename Call>
void ExpectFileError(Call call, const std::string& fileName, const std::string& context = "") {
    try {
        call();
        ADD_FAILURE() << "no FileError " << context;
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), fileName) << context;
        EXPECT_NE(std::string(error.what()).find(fileName), std::string::npos) << context;
    }
}

inline void PutU32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutFloat(Bytes& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    PutU32(out, bits);
}

// A GLB file of `json` and `bin`, each chunk padded to 4 bytes.
inline Bytes MakeGlb(const std::string& json, Bytes bin) {
    std::string text = json;
    while (text.size() % 4 != 0) text += ' ';
    while (bin.size() % 4 != 0) bin.push_back(0);
    Bytes out;
    PutU32(out, 0x46546C67);
    PutU32(out, 2);
    PutU32(out, static_cast<std::uint32_t>(12 + 8 + text.size() + (bin.empty() ? 0 : 8 + bin.size())));
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    PutU32(out, 0x4E4F534A);
    out.insert(out.end(), text.begin(), text.end());
    if (!bin.empty()) {
        PutU32(out, static_cast<std::uint32_t>(bin.size()));
        PutU32(out, 0x004E4942);
        out.insert(out.end(), bin.begin(), bin.end());
    }
    return out;
}

// The JSON chunk and binary chunk of a well-formed GLB file, read plainly.
struct RawGlb {
    nlohmann::json doc;
    Bytes bin;

    explicit RawGlb(const Bytes& file) {
        auto u32 = [&](std::size_t at) {
            return static_cast<std::uint32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24);
        };
        const std::size_t jsonLength = u32(12);
        doc = nlohmann::json::parse(file.begin() + 20, file.begin() + 20 + static_cast<std::ptrdiff_t>(jsonLength));
        const std::size_t binStart = 20 + jsonLength + 8;
        if (binStart <= file.size()) bin.assign(file.begin() + static_cast<std::ptrdiff_t>(binStart), file.end());
    }

    // A dense float accessor (no sparse, no normalization), element by element.
    std::vector<float> Floats(int accessor) const {
        const auto& a = doc["accessors"][accessor];
        const auto& view = doc["bufferViews"][a["bufferView"].get<int>()];
        const std::size_t width = TypeWidth(a["type"].get<std::string>());
        const std::size_t stride = view.value("byteStride", width * 4);
        const std::size_t start = view.value("byteOffset", 0u) + a.value("byteOffset", 0u);
        std::vector<float> values;
        for (std::size_t e = 0; e < a["count"].get<std::size_t>(); ++e) {
            for (std::size_t c = 0; c < width; ++c) {
                float v;
                std::memcpy(&v, &bin[start + e * stride + c * 4], 4);
                values.push_back(v);
            }
        }
        return values;
    }

    static std::size_t TypeWidth(const std::string& type) {
        if (type == "SCALAR") return 1;
        if (type == "VEC2") return 2;
        if (type == "VEC3") return 3;
        if (type == "VEC4") return 4;
        return 16;
    }
};

inline void ExpectNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance, const std::string& what) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << what << " component " << i;
}

inline void ExpectNear(const glm::mat4& actual, const glm::mat4& expected, float tolerance, const std::string& what) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(actual[c][r], expected[c][r], tolerance) << what << " [" << c << "][" << r << "]";
        }
    }
}

// Field-by-field equality; floats must match exactly (they survive a write
// and a load bit for bit).
inline void ExpectSameModel(const Model& a, const Model& b) {
    ASSERT_EQ(a.nodes.size(), b.nodes.size());
    for (std::size_t i = 0; i < a.nodes.size(); ++i) {
        const Node& x = a.nodes[i];
        const Node& y = b.nodes[i];
        EXPECT_EQ(x.name, y.name) << "node " << i;
        EXPECT_EQ(x.parent, y.parent) << "node " << i;
        EXPECT_EQ(x.children, y.children) << "node " << i;
        EXPECT_EQ(x.translation, y.translation) << "node " << i;
        EXPECT_EQ(x.rotation, y.rotation) << "node " << i;
        EXPECT_EQ(x.scale, y.scale) << "node " << i;
        EXPECT_EQ(x.mesh, y.mesh) << "node " << i;
        EXPECT_EQ(x.skin, y.skin) << "node " << i;
    }
    EXPECT_EQ(a.roots, b.roots);
    ASSERT_EQ(a.meshes.size(), b.meshes.size());
    for (std::size_t m = 0; m < a.meshes.size(); ++m) {
        EXPECT_EQ(a.meshes[m].name, b.meshes[m].name);
        ASSERT_EQ(a.meshes[m].primitives.size(), b.meshes[m].primitives.size());
        for (std::size_t p = 0; p < a.meshes[m].primitives.size(); ++p) {
            const Primitive& x = a.meshes[m].primitives[p];
            const Primitive& y = b.meshes[m].primitives[p];
            EXPECT_EQ(x.indices, y.indices) << "mesh " << m << " primitive " << p;
            EXPECT_EQ(x.material, y.material) << "mesh " << m << " primitive " << p;
            ASSERT_EQ(x.vertices.size(), y.vertices.size());
            for (std::size_t v = 0; v < x.vertices.size(); ++v) {
                const Vertex& s = x.vertices[v];
                const Vertex& t = y.vertices[v];
                const bool same = s.position == t.position && s.normal == t.normal && s.uv == t.uv &&
                                  s.joints == t.joints && s.weights == t.weights;
                ASSERT_TRUE(same) << "mesh " << m << " primitive " << p << " vertex " << v;
            }
        }
    }
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (std::size_t i = 0; i < a.materials.size(); ++i) {
        const Material& x = a.materials[i];
        const Material& y = b.materials[i];
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.baseColour, y.baseColour);
        EXPECT_EQ(x.emissive, y.emissive);
        EXPECT_EQ(x.metallic, y.metallic);
        EXPECT_EQ(x.roughness, y.roughness);
        EXPECT_EQ(x.image, y.image);
        EXPECT_EQ(x.wrapS, y.wrapS);
        EXPECT_EQ(x.wrapT, y.wrapT);
        EXPECT_EQ(x.alphaMode, y.alphaMode);
        if (x.alphaMode == AlphaMode::Mask) {
            EXPECT_EQ(x.alphaCutoff, y.alphaCutoff);
        }
        EXPECT_EQ(x.doubleSided, y.doubleSided) << "material " << i;
    }
    ASSERT_EQ(a.images.size(), b.images.size());
    for (std::size_t i = 0; i < a.images.size(); ++i) {
        EXPECT_EQ(a.images[i].name, b.images[i].name);
        EXPECT_EQ(a.images[i].mimeType, b.images[i].mimeType);
        EXPECT_EQ(a.images[i].encoded, b.images[i].encoded);
    }
    ASSERT_EQ(a.skins.size(), b.skins.size());
    for (std::size_t i = 0; i < a.skins.size(); ++i) {
        EXPECT_EQ(a.skins[i].name, b.skins[i].name);
        EXPECT_EQ(a.skins[i].joints, b.skins[i].joints);
        EXPECT_EQ(a.skins[i].inverseBind, b.skins[i].inverseBind);
        EXPECT_EQ(a.skins[i].skeleton, b.skins[i].skeleton);
    }
    ASSERT_EQ(a.animations.size(), b.animations.size());
    for (std::size_t i = 0; i < a.animations.size(); ++i) {
        const Animation& x = a.animations[i];
        const Animation& y = b.animations[i];
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.duration, y.duration);
        ASSERT_EQ(x.channels.size(), y.channels.size());
        for (std::size_t c = 0; c < x.channels.size(); ++c) {
            EXPECT_EQ(x.channels[c].node, y.channels[c].node);
            EXPECT_EQ(x.channels[c].path, y.channels[c].path);
            EXPECT_EQ(x.channels[c].sampler, y.channels[c].sampler);
        }
        ASSERT_EQ(x.samplers.size(), y.samplers.size());
        for (std::size_t s = 0; s < x.samplers.size(); ++s) {
            EXPECT_EQ(x.samplers[s].times, y.samplers[s].times);
            EXPECT_EQ(x.samplers[s].values, y.samplers[s].values);
            EXPECT_EQ(x.samplers[s].interpolation, y.samplers[s].interpolation);
        }
    }
}

}  // namespace kr::model::test
