// DDS writer: a legacy header (no DX10 extension) with uncompressed A8R8G8B8
// pixels or BC1/BC2/BC3 blocks from libsquish's fast range fit.

#include <algorithm>
#include <string>

#include <squish.h>

#include "engine/error.hpp"
#include "engine/image/byte_order.hpp"
#include "engine/image/dds_layout.hpp"
#include "engine/image/internal.hpp"

namespace kr::image {
namespace {

using namespace dds;

void CheckChainShape(const MipChain& chain) {
    if (chain.levels.empty()) throw Error("EncodeDds: the mip chain has no levels");
    const Image& top = chain.levels.front();
    CheckImageShape(top, "EncodeDds");
    if (chain.levels.size() > static_cast<std::size_t>(FullMipChainLength(top.width, top.height))) {
        throw Error("EncodeDds: more levels than a " + std::to_string(top.width) + "x" +
                    std::to_string(top.height) + " picture has");
    }
    for (std::size_t i = 1; i < chain.levels.size(); ++i) {
        const Image& previous = chain.levels[i - 1];
        const Image& level = chain.levels[i];
        CheckImageShape(level, "EncodeDds");
        if (level.width != NextMipDimension(previous.width) || level.height != NextMipDimension(previous.height)) {
            throw Error("EncodeDds: level " + std::to_string(i) + " is " + std::to_string(level.width) + "x" +
                        std::to_string(level.height) + ", not half of the level before");
        }
    }
}

DdsInfo InfoFor(const Image& top, DdsFormat format, int levelCount) {
    DdsInfo info;
    info.width = top.width;
    info.height = top.height;
    info.levelCount = levelCount;
    switch (format) {
        case DdsFormat::Rgba32:
            info.format = DdsPixelFormat::Uncompressed;
            info.bitsPerPixel = 32;
            info.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
            break;
        case DdsFormat::Bc1: info.format = DdsPixelFormat::Bc1; info.bitsPerPixel = 4; break;
        case DdsFormat::Bc2: info.format = DdsPixelFormat::Bc2; info.bitsPerPixel = 8; break;
        case DdsFormat::Bc3: info.format = DdsPixelFormat::Bc3; info.bitsPerPixel = 8; break;
    }
    return info;
}

std::uint32_t FourCCFor(DdsPixelFormat format) {
    switch (format) {
        case DdsPixelFormat::Bc1: return FourCC('D', 'X', 'T', '1');
        case DdsPixelFormat::Bc2: return FourCC('D', 'X', 'T', '3');
        case DdsPixelFormat::Bc3: return FourCC('D', 'X', 'T', '5');
        case DdsPixelFormat::Uncompressed: break;
    }
    return 0;
}

void AppendPixelFormat(Bytes& out, const DdsInfo& info) {
    const bool uncompressed = info.format == DdsPixelFormat::Uncompressed;
    AppendU32(out, kPixelFormatStructSize);
    AppendU32(out, uncompressed ? kPfRgb | kPfAlphaPixels : kPfFourCC);
    AppendU32(out, FourCCFor(info.format));
    AppendU32(out, uncompressed ? 32 : 0);
    AppendU32(out, info.masks.r);
    AppendU32(out, info.masks.g);
    AppendU32(out, info.masks.b);
    AppendU32(out, info.masks.a);
}

void AppendHeader(Bytes& out, const DdsInfo& info) {
    const bool uncompressed = info.format == DdsPixelFormat::Uncompressed;
    const bool mipmapped = info.levelCount > 1;
    AppendU32(out, kMagic);
    AppendU32(out, kHeaderStructSize);
    AppendU32(out, kFlagCaps | kFlagHeight | kFlagWidth | kFlagPixelFormat |
                       (uncompressed ? kFlagPitch : kFlagLinearSize) | (mipmapped ? kFlagMipMapCount : 0));
    AppendU32(out, static_cast<std::uint32_t>(info.height));
    AppendU32(out, static_cast<std::uint32_t>(info.width));
    // Pitch of one row when uncompressed, else the size of level 0.
    AppendU32(out, static_cast<std::uint32_t>(uncompressed ? static_cast<std::size_t>(info.width) * 4
                                                           : LevelByteSize(info, info.width, info.height)));
    AppendU32(out, 0);  // depth
    AppendU32(out, mipmapped ? static_cast<std::uint32_t>(info.levelCount) : 0);
    out.insert(out.end(), 11 * 4, 0);  // reserved
    AppendPixelFormat(out, info);
    AppendU32(out, kCapsTexture | (mipmapped ? kCapsComplex | kCapsMipMap : 0));
    out.insert(out.end(), 4 * 4, 0);  // caps2, caps3, caps4, reserved
}

void AppendBgra(Bytes& out, const Image& image) {
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        out.push_back(image.rgba[i + 2]);
        out.push_back(image.rgba[i + 1]);
        out.push_back(image.rgba[i]);
        out.push_back(image.rgba[i + 3]);
    }
}

int SquishFlags(DdsPixelFormat format) {
    const int fit = squish::kColourRangeFit;
    switch (format) {
        case DdsPixelFormat::Bc1: return squish::kDxt1 | fit;
        case DdsPixelFormat::Bc2: return squish::kDxt3 | fit;
        default: return squish::kDxt5 | fit;
    }
}

// Block by block rather than squish::CompressImage: that one starts an OpenMP
// team per call, which costs more than compressing a small level.
void CompressBlock(const Image& image, int left, int top, int flags, std::uint8_t* block) {
    std::uint8_t texels[16 * 4] = {};
    int mask = 0;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            if (left + x >= image.width || top + y >= image.height) continue;
            const std::uint8_t* texel = image.Pixel(left + x, top + y);
            std::copy(texel, texel + 4, texels + (y * 4 + x) * 4);
            mask |= 1 << (y * 4 + x);
        }
    }
    squish::CompressMasked(texels, mask, block, flags);
}

void AppendBlocks(Bytes& out, const DdsInfo& info, const Image& image) {
    const std::size_t blockBytes = info.format == DdsPixelFormat::Bc1 ? 8 : 16;
    std::size_t offset = out.size();
    out.resize(offset + LevelByteSize(info, image.width, image.height));
    const int flags = SquishFlags(info.format);
    for (int top = 0; top < image.height; top += 4) {
        for (int left = 0; left < image.width; left += 4, offset += blockBytes) {
            CompressBlock(image, left, top, flags, out.data() + offset);
        }
    }
}

}  // namespace

Bytes EncodeDds(const MipChain& chain, DdsFormat format) {
    CheckChainShape(chain);
    const DdsInfo info = InfoFor(chain.levels.front(), format, static_cast<int>(chain.levels.size()));
    Bytes out;
    AppendHeader(out, info);
    for (const Image& level : chain.levels) {
        if (info.format == DdsPixelFormat::Uncompressed) {
            AppendBgra(out, level);
        } else {
            AppendBlocks(out, info, level);
        }
    }
    return out;
}

}  // namespace kr::image
