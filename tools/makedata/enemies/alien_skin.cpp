#include "enemies/alien_skin.hpp"

#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/field.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/panels.hpp"
#include "toolkit/uv_projection.hpp"

namespace kr::makedata::enemies {
namespace {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::SmoothStep;

// Texels kept clear round every cell's edge, as a share of the cell.
constexpr float kInset = 0.03f;

Colour Opaque(glm::vec3 c) { return Colour(c, 1.0f); }

// Fine grain that keeps large flat areas from looking plastic, 1 +- amount.
Field Grain(int cell, std::uint32_t seed, float amount) {
    Field grain = toolkit::FbmField(cell, cell, 16, {seed, toolkit::Basis::Value, 3, 0.55f});
    return grain.Apply([amount](float v) { return 1.0f + amount * v; });
}

// Domed scales: each cell of a Voronoi pattern a plate in its own tone,
// rising from a dark seam.
Canvas Scales(int cell, glm::vec3 colour, std::uint32_t seed, int scales) {
    const Field border = toolkit::CellularField(cell, cell, scales, seed, toolkit::CellFeature::Border);
    const Field id = toolkit::CellularField(cell, cell, scales, seed, toolkit::CellFeature::Id);
    Field height(cell, cell);
    height.Generate([&](int x, int y) { return SmoothStep(0.0f, 0.45f, border.At(x, y)); });
    const Field grain = Grain(cell, seed + 1, 0.12f);
    Canvas c(cell, cell);
    c.Generate([&](int x, int y) {
        const float seam = SmoothStep(0.02f, 0.09f, border.At(x, y));
        const float tone = (0.8f + 0.4f * id.At(x, y)) * grain.At(x, y);
        return Opaque(colour * tone * (0.3f + 0.7f * seam));
    });
    toolkit::BakeLighting(c, height, 2.5f);
    return c;
}

// Ribs running across v, like the plates of an insect's belly.
Canvas Ribs(int cell, glm::vec3 colour, std::uint32_t seed) {
    const Field grain = Grain(cell, seed, 0.15f);
    Field height(cell, cell);
    height.Generate([&](int, int y) {
        const float phase = static_cast<float>(y) / static_cast<float>(cell) * 7.0f;
        return std::pow(phase - std::floor(phase), 0.6f);
    });
    Canvas c(cell, cell);
    c.Generate([&](int x, int y) { return Opaque(colour * (0.55f + 0.45f * height.At(x, y)) * grain.At(x, y)); });
    toolkit::BakeLighting(c, height, 3.0f);
    return c;
}

Canvas Gunmetal(int cell, std::uint32_t seed) {
    const auto panels = toolkit::SplitIntoPanels({{0, 0}, {static_cast<float>(cell), static_cast<float>(cell)}},
                                                 {seed, cell * 0.2f, cell * 0.6f, 3.0f});
    const Field seams = toolkit::SeamMask(cell, cell, panels, 1.5f);
    const Field rivets = toolkit::RivetHeight(cell, cell, panels, {cell * 0.12f, cell * 0.05f, 1.3f});
    const Field grain = Grain(cell, seed + 3, 0.1f);
    Field height(cell, cell);
    height.Generate([&](int x, int y) { return 1.0f - seams.At(x, y) + 0.6f * rivets.At(x, y); });
    Canvas c(cell, cell);
    c.Generate([&](int x, int y) {
        const glm::vec3 metal = toolkit::palette::kMetalDark * 0.8f;
        return Opaque(metal * grain.At(x, y) * (1.0f - 0.6f * seams.At(x, y)));
    });
    toolkit::BakeLighting(c, height, 2.0f);
    return c;
}

// Horn: the accent colour in fine streaks along v, paler towards v = 1 (the
// tips of claws and spikes).
Canvas Horny(int cell, const AlienPalette& palette, std::uint32_t seed) {
    const Field streaks = toolkit::FbmField(cell, cell, 4, {seed, toolkit::Basis::Gradient, 4, 0.6f});
    Canvas c(cell, cell);
    c.Generate([&](int x, int y) {
        // Read the noise squeezed along v so that it runs in streaks.
        const float s = streaks.At(x, (y / 8) % cell);
        const float v = (y + 0.5f) / cell;
        const glm::vec3 base = glm::mix(palette.accent * 0.7f, glm::min(palette.accent * 1.35f + 0.08f, glm::vec3(1.0f)), v);
        return Opaque(base * (0.85f + 0.3f * s));
    });
    return c;
}

// Veins of light in dark shell: crests of ridged noise, hot in the middle.
Canvas Veins(int cell, const AlienPalette& palette, std::uint32_t seed) {
    const Field ridges = toolkit::RidgedField(cell, cell, 3, {seed, toolkit::Basis::Gradient, 4, 0.5f});
    Canvas c(cell, cell);
    c.Generate([&](int x, int y) {
        const float r = ridges.At(x, y);
        const float vein = SmoothStep(0.72f, 0.95f, r);
        const float core = SmoothStep(0.93f, 1.0f, r);
        const glm::vec3 base = palette.shellDark * 0.5f;
        return Opaque(base + palette.glow * vein + glm::vec3(0.6f) * core);
    });
    return c;
}

// A core of light: white at the middle of the part, the glow colour round it.
Canvas Core(int cell, const AlienPalette& palette, std::uint32_t seed) {
    const Field grain = Grain(cell, seed, 0.1f);
    const Field r = toolkit::RadialGradient(cell, cell, glm::vec2(cell * 0.5f), cell * 0.7f);
    Canvas c(cell, cell);
    c.Generate([&](int x, int y) {
        const float d = r.At(x, y);
        const glm::vec3 hot = glm::mix(glm::vec3(1.0f), palette.glow, SmoothStep(0.0f, 0.45f, d));
        return Opaque(hot * (1.0f - 0.35f * SmoothStep(0.5f, 1.0f, d)) * grain.At(x, y));
    });
    return c;
}

// A lens: a dark slit pupil in a white-hot iris of glow-coloured rings.
Canvas Lens(int cell, const AlienPalette& palette) {
    Canvas c(cell, cell);
    c.Generate([&](int x, int y) {
        const glm::vec2 p((x + 0.5f) / cell - 0.5f, (y + 0.5f) / cell - 0.5f);
        const float d = glm::length(p) * 2.0f;
        const float rings = 0.75f + 0.25f * std::cos(d * 30.0f);
        glm::vec3 colour = glm::mix(glm::vec3(1.0f), palette.glow, SmoothStep(0.05f, 0.5f, d)) * rings;
        const float slit = 1.0f - SmoothStep(0.03f, 0.06f, std::abs(p.x) - 0.1f * (0.5f - std::abs(p.y)));
        colour = glm::mix(colour, palette.glow * 0.25f, slit * (1.0f - SmoothStep(0.3f, 0.45f, std::abs(p.y))));
        return Opaque(colour);
    });
    return c;
}

Canvas PaintSwatch(Swatch swatch, const AlienPalette& palette, std::uint32_t seed, int cell) {
    switch (swatch) {
        case Swatch::Shell: return Scales(cell, palette.shell, seed, 7);
        case Swatch::ShellDark: return Scales(cell, palette.shellDark, seed + 10, 9);
        case Swatch::Under: return Ribs(cell, palette.under, seed + 20);
        case Swatch::Metal: return Gunmetal(cell, seed + 30);
        case Swatch::Accent: return Horny(cell, palette, seed + 40);
        case Swatch::Vein: return Veins(cell, palette, seed + 50);
        case Swatch::Glow: return Core(cell, palette, seed + 60);
        case Swatch::Eye: return Lens(cell, palette);
    }
    return Canvas(cell, cell);
}

glm::ivec2 CellOf(Swatch swatch) { return {Slot(swatch) % kSwatchColumns, Slot(swatch) / kSwatchColumns}; }

}  // namespace

image::Image PaintAlienSkin(const AlienPalette& palette, std::uint32_t seed, int cell) {
    Canvas skin(cell * kSwatchColumns, cell * kSwatchRows);
    for (int s = 0; s < kSwatchCount; ++s) {
        const Swatch swatch = static_cast<Swatch>(s);
        const Canvas part = PaintSwatch(swatch, palette, seed, cell);
        const glm::ivec2 at = CellOf(swatch) * cell;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) skin.At(at.x + x, at.y + y) = part.At(x, y);
    }
    return toolkit::ToImage(skin);
}

void OnSwatch(toolkit::Surface& surface, Swatch swatch) {
    const glm::vec2 size(1.0f / kSwatchColumns, 1.0f / kSwatchRows);
    const glm::vec2 min = glm::vec2(CellOf(swatch)) * size;
    toolkit::PlaceUv(surface, min + size * kInset, min + size * (1.0f - kInset));
    surface.SetMaterial(Slot(swatch));
}

}  // namespace kr::makedata::enemies
