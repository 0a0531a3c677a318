#include "worlds/skies.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/gradients.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/palette.hpp"

namespace kr::makedata::worlds {
namespace {

using glm::vec3;
using toolkit::Colour;
using toolkit::SmoothStep;
namespace palette = toolkit::palette;

// One star per lattice cell of directions (where the cell's hash allows),
// kept off the cell's borders so no star is cut.
float Stars(vec3 d, float cells, float share, std::uint32_t seed, float sharpness) {
    const vec3 p = d * cells;
    const glm::ivec3 cell(glm::floor(p));
    const std::uint32_t h = toolkit::Hash(cell.x, cell.y, cell.z, seed);
    if (toolkit::HashFraction(h) > share) return 0.0f;
    const vec3 jitter(toolkit::HashFraction(toolkit::Hash(h + 1u)), toolkit::HashFraction(toolkit::Hash(h + 2u)),
                      toolkit::HashFraction(toolkit::Hash(h + 3u)));
    const vec3 star = glm::normalize(vec3(cell) + 0.25f + jitter * 0.5f);
    if (glm::ivec3(glm::floor(star * cells)) != cell) return 0.0f;  // it would be cut at the cell's border
    const float angle = glm::length(d - star) * cells;  // in cells
    const float brightness = std::pow(toolkit::HashFraction(toolkit::Hash(h + 4u)), 3.0f);
    return brightness * std::exp(-angle * angle * sharpness);
}

// The gas giant: where it lies, how large it looks, where its sun is.
const vec3 kPlanetCentre = glm::normalize(vec3(0.1f, -0.6f, -0.8f));
constexpr float kPlanetRadius = 0.72f;  // radians
const vec3 kSun = glm::normalize(vec3(-0.8f, 0.3f, 0.5f));

struct PlanetHit {
    bool inside = false;
    vec3 normal{0.0f};
    float beyondLimb = 0.0f;  // radians outside the disc
};

PlanetHit HitPlanet(vec3 d) {
    const float distance = 1.0f, radius = std::sin(kPlanetRadius);
    const float along = glm::dot(d, kPlanetCentre) * distance;
    const float closest2 = distance * distance - along * along;
    PlanetHit hit;
    hit.beyondLimb = std::acos(std::clamp(glm::dot(d, kPlanetCentre), -1.0f, 1.0f)) - kPlanetRadius;
    if (along <= 0.0f || closest2 > radius * radius) return hit;
    const float t = along - std::sqrt(radius * radius - closest2);
    hit.inside = true;
    hit.normal = glm::normalize(d * t - kPlanetCentre * distance);
    return hit;
}

vec3 PlanetSurface(const PlanetHit& hit) {
    const toolkit::Fractal storms{61, toolkit::Basis::Gradient, 5, 0.55f};
    const vec3 pole = glm::normalize(vec3(0.3f, 0.2f, 1.0f));
    const float latitude = glm::dot(hit.normal, pole);
    const float swirl = toolkit::Fbm(storms, hit.normal * 3.0f) * 0.25f;
    const float bands = std::sin((latitude + swirl) * 19.0f) * 0.5f + 0.5f;
    const float fine = toolkit::Fbm(storms, vec3(latitude * 30.0f, hit.normal.x * 2.0f, hit.normal.z * 2.0f));
    vec3 colour = glm::mix(vec3(0.32f, 0.14f, 0.09f), vec3(0.62f, 0.38f, 0.24f), bands);
    colour = glm::mix(colour, vec3(0.2f, 0.17f, 0.22f), SmoothStep(0.2f, 0.8f, fine) * 0.5f);
    const float lit = std::max(0.0f, glm::dot(hit.normal, kSun));
    const float night = 0.035f;
    return colour * (night + 0.9f * std::pow(lit, 0.8f));
}

vec3 Nebula(vec3 d) {
    const toolkit::Fractal cloud{71, toolkit::Basis::Gradient, 6, 0.52f};
    const toolkit::Fractal dust{72, toolkit::Basis::Gradient, 5, 0.5f};
    const toolkit::Fractal hue{73, toolkit::Basis::Gradient, 3, 0.5f};
    const float density = SmoothStep(-0.05f, 0.65f, toolkit::Fbm(cloud, d * 1.8f) + 0.35f * d.x);
    const float lanes = SmoothStep(0.0f, 0.35f, std::fabs(toolkit::Fbm(dust, d * 3.2f)));
    const float tint = toolkit::Fbm(hue, d * 1.3f) * 0.5f + 0.5f;
    const vec3 colour = glm::mix(vec3(0.45f, 0.09f, 0.2f), vec3(0.12f, 0.22f, 0.5f), SmoothStep(0.3f, 0.7f, tint));
    return colour * density * (0.3f + 0.7f * lanes) * 1.1f;
}

}  // namespace

Colour DuskSky(vec3 d) {
    const toolkit::Fractal cloud{81, toolkit::Basis::Gradient, 5, 0.5f};
    const vec3 sun = glm::normalize(vec3(-0.75f, 0.1f, -0.65f));
    const vec3 haze = palette::kFog;
    if (d.y < 0.0f) {
        const float down = SmoothStep(0.0f, 0.6f, -d.y);
        return Colour(glm::mix(haze * 1.05f + palette::kEmber * 0.04f, haze * 0.7f, down), 1.0f);
    }
    const float up = d.y;
    const float toSun = std::max(0.0f, glm::dot(d, sun));
    vec3 sky = glm::mix(vec3(0.56f, 0.34f, 0.24f), vec3(0.22f, 0.2f, 0.3f), SmoothStep(0.0f, 0.25f, up));
    sky = glm::mix(sky, vec3(0.06f, 0.07f, 0.14f), SmoothStep(0.2f, 0.9f, up));
    sky += palette::kEmber * (0.45f * std::pow(toSun, 12.0f) + 0.15f * std::pow(toSun, 3.0f)) * (1.0f - SmoothStep(0.0f, 0.5f, up));
    sky = glm::mix(haze, sky, SmoothStep(0.0f, 0.06f, up));
    // Thin streaks of high cloud, lit from below by the sun.
    const float streak = SmoothStep(0.1f, 0.6f, toolkit::Fbm(cloud, vec3(d.x * 2.5f, d.y * 9.0f, d.z * 2.5f)));
    const vec3 cloudColour = glm::mix(vec3(0.16f, 0.13f, 0.2f), vec3(0.75f, 0.42f, 0.28f), std::pow(toSun, 2.0f));
    sky = glm::mix(sky, cloudColour, streak * 0.6f * SmoothStep(0.03f, 0.15f, up) * (1.0f - SmoothStep(0.5f, 0.9f, up)));
    return Colour(sky, 1.0f);
}

Colour OrbitSky(vec3 d) {
    const PlanetHit hit = HitPlanet(d);
    if (hit.inside) {
        // The air glows thinly just inside the limb, on the lit side most.
        const float rim = std::exp(hit.beyondLimb / 0.02f);
        const float litRim = 0.25f + 0.75f * std::max(0.0f, glm::dot(hit.normal, kSun));
        return Colour(PlanetSurface(hit) + vec3(0.3f, 0.55f, 0.95f) * rim * litRim * 0.7f, 1.0f);
    }
    vec3 sky = palette::kDeep + Nebula(d);
    sky += vec3(0.9f, 0.92f, 1.0f) * (Stars(d, 90.0f, 0.5f, 91u, 60.0f) * 0.9f + Stars(d, 28.0f, 0.35f, 92u, 250.0f) * 1.6f);
    // The atmosphere's halo beyond the limb.
    const float halo = std::exp(-hit.beyondLimb / 0.035f);
    sky += vec3(0.25f, 0.45f, 0.9f) * halo * 0.55f;
    return Colour(sky, 1.0f);
}

toolkit::Canvas StarDust(int size) {
    const toolkit::Field dust = toolkit::FbmField(size, size, 3, {95, toolkit::Basis::Gradient, 5, 0.55f});
    const toolkit::Field sparks = toolkit::CellularField(size, size, 24, 96, toolkit::CellFeature::Distance);
    const toolkit::Field sparkIds = toolkit::CellularField(size, size, 24, 96, toolkit::CellFeature::Id);
    toolkit::Canvas canvas(size, size);
    return canvas.Generate([&](int x, int y) {
        const float cloud = SmoothStep(-0.1f, 0.7f, dust.At(x, y));
        const float star = std::exp(-std::pow(sparks.At(x, y) * 14.0f, 2.0f)) * std::pow(sparkIds.At(x, y), 4.0f);
        const vec3 colour = palette::kDeep + vec3(0.12f, 0.08f, 0.2f) * cloud + vec3(0.9f, 0.9f, 1.0f) * star;
        return Colour(colour, 1.0f);
    });
}

}  // namespace kr::makedata::worlds
