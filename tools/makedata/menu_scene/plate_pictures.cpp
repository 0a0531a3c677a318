// The hangar's wall plates (a picture that repeats) and its trim atlas.

#include <algorithm>
#include <cmath>
#include <functional>

#include "menu_scene/hangar_textures.hpp"
#include "menu_scene/paint.hpp"
#include "toolkit/decals.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/panels.hpp"
#include "toolkit/shapes.hpp"

namespace kr::makedata::menu_scene {

namespace {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::Rect;
using toolkit::SmoothStep;

constexpr glm::vec3 kGunmetal{0.36f, 0.39f, 0.43f};
constexpr glm::vec3 kGunmetalDark{0.20f, 0.22f, 0.26f};
constexpr glm::vec3 kCrimson{0.80f, 0.14f, 0.11f};

// The atlas is cut into cells of this many texels.
constexpr int kCell = 128;
constexpr float kInset = 3.0f;

AtlasRegion Region(int x, int y, int w, int h) {
    const float s = 1.0f / kAtlasSize;
    return {{(x + kInset) * s, (y + kInset) * s}, {(x + w - kInset) * s, (y + h - kInset) * s}};
}

}  // namespace

namespace atlas {
AtlasRegion Hazard() { return Region(0, 0, 512, 64); }
AtlasRegion LampWhite() { return Region(0, 64, 128, 64); }
AtlasRegion LampRed() { return Region(128, 64, 128, 64); }
AtlasRegion Screen() { return Region(256, 64, 128, 64); }
AtlasRegion Amber() { return Region(384, 64, 128, 64); }
AtlasRegion Grating() { return Region(0, 128, kCell, kCell); }
AtlasRegion Vent() { return Region(128, 128, kCell, kCell); }
AtlasRegion Cable() { return Region(256, 128, kCell, kCell); }
AtlasRegion Pipe() { return Region(384, 128, kCell, kCell); }
AtlasRegion Crate() { return Region(0, 256, kCell, kCell); }
AtlasRegion Machinery() { return Region(128, 256, kCell, kCell); }
AtlasRegion Tank() { return Region(256, 256, kCell, kCell); }
AtlasRegion DarkMetal() { return Region(384, 256, kCell, kCell); }
AtlasRegion Glass() { return Region(0, 384, kCell, kCell); }
AtlasRegion Rail() { return Region(128, 384, kCell, kCell); }
AtlasRegion SteelLight() { return Region(256, 384, 256, kCell); }
}  // namespace atlas

namespace {

// ---- wall plates ------------------------------------------------------------------

Field PlateHeight(const std::vector<Rect>& panels) {
    Field seams = toolkit::SeamMask(kPlateSize, kPlateSize, panels, 2.5f, toolkit::Edge::Wrap);
    Field height = toolkit::Blurred(seams, 1.2f, toolkit::Edge::Wrap);
    height.Apply([](float v) { return 1.0f - std::min(v * 1.6f, 1.0f); });
    toolkit::RivetLayout rivets;
    rivets.spacing = 22.0f;
    rivets.inset = 7.0f;
    rivets.radius = 2.2f;
    const Field domes = toolkit::RivetHeight(kPlateSize, kPlateSize, panels, rivets);
    return toolkit::CombineInto(height, domes, [](float h, float d) { return h + d * 0.7f; });
}

int PanelAt(const std::vector<Rect>& panels, int x, int y) {
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const Rect& r = panels[i];
        if (x + 0.5f >= r.min.x && x + 0.5f < r.max.x && y + 0.5f >= r.min.y && y + 0.5f < r.max.y)
            return static_cast<int>(i);
    }
    return 0;
}

// Stencil codes and a warning stripe on a few panels.
Field PlateMarkings(const std::vector<Rect>& panels) {
    Field mask(kPlateSize, kPlateSize);
    static constexpr const char* kCodes[] = {"A-07", "C-12", "H-3"};
    for (int k = 0; k < 3 && k < static_cast<int>(panels.size()); ++k) {
        const Rect& r = panels[static_cast<std::size_t>(k * 3 % panels.size())];
        toolkit::DrawStencil(mask, kCodes[k], r.min + glm::vec2(12.0f, 12.0f), 14.0f);
    }
    return mask;
}

}  // namespace

