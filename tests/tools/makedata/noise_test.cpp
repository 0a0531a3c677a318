// Procedural noise: in range, really using that range, repeatable per seed,
// different across seeds, continuous, and seamless where it promises to
// tile.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "toolkit/noise.hpp"

namespace kr::toolkit::test {
namespace {

struct Range {
    float min = 1e9f;
    float max = -1e9f;
    double mean = 0.0;
};

template <class Fn>
Range Scan(Fn sample) {
    Range r;
    int n = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const float v = sample(glm::vec2(x * 0.173f - 11.0f, y * 0.131f - 7.0f));
            r.min = std::min(r.min, v);
            r.max = std::max(r.max, v);
            r.mean += v;
            ++n;
        }
    r.mean /= n;
    return r;
}

TEST(Noise, BasesStayInRangeUseMostOfItAndCentreOnZero) {
    const Range value = Scan([](glm::vec2 p) { return ValueNoise(p, 7); });
    const Range gradient = Scan([](glm::vec2 p) { return GradientNoise(p, 7); });
    const Range gradient3 = Scan([](glm::vec2 p) { return GradientNoise(glm::vec3(p, p.x * 0.37f), 7); });
    for (const Range& r : {value, gradient, gradient3}) {
        EXPECT_GE(r.min, -1.0f);
        EXPECT_LE(r.max, 1.0f);
        EXPECT_LT(r.min, -0.5f);
        EXPECT_GT(r.max, 0.5f);
        EXPECT_NEAR(r.mean, 0.0, 0.08);
    }
}

TEST(Noise, FractalsStayInTheirRanges) {
    for (Basis basis : {Basis::Value, Basis::Gradient}) {
        const Fractal f{3, basis, 6, 0.6f};
        const Range fbm = Scan([&](glm::vec2 p) { return Fbm(f, p); });
        EXPECT_GE(fbm.min, -1.0f);
        EXPECT_LE(fbm.max, 1.0f);
        EXPECT_GT(fbm.max - fbm.min, 0.6f);
        const Range ridged = Scan([&](glm::vec2 p) { return Ridged(f, p); });
        EXPECT_GE(ridged.min, 0.0f);
        EXPECT_LE(ridged.max, 1.0f);
        EXPECT_GT(ridged.max - ridged.min, 0.4f);
    }
    const Range fbm3 = Scan([](glm::vec2 p) { return Fbm(Fractal{}, glm::vec3(p.x, 0.5f * p.y, p.y)); });
    EXPECT_GE(fbm3.min, -1.0f);
    EXPECT_LE(fbm3.max, 1.0f);
}

TEST(Noise, GradientNoiseIsZeroOnTheLattice) {
    for (int y = -3; y < 3; ++y)
        for (int x = -3; x < 3; ++x) EXPECT_FLOAT_EQ(GradientNoise(glm::vec2(x, y), 99), 0.0f);
}

TEST(Noise, SameSeedRepeatsAndOtherSeedsDiffer) {
    const Field a = FbmField(64, 64, 4, Fractal{5});
    const Field b = FbmField(64, 64, 4, Fractal{5});
    const Field c = FbmField(64, 64, 4, Fractal{6});
    EXPECT_EQ(a.values(), b.values());
    // Different seeds must be unrelated, not shifted or scaled copies.
    double dot = 0.0, aa = 0.0, cc = 0.0;
    for (std::size_t i = 0; i < a.values().size(); ++i) {
        dot += a.values()[i] * c.values()[i];
        aa += a.values()[i] * a.values()[i];
        cc += c.values()[i] * c.values()[i];
    }
    EXPECT_LT(std::abs(dot / std::sqrt(aa * cc)), 0.3);
    EXPECT_NE(CellularField(32, 32, 4, 1, CellFeature::Id).values(), CellularField(32, 32, 4, 2, CellFeature::Id).values());
}

TEST(Noise, IsContinuous) {
    const Fractal f{9, Basis::Gradient, 4, 0.5f};
    for (int i = 0; i < 500; ++i) {
        const glm::vec2 p(i * 0.0371f, i * 0.0173f);
        const glm::vec2 q = p + glm::vec2(1e-3f, 0.0f);
        ASSERT_LT(std::abs(Fbm(f, p) - Fbm(f, q)), 0.05f);
        ASSERT_LT(std::abs(ValueNoise(p, 1) - ValueNoise(q, 1)), 0.02f);
    }
}

TEST(Noise, PeriodicNoiseRepeatsAfterItsPeriod) {
    const glm::ivec2 period(5, 3);
    const Fractal f{4, Basis::Gradient, 5, 0.5f};
    for (int i = 0; i < 200; ++i) {
        const glm::vec2 p(i * 0.113f, i * 0.071f);
        const glm::vec2 shifted = p + glm::vec2(period) * glm::vec2(2, -1);
        EXPECT_NEAR(ValueNoise(p, 3, period), ValueNoise(shifted, 3, period), 1e-4f);
        EXPECT_NEAR(Fbm(f, p, period), Fbm(f, shifted, period), 1e-4f);
        EXPECT_NEAR(Ridged(f, p, period), Ridged(f, shifted, period), 1e-4f);
        EXPECT_NEAR(CellularNoise(p, 3, period).f1, CellularNoise(shifted, 3, period).f1, 1e-4f);
    }
}

// Across the wrap-around edge the field changes no more than between
// neighbours inside it.
void ExpectSeamless(const Field& field, const char* what) {
    float inside = 0.0f, across = 0.0f;
    const int w = field.width(), h = field.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x + 1 < w; ++x) inside = std::max(inside, std::abs(field.At(x + 1, y) - field.At(x, y)));
    for (int x = 0; x < w; ++x)
        for (int y = 0; y + 1 < h; ++y) inside = std::max(inside, std::abs(field.At(x, y + 1) - field.At(x, y)));
    for (int y = 0; y < h; ++y) across = std::max(across, std::abs(field.At(0, y) - field.At(w - 1, y)));
    for (int x = 0; x < w; ++x) across = std::max(across, std::abs(field.At(x, 0) - field.At(x, h - 1)));
    EXPECT_LE(across, inside * 1.05f) << what;
    EXPECT_GT(inside, 0.0f) << what;
}

