#pragma once
// The parsed glTF document a model is converted from, with the name of the
// file it came from for error messages. Internal to the model loader.

#include <string>

#include <tiny_gltf.h>

#include "engine/error.hpp"

namespace kr::model {

struct GltfSource {
    const tinygltf::Model& gltf;
    const std::string& fileName;

    [[noreturn]] void Fail(const std::string& what) const { throw FileError(fileName, what); }
};

// "what 3" for messages, e.g. Describe("node", 3).
std::string Describe(const char* what, std::size_t index);

// Throws unless `index` selects one of `count` items; `role` names the
// reference in the message ("mesh of node 4").
void CheckIndex(const GltfSource& source, long long index, std::size_t count, const std::string& role);

}  // namespace kr::model
