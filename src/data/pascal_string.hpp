#pragma once
// A length-prefixed string of fixed capacity, stored as it lies in the saved
// records: one length byte followed by `Capacity` character bytes. Bytes past
// the length are kept as they are, so a record read and written back comes out
// byte for byte the same. Characters are single bytes, never converted.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kr {

template <std::size_t Capacity>
class PascalString {
    static_assert(Capacity >= 1 && Capacity <= 255, "the length must fit one byte");

public:
    static constexpr std::size_t kCapacity = Capacity;
    static constexpr std::size_t kByteSize = Capacity + 1;

    PascalString() = default;
    PascalString(std::string_view text) { Assign(text); }  // NOLINT: converts like a string
    PascalString(const char* text) { Assign(text); }       // NOLINT
    PascalString(const std::string& text) { Assign(text); }  // NOLINT

    // Replaces the text; a longer text is cut to the capacity. Character bytes
    // past the new length keep their old values.
    void Assign(std::string_view text) {
        std::size_t length = std::min(text.size(), Capacity);
        bytes_[0] = static_cast<std::uint8_t>(length);
        std::copy_n(text.begin(), length, bytes_.begin() + 1);
    }

    std::size_t Length() const { return bytes_[0]; }
    bool Empty() const { return bytes_[0] == 0; }
    std::string_view View() const {
        return {reinterpret_cast<const char*>(bytes_.data() + 1), Length()};
    }
    std::string Str() const { return std::string(View()); }
    operator std::string_view() const { return View(); }  // NOLINT: reads like a string

    // The stored image. A length byte above the capacity cannot be trusted:
    // it is cut to the capacity on the way in.
    void ReadBytes(std::span<const std::uint8_t, kByteSize> image) {
        std::copy(image.begin(), image.end(), bytes_.begin());
        bytes_[0] = static_cast<std::uint8_t>(std::min<std::size_t>(bytes_[0], Capacity));
    }
    void WriteBytes(std::span<std::uint8_t, kByteSize> image) const {
        std::copy(bytes_.begin(), bytes_.end(), image.begin());
    }
    const std::array<std::uint8_t, kByteSize>& Bytes() const { return bytes_; }

    friend bool operator==(const PascalString& a, std::string_view b) { return a.View() == b; }
    friend bool operator==(const PascalString& a, const char* b) {
        return a.View() == std::string_view(b);
    }
    friend bool operator==(const PascalString& a, const std::string& b) { return a.View() == b; }
    friend bool operator==(const PascalString& a, const PascalString& b) {
        return a.View() == b.View();
    }

private:
    std::array<std::uint8_t, kByteSize> bytes_{};
};

}  // namespace kr
