#pragma once
// Helpers for the picture tests: corpus files read in place, pixel access
// and generated pictures.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/error.hpp"
#include "engine/image/image.hpp"

namespace kr::image::test {

using Rgba = std::array<int, 4>;

inline std::string CorpusPath(const std::string& relative) { return std::string(KR_CORPUS_DIR) + "/" + relative; }

inline Bytes ReadCorpus(const std::string& relative) {
    std::ifstream file(CorpusPath(relative), std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing corpus file " << relative;
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline Rgba PixelAt(const Image& image, int x, int y) {
    const std::uint8_t* p = image.Pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

// A picture of smooth colour ramps; its lower half has an alpha ramp.
inline Image MakeRamp(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / (height > 1 ? height - 1 : 1));
            p[2] = static_cast<std::uint8_t>((x + y) * 255 / std::max(1, width + height - 2));
            p[3] = static_cast<std::uint8_t>(y < height / 2 ? 255 : x * 255 / std::max(1, width - 1));
        }
    }
    return image;
}

inline Image MakeSolid(int width, int height, Rgba colour) {
    Image image(width, height);
    for (std::size_t i = 0; i < image.rgba.size(); ++i) image.rgba[i] = static_cast<std::uint8_t>(colour[i % 4]);
    return image;
}

// Runs `call` and expects a FileError whose message names `fileName`.
template <typename Call>
void ExpectFileError(Call call, const std::string& fileName, const std::string& context = "") {
    try {
        call();
        ADD_FAILURE() << "no FileError " << context;
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), fileName) << context;
        EXPECT_NE(std::string(error.what()).find(fileName), std::string::npos) << context;
    }
}

}  // namespace kr::image::test
