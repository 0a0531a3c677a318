#pragma once
// Hand-built record images: fields placed at explicit offsets, independent of
// the code under test.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/game_folder.hpp"

namespace kr::test {

inline void PutI32(Bytes& image, std::size_t offset, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) image.at(offset + i) = static_cast<std::uint8_t>(bits >> (8 * i));
}

// A length byte and the characters; the bytes after them are not touched.
inline void PutText(Bytes& image, std::size_t offset, std::string_view text) {
    image.at(offset) = static_cast<std::uint8_t>(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        image.at(offset + 1 + i) = static_cast<std::uint8_t>(text[i]);
    }
}

// Every byte different from its neighbours, so a field read from the wrong
// offset shows.
inline Bytes PatternImage(std::size_t size) {
    Bytes image(size);
    for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(0x80 + i * 7);
    return image;
}

}  // namespace kr::test
