// BMP writers: 24-bit BI_RGB, and 32-bit BI_BITFIELDS with an alpha mask in a
// BITMAPV4HEADER. Rows are written bottom-up, as BMP readers expect.

#include "engine/image/byte_order.hpp"
#include "engine/image/internal.hpp"

namespace kr::image {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dpi
constexpr std::uint32_t kColourSpaceSrgb = 0x73524742;  // 'sRGB'

std::uint32_t RowBytes(const Image& image, int bytesPerPixel) {
    return (static_cast<std::uint32_t>(image.width) * bytesPerPixel + 3) & ~3u;
}

void AppendFileHeader(Bytes& out, std::uint32_t dibSize, std::uint32_t pixelBytes) {
    const std::uint32_t offset = kFileHeaderSize + dibSize;
    out.push_back('B');
    out.push_back('M');
    AppendU32(out, offset + pixelBytes);
    AppendU32(out, 0);  // reserved
    AppendU32(out, offset);
}

void AppendInfoFields(Bytes& out, const Image& image, std::uint32_t dibSize, std::uint16_t bitCount,
                      std::uint32_t compression, std::uint32_t pixelBytes) {
    AppendU32(out, dibSize);
    AppendU32(out, static_cast<std::uint32_t>(image.width));
    AppendU32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
    AppendU16(out, 1);                                         // planes
    AppendU16(out, bitCount);
    AppendU32(out, compression);
    AppendU32(out, pixelBytes);
    AppendU32(out, kPixelsPerMetre);
    AppendU32(out, kPixelsPerMetre);
    AppendU32(out, 0);  // colours used
    AppendU32(out, 0);  // colours important
}

void AppendV4Extension(Bytes& out) {
    AppendU32(out, 0x00FF0000);  // red mask
    AppendU32(out, 0x0000FF00);  // green mask
    AppendU32(out, 0x000000FF);  // blue mask
    AppendU32(out, 0xFF000000);  // alpha mask
    AppendU32(out, kColourSpaceSrgb);
    out.insert(out.end(), 36 + 12, 0);  // endpoints and gamma, unused for sRGB
}

// Pixels as B, G, R (and A), last row first, each row padded to 4 bytes.
void AppendBottomUpRows(Bytes& out, const Image& image, int bytesPerPixel) {
    const std::uint32_t padding = RowBytes(image, bytesPerPixel) - static_cast<std::uint32_t>(image.width) * bytesPerPixel;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* texel = image.Pixel(x, y);
            out.push_back(texel[2]);
            out.push_back(texel[1]);
            out.push_back(texel[0]);
            if (bytesPerPixel == 4) out.push_back(texel[3]);
        }
        out.insert(out.end(), padding, 0);
    }
}

}  // namespace

Bytes EncodeBmp24(const Image& image) {
    CheckImageShape(image, "EncodeBmp24");
    const std::uint32_t pixelBytes = RowBytes(image, 3) * static_cast<std::uint32_t>(image.height);
    Bytes out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + pixelBytes);
    AppendFileHeader(out, kInfoHeaderSize, pixelBytes);
    AppendInfoFields(out, image, kInfoHeaderSize, 24, kBiRgb, pixelBytes);
    AppendBottomUpRows(out, image, 3);
    return out;
}

Bytes EncodeBmp32(const Image& image) {
    CheckImageShape(image, "EncodeBmp32");
    const std::uint32_t pixelBytes = RowBytes(image, 4) * static_cast<std::uint32_t>(image.height);
    Bytes out;
    out.reserve(kFileHeaderSize + kV4HeaderSize + pixelBytes);
    AppendFileHeader(out, kV4HeaderSize, pixelBytes);
    AppendInfoFields(out, image, kV4HeaderSize, 32, kBiBitfields, pixelBytes);
    AppendV4Extension(out);
    AppendBottomUpRows(out, image, 4);
    return out;
}

}  // namespace kr::image
