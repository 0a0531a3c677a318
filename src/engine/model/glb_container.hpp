#pragma once
// The GLB container: a 12-byte header, a JSON chunk and an optional binary
// chunk, all little-endian and 4-byte aligned.

#include <cstdint>
#include <string>

#include "engine/game_folder.hpp"

namespace kr::model {

inline constexpr std::uint32_t kGlbMagic = 0x46546C67;      // "glTF"
inline constexpr std::uint32_t kGlbJsonChunk = 0x4E4F534A;  // "JSON"
inline constexpr std::uint32_t kGlbBinChunk = 0x004E4942;   // "BIN\0"
inline constexpr std::size_t kGlbHeaderSize = 12;
inline constexpr std::size_t kGlbChunkHeaderSize = 8;

// Checks the header and chunk layout of `data` and returns the length the
// header declares (trailing bytes after it are ignored). Throws FileError.
std::size_t CheckGlbContainer(const Bytes& data, const std::string& fileName);

// Builds a GLB file: the JSON padded with spaces, the binary chunk (left out
// when empty) padded with zeros.
Bytes AssembleGlb(const std::string& json, const Bytes& bin);

}  // namespace kr::model
