#include "particle_sprites.hpp"

#include <algorithm>
#include <cmath>

#include "engine/random.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/shapes.hpp"

namespace kr::makedata {
namespace {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::SmoothStep;

constexpr int kSize = 128;
constexpr float kPi = 3.14159265358979f;

const glm::vec3 kEngineBlue(0.5f, 0.8f, 1.0f);
const glm::vec3 kEmber(1.0f, 0.45f, 0.2f);
const glm::vec3 kCrimson(0.85f, 0.15f, 0.12f);

// Sprite space: the centre at 0, the edges of the picture at -1 and 1.
glm::vec2 SpritePoint(int x, int y) {
    return {(x + 0.5f) / kSize * 2.0f - 1.0f, (y + 0.5f) / kSize * 2.0f - 1.0f};
}

// Fades everything out before the picture's edge, so that no sprite shows
// its square outline however it is drawn or filtered.
float EdgeWindow(glm::vec2 p) { return 1.0f - SmoothStep(0.78f, 0.97f, glm::length(p)); }

// Builds a sprite texel by texel: `texel` returns straight colour and alpha.
template <class Fn>
image::Image Render(Fn texel) {
    Canvas canvas(kSize, kSize);
    canvas.Generate([&](int x, int y) {
        const glm::vec2 p = SpritePoint(x, y);
        Colour c = texel(p);
        c.a = std::clamp(c.a, 0.0f, 1.0f) * EdgeWindow(p);
        return c;
    });
    return toolkit::ToImage(canvas);
}

float Gaussian(float x, float sigma) { return std::exp(-0.5f * x * x / (sigma * sigma)); }

// Noise over sprite space, 0..1.
float Noise01(const toolkit::Fractal& fractal, glm::vec2 p, float scale) {
    return toolkit::Fbm(fractal, p * scale + glm::vec2(17.0f, 5.0f)) * 0.5f + 0.5f;
}

// A soft grey puff, lit from the top-left, with billowing lumps and edge.
image::Image Smoke() {
    const toolkit::Fractal edge{11, toolkit::Basis::Gradient, 4, 0.5f};
    const toolkit::Fractal lumps{12, toolkit::Basis::Gradient, 4, 0.45f};
    const glm::vec3 towardsLight = glm::normalize(glm::vec3(-0.6f, -0.7f, 0.8f));
    return Render([&](glm::vec2 p) {
        const float r = glm::length(p);
        const float billow = Noise01(edge, p, 1.7f);
        const float radius = r + 0.32f * (billow - 0.5f);
        const float density = std::pow(1.0f - SmoothStep(0.08f, 0.86f, radius), 1.2f);
        const float lump = Noise01(lumps, p, 1.9f);
        const glm::vec3 normal = glm::normalize(glm::vec3(p * 0.9f, std::sqrt(std::max(1.0f - r * r, 0.05f))));
        const float light = 0.7f + 0.4f * glm::dot(normal, towardsLight);
        const float grey = (0.46f + 0.3f * lump) * light;
        return Colour(glm::vec3(grey * 0.97f, grey, grey * 1.04f), density * (0.5f + 0.5f * lump) * 1.1f);
    });
}

// A flame ball: white-hot core, ember body, crimson licks at the edge.
image::Image Fire() {
    const toolkit::Fractal flicker{21, toolkit::Basis::Gradient, 5, 0.55f};
    const toolkit::ColourRamp heat{
        {0.0f, Colour(kCrimson * 0.8f, 1.0f)},
        {0.35f, Colour(kEmber, 1.0f)},
        {0.7f, Colour(1.0f, 0.74f, 0.38f, 1.0f)},
        {1.0f, Colour(1.0f, 0.97f, 0.86f, 1.0f)},
    };
    const toolkit::Fractal tongues{22, toolkit::Basis::Gradient, 3, 0.5f};
    return Render([&](glm::vec2 p) {
        const float n = Noise01(flicker, p, 2.6f);
        const float r = glm::length(p);
        // Flame tongues: the edge pushed out and in by noise around the rim.
        const float rim = Noise01(tongues, glm::normalize(p + glm::vec2(1e-4f)) * 1.6f, 1.0f);
        const float radius = r + 0.22f * (n - 0.5f) - 0.22f * (rim - 0.5f) * SmoothStep(0.2f, 0.7f, r);
        const float body = 1.0f - SmoothStep(0.0f, 0.82f, radius);
        const float t = std::clamp(body * 1.1f + 0.25f * (n - 0.5f), 0.0f, 1.0f);
        Colour c = heat.At(t);
        c.a = std::pow(body, 0.85f) * (0.7f + 0.3f * n) + Gaussian(r, 0.12f) * 0.3f;
        return c;
    });
}

// One curved, tapering blade of the explosion sigil, as a polygon in texels.
toolkit::Polygon SigilBlade(float angle, float inner, float outer, float swirl, float width) {
    constexpr int kSteps = 14;
    std::vector<glm::vec2> left, right;
    for (int i = 0; i <= kSteps; ++i) {
        const float t = static_cast<float>(i) / kSteps;
        const float r = inner + (outer - inner) * t;
        const float a = angle + swirl * t * t;
        const float half = width * std::pow(1.0f - t, 0.8f) * (0.6f + 0.4f * std::sin(t * kPi));
        const glm::vec2 along(std::cos(a), std::sin(a));
        const glm::vec2 across(-along.y, along.x);
        const glm::vec2 centre = along * r;
        left.push_back(centre + across * half);
        right.push_back(centre - across * half);
    }
    std::vector<glm::vec2> points = left;
    points.insert(points.end(), right.rbegin(), right.rend());
    for (auto& q : points) q = (q + 1.0f) * (kSize * 0.5f);
    return toolkit::Polygon{std::move(points)};
}

// The sigil's shapes: swirling blades, a ring of diamonds and a bright core.
Field SigilMask() {
    Field mask(kSize, kSize);
    const float px = kSize * 0.5f;
    for (int i = 0; i < 8; ++i) {
        const float a = i * (kPi / 4.0f);
        toolkit::Fill(mask, SigilBlade(a, 0.16f, 0.74f, 0.7f, 0.085f));
        toolkit::Fill(mask, SigilBlade(a + kPi / 8.0f, 0.3f, 0.46f, 0.25f, 0.03f));
        const glm::vec2 d(std::cos(a + kPi / 8.0f), std::sin(a + kPi / 8.0f));
        const glm::vec2 c = (d * 0.6f + 1.0f) * px;
        const glm::vec2 s(-d.y, d.x);
        toolkit::Fill(mask, toolkit::Polygon{{c + d * 4.0f, c + s * 2.2f, c - d * 4.0f, c - s * 2.2f}});
    }
    toolkit::Stroke(mask, toolkit::Circle{{px, px}, 0.25f * px}, 1.6f);
    toolkit::Fill(mask, toolkit::Circle{{px, px}, 0.12f * px});
    return mask;
}

// The explosion burst: a glowing sigil, hot at its heart.
image::Image Tribal() {
    const Field mask = SigilMask();
    const Field glow = toolkit::Blurred(mask, 4.0f);
    const Field haze = toolkit::Blurred(mask, 12.0f);
    Canvas canvas(kSize, kSize);
    canvas.Generate([&](int x, int y) {
        const glm::vec2 p = SpritePoint(x, y);
        const float r = glm::length(p);
        const float m = mask.At(x, y);
        const float heat = 1.0f - SmoothStep(0.05f, 0.75f, r);
        const glm::vec3 lines = glm::mix(glm::vec3(1.0f, 0.55f, 0.22f), glm::vec3(1.0f, 0.96f, 0.85f), heat * heat);
        const glm::vec3 aura = glm::mix(kCrimson, kEmber, heat);
        const float g = std::min(glow.At(x, y) * 2.2f, 1.0f);
        const float h = std::min(haze.At(x, y) * 2.5f, 1.0f);
        const glm::vec3 colour = glm::mix(aura, lines, std::clamp(m + g * 0.4f, 0.0f, 1.0f));
        const float alpha = std::max({m, g * 0.85f, h * 0.55f}) * EdgeWindow(p);
        return Colour(colour, alpha);
    });
    return toolkit::ToImage(canvas);
}

// Engine exhaust glow: a white-blue core in a wide cyan halo.
image::Image Engine() {
    return Render([&](glm::vec2 p) {
        const float r = glm::length(p);
        const float core = Gaussian(r, 0.1f);
        const float halo = Gaussian(r, 0.32f);
        const glm::vec3 colour = glm::mix(kEngineBlue, glm::vec3(0.92f, 0.97f, 1.0f), core);
        return Colour(colour, core + 0.8f * halo);
    });
}

// A thin bright shock ring with a soft glow either side.
image::Image Ring() {
    constexpr float kRadius = 0.7f;
    return Render([&](glm::vec2 p) {
        const float d = glm::length(p) - kRadius;
        const float line = Gaussian(d, 0.035f);
        const float glow = Gaussian(d, 0.09f);
        const glm::vec3 colour = glm::mix(kEngineBlue, glm::vec3(0.95f, 0.98f, 1.0f), line);
        return Colour(colour, line + 0.5f * glow);
    });
}

// A bright point with four soft spikes.
image::Image Star() {
    const auto spike = [](float along, float across) {
        const float width = 0.018f + 0.05f * std::max(0.0f, 1.0f - std::abs(along) * 2.5f);
        return std::exp(-std::abs(along) / 0.22f) * Gaussian(across, width);
    };
    return Render([&](glm::vec2 p) {
        const float r = glm::length(p);
        const float core = Gaussian(r, 0.05f);
        const float halo = Gaussian(r, 0.16f) * 0.45f;
        const float spikes = spike(p.x, p.y) + spike(p.y, p.x);
        const glm::vec3 colour = glm::mix(glm::vec3(0.75f, 0.88f, 1.0f), glm::vec3(1.0f), std::min(core + spikes, 1.0f));
        return Colour(colour, core + halo + spikes);
    });
}

// A cluster of small glowing dots of different sizes.
image::Image Spots() {
    Random random(0x5907);
    std::vector<toolkit::GlowDot> cores, halos;
    const float px = kSize * 0.5f;
    std::vector<glm::vec2> placed;
    while (placed.size() < 11) {
        const glm::vec2 p(static_cast<float>(random.Fraction()) * 2.0f - 1.0f,
                          static_cast<float>(random.Fraction()) * 2.0f - 1.0f);
        if (glm::length(p) > 0.64f) continue;
        // Apart enough to read as separate sparks.
        const auto crowded = [&](glm::vec2 q) { return glm::length(q - p) < 0.2f; };
        if (std::any_of(placed.begin(), placed.end(), crowded)) continue;
        placed.push_back(p);
        const float size = 1.0f + 0.7f * static_cast<float>(random.Fraction());
        const glm::vec2 centre = (p + 1.0f) * px;
        cores.push_back({centre, 2.0f * size, 1.0f});
        halos.push_back({centre, 4.0f * size, 0.5f});
    }
    const Field core = toolkit::GlowDots(kSize, kSize, cores);
    const Field halo = toolkit::GlowDots(kSize, kSize, halos);
    Canvas canvas(kSize, kSize);
    canvas.Generate([&](int x, int y) {
        const float c = core.At(x, y);
        const glm::vec3 colour = glm::mix(glm::vec3(0.55f, 0.85f, 1.0f), glm::vec3(1.0f), c);
        return Colour(colour, std::min(c + halo.At(x, y), 1.0f) * EdgeWindow(SpritePoint(x, y)));
    });
    return toolkit::ToImage(canvas);
}

}  // namespace

std::vector<ParticleSprite> RenderParticleSprites() {
    std::vector<ParticleSprite> sprites;
    sprites.push_back({"graphics\\smoke.dds", Smoke()});
    sprites.push_back({"graphics\\fire.dds", Fire()});
    sprites.push_back({"graphics\\tribal.dds", Tribal()});
    sprites.push_back({"graphics\\eng.dds", Engine()});
    sprites.push_back({"graphics\\ring.dds", Ring()});
    sprites.push_back({"graphics\\star.dds", Star()});
    sprites.push_back({"graphics\\spots.dds", Spots()});
    return sprites;
}

Bytes EncodeParticleSprite(const image::Image& picture) {
    return image::EncodeDds(image::BuildMipChain(picture), image::DdsFormat::Rgba32);
}

}  // namespace kr::makedata
