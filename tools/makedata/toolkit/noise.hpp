#pragma once
// Seeded procedural noise, implemented here so that the same seed gives the
// same numbers with every compiler and library version. Points are given in
// lattice cells; a non-zero period (in cells, per axis) makes the 2D noises
// repeat, which is how textures are made to tile.

#include <cstdint>

#include <glm/glm.hpp>

#include "toolkit/field.hpp"

namespace kr::toolkit {

// Well-mixed 32-bit hashes of integers.
std::uint32_t Hash(std::uint32_t value);
std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
std::uint32_t Hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed);
// A hash as a fraction in [0, 1).
inline float HashFraction(std::uint32_t h) { return static_cast<float>(h >> 8) * (1.0f / 16777216.0f); }

// Both in [-1, 1], smooth, zero mean.
float ValueNoise(glm::vec2 p, std::uint32_t seed, glm::ivec2 period = {0, 0});
float GradientNoise(glm::vec2 p, std::uint32_t seed, glm::ivec2 period = {0, 0});
// 3D gradient noise in [-1, 1] (for sky boxes and rocks: no seams on a sphere).
float GradientNoise(glm::vec3 p, std::uint32_t seed);

// Worley noise: one jittered feature point per cell.
struct CellSample {
    float f1 = 0.0f;         // distance to the nearest feature point, in cells
    float f2 = 0.0f;         // distance to the second nearest
    std::uint32_t id = 0;    // hash of the nearest point's cell: colours cells apart
};
CellSample CellularNoise(glm::vec2 p, std::uint32_t seed, glm::ivec2 period = {0, 0});

enum class Basis { Value, Gradient };

// Octaves double in frequency, so a period stays a period in every octave.
struct Fractal {
    std::uint32_t seed = 1;
    Basis basis = Basis::Gradient;
    int octaves = 5;
    float gain = 0.5f;  // amplitude ratio from one octave to the next
};

// Fractal sum in [-1, 1].
float Fbm(const Fractal& fractal, glm::vec2 p, glm::ivec2 period = {0, 0});
float Fbm(const Fractal& fractal, glm::vec3 p);
// Sharp crests where the noise crosses zero, in [0, 1] (ridges, cracks, veins).
float Ridged(const Fractal& fractal, glm::vec2 p, glm::ivec2 period = {0, 0});

// Fields with `cells` first-octave cells across the width (and as many as
// fit the height); they tile seamlessly in both directions.
Field FbmField(int width, int height, int cells, const Fractal& fractal);
Field RidgedField(int width, int height, int cells, const Fractal& fractal);

enum class CellFeature {
    Distance,   // f1, clamped to 0..1: round pits and bumps
    Border,     // f2 - f1, clamped to 0..1: 0 on the borders between cells
    Id,         // a constant in [0, 1) per cell: plates, crystals
};
Field CellularField(int width, int height, int cells, std::uint32_t seed, CellFeature feature);

}  // namespace kr::toolkit
