#include "media/declared_size.hpp"

#include <array>
#include <cstring>
#include <fstream>

#include "engine/error.hpp"

namespace kr::media {

namespace {

constexpr std::size_t kHeaderBytes = 64 * 1024;

using Guid = std::array<std::uint8_t, 16>;
constexpr Guid kAsfHeader = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                             0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
constexpr Guid kAsfFileProperties = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                     0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};

std::uint64_t ReadLe(const Bytes& data, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | data[at + i];
    return value;
}

bool HasGuid(const Bytes& data, std::size_t at, const Guid& guid) {
    return at + guid.size() <= data.size() && std::memcmp(&data[at], guid.data(), guid.size()) == 0;
}

std::optional<std::uint64_t> RiffSize(const Bytes& data) {
    if (data.size() < 12 || std::memcmp(&data[0], "RIFF", 4) != 0 || std::memcmp(&data[8], "WAVE", 4) != 0)
        return std::nullopt;
    std::uint64_t chunk = ReadLe(data, 4, 4);
    if (chunk < 4 || chunk == 0xFFFFFFFFu) return std::nullopt;
    return chunk + 8;
}

// ASF: the header object lists objects; the file properties object holds the
// file size at offset 40 and the flags at 88 (bit 0: broadcast, size unknown).
std::optional<std::uint64_t> AsfSize(const Bytes& data) {
    if (!HasGuid(data, 0, kAsfHeader) || data.size() < 30) return std::nullopt;
    std::uint64_t headerEnd = std::min<std::uint64_t>(ReadLe(data, 16, 8), data.size());
    std::uint64_t at = 30;
    while (at + 24 <= headerEnd) {
        std::uint64_t objectSize = ReadLe(data, at + 16, 8);
        if (objectSize < 24 || objectSize > headerEnd - at) return std::nullopt;
        if (HasGuid(data, at, kAsfFileProperties) && objectSize >= 104) {
            std::uint64_t fileSize = ReadLe(data, at + 40, 8);
            bool broadcast = (ReadLe(data, at + 88, 4) & 1) != 0;
            if (broadcast || fileSize == 0) return std::nullopt;
            return fileSize;
        }
        at += objectSize;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> DeclaredFileSize(const Bytes& header) {
    if (auto size = RiffSize(header)) return size;
    return AsfSize(header);
}

void CheckNotTruncated(const std::filesystem::path& path, const std::string& name) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(name, "cannot be opened");
    Bytes header(kHeaderBytes);
    in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    header.resize(static_cast<std::size_t>(in.gcount()));
    std::optional<std::uint64_t> declared = DeclaredFileSize(header);
    if (!declared) return;
    std::error_code ec;
    std::uint64_t actual = std::filesystem::file_size(path, ec);
    if (ec) throw FileError(name, "its size cannot be read");
    if (actual < *declared)
        throw FileError(name, "is truncated (" + std::to_string(actual) + " of " + std::to_string(*declared) +
                                  " bytes)");
}

}  // namespace kr::media
