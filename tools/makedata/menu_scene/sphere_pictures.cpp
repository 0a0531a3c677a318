#include "menu_scene/sphere_pictures.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <glm/gtc/constants.hpp>

#include "menu_scene/paint.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/shapes.hpp"
#include "toolkit/sphere_map.hpp"

namespace kr::makedata::menu_scene {

namespace {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::SmoothStep;
using toolkit::SphereMap;

constexpr glm::vec3 kSpace{0.02f, 0.03f, 0.06f};
constexpr glm::vec3 kCrimson{0.85f, 0.15f, 0.12f};
constexpr glm::vec3 kEmber{1.0f, 0.45f, 0.2f};

// A direction from two fractions, evenly over the sphere.
glm::vec3 EvenDirection(float a, float b) {
    const float y = 1.0f - 2.0f * a;
    const float r = std::sqrt(std::max(0.0f, 1.0f - y * y));
    const float phi = glm::two_pi<float>() * b;
    return {r * std::cos(phi), y, r * std::sin(phi)};
}

// Two unit vectors across `n`.
void Across(glm::vec3 n, glm::vec3& e1, glm::vec3& e2) {
    const glm::vec3 seed = std::abs(n.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    e1 = glm::normalize(glm::cross(seed, n));
    e2 = glm::cross(n, e1);
}

// Cubic B-spline weights of the four texels around a point `t` (0..1) past
// the second: smooth, without the overshoot of sharper cubics.
glm::vec4 SplineWeights(float t) {
    const float t2 = t * t, t3 = t2 * t;
    return glm::vec4((1 - t) * (1 - t) * (1 - t), 3 * t3 - 6 * t2 + 4, -3 * t3 + 3 * t2 + 3 * t + 1, t3) / 6.0f;
}

// Smooth enlargement by a whole factor; u wraps round the sphere, v stops at
// the poles.
Canvas Enlarged(const Canvas& small, int factor) {
    const int sw = small.width(), sh = small.height();
    Canvas wide(sw * factor, sh);
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw * factor; ++x) {
            const float f = (x + 0.5f) / factor - 0.5f;
            const int x0 = static_cast<int>(std::floor(f));
            const glm::vec4 w = SplineWeights(f - x0);
            Colour c(0.0f);
            for (int k = 0; k < 4; ++k) c += small.At(((x0 - 1 + k) % sw + sw) % sw, y) * w[k];
            wide.At(x, y) = c;
        }
    Canvas big(sw * factor, sh * factor);
    for (int y = 0; y < sh * factor; ++y) {
        const float f = (y + 0.5f) / factor - 0.5f;
        const int y0 = static_cast<int>(std::floor(f));
        const glm::vec4 w = SplineWeights(f - y0);
        for (int x = 0; x < sw * factor; ++x) {
            Colour c(0.0f);
            for (int k = 0; k < 4; ++k) c += wide.At(x, std::clamp(y0 - 1 + k, 0, sh - 1)) * w[k];
            big.At(x, y) = c;
        }
    }
    return big;
}

// ---- the star sphere ------------------------------------------------------------------

const glm::vec3 kBandNormal = glm::normalize(glm::vec3(0.35f, 0.25f, 0.9f));

glm::vec3 Nebula(glm::vec3 d) {
    const float band = std::exp(-std::pow(glm::dot(d, kBandNormal) / 0.3f, 2.0f));
    const float clouds = toolkit::Fbm({811, toolkit::Basis::Gradient, 5, 0.55f}, d * 2.2f);
    const float wisps = toolkit::Fbm({812, toolkit::Basis::Gradient, 4, 0.5f}, d * 5.0f + glm::vec3(3.1f));
    const float dust = toolkit::Fbm({813, toolkit::Basis::Gradient, 4, 0.6f}, d * 7.0f);
    const float glow = band * std::clamp(0.45f + 0.9f * clouds, 0.0f, 1.0f) * (1.0f - 0.7f * SmoothStep(0.0f, 0.4f, dust));
    const float red = std::pow(std::clamp(wisps * 1.6f + clouds * 0.5f, 0.0f, 1.0f), 2.0f);
    glm::vec3 c = kSpace;
    c += glm::vec3(0.11f, 0.13f, 0.24f) * glow;
    c += glm::vec3(0.05f, 0.07f, 0.12f) * std::clamp(clouds + 0.4f, 0.0f, 1.0f) * 0.5f;
    c += glm::vec3(0.24f, 0.05f, 0.06f) * red * (0.4f + 0.6f * band);
    return c;
}

struct Star {
    glm::vec3 direction;
    glm::vec3 colour;
    float sigma;      // radians
    float spikes;     // strength of the four diffraction spikes, 0 for most
};

glm::vec3 StarColour(float t) {
    if (t < 0.25f) return {0.72f, 0.82f, 1.0f};
    if (t < 0.7f) return {0.95f, 0.96f, 1.0f};
    if (t < 0.88f) return {1.0f, 0.9f, 0.72f};
    if (t < 0.97f) return {1.0f, 0.72f, 0.5f};
    return {1.0f, 0.5f, 0.42f};
}

std::vector<Star> Stars() {
    std::vector<Star> stars;
    constexpr int kCandidates = 16000;
    for (int i = 0; i < kCandidates; ++i) {
        const glm::vec3 d = EvenDirection(paint::Random(901, i), paint::Random(902, i));
        // Crowded along the galactic band.
        const float band = std::exp(-std::pow(glm::dot(d, kBandNormal) / 0.3f, 2.0f));
        if (paint::Random(903, i) > 0.3f + 0.7f * band) continue;
        const float magnitude = std::pow(paint::Random(904, i), 7.0f);
        const float brightness = 0.18f + 1.4f * magnitude;
        Star star{d, StarColour(paint::Random(905, i)) * brightness, 0.0014f + 0.0018f * magnitude, 0.0f};
        if (magnitude > 0.8f) star.spikes = magnitude;
        stars.push_back(star);
    }
    return stars;
}

void SplatStar(Canvas& canvas, const SphereMap& map, const Star& star) {
    const int w = canvas.width(), h = canvas.height();
    const float reach = star.spikes > 0.0f ? 0.035f * star.spikes : star.sigma * 4.0f;
    const glm::vec2 uv = map.Uv(star.direction);
    const float sinPole = std::max(std::sqrt(1.0f - star.direction.y * star.direction.y), 0.03f);
    const int halfV = static_cast<int>(reach * h / glm::pi<float>() * 1.6f) + 2;
    const int halfU = std::min(w / 2, static_cast<int>(reach * w / (glm::two_pi<float>() * sinPole) * 1.6f) + 2);
    const int cx = static_cast<int>(uv.x * w), cy = static_cast<int>(uv.y * h);
    glm::vec3 e1, e2;
    Across(star.direction, e1, e2);
    for (int y = std::max(0, cy - halfV); y <= std::min(h - 1, cy + halfV); ++y) {
        for (int i = -halfU; i <= halfU; ++i) {
            const int x = ((cx + i) % w + w) % w;
            const glm::vec3 d = map.TexelDirection(x, y, w, h);
            const glm::vec3 off = d - star.direction;
            const float r2 = glm::dot(off, off) / (2.0f * star.sigma * star.sigma);
            float light = r2 > 30.0f ? 0.0f : std::exp(-r2);
            if (star.spikes > 0.0f) {
                const float a = glm::dot(off, e1), b = glm::dot(off, e2);
                const float along = std::max(std::abs(a), std::abs(b)), thin = std::min(std::abs(a), std::abs(b));
                if (thin < 2e-3f) light += star.spikes * 0.5f * std::exp(-thin * thin / 2.5e-7f) * std::max(0.0f, 1.0f - along / reach);
                if (r2 < 270.0f) light += 0.25f * std::exp(-r2 / 9.0f);
            }
            if (light < 1e-3f) continue;
            Colour& c = canvas.At(x, y);
            c = Colour(glm::vec3(c) + star.colour * light, 1.0f);
        }
    }
}

// ---- the credits spheres ----------------------------------------------------------------

// Light gathered at a texel; drawn with alpha from its brightness.
Colour Emission(glm::vec3 light) {
    light = glm::clamp(light, 0.0f, 1.0f);
    const float alpha = std::clamp(std::max({light.r, light.g, light.b}) * 1.6f, 0.0f, 1.0f);
    return Colour(light, alpha);
}

// The game's emblem, a stylised K in a hexagon, in units of its radius;
// returns the signed distance of the strokes.
toolkit::Polygon Hexagon(float radius) {
    toolkit::Polygon hexagon;
    for (int k = 0; k < 6; ++k) {
        const float a = glm::two_pi<float>() * k / 6.0f + glm::pi<float>() / 6.0f;
        hexagon.points.emplace_back(radius * std::cos(a), radius * std::sin(a));
    }
    return hexagon;
}

float EmblemStrokes(glm::vec2 q) {
    static const toolkit::Shape outer = Hexagon(0.95f), inner = Hexagon(0.8f);
    float d = std::abs(toolkit::SignedDistance(outer, q)) - 0.035f;
    d = std::min(d, std::abs(toolkit::SignedDistance(inner, q)) - 0.012f);
    static const toolkit::Shape strokes[] = {toolkit::Segment{{-0.34f, -0.52f}, {-0.34f, 0.52f}, 0.15f},
                                             toolkit::Segment{{-0.26f, 0.02f}, {0.34f, 0.52f}, 0.12f},
                                             toolkit::Segment{{-0.1f, 0.12f}, {0.38f, -0.52f}, 0.12f},
                                             toolkit::Segment{{0.98f, 0.0f}, {1.4f, 0.0f}, 0.05f},
                                             toolkit::Segment{{-0.98f, 0.0f}, {-1.4f, 0.0f}, 0.05f}};
    for (const auto& s : strokes) d = std::min(d, toolkit::SignedDistance(s, q));
    return d;
}

// The maker's mark: a V in a ring.
float MakerStrokes(glm::vec2 q) {
    float d = std::abs(glm::length(q) - 0.9f) - 0.03f;
    static const toolkit::Shape strokes[] = {toolkit::Segment{{-0.45f, 0.4f}, {0.0f, -0.45f}, 0.13f},
                                             toolkit::Segment{{0.45f, 0.4f}, {0.0f, -0.45f}, 0.13f}};
    for (const auto& s : strokes) d = std::min(d, toolkit::SignedDistance(s, q));
    return d;
}

struct Decal {
    glm::vec3 centre;
    glm::vec3 e1, e2;
    float radius;  // tangent of the angle it spans
};

Decal DecalAt(glm::vec3 centre, float radiusDegrees, float turnDegrees) {
    Decal decal{glm::normalize(centre), {}, {}, std::tan(glm::radians(radiusDegrees))};
    glm::vec3 a, b;
    Across(decal.centre, a, b);
    const float t = glm::radians(turnDegrees);
    decal.e1 = a * std::cos(t) + b * std::sin(t);
    decal.e2 = glm::cross(decal.centre, decal.e1);
    return decal;
}

// Where a direction lands on a decal, in units of its radius; far away when
// it points away from it.
glm::vec2 OnDecal(const Decal& decal, glm::vec3 d) {
    const float facing = glm::dot(d, decal.centre);
    if (facing < 0.3f) return glm::vec2(100.0f);
    // Seen from inside the sphere: e1 runs to the viewer's left.
    return glm::vec2(-glm::dot(d, decal.e1), glm::dot(d, decal.e2)) / (facing * decal.radius);
}

template <class Strokes>
glm::vec3 DecalLight(const Decal& decal, glm::vec3 d, float texel, Strokes strokes, glm::vec3 core, glm::vec3 halo) {
    const glm::vec2 q = OnDecal(decal, d);
    if (std::abs(q.x) > 1.8f || std::abs(q.y) > 1.8f) return glm::vec3(0.0f);
    const float sd = strokes(q);
    const float aa = texel / decal.radius;
    const float ink = SmoothStep(aa, -aa, sd);
    const float glow = sd > 1.5f ? 0.0f : std::exp(-std::max(sd, 0.0f) / 0.09f) * 0.55f;
    return core * ink + halo * glow * (1.0f - ink);
}

// A line of light along the great circle with pole `pole`: distance in
// radians from the circle.
float CircleLine(glm::vec3 d, glm::vec3 pole, float width) {
    const float off = std::abs(std::asin(std::clamp(glm::dot(d, pole), -1.0f, 1.0f)));
    return off > 5.0f * width ? 0.0f : std::exp(-off * off / (width * width));
}

// A holographic grid about a tilted axis: parallels and meridians.
float Graticule(glm::vec3 d, glm::vec3 axis, glm::vec3 zero, float stepDegrees, float width) {
    const float lat = glm::degrees(std::asin(std::clamp(glm::dot(d, axis), -1.0f, 1.0f)));
    const glm::vec3 side = glm::cross(axis, zero);
    const float lon = glm::degrees(std::atan2(glm::dot(d, side), glm::dot(d, zero)));
    const auto line = [&](float value, float scale) {
        const float off = std::abs(value / stepDegrees - std::round(value / stepDegrees)) * stepDegrees * scale;
        return off > 5.0f * width ? 0.0f : std::exp(-off * off / (width * width));
    };
    const float cosLat = std::cos(glm::radians(lat));
    return std::max(line(lat, 1.0f), std::abs(lat) < 80.0f ? line(lon, cosLat) : 0.0f);
}

// ---- the shield ---------------------------------------------------------------------------

std::vector<glm::vec3> FibonacciPoints(int count) {
    std::vector<glm::vec3> points;
    const float golden = glm::pi<float>() * (3.0f - std::sqrt(5.0f));
    for (int i = 0; i < count; ++i) {
        const float y = 1.0f - 2.0f * (i + 0.5f) / count;
        const float r = std::sqrt(1.0f - y * y);
        points.emplace_back(r * std::cos(golden * i), y, r * std::sin(golden * i));
    }
    return points;
}

// The largest and second largest cosine between `d` and the cell centres:
// their difference is 0 on the borders between cells.
glm::vec2 NearestTwo(const std::vector<glm::vec3>& cells, glm::vec3 d) {
    float f1 = -2.0f, f2 = -2.0f;
    for (const glm::vec3& c : cells) {
        const float v = glm::dot(d, c);
        if (v > f1) {
            f2 = f1;
            f1 = v;
        } else if (v > f2) {
            f2 = v;
        }
    }
    return {f1, f2};
}

}  // namespace

image::Image NightPicture() {
    const SphereMap map(8, 8);
    const Canvas sky = PaintSphere(map, kNightWidth / 4, kNightHeight / 4,
                                   [](glm::vec3 d) { return paint::Opaque(Nebula(d)); });
    Canvas canvas = Enlarged(sky, 4);
    for (const Star& star : Stars()) SplatStar(canvas, map, star);
    return toolkit::ToImage(canvas);
}

image::Image CreditsLogoPicture() {
    const SphereMap map(8, 8);
    const float texel = glm::pi<float>() / kLogoHeight;
    std::vector<Decal> emblems;
    for (int k = 0; k < 6; ++k) {
        static const glm::vec3 kCentres[6] = {{1, 0.2f, 0.1f}, {-1, -0.1f, 0.3f}, {0.1f, 1, -0.3f},
                                              {0.2f, -1, 0.1f}, {0.3f, 0.1f, 1}, {-0.2f, 0.3f, -1}};
        emblems.push_back(DecalAt(kCentres[k], 17.0f, 60.0f * k + 10.0f));
    }
    const glm::vec3 axis = glm::normalize(glm::vec3(0.3f, 1.0f, 0.2f));
    const glm::vec3 zero = glm::normalize(glm::cross(axis, glm::vec3(0, 0, 1)));
    const Canvas canvas = PaintSphere(map, kLogoWidth, kLogoHeight, [&](glm::vec3 d) {
        glm::vec3 light(0.0f);
        const float grid = Graticule(d, axis, zero, 15.0f, 0.35f);
        const float major = Graticule(d, axis, zero, 45.0f, 0.5f);
        light += kCrimson * (0.28f * grid + 0.35f * major);
        const float haze = toolkit::Fbm({921, toolkit::Basis::Gradient, 3, 0.5f}, d * 3.0f);
        light += glm::vec3(0.10f, 0.02f, 0.03f) * std::clamp(haze + 0.2f, 0.0f, 1.0f);
        for (const Decal& e : emblems)
            light += DecalLight(e, d, texel, EmblemStrokes, glm::vec3(1.0f, 0.78f, 0.6f), kCrimson);
        return Emission(light);
    });
    return toolkit::ToImage(canvas);
}

image::Image CreditsLogo2Picture() {
    const SphereMap map(8, 8);
    const float texel = glm::pi<float>() / kLogoHeight;
    std::array<glm::vec3, 5> orbits;
    for (int k = 0; k < 5; ++k) orbits[k] = EvenDirection(paint::Random(931, k), paint::Random(932, k));
    std::vector<Decal> marks;
    for (int k = 0; k < 4; ++k)
        marks.push_back(DecalAt(EvenDirection(0.2f + 0.2f * k, paint::Random(933, k)), 9.0f, 45.0f * k));
    const std::vector<glm::vec3> cells = FibonacciPoints(180);
    const Canvas canvas = PaintSphere(map, kLogoWidth, kLogoHeight, [&](glm::vec3 d) {
        glm::vec3 light(0.0f);
        for (int k = 0; k < 5; ++k) {
            const float dash = std::sin(std::atan2(glm::dot(d, glm::cross(orbits[k], glm::vec3(0, 1, 0))), d.y) * 40.0f);
            light += (k % 2 ? kEmber : glm::vec3(0.9f, 0.92f, 1.0f)) * CircleLine(d, orbits[k], 0.006f) *
                     (0.5f + 0.5f * SmoothStep(-0.2f, 0.2f, dash)) * 0.8f;
        }
        // A faint honeycomb in a belt.
        const float beltOff = glm::dot(d, orbits[0]) / 0.35f;
        if (std::abs(beltOff) < 2.0f) {
            const glm::vec2 nearest = NearestTwo(cells, d);
            const float border = SmoothStep(0.004f, 0.0f, nearest.x - nearest.y);
            light += kCrimson * border * std::exp(-beltOff * beltOff) * 0.45f;
        }
        for (const Decal& m : marks) light += DecalLight(m, d, texel, MakerStrokes, glm::vec3(0.95f, 0.95f, 1.0f), kEmber);
        return Emission(light);
    });
    return toolkit::ToImage(canvas);
}

image::Image ShieldPicture() {
    const SphereMap map(6, 6);
    const std::vector<glm::vec3> cells = FibonacciPoints(90);
    const glm::vec3 cyan(0.5f, 0.8f, 1.0f);
    const Canvas canvas = PaintSphere(map, kShieldWidth, kShieldHeight, [&](glm::vec3 d) {
        const glm::vec2 nearest = NearestTwo(cells, d);
        const float edge = nearest.x - nearest.y;
        const float line = SmoothStep(0.012f, 0.0f, edge);
        const float rim = SmoothStep(0.05f, 0.0f, edge);
        const float energy = 0.5f + 0.5f * toolkit::Fbm({941, toolkit::Basis::Gradient, 4, 0.55f}, d * 4.0f);
        glm::vec3 light = glm::vec3(0.15f, 0.45f, 0.95f) * (0.25f + 0.35f * energy) + cyan * rim * 0.4f +
                          glm::vec3(0.7f, 0.92f, 1.0f) * line;
        light = glm::clamp(light, 0.0f, 1.0f);
        const float alpha = std::clamp(0.22f + 0.25f * energy + 0.55f * line + 0.2f * rim, 0.0f, 1.0f);
        return Colour(light, alpha);
    });
    return toolkit::ToImage(canvas);
}

}  // namespace kr::makedata::menu_scene
