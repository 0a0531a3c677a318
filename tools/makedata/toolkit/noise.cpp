#include "toolkit/noise.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace kr::toolkit {
namespace {

constexpr std::uint32_t kOctaveSeedStep = 0x9E3779B9u;

int Wrap(int i, int period) {
    if (period <= 0 || static_cast<unsigned>(i) < static_cast<unsigned>(period)) return i;
    const int m = i % period;
    return m < 0 ? m + period : m;
}

int NextWrapped(int i, int period) { return period > 0 && i + 1 == period ? 0 : i + 1; }

int FloorToInt(float v) { return static_cast<int>(std::floor(v)); }

// Quintic fade: zero first and second derivatives at the lattice points.
float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

float Normalised(float v, float scale) { return std::clamp(v * scale, -1.0f, 1.0f); }

// Sixteen unit directions, evenly spaced.
std::array<glm::vec2, 16> MakeGradients2() {
    std::array<glm::vec2, 16> t{};
    for (int i = 0; i < 16; ++i) {
        const double angle = i * (2.0 * 3.14159265358979323846 / 16.0);
        t[i] = glm::vec2(static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle)));
    }
    return t;
}
const std::array<glm::vec2, 16> kGradients2 = MakeGradients2();

// The twelve cube-edge directions of improved Perlin noise.
constexpr std::array<glm::vec3, 12> kGradients3 = {{
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1},
    {1, 0, -1}, {-1, 0, -1}, {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1},
}};

// A lattice point's hash is built up seed, column, row, so that a whole row
// of lattice points can share the first two steps.
std::uint32_t SeedHash(std::uint32_t seed) { return Hash(seed ^ 0xA511E9B3u); }
std::uint32_t ColumnHash(std::uint32_t seedHash, int x) { return Hash(seedHash ^ static_cast<std::uint32_t>(x)); }
std::uint32_t CellHash(std::uint32_t columnHash, int y) {
    return Hash(columnHash ^ static_cast<std::uint32_t>(y) * 0x27D4EB2Fu);
}

// The lattice cell around a point: its corners' hashes (after wrapping by
// the period) and the point's place inside it.
struct LatticeCell {
    std::uint32_t h00, h10, h01, h11;
    glm::vec2 offset;  // 0..1
};

LatticeCell Locate(glm::vec2 p, std::uint32_t seed, glm::ivec2 period) {
    const int ix = FloorToInt(p.x);
    const int iy = FloorToInt(p.y);
    const int x0 = Wrap(ix, period.x);
    const int y0 = Wrap(iy, period.y);
    const int y1 = NextWrapped(y0, period.y);
    const std::uint32_t seedHash = SeedHash(seed);
    const std::uint32_t c0 = ColumnHash(seedHash, x0);
    const std::uint32_t c1 = ColumnHash(seedHash, NextWrapped(x0, period.x));
    return {CellHash(c0, y0), CellHash(c1, y0), CellHash(c0, y1), CellHash(c1, y1), glm::vec2(p.x - ix, p.y - iy)};
}

// One octave's lattice along one row of a periodic field: the corner hashes
// of every lattice column for the cell row the field row falls in, so that
// sampling along the row hashes nothing.
class LatticeRow {
public:
    LatticeRow(std::uint32_t seed, glm::ivec2 period, float y) : periodX_(period.x) {
        const int iy = FloorToInt(y);
        const int y0 = Wrap(iy, period.y);
        const int y1 = NextWrapped(y0, period.y);
        offsetY_ = y - iy;
        const std::uint32_t seedHash = SeedHash(seed);
        top_.resize(static_cast<std::size_t>(period.x));
        bottom_.resize(static_cast<std::size_t>(period.x));
        for (int x = 0; x < period.x; ++x) {
            const std::uint32_t column = ColumnHash(seedHash, x);
            top_[x] = CellHash(column, y0);
            bottom_[x] = CellHash(column, y1);
        }
    }

    LatticeCell At(float x) const {
        const int ix = FloorToInt(x);
        const int x0 = Wrap(ix, periodX_);
        const int x1 = NextWrapped(x0, periodX_);
        return {top_[x0], top_[x1], bottom_[x0], bottom_[x1], glm::vec2(x - ix, offsetY_)};
    }

private:
    int periodX_;
    float offsetY_ = 0.0f;
    std::vector<std::uint32_t> top_, bottom_;
};

float ValueAt(const LatticeCell& c) {
    const auto value = [](std::uint32_t h) { return HashFraction(h) * 2.0f - 1.0f; };
    const float tx = Fade(c.offset.x);
    const float ty = Fade(c.offset.y);
    return Lerp(Lerp(value(c.h00), value(c.h10), tx), Lerp(value(c.h01), value(c.h11), tx), ty);
}

