#pragma once
// Little-endian readers and writers over fixed-size record images. The byte
// order is spelt out byte by byte, so records come out the same on any host.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "data/one_based_array.hpp"
#include "data/pascal_string.hpp"
#include "engine/error.hpp"
#include "engine/game_folder.hpp"

namespace kr {

// Records list their fields once, as a template over the reader or writer:
//   template <class Io, class R> void Fields(Io& io, R& r) { io.Field(r.A); ... }
// and the same list both reads and writes the image.

// Reads fields in order from a record image; `what` names the record in the
// error raised when the image is too short.
class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> image, std::size_t recordSize, const char* what)
        : image_(image) {
        if (image.size() < recordSize) {
            throw Error(std::string(what) + " image holds " + std::to_string(image.size()) +
                        " bytes, expected " + std::to_string(recordSize));
        }
    }

    std::uint8_t U8() { return image_[offset_++]; }

    std::uint32_t U32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= std::uint32_t{image_[offset_ + i]} << (8 * i);
        offset_ += 4;
        return value;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    double F64() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= std::uint64_t{image_[offset_ + i]} << (8 * i);
        offset_ += 8;
        return std::bit_cast<double>(bits);
    }

    template <std::size_t N>
    void Raw(std::array<std::uint8_t, N>& out) {
        std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(offset_), N, out.begin());
        offset_ += N;
    }

    template <std::size_t C>
    void Text(PascalString<C>& out) {
        out.ReadBytes(image_.subspan(offset_).template first<PascalString<C>::kByteSize>());
        offset_ += PascalString<C>::kByteSize;
    }

    void Field(std::uint8_t& value) { value = U8(); }
    void Field(std::int32_t& value) { value = I32(); }
    void Field(double& value) { value = F64(); }
    template <std::size_t N>
    void Field(std::array<std::uint8_t, N>& bytes) { Raw(bytes); }
    template <std::size_t C>
    void Field(PascalString<C>& text) { Text(text); }
    template <typename T, std::size_t N>
    void Field(OneBasedArray<T, N>& table) {
        for (T& item : table) Field(item);
    }

private:
    std::span<const std::uint8_t> image_;
    std::size_t offset_ = 0;
};

// Appends fields in order to a record image.
class ByteWriter {
public:
    explicit ByteWriter(std::size_t recordSize) : recordSize_(recordSize) {
        bytes_.reserve(recordSize);
    }

    void U8(std::uint8_t value) { bytes_.push_back(value); }

    void U32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }

    void F64(double value) {
        auto bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }

    template <std::size_t N>
    void Raw(const std::array<std::uint8_t, N>& data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }

    template <std::size_t C>
    void Text(const PascalString<C>& text) {
        const auto& image = text.Bytes();
        bytes_.insert(bytes_.end(), image.begin(), image.end());
    }

    void Field(std::uint8_t value) { U8(value); }
    void Field(std::int32_t value) { I32(value); }
    void Field(double value) { F64(value); }
    template <std::size_t N>
    void Field(const std::array<std::uint8_t, N>& bytes) { Raw(bytes); }
    template <std::size_t C>
    void Field(const PascalString<C>& text) { Text(text); }
    template <typename T, std::size_t N>
    void Field(const OneBasedArray<T, N>& table) {
        for (const T& item : table) Field(item);
    }

    // The finished image; a layout that does not add up to the record size is
    // a fault in the writer, caught here rather than on disk.
    kr::Bytes Take() {
        if (bytes_.size() != recordSize_) {
            throw Error("record layout error: wrote " + std::to_string(bytes_.size()) +
                        " bytes, expected " + std::to_string(recordSize_));
        }
        return std::move(bytes_);
    }

private:
    std::size_t recordSize_;
    kr::Bytes bytes_;
};

}  // namespace kr