image::Image PlatePicture() {
    const std::vector<Rect> panels =
        toolkit::SplitIntoPanels(Rect{{0, 0}, {kPlateSize, kPlateSize}, 0}, {5, 56.0f, 210.0f, 0.0f});
    const Field height = PlateHeight(panels);
    const Field grime = toolkit::FbmField(kPlateSize, kPlateSize, 4, {201, toolkit::Basis::Gradient, 5, 0.55f});
    const Field fine = toolkit::FbmField(kPlateSize, kPlateSize, 32, {202, toolkit::Basis::Value, 3, 0.5f});
    const Field markings = PlateMarkings(panels);
    Field hazard(kPlateSize, kPlateSize);
    const Rect& striped = panels[panels.size() / 2];
    toolkit::DrawHazardStripes(hazard, Rect{{striped.min.x + 6, striped.max.y - 26}, {striped.max.x - 6, striped.max.y - 8}, 0},
                               7.0f);
    Canvas canvas(kPlateSize, kPlateSize);
    canvas.Generate([&](int x, int y) {
        const int panel = PanelAt(panels, x, y);
        const float tone = 0.84f + 0.24f * paint::Random(31, panel);
        // Streaks running down the plates: noise stretched along y, tiling.
        const float streak = toolkit::Fbm({301, toolkit::Basis::Value, 3, 0.5f},
                                          {(x + 0.5f) * 48.0f / kPlateSize, (y + 0.5f) * 3.0f / kPlateSize}, {48, 3});
        glm::vec3 c = paint::Mix(kGunmetalDark, kGunmetal, std::clamp(0.6f + 0.5f * grime.At(x, y), 0.0f, 1.0f)) * tone;
        c *= 0.92f + 0.08f * fine.At(x, y) - 0.12f * std::max(streak, 0.0f);
        if (paint::Random(32, panel) < 0.18f) c *= 0.7f;  // darker access panels
        c = paint::Over(c, glm::vec3(0.78f, 0.79f, 0.8f), markings.At(x, y) * 0.75f);
        c = paint::Over(c, kCrimson, hazard.At(x, y) * 0.9f);
        return paint::Opaque(c);
    });
    toolkit::Light light;
    light.ambient = 0.55f;
    light.diffuse = 0.45f;
    light.specular = 0.2f;
    toolkit::BakeLighting(canvas, height, 4.0f, light, toolkit::Edge::Wrap);
    return toolkit::ToImage(canvas);
}

namespace {

// ---- trim atlas --------------------------------------------------------------------

using Painter = std::function<Colour(float u, float v, int x, int y)>;

// Paints one atlas cell; (u, v) run 0..1 over it.
void PaintCell(Canvas& atlas, int left, int top, int width, int height, const Painter& painter) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            atlas.At(left + x, top + y) = painter((x + 0.5f) / width, (y + 0.5f) / height, x, y);
}

// Relief of a cell's frame: 0 at the rim, 1 a few texels in.
float Frame(float u, float v, int width, int height, float texels) {
    const float d = std::min({u * width, (1 - u) * width, v * height, (1 - v) * height});
    return SmoothStep(0.0f, texels, d);
}

float Noise(float u, float v, std::uint32_t seed, float cells) {
    return toolkit::Fbm({seed, toolkit::Basis::Value, 3, 0.5f}, {u * cells, v * cells});
}

Colour Hazard(float u, float v, int x, int y) {
    const float t = (x + y) / 28.0f;
    const float f = t - std::floor(t);
    const float stripe = SmoothStep(0.0f, 0.04f, f) * (1.0f - SmoothStep(0.5f, 0.54f, f));
    const float wear = SmoothStep(-0.2f, 0.4f, Noise(u * 8.0f, v, 401, 6.0f));
    glm::vec3 c = paint::Over(glm::vec3(0.07f, 0.07f, 0.08f), kCrimson, stripe * (0.6f + 0.4f * wear));
    c *= 0.55f + 0.45f * Frame(u, v, 512, 64, 6.0f);
    return paint::Opaque(c);
}

Colour Lamp(float u, float v, glm::vec3 hot, glm::vec3 rim) {
    const float frame = Frame(u, v, 128, 64, 10.0f);
    const glm::vec2 d((u - 0.5f) * 2.0f, (v - 0.5f) * 2.0f);
    const float centre = 1.0f - std::min(glm::length(d * glm::vec2(0.8f, 1.0f)), 1.0f);
    glm::vec3 lens = paint::Mix(rim, hot, std::sqrt(centre));
    // The protective cage over the lens.
    const float bar = std::abs(std::sin(u * 3.14159f * 6.0f));
    lens *= 0.82f + 0.18f * SmoothStep(0.08f, 0.2f, bar);
    const glm::vec3 housing = glm::vec3(0.16f, 0.17f, 0.19f) * (0.6f + 0.4f * frame);
    return paint::Opaque(paint::Over(housing, lens, SmoothStep(0.55f, 0.8f, frame)));
}