float GradientAt(const LatticeCell& c) {
    const auto corner = [&](std::uint32_t h, glm::vec2 delta) { return glm::dot(kGradients2[h & 15u], c.offset - delta); };
    const float n00 = corner(c.h00, {0, 0});
    const float n10 = corner(c.h10, {1, 0});
    const float n01 = corner(c.h01, {0, 1});
    const float n11 = corner(c.h11, {1, 1});
    const float tx = Fade(c.offset.x);
    const float ty = Fade(c.offset.y);
    // Unit gradients reach at most sqrt(1/2).
    return Normalised(Lerp(Lerp(n00, n10, tx), Lerp(n01, n11, tx), ty), 1.41421356f);
}

float BasisAt(Basis basis, const LatticeCell& c) { return basis == Basis::Value ? ValueAt(c) : GradientAt(c); }

enum class Sum { Plain, Ridged };

// The octave loop shared by points and fields: `octave(k, seed, scale)`
// gives the basis noise of octave k (frequency `scale`).
template <class Octave>
float Accumulate(const Fractal& fractal, Sum kind, Octave octave) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    float weight = 1.0f;
    std::uint32_t seed = fractal.seed;
    float scale = 1.0f;
    for (int k = 0; k < fractal.octaves; ++k) {
        const float n = octave(k, seed, scale);
        if (kind == Sum::Plain) {
            sum += amplitude * n;
        } else {
            float signal = 1.0f - std::abs(n);
            signal *= signal * weight;
            // Detail gathers on the crests of the coarser octaves.
            weight = std::clamp(signal * 2.0f, 0.0f, 1.0f);
            sum += amplitude * signal;
        }
        total += amplitude;
        amplitude *= fractal.gain;
        scale *= 2.0f;
        seed += kOctaveSeedStep;
    }
    if (total <= 0.0f) return 0.0f;
    return kind == Sum::Plain ? sum / total : std::clamp(sum / total, 0.0f, 1.0f);
}

float PointFractal(const Fractal& fractal, Sum kind, glm::vec2 p, glm::ivec2 period) {
    return Accumulate(fractal, kind, [&](int, std::uint32_t seed, float scale) {
        return BasisAt(fractal.basis, Locate(p * scale, seed, period * static_cast<int>(scale)));
    });
}

struct FieldLattice {
    glm::ivec2 period;
    glm::vec2 step;  // lattice cells per texel
};

// Texel centres mapped onto whole cells along each axis so that the field
// repeats exactly.
FieldLattice LatticeOf(int width, int height, int cells) {
    const int cellsX = std::max(cells, 1);
    const int cellsY = std::max(1, static_cast<int>(std::lround(static_cast<double>(cellsX) * height / std::max(width, 1))));
    return {{cellsX, cellsY},
            {static_cast<float>(cellsX) / std::max(width, 1), static_cast<float>(cellsY) / std::max(height, 1)}};
}

// The same values as PointFractal at every texel centre, row by row.
Field FractalField(int width, int height, int cells, const Fractal& fractal, Sum kind) {
    const FieldLattice lattice = LatticeOf(width, height, cells);
    Field field(width, height);
    std::vector<LatticeRow> rows;
    for (int y = 0; y < height; ++y) {
        const float py = (y + 0.5f) * lattice.step.y;
        rows.clear();
        std::uint32_t seed = fractal.seed;
        float scale = 1.0f;
        for (int k = 0; k < fractal.octaves; ++k) {
            rows.emplace_back(seed, lattice.period * static_cast<int>(scale), py * scale);
            scale *= 2.0f;
            seed += kOctaveSeedStep;
        }
        for (int x = 0; x < width; ++x) {
            const float px = (x + 0.5f) * lattice.step.x;
            field.At(x, y) = Accumulate(fractal, kind, [&](int k, std::uint32_t, float s) {
                return BasisAt(fractal.basis, rows[k].At(px * s));
            });
        }
    }
    return field;
}

}  // namespace

std::uint32_t Hash(std::uint32_t value) {
    value ^= value >> 16;
    value *= 0x7FEB352Du;
    value ^= value >> 15;
    value *= 0x846CA68Bu;
    value ^= value >> 16;
    return value;
}

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return CellHash(ColumnHash(SeedHash(seed), x), y);
}

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
    return Hash(Hash(x, y, seed) ^ static_cast<std::uint32_t>(z) * 0x165667B1u);
}

float ValueNoise(glm::vec2 p, std::uint32_t seed, glm::ivec2 period) { return ValueAt(Locate(p, seed, period)); }

