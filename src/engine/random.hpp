#pragma once
// The game's random source: a small PCG32 generator, so a seed gives the same
// sequence on every machine. Random(n) yields 0 .. n-1.

#include <cstdint>

namespace kr {

class Random {
public:
    explicit Random(std::uint64_t seed = 0x853c49e6748fea9bULL) { Seed(seed); }

    void Seed(std::uint64_t seed) {
        state_ = 0;
        NextU32();
        state_ += seed;
        NextU32();
    }

    std::uint32_t NextU32() {
        std::uint64_t old = state_;
        state_ = old * 6364136223846793005ULL + kIncrement;
        auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        auto rot = static_cast<std::uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    // 0 .. n-1 without modulo bias; n <= 0 gives 0.
    int operator()(int n) {
        if (n <= 0) return 0;
        auto bound = static_cast<std::uint32_t>(n);
        std::uint32_t threshold = (0u - bound) % bound;
        for (;;) {
            std::uint32_t r = NextU32();
            if (r >= threshold) return static_cast<int>(r % bound);
        }
    }

    // A fraction in [0, 1).
    double Fraction() { return NextU32() / 4294967296.0; }

private:
    static constexpr std::uint64_t kIncrement = 1442695040888963407ULL;
    std::uint64_t state_ = 0;
};

}  // namespace kr
