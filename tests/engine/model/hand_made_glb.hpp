#pragma once
// A small hand-made GLB document to vary: one skinned triangle on node 0,
// its joint node 1 with a two-key translation animation.
//
// Binary layout (bytes): positions 0..36, normals 36..72, u16 indices
// 72..78, key times 80..88, translations 88..112, one MAT4 112..176, u8
// joints 176..188, float weights 188..236.

#include <cstring>

#include "model_test_util.hpp"

namespace kr::model::test {

struct HandMadeGlb {
    nlohmann::json doc;
    Bytes bin;

    HandMadeGlb() {
        for (float v : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) PutFloat(bin, v);
        for (int i = 0; i < 3; ++i) {
            for (float v : {0.f, 0.f, 1.f}) PutFloat(bin, v);
        }
        for (std::uint8_t b : {0, 0, 1, 0, 2, 0, 0, 0}) bin.push_back(b);
        for (float v : {0.f, 1.f}) PutFloat(bin, v);
        for (float v : {0.f, 0.f, 0.f, 0.f, 2.f, 0.f}) PutFloat(bin, v);
        for (int i = 0; i < 16; ++i) PutFloat(bin, i % 5 == 0 ? 1.f : 0.f);
        bin.resize(bin.size() + 12, 0);
        for (int i = 0; i < 3; ++i) {
            for (float v : {1.f, 0.f, 0.f, 0.f}) PutFloat(bin, v);
        }
        doc = nlohmann::json::parse(R"({
          "asset": {"version": "2.0"},
          "scene": 0,
          "scenes": [{"nodes": [0, 1]}],
          "nodes": [{"mesh": 0, "skin": 0}, {"name": "joint"}],
          "meshes": [{"primitives": [{"attributes": {"POSITION": 0, "NORMAL": 1, "JOINTS_0": 6, "WEIGHTS_0": 7},
                                      "indices": 2}]}],
          "skins": [{"joints": [1], "inverseBindMatrices": 5}],
          "animations": [{"channels": [{"sampler": 0, "target": {"node": 1, "path": "translation"}}],
                          "samplers": [{"input": 3, "output": 4}]}],
          "accessors": [
            {"bufferView": 0, "componentType": 5126, "count": 3, "type": "VEC3"},
            {"bufferView": 1, "componentType": 5126, "count": 3, "type": "VEC3"},
            {"bufferView": 2, "componentType": 5123, "count": 3, "type": "SCALAR"},
            {"bufferView": 3, "componentType": 5126, "count": 2, "type": "SCALAR", "min": [0], "max": [1]},
            {"bufferView": 4, "componentType": 5126, "count": 2, "type": "VEC3"},
            {"bufferView": 5, "componentType": 5126, "count": 1, "type": "MAT4"},
            {"bufferView": 6, "componentType": 5121, "count": 3, "type": "VEC4"},
            {"bufferView": 7, "componentType": 5126, "count": 3, "type": "VEC4"}],
          "bufferViews": [
            {"buffer": 0, "byteOffset": 0, "byteLength": 36},
            {"buffer": 0, "byteOffset": 36, "byteLength": 36},
            {"buffer": 0, "byteOffset": 72, "byteLength": 6},
            {"buffer": 0, "byteOffset": 80, "byteLength": 8},
            {"buffer": 0, "byteOffset": 88, "byteLength": 24},
            {"buffer": 0, "byteOffset": 112, "byteLength": 64},
            {"buffer": 0, "byteOffset": 176, "byteLength": 12},
            {"buffer": 0, "byteOffset": 188, "byteLength": 48}],
          "buffers": [{"byteLength": 236}]
        })");
    }

    Bytes Glb() const { return MakeGlb(doc.dump(), bin); }

    void PutFloatAt(std::size_t offset, float value) { std::memcpy(&bin[offset], &value, 4); }

    // Appends bytes at a 4-byte boundary as a new buffer view; returns it.
    int AddView(const Bytes& bytes) {
        while (bin.size() % 4 != 0) bin.push_back(0);
        const std::size_t offset = bin.size();
        bin.insert(bin.end(), bytes.begin(), bytes.end());
        while (bin.size() % 4 != 0) bin.push_back(0);
        doc["buffers"][0]["byteLength"] = bin.size();
        doc["bufferViews"].push_back({{"buffer", 0}, {"byteOffset", offset}, {"byteLength", bytes.size()}});
        return static_cast<int>(doc["bufferViews"].size()) - 1;
    }

    int AddAccessor(nlohmann::json accessor) {
        doc["accessors"].push_back(std::move(accessor));
        return static_cast<int>(doc["accessors"].size()) - 1;
    }
};

}  // namespace kr::model::test