TEST(Noise, FieldsTileSeamlessly) {
    const Fractal f{8, Basis::Gradient, 5, 0.5f};
    ExpectSeamless(FbmField(128, 64, 4, f), "fbm");
    ExpectSeamless(RidgedField(96, 96, 3, f), "ridged");
    ExpectSeamless(FbmField(64, 64, 5, Fractal{2, Basis::Value, 4, 0.5f}), "value fbm");
    ExpectSeamless(CellularField(64, 64, 4, 8, CellFeature::Distance), "cells");
}

TEST(Noise, FieldsHoldThePointNoiseAtTexelCentres) {
    const Fractal f{12, Basis::Gradient, 5, 0.55f};
    const Field fbm = FbmField(48, 24, 3, f);
    const Field ridged = RidgedField(48, 24, 3, Fractal{12, Basis::Value, 4, 0.5f});
    const glm::ivec2 period(3, 2);  // 3 cells across 48 texels, so 1.5 down 24 round to 2
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 48; ++x) {
            const glm::vec2 p((x + 0.5f) * (3.0f / 48.0f), (y + 0.5f) * (2.0f / 24.0f));
            ASSERT_EQ(fbm.At(x, y), Fbm(f, p, period));
            ASSERT_EQ(ridged.At(x, y), Ridged(Fractal{12, Basis::Value, 4, 0.5f}, p, period));
        }
}

TEST(Noise, CellularFeaturesAreOrderedAndCellsAreFlat) {
    for (int i = 0; i < 300; ++i) {
        const CellSample s = CellularNoise(glm::vec2(i * 0.37f, i * 0.21f), 4);
        ASSERT_LE(s.f1, s.f2);
        ASSERT_LT(s.f1, 1.5f);
    }
    const Field ids = CellularField(64, 64, 2, 4, CellFeature::Id);
    // With 2 cells across, a field of 64 has at most a few dozen distinct
    // cell values, each covering a patch.
    std::vector<float> distinct = ids.values();
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    EXPECT_GE(distinct.size(), 3u);
    EXPECT_LE(distinct.size(), 20u);
}

TEST(Noise, HashesSpreadEvenly) {
    int buckets[8] = {};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) ++buckets[static_cast<int>(HashFraction(Hash(x, y, 1)) * 8)];
    for (int count : buckets) EXPECT_NEAR(count, 512, 80);
}

}  // namespace
}  // namespace kr::toolkit::test