Colour Screen(float u, float v, int x, int y) {
    glm::vec3 c(0.025f, 0.04f, 0.06f);
    const glm::vec3 cyan(0.35f, 0.85f, 1.0f);
    // A wave trace, bars and rows of readout dashes.
    const float wave = 0.35f + 0.12f * std::sin(u * 22.0f) * std::cos(u * 7.0f);
    c = paint::Over(c, cyan, SmoothStep(0.035f, 0.01f, std::abs(v - wave)) * (u < 0.55f ? 1.0f : 0.0f));
    if (u > 0.62f && u < 0.92f && v > 0.18f) {
        const int bar = static_cast<int>((u - 0.62f) / 0.06f);
        const float top = 0.82f - 0.5f * paint::Random(55, bar);
        const float inBar = std::fmod(u - 0.62f, 0.06f) < 0.04f ? 1.0f : 0.0f;
        c = paint::Over(c, bar == 3 ? glm::vec3(1.0f, 0.3f, 0.25f) : cyan, inBar * (v > top && v < 0.82f ? 0.9f : 0.0f));
    }
    if (v > 0.7f && v < 0.86f && u < 0.55f && (x / 5) % 3 != 2 && y % 4 < 2) c = paint::Over(c, cyan * 0.8f, 0.7f);
    c *= 0.4f + 0.6f * Frame(u, v, 128, 64, 4.0f);
    return paint::Opaque(c);
}

Colour Grating(float u, float v, int x, int y) {
    const int px = x % 16, py = y % 16;
    const float bar = (px < 4 || py < 4) ? 1.0f : 0.0f;
    const float shade = (px < 4 ? 0.75f + 0.1f * px : 1.0f) * (py < 4 ? 0.8f + 0.08f * py : 1.0f);
    glm::vec3 c = paint::Mix(glm::vec3(0.03f, 0.03f, 0.035f), glm::vec3(0.42f, 0.44f, 0.47f) * shade, bar);
    c *= 0.85f + 0.15f * Noise(u, v, 402, 4.0f);
    return paint::Opaque(c * (0.5f + 0.5f * Frame(u, v, 128, 128, 5.0f)));
}

Colour Vent(float u, float v, int, int y) {
    const float slat = (y % 12) / 12.0f;
    glm::vec3 c = paint::Mix(glm::vec3(0.45f, 0.47f, 0.5f), glm::vec3(0.04f, 0.04f, 0.05f), SmoothStep(0.35f, 0.9f, slat));
    const float frame = Frame(u, v, 128, 128, 8.0f);
    c = paint::Over(kGunmetal * 0.9f, c, SmoothStep(0.7f, 0.95f, frame));
    return paint::Opaque(c);
}

Colour Cable(float u, float v, int, int) {
    // Lengthwise along u: a sheen across v and crimson marker bands.
    const float sheen = std::exp(-std::pow((v - 0.35f) * 5.0f, 2.0f));
    glm::vec3 c = glm::vec3(0.07f, 0.07f, 0.08f) + glm::vec3(0.16f) * sheen;
    const float band = std::fmod(u * 4.0f, 1.0f);
    if (band < 0.06f) c = paint::Over(c, kCrimson * (0.7f + 0.3f * sheen), 0.9f);
    return paint::Opaque(c * (0.9f + 0.1f * Noise(u, v, 403, 10.0f)));
}

Colour Pipe(float u, float v, int, int) {
    const float brushed = Noise(u * 0.2f, v * 8.0f, 404, 16.0f);
    const float sheen = std::exp(-std::pow((v - 0.3f) * 4.0f, 2.0f));
    glm::vec3 c = glm::vec3(0.5f, 0.52f, 0.55f) * (0.85f + 0.15f * brushed) + glm::vec3(0.2f) * sheen;
    const float band = std::fmod(u * 4.0f, 1.0f);
    if (band < 0.08f) c *= 0.45f;
    return paint::Opaque(c);
}

Colour Crate(float u, float v, int x, int y) {
    const float frame = Frame(u, v, 128, 128, 10.0f);
    glm::vec3 c = paint::Mix(glm::vec3(0.34f, 0.36f, 0.40f), glm::vec3(0.20f, 0.23f, 0.28f), SmoothStep(0.6f, 0.8f, frame));
    // Diagonal braces on the door.
    const float brace = std::min(std::abs(u - v), std::abs(u + v - 1.0f));
    if (frame > 0.95f && brace < 0.05f) c = glm::vec3(0.30f, 0.32f, 0.36f);
    c *= 0.85f + 0.15f * Noise(u, v, 405, 3.0f);
    if (u > 0.12f && u < 0.4f && v > 0.12f && v < 0.25f) c = paint::Over(c, kCrimson, (x + y) % 10 < 5 ? 0.9f : 0.0f);
    return paint::Opaque(c);
}

