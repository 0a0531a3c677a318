// Box-filtered mipmap chain. Each target texel averages the source texels
// whose span it covers, so odd sizes lose no row or column.

#include "engine/image/internal.hpp"

namespace kr::image {
namespace {

struct Span {
    int begin;
    int end;
};

Span SourceSpan(int target, int targetSize, int sourceSize) {
    return {target * sourceSize / targetSize, (target + 1) * sourceSize / targetSize};
}

// Colour is weighted by alpha so that transparent texels lend none of their
// colour; a fully transparent area keeps its plain average.
void AverageBox(const Image& source, Span xs, Span ys, std::uint8_t* out) {
    std::uint64_t plain[4] = {0, 0, 0, 0};
    std::uint64_t weighted[3] = {0, 0, 0};
    for (int y = ys.begin; y < ys.end; ++y) {
        for (int x = xs.begin; x < xs.end; ++x) {
            const std::uint8_t* texel = source.Pixel(x, y);
            for (int c = 0; c < 4; ++c) plain[c] += texel[c];
            for (int c = 0; c < 3; ++c) weighted[c] += static_cast<std::uint64_t>(texel[c]) * texel[3];
        }
    }
    const std::uint64_t count = static_cast<std::uint64_t>(xs.end - xs.begin) * (ys.end - ys.begin);
    const std::uint64_t alphaSum = plain[3];
    for (int c = 0; c < 3; ++c) {
        const std::uint64_t value = alphaSum ? (weighted[c] + alphaSum / 2) / alphaSum : (plain[c] + count / 2) / count;
        out[c] = static_cast<std::uint8_t>(value);
    }
    out[3] = static_cast<std::uint8_t>((alphaSum + count / 2) / count);
}

}  // namespace

Image NextMipLevel(const Image& source) {
    Image target(NextMipDimension(source.width), NextMipDimension(source.height));
    for (int y = 0; y < target.height; ++y) {
        const Span ys = SourceSpan(y, target.height, source.height);
        for (int x = 0; x < target.width; ++x) {
            AverageBox(source, SourceSpan(x, target.width, source.width), ys, target.Pixel(x, y));
        }
    }
    return target;
}

MipChain BuildMipChain(const Image& image) {
    CheckImageShape(image, "BuildMipChain");
    MipChain chain;
    chain.levels.reserve(static_cast<std::size_t>(FullMipChainLength(image.width, image.height)));
    chain.levels.push_back(image);
    while (chain.levels.back().width > 1 || chain.levels.back().height > 1) {
        chain.levels.push_back(NextMipLevel(chain.levels.back()));
    }
    return chain;
}

}  // namespace kr::image
