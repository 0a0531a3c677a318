#pragma once
// Turning other triangle layouts into triangle lists, and flat normals.

#include <cstdint>
#include <vector>

#include "engine/model/model.hpp"

namespace kr::model {

// Triangle strips and fans as triangle lists with glTF's winding.
std::vector<std::uint32_t> StripToList(const std::vector<std::uint32_t>& strip);
std::vector<std::uint32_t> FanToList(const std::vector<std::uint32_t>& fan);

// Gives every triangle its own three vertices with the triangle's face
// normal (a degenerate triangle keeps the default normal).
void MakeFlatShaded(Primitive& primitive);

}  // namespace kr::model
