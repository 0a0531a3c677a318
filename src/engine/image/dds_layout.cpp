// Reading and checking a DDS header. Every size that later code relies on is
// checked here against the data length, so the decoder never reads past it.

#include <array>
#include <cstdio>
#include <string>

#include "engine/error.hpp"
#include "engine/image/byte_order.hpp"
#include "engine/image/dds_layout.hpp"
#include "engine/image/internal.hpp"

namespace kr::image::dds {
namespace {

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string FourCCText(std::uint32_t code) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        if (c < 0x20 || c > 0x7E) return Hex(code);
        text += c;
    }
    return "'" + text + "'";
}

void CheckHeader(const Bytes& data, const std::string& fileName) {
    if (data.size() < kHeaderSize) {
        throw FileError(fileName, "DDS header is truncated (" + std::to_string(data.size()) +
                                      " bytes, need " + std::to_string(kHeaderSize) + ")");
    }
    if (LoadU32(data, 0) != kMagic) throw FileError(fileName, "not a DDS file (no \"DDS \" magic)");
    const std::uint32_t size = LoadU32(data, kOffHeaderSize);
    if (size != kHeaderStructSize) {
        throw FileError(fileName, "DDS header size is " + std::to_string(size) + ", expected 124");
    }
}

void RejectCubeAndVolume(const Bytes& data, const std::string& fileName) {
    const std::uint32_t caps2 = LoadU32(data, kOffCaps2);
    if (caps2 & kCaps2CubeMap) throw FileError(fileName, "DDS cube maps are not supported");
    const bool deep = (LoadU32(data, kOffFlags) & kFlagDepth) && LoadU32(data, kOffDepth) > 1;
    if ((caps2 & kCaps2Volume) || deep) throw FileError(fileName, "DDS volume textures are not supported");
}

void SetBlockFormat(DdsInfo& info, DdsPixelFormat format, bool premultiplied) {
    info.format = format;
    info.bitsPerPixel = format == DdsPixelFormat::Bc1 ? 4 : 8;
    info.premultipliedAlpha = premultiplied;
}

void SetUncompressedFormat(DdsInfo& info, int bitsPerPixel, DdsChannelMasks masks) {
    info.format = DdsPixelFormat::Uncompressed;
    info.bitsPerPixel = bitsPerPixel;
    info.masks = masks;
}

