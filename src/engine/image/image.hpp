#pragma once
// A decoded picture: 8-bit RGBA, rows top-down, no padding. Also the entry
// points of the picture readers and writers (DDS, BMP, PNG, JPEG).

#include <cstdint>
#include <string>
#include <vector>

#include "engine/game_folder.hpp"

namespace kr::image {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}
    std::uint8_t* Pixel(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    const std::uint8_t* Pixel(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

// A picture with its smaller levels; levels[0] is the full-size one.
struct MipChain {
    std::vector<Image> levels;
};

// Largest width or height any reader accepts; larger headers are rejected
// before anything is allocated.
inline constexpr int kMaxImageDimension = 16384;

// Size of the next smaller mipmap level along one axis.
inline int NextMipDimension(int size) { return size > 1 ? size / 2 : 1; }
// Levels of a full chain down to 1x1 (129x66 has 8).
int FullMipChainLength(int width, int height);

// Reads a DDS, BMP, PNG or JPEG picture; the format comes from the bytes, not
// the name, which only labels errors. DDS gives every stored level, the other
// formats one. Throws FileError naming `fileName` for anything unreadable.
MipChain DecodeImage(const Bytes& data, const std::string& fileName);

// Colour keys of texture loading: 0 keeps the picture as decoded,
// kColourKeyOwnAlpha keeps its own alpha, any other value is 0xAARRGGBB as a
// signed int whose RGB (alpha ignored) becomes fully transparent.
inline constexpr std::int32_t kColourKeyNone = 0;
inline constexpr std::int32_t kColourKeyOwnAlpha = -327764;
void ApplyColourKey(Image& image, std::int32_t key);
void ApplyColourKey(MipChain& chain, std::int32_t key);

// Halves the picture (max(1, floor(dim / 2)) per axis) with a box filter down
// to 1x1; colour is averaged weighted by alpha so that transparent texels do
// not bleed into their neighbours.
MipChain BuildMipChain(const Image& image);
// One step of that chain: the next smaller level.
Image NextMipLevel(const Image& image);

// Writers. All output is deterministic for the same input.
Bytes EncodePng(const Image& image);
Bytes EncodeJpeg(const Image& image, int quality);  // quality 1..100, alpha dropped
Bytes EncodeBmp24(const Image& image);              // BI_RGB, alpha dropped
Bytes EncodeBmp32(const Image& image);              // BI_BITFIELDS with an alpha mask

enum class DdsFormat {
    Rgba32,  // uncompressed, A8R8G8B8 masks (bytes B, G, R, A)
    Bc1,     // DXT1, 1-bit alpha (alpha < 128 becomes transparent)
    Bc2,     // DXT3, explicit 4-bit alpha
    Bc3,     // DXT5, interpolated alpha
};
// Every level must be max(1, floor(previous / 2)) of the one before.
Bytes EncodeDds(const MipChain& chain, DdsFormat format);

// What a DDS header says, after it was checked against the data length.
enum class DdsPixelFormat { Uncompressed, Bc1, Bc2, Bc3 };

struct DdsChannelMasks {
    std::uint32_t r = 0, g = 0, b = 0, a = 0;  // a is 0 for opaque formats
};

struct DdsInfo {
    int width = 0;
    int height = 0;
    int levelCount = 0;
    DdsPixelFormat format = DdsPixelFormat::Uncompressed;
    int bitsPerPixel = 0;           // 16, 24 or 32 when uncompressed; 4 or 8 for BCn
    DdsChannelMasks masks;          // uncompressed only
    bool premultipliedAlpha = false;  // DXT2 / DXT4
    bool hasDx10Header = false;
    std::uint32_t dxgiFormat = 0;   // 0 without a DX10 header
};

DdsInfo ReadDdsInfo(const Bytes& data, const std::string& fileName);

}  // namespace kr::image
