#pragma once
// Consistency checks for generated models, run by the generator's tests on
// every model before it ships: each problem found is one line of text.

#include <string>
#include <vector>

#include "engine/model/model.hpp"

namespace kr::toolkit {

// References in range (nodes, meshes, materials, images, skins, samplers),
// a node tree without loops whose parents and children agree, triangle
// lists with indices in range, finite positions, unit normals, skin weights
// that are non-negative and sum to 1 on joints of the skin, and animation
// keys in ascending time with as many values as keys. Empty when all hold.
std::vector<std::string> ModelProblems(const model::Model& model);

}  // namespace kr::toolkit