constexpr DdsChannelMasks kRgbaBytes{0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
constexpr DdsChannelMasks kBgraBytes{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
constexpr DdsChannelMasks kBgrxBytes{0x00FF0000, 0x0000FF00, 0x000000FF, 0};

struct DxgiEntry {
    std::uint32_t dxgi;
    DdsPixelFormat format;
    DdsChannelMasks masks;  // uncompressed entries only
};

constexpr std::array kDxgiFormats{
    DxgiEntry{27, DdsPixelFormat::Uncompressed, kRgbaBytes},  // R8G8B8A8_TYPELESS
    DxgiEntry{28, DdsPixelFormat::Uncompressed, kRgbaBytes},  // R8G8B8A8_UNORM
    DxgiEntry{29, DdsPixelFormat::Uncompressed, kRgbaBytes},  // R8G8B8A8_UNORM_SRGB
    DxgiEntry{87, DdsPixelFormat::Uncompressed, kBgraBytes},  // B8G8R8A8_UNORM
    DxgiEntry{88, DdsPixelFormat::Uncompressed, kBgrxBytes},  // B8G8R8X8_UNORM
    DxgiEntry{90, DdsPixelFormat::Uncompressed, kBgraBytes},  // B8G8R8A8_TYPELESS
    DxgiEntry{91, DdsPixelFormat::Uncompressed, kBgraBytes},  // B8G8R8A8_UNORM_SRGB
    DxgiEntry{92, DdsPixelFormat::Uncompressed, kBgrxBytes},  // B8G8R8X8_TYPELESS
    DxgiEntry{93, DdsPixelFormat::Uncompressed, kBgrxBytes},  // B8G8R8X8_UNORM_SRGB
    DxgiEntry{70, DdsPixelFormat::Bc1, {}},  // BC1_TYPELESS
    DxgiEntry{71, DdsPixelFormat::Bc1, {}},  // BC1_UNORM
    DxgiEntry{72, DdsPixelFormat::Bc1, {}},  // BC1_UNORM_SRGB
    DxgiEntry{73, DdsPixelFormat::Bc2, {}},  // BC2_TYPELESS
    DxgiEntry{74, DdsPixelFormat::Bc2, {}},  // BC2_UNORM
    DxgiEntry{75, DdsPixelFormat::Bc2, {}},  // BC2_UNORM_SRGB
    DxgiEntry{76, DdsPixelFormat::Bc3, {}},  // BC3_TYPELESS
    DxgiEntry{77, DdsPixelFormat::Bc3, {}},  // BC3_UNORM
    DxgiEntry{78, DdsPixelFormat::Bc3, {}},  // BC3_UNORM_SRGB
};

void CheckDx10Resource(const Bytes& data, const std::string& fileName) {
    if (LoadU32(data, kOffResourceDimension) == kDimensionTexture3D) {
        throw FileError(fileName, "DDS volume textures are not supported");
    }
    if (LoadU32(data, kOffMiscFlag) & kMiscTextureCube) {
        throw FileError(fileName, "DDS cube maps are not supported");
    }
    const std::uint32_t arraySize = LoadU32(data, kOffArraySize);
    if (arraySize > 1) {
        throw FileError(fileName, "DDS texture arrays are not supported (array size " +
                                      std::to_string(arraySize) + ")");
    }
}

void ReadDx10Format(const Bytes& data, const std::string& fileName, DdsInfo& info) {
    if (data.size() < kHeaderSize + kDx10HeaderSize) {
        throw FileError(fileName, "DDS DX10 header is truncated");
    }
    info.hasDx10Header = true;
    CheckDx10Resource(data, fileName);
    info.dxgiFormat = LoadU32(data, kOffDxgiFormat);
    for (const DxgiEntry& entry : kDxgiFormats) {
        if (entry.dxgi != info.dxgiFormat) continue;
        if (entry.format == DdsPixelFormat::Uncompressed) {
            SetUncompressedFormat(info, 32, entry.masks);
        } else {
            SetBlockFormat(info, entry.format, false);
        }
        return;
    }
    throw FileError(fileName, "unsupported DDS DXGI format " + std::to_string(info.dxgiFormat));
}

void ReadFourCCFormat(const Bytes& data, const std::string& fileName, DdsInfo& info) {
    const std::uint32_t code = LoadU32(data, kOffFourCC);
    if (code == FourCC('D', 'X', 'T', '1')) return SetBlockFormat(info, DdsPixelFormat::Bc1, false);
    if (code == FourCC('D', 'X', 'T', '2')) return SetBlockFormat(info, DdsPixelFormat::Bc2, true);
    if (code == FourCC('D', 'X', 'T', '3')) return SetBlockFormat(info, DdsPixelFormat::Bc2, false);
    if (code == FourCC('D', 'X', 'T', '4')) return SetBlockFormat(info, DdsPixelFormat::Bc3, true);
    if (code == FourCC('D', 'X', 'T', '5')) return SetBlockFormat(info, DdsPixelFormat::Bc3, false);
    if (code == FourCC('D', 'X', '1', '0')) return ReadDx10Format(data, fileName, info);
    throw FileError(fileName, "unsupported DDS FourCC " + FourCCText(code));
}

bool MaskFits(std::uint32_t mask, std::uint32_t bitCount) {
    return bitCount >= 32 || (mask >> bitCount) == 0;
}

void ReadMaskedFormat(const Bytes& data, const std::string& fileName, DdsInfo& info) {
    const std::uint32_t bitCount = LoadU32(data, kOffBitCount);
    if (bitCount != 16 && bitCount != 24 && bitCount != 32) {
        throw FileError(fileName, "unsupported DDS bit count " + std::to_string(bitCount));
    }
    DdsChannelMasks masks{LoadU32(data, kOffRMask), LoadU32(data, kOffGMask), LoadU32(data, kOffBMask), 0};
    if (LoadU32(data, kOffPfFlags) & kPfAlphaPixels) masks.a = LoadU32(data, kOffAMask);
    const bool fits = MaskFits(masks.r, bitCount) && MaskFits(masks.g, bitCount) &&
                      MaskFits(masks.b, bitCount) && MaskFits(masks.a, bitCount);
    if (!fits || (masks.r | masks.g | masks.b) == 0) {
        throw FileError(fileName, "DDS channel masks do not fit a " + std::to_string(bitCount) + "-bit pixel");
    }
    SetUncompressedFormat(info, static_cast<int>(bitCount), masks);
}

void ReadPixelFormat(const Bytes& data, const std::string& fileName, DdsInfo& info) {
    const std::uint32_t flags = LoadU32(data, kOffPfFlags);
    if (flags & kPfFourCC) return ReadFourCCFormat(data, fileName, info);
    if (flags & kPfRgb) return ReadMaskedFormat(data, fileName, info);
    throw FileError(fileName, "unsupported DDS pixel format (flags " + Hex(flags) + ")");
}

// Levels stored: the count only when its flag is set and it is non-zero.
int ReadLevelCount(const Bytes& data, const std::string& fileName, int width, int height) {
    const std::uint32_t count = LoadU32(data, kOffMipMapCount);
    if (!(LoadU32(data, kOffFlags) & kFlagMipMapCount) || count == 0) return 1;
    const int full = FullMipChainLength(width, height);
    if (count > static_cast<std::uint32_t>(full)) {
        throw FileError(fileName, "DDS mipmap count " + std::to_string(count) + " is more than a " +
                                      std::to_string(width) + "x" + std::to_string(height) +
                                      " picture has (" + std::to_string(full) + ")");
    }
    return static_cast<int>(count);
}

std::size_t ChainByteSize(const DdsInfo& info) {
    std::size_t total = 0;
    int width = info.width;
    int height = info.height;
    for (int level = 0; level < info.levelCount; ++level) {
        total += LevelByteSize(info, width, height);
        width = NextMipDimension(width);
        height = NextMipDimension(height);
    }
    return total;
}

void CheckChainFits(const Bytes& data, const std::string& fileName, const Layout& layout) {
    const std::size_t needed = ChainByteSize(layout.info);
    const std::size_t available = data.size() - layout.dataOffset;
    if (needed > available) {
        throw FileError(fileName, "DDS pixel data is truncated: " + std::to_string(layout.info.levelCount) +
                                      " level(s) need " + std::to_string(needed) + " bytes, the file has " +
                                      std::to_string(available));
    }
}

}  // namespace

std::size_t LevelByteSize(const DdsInfo& info, int width, int height) {
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    if (info.format == DdsPixelFormat::Uncompressed) return w * h * static_cast<std::size_t>(info.bitsPerPixel / 8);
    const std::size_t blockBytes = info.format == DdsPixelFormat::Bc1 ? 8 : 16;
    return ((w + 3) / 4) * ((h + 3) / 4) * blockBytes;
}

Layout ReadLayout(const Bytes& data, const std::string& fileName) {
    CheckHeader(data, fileName);
    Layout layout;
    DdsInfo& info = layout.info;
    const std::uint32_t width = LoadU32(data, kOffWidth);
    const std::uint32_t height = LoadU32(data, kOffHeight);
    CheckDecodedDimensions(width, height, fileName);
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);
    RejectCubeAndVolume(data, fileName);
    ReadPixelFormat(data, fileName, info);
    info.levelCount = ReadLevelCount(data, fileName, info.width, info.height);
    layout.dataOffset = kHeaderSize + (info.hasDx10Header ? kDx10HeaderSize : 0);
    CheckChainFits(data, fileName, layout);
    return layout;
}

}  // namespace kr::image::dds

namespace kr::image {

DdsInfo ReadDdsInfo(const Bytes& data, const std::string& fileName) {
    return dds::ReadLayout(data, fileName).info;
}

}  // namespace kr::image
