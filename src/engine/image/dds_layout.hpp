#pragma once
// DDS container layout: field offsets, flag values and the checked reading of
// the header into a DdsInfo plus where the pixel data starts.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/image/image.hpp"

namespace kr::image::dds {

constexpr std::uint32_t FourCC(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 8) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 16) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(d)) << 24);
}

inline constexpr std::uint32_t kMagic = FourCC('D', 'D', 'S', ' ');
inline constexpr std::uint32_t kHeaderStructSize = 124;
inline constexpr std::uint32_t kPixelFormatStructSize = 32;
inline constexpr std::size_t kHeaderSize = 128;       // magic + header
inline constexpr std::size_t kDx10HeaderSize = 20;

// Byte offsets from the start of the file.
inline constexpr std::size_t kOffHeaderSize = 4;
inline constexpr std::size_t kOffFlags = 8;
inline constexpr std::size_t kOffHeight = 12;
inline constexpr std::size_t kOffWidth = 16;
inline constexpr std::size_t kOffPitchOrLinearSize = 20;
inline constexpr std::size_t kOffDepth = 24;
inline constexpr std::size_t kOffMipMapCount = 28;
inline constexpr std::size_t kOffPfSize = 76;
inline constexpr std::size_t kOffPfFlags = 80;
inline constexpr std::size_t kOffFourCC = 84;
inline constexpr std::size_t kOffBitCount = 88;
inline constexpr std::size_t kOffRMask = 92;
inline constexpr std::size_t kOffGMask = 96;
inline constexpr std::size_t kOffBMask = 100;
inline constexpr std::size_t kOffAMask = 104;
inline constexpr std::size_t kOffCaps = 108;
inline constexpr std::size_t kOffCaps2 = 112;
inline constexpr std::size_t kOffDxgiFormat = 128;
inline constexpr std::size_t kOffResourceDimension = 132;
inline constexpr std::size_t kOffMiscFlag = 136;
inline constexpr std::size_t kOffArraySize = 140;

// Header flags.
inline constexpr std::uint32_t kFlagCaps = 0x1;
inline constexpr std::uint32_t kFlagHeight = 0x2;
inline constexpr std::uint32_t kFlagWidth = 0x4;
inline constexpr std::uint32_t kFlagPitch = 0x8;
inline constexpr std::uint32_t kFlagPixelFormat = 0x1000;
inline constexpr std::uint32_t kFlagMipMapCount = 0x20000;
inline constexpr std::uint32_t kFlagLinearSize = 0x80000;
inline constexpr std::uint32_t kFlagDepth = 0x800000;

// Pixel format flags.
inline constexpr std::uint32_t kPfAlphaPixels = 0x1;
inline constexpr std::uint32_t kPfFourCC = 0x4;
inline constexpr std::uint32_t kPfRgb = 0x40;

// Caps.
inline constexpr std::uint32_t kCapsComplex = 0x8;
inline constexpr std::uint32_t kCapsTexture = 0x1000;
inline constexpr std::uint32_t kCapsMipMap = 0x400000;
inline constexpr std::uint32_t kCaps2CubeMap = 0x200;
inline constexpr std::uint32_t kCaps2Volume = 0x200000;

// DX10 header values.
inline constexpr std::uint32_t kDimensionTexture3D = 4;
inline constexpr std::uint32_t kMiscTextureCube = 0x4;

struct Layout {
    DdsInfo info;
    std::size_t dataOffset = 0;  // first byte of level 0
};

// Parses and checks the header; the whole chain is known to fit in `data`.
Layout ReadLayout(const Bytes& data, const std::string& fileName);

// Bytes one level of the given size occupies.
std::size_t LevelByteSize(const DdsInfo& info, int width, int height);

}  // namespace kr::image::dds
