#include "engine/model/glb_container.hpp"

#include "engine/error.hpp"

namespace kr::model {
namespace {

std::uint32_t ReadU32(const Bytes& data, std::size_t offset) {
    return static_cast<std::uint32_t>(data[offset]) | static_cast<std::uint32_t>(data[offset + 1]) << 8 |
           static_cast<std::uint32_t>(data[offset + 2]) << 16 | static_cast<std::uint32_t>(data[offset + 3]) << 24;
}

void PutU32(Bytes& data, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct ChunkHeader {
    std::uint32_t length;
    std::uint32_t type;
};

// The chunk at `offset`, checked to end within `end` on a 4-byte boundary.
ChunkHeader CheckedChunk(const Bytes& data, std::size_t offset, std::size_t end, const std::string& fileName,
                         const char* name) {
    if (end - offset < kGlbChunkHeaderSize) throw FileError(fileName, std::string(name) + " chunk header is cut off");
    const ChunkHeader chunk{ReadU32(data, offset), ReadU32(data, offset + 4)};
    if (chunk.length > end - offset - kGlbChunkHeaderSize) {
        throw FileError(fileName, std::string(name) + " chunk of " + std::to_string(chunk.length) +
                                      " bytes runs past the end of the file");
    }
    if (chunk.length % 4 != 0) {
        throw FileError(
            fileName, std::string(name) + " chunk length " + std::to_string(chunk.length) + " is not a multiple of 4");
    }
    return chunk;
}

}  // namespace

std::size_t CheckGlbContainer(const Bytes& data, const std::string& fileName) {
    if (data.size() < kGlbHeaderSize) throw FileError(fileName, "too short for a glTF binary header");
    if (ReadU32(data, 0) != kGlbMagic) throw FileError(fileName, "not a glTF binary file (bad magic)");
    if (ReadU32(data, 4) != 2) {
        throw FileError(fileName, "glTF binary version " + std::to_string(ReadU32(data, 4)) + " is not supported");
    }
    const std::uint32_t length = ReadU32(data, 8);
    if (length > data.size()) {
        throw FileError(fileName, "header says " + std::to_string(length) + " bytes, but the file has " +
                                      std::to_string(data.size()));
    }
    if (length < kGlbHeaderSize) throw FileError(fileName, "header length " + std::to_string(length) + " is too small");
    const ChunkHeader json = CheckedChunk(data, kGlbHeaderSize, length, fileName, "JSON");
    if (json.type != kGlbJsonChunk) throw FileError(fileName, "first chunk is not JSON");
    if (json.length == 0) throw FileError(fileName, "JSON chunk is empty");
    const std::size_t next = kGlbHeaderSize + kGlbChunkHeaderSize + json.length;
    if (next < length) {
        const ChunkHeader bin = CheckedChunk(data, next, length, fileName, "second");
        if (bin.type != kGlbBinChunk) throw FileError(fileName, "second chunk is not BIN");
    }
    return length;
}

Bytes AssembleGlb(const std::string& json, const Bytes& bin) {
    const std::size_t jsonLength = (json.size() + 3) / 4 * 4;
    const std::size_t binLength = (bin.size() + 3) / 4 * 4;
    const std::size_t total =
        kGlbHeaderSize + kGlbChunkHeaderSize + jsonLength + (bin.empty() ? 0 : kGlbChunkHeaderSize + binLength);
    Bytes out;
    out.reserve(total);
    PutU32(out, kGlbMagic);
    PutU32(out, 2);
    PutU32(out, static_cast<std::uint32_t>(total));
    PutU32(out, static_cast<std::uint32_t>(jsonLength));
    PutU32(out, kGlbJsonChunk);
    out.insert(out.end(), json.begin(), json.end());
    out.resize(out.size() + jsonLength - json.size(), ' ');
    if (!bin.empty()) {
        PutU32(out, static_cast<std::uint32_t>(binLength));
        PutU32(out, kGlbBinChunk);
        out.insert(out.end(), bin.begin(), bin.end());
        out.resize(out.size() + binLength - bin.size(), 0);
    }
    return out;
}

}  // namespace kr::model
