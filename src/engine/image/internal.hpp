#pragma once
// Pieces shared by the picture readers and writers; not part of the
// module's interface.

#include <string>

#include "engine/image/image.hpp"

namespace kr::image {

// Throws FileError unless both sides are within 1..kMaxImageDimension.
void CheckDecodedDimensions(long long width, long long height, const std::string& fileName);
// Throws Error unless the picture is non-empty and its pixel vector matches
// its size; `what` names the caller in the message.
void CheckImageShape(const Image& image, const char* what);

MipChain DecodeDds(const Bytes& data, const std::string& fileName);
Image DecodeBmp(const Bytes& data, const std::string& fileName);
Image DecodePng(const Bytes& data, const std::string& fileName);
Image DecodeJpeg(const Bytes& data, const std::string& fileName);

}  // namespace kr::image
