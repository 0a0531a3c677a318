#pragma once
// stb_image decoding shared by the PNG, JPEG and BMP readers.

#include <string>

#include "engine/image/image.hpp"

namespace kr::image {

// Decodes to RGBA8; `formatName` labels errors. The size is checked from the
// header before any pixels are allocated.
Image DecodeWithStb(const Bytes& data, const std::string& fileName, const char* formatName);

}  // namespace kr::image
