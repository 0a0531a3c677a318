#include "video/logos.hpp"

#include <algorithm>
#include <cmath>

#include "video/text_mask.hpp"

namespace kr::video {
namespace {

// Palette (linear 0..1).
constexpr Rgb kBackdropCentre{0.045f, 0.055f, 0.10f};
constexpr Rgb kBackdropEdge{0.008f, 0.012f, 0.028f};
constexpr Rgb kMetalDark{0.22f, 0.24f, 0.28f};
constexpr Rgb kMetalLight{0.93f, 0.94f, 0.97f};
constexpr Rgb kCrimson{0.85f, 0.15f, 0.12f};
constexpr Rgb kEmber{1.0f, 0.45f, 0.2f};
constexpr float kGlowFloor = 0.002f;  // weaker glow is not drawn

// Chrome: a bright sky fading down to a dark horizon at the middle, then a
// rising ground reflection. `v` runs 0 (top of the letters) .. 1 (bottom).
float ChromeLevel(float v) {
    if (v < 0.48f) return 0.95f - 0.5f * (v / 0.48f);
    if (v < 0.54f) return 0.22f;
    return 0.38f + 0.42f * std::min(1.0f, (v - 0.54f) / 0.46f);
}

// Lights the letters: chrome gradient, bevel from the blurred coverage's
// slope (light from the top left), fine horizontal brushing.
Frame ShadeMetal(const Plane& coverage, const Box& ink, float bevelRadius) {
    const Plane height = Blur(coverage, std::max(1, static_cast<int>(bevelRadius)));
    Frame metal(coverage.width, coverage.height);
    const float span = static_cast<float>(std::max(1, ink.Height()));
    for (int y = 1; y + 1 < coverage.height; ++y) {
        for (int x = 1; x + 1 < coverage.width; ++x) {
            if (coverage.At(x, y) <= 0.0f) continue;
            const float dx = height.At(x + 1, y) - height.At(x - 1, y);
            const float dy = height.At(x, y + 1) - height.At(x, y - 1);
            // Facing the light (up-left) brightens, facing away darkens.
            const float facing = std::clamp((dx * 0.6f + dy * 0.8f) * bevelRadius * 0.9f, -1.0f, 1.0f);
            const float v = (static_cast<float>(y) - ink.y0) / span;
            const float brushed = 0.96f + 0.08f * HashNoise(x / 23, y, 7);
            const float level = std::clamp(ChromeLevel(v) * brushed + 0.35f * facing, 0.0f, 1.15f);
            // A darker rim inside the edge makes the letters crisp over the glow.
            const float rim = 0.65f + 0.35f * SmoothStep(0.35f, 0.8f, height.At(x, y));
            metal.At(x, y) = Lerp(kMetalDark, kMetalLight, level) * rim;
        }
    }
    return metal;
}

// A tight hot rim, a wide soft halo and a faint horizontal streak, as a
// bright light behind the letters would flare in a lens.
Plane GlowOf(const Plane& coverage, float size) {
    const Plane tight = Blur(coverage, std::max(2, static_cast<int>(size * 0.07f)));
    const Plane wide = Blur(coverage, std::max(4, static_cast<int>(size * 0.3f)));
    const Plane streak = Blur(coverage, std::max(8, coverage.width / 8), std::max(1, static_cast<int>(size * 0.05f)));
    Plane glow(coverage.width, coverage.height);
    for (std::size_t i = 0; i < glow.values.size(); ++i) {
        glow.values[i] = 1.1f * tight.values[i] + 1.2f * wide.values[i] + 0.9f * streak.values[i];
    }
    return glow;
}

// A thin horizontal rule across `halfWidth` either side of centreX,
// tapering at its ends; added to `coverage`.
void AddRule(Plane& coverage, float centreX, float y, float halfWidth, float thickness) {
    for (int py = static_cast<int>(y - thickness - 1); py <= static_cast<int>(y + thickness + 1); ++py) {
        if (py < 0 || py >= coverage.height) continue;
        const float vertical = std::clamp(thickness / 2 + 0.5f - std::fabs(py - y), 0.0f, 1.0f);
        for (int px = 0; px < coverage.width; ++px) {
            const float along = std::fabs(px - centreX) / halfWidth;
            if (along >= 1.0f) continue;
            const float taper = 1.0f - SmoothStep(0.6f, 1.0f, along);
            coverage.At(px, py) = std::max(coverage.At(px, py), vertical * taper);
        }
    }
}

LogoArt Assemble(Plane coverage, Box ink, float bevelRadius, float glowSize) {
    LogoArt art;
    art.width = coverage.width;
    art.height = coverage.height;
    art.ink = ink;
    art.metal = ShadeMetal(coverage, ink, bevelRadius);
    art.glow = GlowOf(coverage, glowSize);
    art.reach = InkBox(art.glow, kGlowFloor);
    art.coverage = std::move(coverage);
    return art;
}

Rgb GlowColour(float strength) {
    // Hot ember close to the letters, crimson further out.
    return Lerp(kCrimson, kEmber, std::clamp(strength - 0.6f, 0.0f, 1.0f)) * strength;
}

image::Image Flatten(const LogoArt& art, Background background) {
    if (background == Background::Dark) {
        Frame frame = Backdrop(art.width, art.height);
        Composite(art, LogoLook{}, frame);
        return ToImage(frame);
    }
    Frame frame(art.width, art.height);
    Composite(art, LogoLook{}, frame);
    Plane alpha(art.width, art.height);
    for (std::size_t i = 0; i < alpha.values.size(); ++i) {
        const Rgb& c = frame.pixels[i];
        const float light = std::max({c.r, c.g, c.b});
        alpha.values[i] = std::clamp(std::max(art.coverage.values[i], light), 0.0f, 1.0f);
        // Colours over transparency are stored unpremultiplied.
        if (alpha.values[i] > 0) frame.pixels[i] = c * (1.0f / std::max(alpha.values[i], 1e-3f));
    }
    return ToImage(frame, &alpha);
}

}  // namespace

LogoArt MakerLogoArt(int width, int height, const DisplayFont& font) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    Plane coverage = RenderText(font.ttf, font.name, "velmor", width, height,
                                TextPlacement{w * 0.56f, w * 0.5f, h * 0.46f, 0.06f});
    const Box ink = InkBox(coverage);
    const float under = ink.y1 + ink.Height() * 0.32f;
    AddRule(coverage, w * 0.5f, under, ink.Width() * 0.62f, std::max(1.5f, h * 0.005f));
    return Assemble(std::move(coverage), ink, std::max(2.0f, ink.Height() * 0.05f), static_cast<float>(ink.Height()));
}

