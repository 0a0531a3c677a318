#pragma once
// Reading glTF accessors into dense arrays. Every reference, range, count and
// stride is checked against the buffers first; sparse accessors are applied
// (on top of zeros when they have no buffer view). Internal to the loader.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/gltf_source.hpp"

namespace kr::model {

// Which component types a float-valued use accepts.
enum class FloatComponents {
    FloatOnly,          // 5126
    FloatOrNormalized,  // 5126, or a byte/short type with normalized set
    Any,                // any type; integers are scaled when normalized
};

// The buffer view's bytes, after checking it lies inside its buffer.
std::vector<std::uint8_t> BufferViewBytes(const GltfSource& source, int view, const std::string& role);

// The accessor's element count after checking it (and its data) exists.
std::size_t AccessorCount(const GltfSource& source, int accessor, const std::string& role);

// `type` is a TINYGLTF_TYPE_* the accessor must have; the result holds
// count * components values, element after element.
std::vector<float> ReadFloats(const GltfSource& source, int accessor, int type, FloatComponents allowed,
                              const std::string& role);

// Unsigned integer data (unsigned byte, short or int, not normalized).
std::vector<std::uint32_t> ReadUnsigned(const GltfSource& source, int accessor, int type, const std::string& role);

}  // namespace kr::model
