// PNG reading: the chunk structure is walked first so that a file cut short
// anywhere (stb_image accepts a missing IEND) is reported as truncated.

#include <string>

#include "engine/error.hpp"
#include "engine/image/internal.hpp"
#include "engine/image/stb_codecs.hpp"

namespace kr::image {
namespace {

constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kChunkOverhead = 12;  // length, type, CRC

std::uint32_t LoadU32BigEndian(const Bytes& data, std::size_t offset) {
    return (static_cast<std::uint32_t>(data[offset]) << 24) | (static_cast<std::uint32_t>(data[offset + 1]) << 16) |
           (static_cast<std::uint32_t>(data[offset + 2]) << 8) | static_cast<std::uint32_t>(data[offset + 3]);
}

bool IsEndChunk(const Bytes& data, std::size_t offset) {
    return data[offset + 4] == 'I' && data[offset + 5] == 'E' && data[offset + 6] == 'N' && data[offset + 7] == 'D';
}

void CheckPngChunks(const Bytes& data, const std::string& fileName) {
    std::size_t offset = kSignatureSize;
    while (offset + kChunkOverhead <= data.size()) {
        const std::size_t length = LoadU32BigEndian(data, offset);
        if (length > data.size() - offset - kChunkOverhead) break;
        if (IsEndChunk(data, offset)) return;
        offset += kChunkOverhead + length;
    }
    throw FileError(fileName, "PNG file is truncated (no complete IEND chunk)");
}

}  // namespace

Image DecodePng(const Bytes& data, const std::string& fileName) {
    CheckPngChunks(data, fileName);
    return DecodeWithStb(data, fileName, "PNG");
}

}  // namespace kr::image
