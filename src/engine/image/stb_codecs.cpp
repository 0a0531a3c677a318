// PNG, JPEG and BMP pixels through stb_image, and the PNG and JPEG writers
// through stb_image_write (implementations come from the shared libstb).

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include "engine/error.hpp"
#include "engine/image/internal.hpp"
#include "engine/image/stb_codecs.hpp"

namespace kr::image {
namespace {

struct StbFree {
    void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

std::string FailureReason() {
    const char* reason = stbi_failure_reason();
    return reason ? reason : "unknown error";
}

int CheckedLength(const Bytes& data, const std::string& fileName) {
    if (data.size() > static_cast<std::size_t>(INT_MAX)) throw FileError(fileName, "picture file is too large");
    return static_cast<int>(data.size());
}

void AppendToBytes(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

Image DecodeWithStb(const Bytes& data, const std::string& fileName, const char* formatName) {
    const int length = CheckedLength(data, fileName);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data.data(), length, &width, &height, &channels)) {
        throw FileError(fileName, std::string("cannot read the ") + formatName + " header: " + FailureReason());
    }
    CheckDecodedDimensions(width, height, fileName);
    // Rows must come top-down whatever another user of libstb set globally.
    stbi_set_flip_vertically_on_load_thread(0);
    std::unique_ptr<unsigned char, StbFree> pixels(
        stbi_load_from_memory(data.data(), length, &width, &height, &channels, 4));
    if (!pixels) {
        throw FileError(fileName, std::string("cannot decode the ") + formatName + " picture: " + FailureReason());
    }
    Image image(width, height);
    std::copy_n(pixels.get(), image.rgba.size(), image.rgba.begin());
    return image;
}

Image DecodeJpeg(const Bytes& data, const std::string& fileName) {
    return DecodeWithStb(data, fileName, "JPEG");
}

Bytes EncodePng(const Image& image) {
    CheckImageShape(image, "EncodePng");
    Bytes out;
    if (!stbi_write_png_to_func(AppendToBytes, &out, image.width, image.height, 4, image.rgba.data(),
                                image.width * 4)) {
        throw Error("EncodePng: the PNG writer failed");
    }
    return out;
}

Bytes EncodeJpeg(const Image& image, int quality) {
    CheckImageShape(image, "EncodeJpeg");
    if (quality < 1 || quality > 100) {
        throw Error("EncodeJpeg: quality " + std::to_string(quality) + " is outside 1..100");
    }
    Bytes out;
    if (!stbi_write_jpg_to_func(AppendToBytes, &out, image.width, image.height, 4, image.rgba.data(),
                                quality)) {
        throw Error("EncodeJpeg: the JPEG writer failed");
    }
    return out;
}

}  // namespace kr::image
