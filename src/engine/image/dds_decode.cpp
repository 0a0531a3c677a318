// DDS pixel data to RGBA8: uncompressed pixels through their channel masks,
// BC1/BC2/BC3 blocks through libsquish. Rows are stored top-down.

#include <algorithm>
#include <bit>
#include <cstdint>

#include <squish.h>

#include "engine/image/dds_layout.hpp"
#include "engine/image/internal.hpp"

namespace kr::image {
namespace {

// One channel of a masked pixel, scaled to 8 bits.
class ChannelField {
public:
    ChannelField(std::uint32_t mask, std::uint8_t absentValue)
        : mask_(mask),
          shift_(mask ? std::countr_zero(mask) : 0),
          max_(mask ? mask >> shift_ : 0),
          absentValue_(absentValue) {}

    std::uint8_t Extract(std::uint32_t pixel) const {
        if (max_ == 0) return absentValue_;
        const std::uint64_t value = (pixel & mask_) >> shift_;
        if (max_ == 0xFF) return static_cast<std::uint8_t>(value);
        return static_cast<std::uint8_t>((value * 255 + max_ / 2) / max_);
    }

private:
    std::uint32_t mask_;
    int shift_;
    std::uint64_t max_;
    std::uint8_t absentValue_;
};

std::uint32_t LoadPixel(const std::uint8_t* src, int bytesPerPixel) {
    std::uint32_t pixel = 0;
    for (int i = 0; i < bytesPerPixel; ++i) pixel |= static_cast<std::uint32_t>(src[i]) << (8 * i);
    return pixel;
}

Image DecodeMaskedLevel(const DdsInfo& info, const std::uint8_t* src, int width, int height) {
    const ChannelField r(info.masks.r, 0), g(info.masks.g, 0), b(info.masks.b, 0), a(info.masks.a, 255);
    const int bytesPerPixel = info.bitsPerPixel / 8;
    Image image(width, height);
    std::uint8_t* out = image.rgba.data();
    const std::size_t count = static_cast<std::size_t>(width) * height;
    for (std::size_t i = 0; i < count; ++i, src += bytesPerPixel, out += 4) {
        const std::uint32_t pixel = LoadPixel(src, bytesPerPixel);
        out[0] = r.Extract(pixel);
        out[1] = g.Extract(pixel);
        out[2] = b.Extract(pixel);
        out[3] = a.Extract(pixel);
    }
    return image;
}

int SquishFlags(DdsPixelFormat format) {
    switch (format) {
        case DdsPixelFormat::Bc1: return squish::kDxt1;
        case DdsPixelFormat::Bc2: return squish::kDxt3;
        default: return squish::kDxt5;
    }
}

// DXT2 and DXT4 store colour multiplied by alpha; the engine wants it straight.
void Unpremultiply(Image& image) {
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        const unsigned alpha = image.rgba[i + 3];
        if (alpha == 0 || alpha == 255) continue;
        for (int c = 0; c < 3; ++c) {
            const unsigned straight = (image.rgba[i + c] * 255u + alpha / 2) / alpha;
            image.rgba[i + c] = static_cast<std::uint8_t>(std::min(straight, 255u));
        }
    }
}

// Texels of one decoded 4x4 block that lie inside the picture.
void StoreBlock(const std::uint8_t* texels, int left, int top, Image& image) {
    for (int y = 0; y < 4 && top + y < image.height; ++y) {
        for (int x = 0; x < 4 && left + x < image.width; ++x) {
            const std::uint8_t* texel = texels + (y * 4 + x) * 4;
            std::copy(texel, texel + 4, image.Pixel(left + x, top + y));
        }
    }
}

// Block by block rather than squish::DecompressImage: that one starts an
// OpenMP team per call, which costs more than decoding a small level.
Image DecodeBlockLevel(const DdsInfo& info, const std::uint8_t* src, int width, int height) {
    Image image(width, height);
    const int flags = SquishFlags(info.format);
    const std::size_t blockBytes = info.format == DdsPixelFormat::Bc1 ? 8 : 16;
    std::uint8_t texels[16 * 4];
    for (int top = 0; top < height; top += 4) {
        for (int left = 0; left < width; left += 4, src += blockBytes) {
            squish::Decompress(texels, src, flags);
            StoreBlock(texels, left, top, image);
        }
    }
    if (info.premultipliedAlpha) Unpremultiply(image);
    return image;
}

Image DecodeLevel(const DdsInfo& info, const std::uint8_t* src, int width, int height) {
    if (info.format == DdsPixelFormat::Uncompressed) return DecodeMaskedLevel(info, src, width, height);
    return DecodeBlockLevel(info, src, width, height);
}

}  // namespace

MipChain DecodeDds(const Bytes& data, const std::string& fileName) {
    const dds::Layout layout = dds::ReadLayout(data, fileName);
    const DdsInfo& info = layout.info;
    MipChain chain;
    chain.levels.reserve(static_cast<std::size_t>(info.levelCount));
    std::size_t offset = layout.dataOffset;
    int width = info.width;
    int height = info.height;
    for (int level = 0; level < info.levelCount; ++level) {
        chain.levels.push_back(DecodeLevel(info, data.data() + offset, width, height));
        offset += dds::LevelByteSize(info, width, height);
        width = NextMipDimension(width);
        height = NextMipDimension(height);
    }
    return chain;
}

}  // namespace kr::image
