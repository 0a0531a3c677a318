// BMP reading: the headers are checked here (sizes, and that the pixel array
// of an uncompressed file is all present, which stb_image does not demand),
// then stb_image decodes the pixels.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/error.hpp"
#include "engine/image/byte_order.hpp"
#include "engine/image/internal.hpp"
#include "engine/image/stb_codecs.hpp"

namespace kr::image {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    long long width = 0;
    long long height = 0;  // negative for top-down rows
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kBiRgb;
};

std::uint32_t ReadDibSize(const Bytes& data, const std::string& fileName) {
    if (data.size() < kFileHeaderSize + 4) throw FileError(fileName, "BMP header is truncated");
    const std::uint32_t dibSize = LoadU32(data, kFileHeaderSize);
    if (dibSize != kCoreHeaderSize && dibSize < kInfoHeaderSize) {
        throw FileError(fileName, "BMP info header size " + std::to_string(dibSize) + " is not valid");
    }
    if (dibSize > data.size() - kFileHeaderSize) throw FileError(fileName, "BMP info header is truncated");
    return dibSize;
}

BmpHeader ReadBmpHeader(const Bytes& data, const std::string& fileName) {
    const std::uint32_t dibSize = ReadDibSize(data, fileName);
    BmpHeader header;
    header.pixelOffset = LoadU32(data, 10);
    if (dibSize == kCoreHeaderSize) {
        header.width = LoadU16(data, 18);
        header.height = LoadU16(data, 20);
        header.bitCount = LoadU16(data, 24);
        return header;
    }
    header.width = static_cast<std::int32_t>(LoadU32(data, 18));
    header.height = static_cast<std::int32_t>(LoadU32(data, 22));
    header.bitCount = LoadU16(data, 28);
    header.compression = LoadU32(data, 30);
    return header;
}

bool IsUncompressed(const BmpHeader& header) {
    return header.compression == kBiRgb || header.compression == kBiBitfields ||
           header.compression == kBiAlphaBitfields;
}

void CheckPixelArrayFits(const Bytes& data, const std::string& fileName, const BmpHeader& header) {
    const long long rowBytes = (header.width * header.bitCount + 31) / 32 * 4;
    const long long needed = static_cast<long long>(header.pixelOffset) + rowBytes * std::llabs(header.height);
    if (needed > static_cast<long long>(data.size())) {
        throw FileError(fileName, "BMP pixel data is truncated (needs " + std::to_string(needed) +
                                      " bytes, the file has " + std::to_string(data.size()) + ")");
    }
}

void CheckBmpHeader(const Bytes& data, const std::string& fileName, const BmpHeader& header) {
    CheckDecodedDimensions(header.width, std::llabs(header.height), fileName);
    const std::uint32_t bits = header.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        throw FileError(fileName, "BMP bit count " + std::to_string(bits) + " is not valid");
    }
    if (IsUncompressed(header)) CheckPixelArrayFits(data, fileName, header);
}

void MakeOpaque(Image& image) {
    for (std::size_t i = 3; i < image.rgba.size(); i += 4) image.rgba[i] = 255;
}

}  // namespace

Image DecodeBmp(const Bytes& data, const std::string& fileName) {
    const BmpHeader header = ReadBmpHeader(data, fileName);
    CheckBmpHeader(data, fileName, header);
    Image image = DecodeWithStb(data, fileName, "BMP");
    // A 32-bit BI_RGB pixel's fourth byte is padding, not alpha.
    if (header.bitCount == 32 && header.compression == kBiRgb) MakeOpaque(image);
    return image;
}

}  // namespace kr::image