LogoArt TitleArt(int width, int height, const DisplayFont& font) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    Plane coverage = RenderText(font.ttf, font.name, "KRAVELLON", width, height,
                                TextPlacement{w * 0.82f, w * 0.5f, h * 0.47f, 0.1f});
    const Box ink = InkBox(coverage);
    const float gap = ink.Height() * 0.38f;
    AddRule(coverage, w * 0.5f, ink.y0 - gap, ink.Width() * 0.36f, std::max(1.0f, h * 0.004f));
    AddRule(coverage, w * 0.5f, ink.y1 + gap, ink.Width() * 0.52f, std::max(1.5f, h * 0.005f));
    return Assemble(std::move(coverage), ink, std::max(2.0f, ink.Height() * 0.06f), static_cast<float>(ink.Height()));
}

Frame Backdrop(int width, int height) {
    Frame frame(width, height);
    const float cx = width * 0.5f, cy = height * 0.48f, reach = std::hypot(cx, cy);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float d = std::hypot(x - cx, (y - cy) * 1.3f) / reach;
            frame.At(x, y) = Lerp(kBackdropCentre, kBackdropEdge, SmoothStep(0.0f, 1.0f, d));
        }
    }
    return frame;
}

void Composite(const LogoArt& art, const LogoLook& look, Frame& frame) {
    const float cx = art.width * 0.5f, cy = art.height * 0.5f;
    const float inverse = 1.0f / std::max(0.01f, look.scale);
    const bool scaled = std::fabs(look.scale - 1.0f) > 1e-4f;
    // Only the art's reach, scaled about the centre, can change.
    const int left = std::max(0, static_cast<int>(std::floor(cx + (art.reach.x0 - cx) * look.scale)) - 1);
    const int right = std::min(frame.width, static_cast<int>(std::ceil(cx + (art.reach.x1 - cx) * look.scale)) + 1);
    const int top = std::max(0, static_cast<int>(std::floor(cy + (art.reach.y0 - cy) * look.scale)) - 1);
    const int bottom = std::min(frame.height, static_cast<int>(std::ceil(cy + (art.reach.y1 - cy) * look.scale)) + 1);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const float sx = cx + (x - cx) * inverse, sy = cy + (y - cy) * inverse;
            float coverage, glow;
            Rgb metal;
            if (scaled) {
                coverage = art.coverage.Sample(sx, sy);
                glow = art.glow.Sample(sx, sy);
                const int nx = std::clamp(static_cast<int>(sx + 0.5f), 0, art.width - 1);
                const int ny = std::clamp(static_cast<int>(sy + 0.5f), 0, art.height - 1);
                metal = art.metal.At(nx, ny);
            } else {
                coverage = art.coverage.At(x, y);
                glow = art.glow.At(x, y);
                metal = art.metal.At(x, y);
            }
            Rgb& out = frame.At(x, y);
            if (glow > kGlowFloor) out = out + GlowColour(glow * look.glow) * look.opacity;
            if (coverage <= 0.0f) continue;
            if (look.sweep >= 0.0f) {
                // A highlight band on a diagonal, passing left to right.
                const float s = (sx + 0.45f * sy) / (art.width * 1.2f) - look.sweep;
                metal = metal + Rgb{1.0f, 0.97f, 0.92f} * (0.75f * std::exp(-s * s * 900.0f));
            }
            out = Lerp(out, metal, coverage * look.opacity);
        }
    }
}

image::Image RenderMakerLogo(int width, int height, const DisplayFont& font, Background background) {
    return Flatten(MakerLogoArt(width, height, font), background);
}

image::Image RenderTitle(int width, int height, const DisplayFont& font, Background background) {
    return Flatten(TitleArt(width, height, font), background);
}

}  // namespace kr::video