Colour Machinery(float u, float v, int x, int y) {
    glm::vec3 c = kGunmetalDark * (0.8f + 0.2f * Noise(u, v, 406, 5.0f));
    const int cx = x % 32, cy = y % 32;
    const float bolt = std::hypot(cx - 16.0f, cy - 16.0f);
    if (bolt < 3.0f) c = glm::vec3(0.5f, 0.52f, 0.55f) * (1.0f - bolt / 6.0f);
    if (x % 64 < 2 || y % 64 < 2) c *= 0.4f;
    return paint::Opaque(c);
}

Colour Tank(float u, float v, int, int) {
    const float wear = SmoothStep(0.2f, 0.5f, Noise(u, v, 407, 6.0f) + std::abs(v - 0.5f) * 0.6f);
    glm::vec3 c = paint::Mix(glm::vec3(0.58f, 0.11f, 0.09f), glm::vec3(0.5f, 0.52f, 0.55f), wear);
    if (std::abs(v - 0.72f) < 0.05f) c = glm::vec3(0.78f, 0.78f, 0.8f) * (0.7f + 0.3f * (1.0f - wear));
    return paint::Opaque(c * (0.85f + 0.15f * std::cos((v - 0.4f) * 3.0f)));
}

Colour DarkMetal(float u, float v, int, int) {
    return paint::Opaque(glm::vec3(0.15f, 0.16f, 0.18f) * (0.85f + 0.15f * Noise(u, v, 408, 6.0f)));
}

Colour Glass(float u, float v, int, int) {
    const float streak = std::exp(-std::pow((u + v - 0.8f) * 6.0f, 2.0f));
    const float frame = Frame(u, v, 128, 128, 6.0f);
    glm::vec3 c = glm::vec3(0.10f, 0.15f, 0.22f) + glm::vec3(0.25f, 0.3f, 0.35f) * streak;
    return paint::Opaque(paint::Over(kGunmetalDark, c, SmoothStep(0.6f, 0.9f, frame)));
}

Colour Rail(float u, float v, int, int) {
    const float wear = SmoothStep(0.25f, 0.55f, Noise(u, v, 409, 8.0f));
    return paint::Opaque(paint::Mix(kCrimson * 0.85f, glm::vec3(0.45f, 0.46f, 0.48f), wear * 0.6f));
}

Colour SteelLight(float u, float v, int x, int y) {
    glm::vec3 c = glm::vec3(0.56f, 0.58f, 0.62f) * (0.88f + 0.12f * Noise(u, v, 410, 8.0f));
    if (x % 128 < 2 || y % 64 < 2) c *= 0.45f;
    return paint::Opaque(c);
}

}  // namespace

image::Image TrimAtlasPicture() {
    Canvas canvas(kAtlasSize, kAtlasSize);
    PaintCell(canvas, 0, 0, 512, 64, Hazard);
    PaintCell(canvas, 0, 64, 128, 64, [](float u, float v, int, int) {
        return Lamp(u, v, glm::vec3(1.0f), glm::vec3(0.62f, 0.74f, 0.9f));
    });
    PaintCell(canvas, 128, 64, 128, 64, [](float u, float v, int, int) {
        return Lamp(u, v, glm::vec3(1.0f, 0.62f, 0.52f), glm::vec3(0.85f, 0.12f, 0.1f));
    });
    PaintCell(canvas, 256, 64, 128, 64, Screen);
    PaintCell(canvas, 384, 64, 128, 64, [](float u, float v, int, int) {
        return Lamp(u, v, glm::vec3(1.0f, 0.85f, 0.5f), glm::vec3(1.0f, 0.45f, 0.15f));
    });
    PaintCell(canvas, 0, 128, kCell, kCell, Grating);
    PaintCell(canvas, 128, 128, kCell, kCell, Vent);
    PaintCell(canvas, 256, 128, kCell, kCell, Cable);
    PaintCell(canvas, 384, 128, kCell, kCell, Pipe);
    PaintCell(canvas, 0, 256, kCell, kCell, Crate);
    PaintCell(canvas, 128, 256, kCell, kCell, Machinery);
    PaintCell(canvas, 256, 256, kCell, kCell, Tank);
    PaintCell(canvas, 384, 256, kCell, kCell, DarkMetal);
    PaintCell(canvas, 0, 384, kCell, kCell, Glass);
    PaintCell(canvas, 128, 384, kCell, kCell, Rail);
    PaintCell(canvas, 256, 384, 256, kCell, SteelLight);
    return toolkit::ToImage(canvas);
}

}  // namespace kr::makedata::menu_scene
