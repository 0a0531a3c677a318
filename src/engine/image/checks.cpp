#include <string>

#include "engine/error.hpp"
#include "engine/image/internal.hpp"

namespace kr::image {

void CheckDecodedDimensions(long long width, long long height, const std::string& fileName) {
    if (width < 1 || height < 1) {
        throw FileError(fileName, "picture has no pixels (" + std::to_string(width) + "x" +
                                      std::to_string(height) + ")");
    }
    if (width > kMaxImageDimension || height > kMaxImageDimension) {
        throw FileError(fileName, "picture size " + std::to_string(width) + "x" + std::to_string(height) +
                                      " is larger than " + std::to_string(kMaxImageDimension));
    }
}

void CheckImageShape(const Image& image, const char* what) {
    const bool sized = image.width > 0 && image.height > 0 && image.width <= kMaxImageDimension &&
                       image.height <= kMaxImageDimension;
    if (!sized || image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4) {
        throw Error(std::string(what) + ": picture of " + std::to_string(image.width) + "x" +
                    std::to_string(image.height) + " with " + std::to_string(image.rgba.size()) +
                    " bytes of pixels is malformed");
    }
}

int FullMipChainLength(int width, int height) {
    int levels = 1;
    while (width > 1 || height > 1) {
        width = NextMipDimension(width);
        height = NextMipDimension(height);
        ++levels;
    }
    return levels;
}

}  // namespace kr::image