float GradientNoise(glm::vec2 p, std::uint32_t seed, glm::ivec2 period) { return GradientAt(Locate(p, seed, period)); }

float GradientNoise(glm::vec3 p, std::uint32_t seed) {
    const glm::ivec3 i(FloorToInt(p.x), FloorToInt(p.y), FloorToInt(p.z));
    const glm::vec3 f = p - glm::vec3(i);
    const auto corner = [&](int dx, int dy, int dz) {
        const glm::vec3& g = kGradients3[Hash(i.x + dx, i.y + dy, i.z + dz, seed) % 12u];
        return glm::dot(g, f - glm::vec3(dx, dy, dz));
    };
    const glm::vec3 t(Fade(f.x), Fade(f.y), Fade(f.z));
    const float z0 = Lerp(Lerp(corner(0, 0, 0), corner(1, 0, 0), t.x), Lerp(corner(0, 1, 0), corner(1, 1, 0), t.x), t.y);
    const float z1 = Lerp(Lerp(corner(0, 0, 1), corner(1, 0, 1), t.x), Lerp(corner(0, 1, 1), corner(1, 1, 1), t.x), t.y);
    return Normalised(Lerp(z0, z1, t.z), 1.0f);
}

CellSample CellularNoise(glm::vec2 p, std::uint32_t seed, glm::ivec2 period) {
    const int ix = FloorToInt(p.x);
    const int iy = FloorToInt(p.y);
    const glm::vec2 inside(p.x - ix, p.y - iy);
    const std::uint32_t seedHash = SeedHash(seed);
    float best1 = 64.0f, best2 = 64.0f;  // squared distances
    std::uint32_t id = 0;
    // The 3x3 block first, then the cells two out (less the far corners),
    // each only when it could still hold a point nearer than the second.
    static constexpr std::array<glm::ivec2, 21> kOrder = {{
        {0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1},
        {-2, -1}, {-2, 0}, {-2, 1}, {2, -1}, {2, 0}, {2, 1}, {-1, -2}, {0, -2}, {1, -2}, {-1, 2}, {0, 2}, {1, 2},
    }};
    for (const glm::ivec2& d : kOrder) {
        const float gapX = std::max(d.x > 0 ? d.x - inside.x : d.x < 0 ? inside.x - d.x - 1 : 0.0f, 0.0f);
        const float gapY = std::max(d.y > 0 ? d.y - inside.y : d.y < 0 ? inside.y - d.y - 1 : 0.0f, 0.0f);
        if (gapX * gapX + gapY * gapY >= best2) continue;
        const std::uint32_t h = CellHash(ColumnHash(seedHash, Wrap(ix + d.x, period.x)), Wrap(iy + d.y, period.y));
        const glm::vec2 delta = glm::vec2(d.x + HashFraction(h), d.y + HashFraction(Hash(h))) - inside;
        const float dd = glm::dot(delta, delta);
        if (dd < best1) {
            best2 = best1;
            best1 = dd;
            id = h;
        } else if (dd < best2) {
            best2 = dd;
        }
    }
    return {std::sqrt(best1), std::sqrt(best2), id};
}

float Fbm(const Fractal& fractal, glm::vec2 p, glm::ivec2 period) { return PointFractal(fractal, Sum::Plain, p, period); }

float Ridged(const Fractal& fractal, glm::vec2 p, glm::ivec2 period) {
    return PointFractal(fractal, Sum::Ridged, p, period);
}

float Fbm(const Fractal& fractal, glm::vec3 p) {
    return Accumulate(fractal, Sum::Plain, [&](int, std::uint32_t seed, float scale) { return GradientNoise(p * scale, seed); });
}

Field FbmField(int width, int height, int cells, const Fractal& fractal) {
    return FractalField(width, height, cells, fractal, Sum::Plain);
}

Field RidgedField(int width, int height, int cells, const Fractal& fractal) {
    return FractalField(width, height, cells, fractal, Sum::Ridged);
}

Field CellularField(int width, int height, int cells, std::uint32_t seed, CellFeature feature) {
    const FieldLattice lattice = LatticeOf(width, height, cells);
    Field field(width, height);
    return field.Generate([&](int x, int y) {
        const glm::vec2 p((x + 0.5f) * lattice.step.x, (y + 0.5f) * lattice.step.y);
        const CellSample s = CellularNoise(p, seed, lattice.period);
        switch (feature) {
            case CellFeature::Distance: return std::min(s.f1, 1.0f);
            case CellFeature::Border: return std::min(s.f2 - s.f1, 1.0f);
            case CellFeature::Id: return HashFraction(s.id);
        }
        return 0.0f;
    });
}

}  // namespace kr::toolkit
