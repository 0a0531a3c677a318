#pragma once
// A fixed table indexed from 1, as the game numbers its profile slots, score
// entries and texts. An index outside 1..N raises kr::Error instead of
// reaching past the table.

#include <array>
#include <cstddef>
#include <string>

#include "engine/error.hpp"

namespace kr {

template <typename T, std::size_t N>
class OneBasedArray {
public:
    static constexpr int kSize = static_cast<int>(N);

    T& operator[](int index) { return items_[Offset(index)]; }
    const T& operator[](int index) const { return items_[Offset(index)]; }

    static constexpr int size() { return kSize; }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    friend bool operator==(const OneBasedArray&, const OneBasedArray&) = default;

private:
    static std::size_t Offset(int index) {
        if (index < 1 || index > kSize) {
            throw Error("index " + std::to_string(index) + " is outside 1.." +
                        std::to_string(kSize));
        }
        return static_cast<std::size_t>(index - 1);
    }

    std::array<T, N> items_{};
};

}  // namespace kr
