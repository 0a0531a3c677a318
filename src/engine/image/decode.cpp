// Picks the reader from the file's first bytes; the name only labels errors.

#include <algorithm>
#include <array>

#include "engine/error.hpp"
#include "engine/image/internal.hpp"

namespace kr::image {
namespace {

enum class Container { Dds, Png, Jpeg, Bmp, Unknown };

template <std::size_t N>
bool StartsWith(const Bytes& data, const std::array<std::uint8_t, N>& magic) {
    return data.size() >= N && std::equal(magic.begin(), magic.end(), data.begin());
}

Container DetectContainer(const Bytes& data) {
    constexpr std::array<std::uint8_t, 4> kDds{'D', 'D', 'S', ' '};
    constexpr std::array<std::uint8_t, 8> kPng{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::array<std::uint8_t, 3> kJpeg{0xFF, 0xD8, 0xFF};
    constexpr std::array<std::uint8_t, 2> kBmp{'B', 'M'};
    if (StartsWith(data, kDds)) return Container::Dds;
    if (StartsWith(data, kPng)) return Container::Png;
    if (StartsWith(data, kJpeg)) return Container::Jpeg;
    if (StartsWith(data, kBmp)) return Container::Bmp;
    return Container::Unknown;
}

MipChain SingleLevel(Image image) {
    MipChain chain;
    chain.levels.push_back(std::move(image));
    return chain;
}

}  // namespace

MipChain DecodeImage(const Bytes& data, const std::string& fileName) {
    switch (DetectContainer(data)) {
        case Container::Dds: return DecodeDds(data, fileName);
        case Container::Png: return SingleLevel(DecodePng(data, fileName));
        case Container::Jpeg: return SingleLevel(DecodeJpeg(data, fileName));
        case Container::Bmp: return SingleLevel(DecodeBmp(data, fileName));
        case Container::Unknown: break;
    }
    if (data.empty()) throw FileError(fileName, "picture file is empty");
    throw FileError(fileName, "not a DDS, BMP, PNG or JPEG picture");
}

}  // namespace kr::image
