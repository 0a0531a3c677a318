#include "arsenal/glow_paint.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/gradients.hpp"
#include "toolkit/noise.hpp"

namespace kr::makedata::arsenal {
namespace {

using toolkit::SmoothStep;

// Texel centre in cell space: x 0..1 along, y -1..1 across.
glm::vec2 CellPoint(const Cell& cell, int x, int y) {
    return {(x - cell.min.x + 0.5f) / cell.width(), (y - cell.min.y + 0.5f) / cell.height() * 2.0f - 1.0f};
}

// Paints every texel of the cell; `texel` gets the cell-space point.
template <class Fn>
void PaintCell(Canvas& canvas, const Cell& cell, Fn texel) {
    for (int y = cell.min.y; y < cell.max.y; ++y)
        for (int x = cell.min.x; x < cell.max.x; ++x) canvas.At(x, y) = texel(CellPoint(cell, x, y));
}

// Glow colour for a heat of 0 (the edge) to 1 (the core).
Colour Heat(const GlowLook& look, float glow, float core) {
    const float hot = std::clamp(core * look.intensity, 0.0f, 1.0f);
    glm::vec3 colour = glm::mix(look.colour, look.core, hot);
    colour = glm::mix(colour * 0.75f, colour, SmoothStep(0.0f, 0.6f, glow));
    const float alpha = std::clamp((glow * 0.85f + core) * std::min(look.intensity, 1.3f), 0.0f, 1.0f);
    return Colour(glm::clamp(colour, 0.0f, 1.0f), alpha);
}

float Gaussian(float x, float sigma) { return std::exp(-0.5f * x * x / (sigma * sigma)); }

}  // namespace

void PaintBolt(Canvas& canvas, const Cell& cell, const GlowLook& look, float headAt) {
    PaintCell(canvas, cell, [&](glm::vec2 p) {
        // Thickness along the bolt: a long taper from the tail, a round head.
        const float behind = std::clamp(p.x / headAt, 0.0f, 1.0f);
        const float ahead = std::clamp((p.x - headAt) / (1.0f - headAt), 0.0f, 1.0f);
        const float body = std::pow(behind, 0.7f) * std::sqrt(std::max(0.0f, 1.0f - ahead * ahead));
        const float half = 0.92f * body + 1e-3f;
        const float across = std::fabs(p.y) / half;
        const float glow = body > 0.0f ? Gaussian(across, 0.42f) * SmoothStep(1.0f, 0.75f, across) : 0.0f;
        const float core = Gaussian(p.y, look.coreWidth * half) * std::pow(body, 0.5f);
        return Heat(look, glow, core);
    });
}

void PaintOrb(Canvas& canvas, const Cell& cell, const GlowLook& look) {
    const toolkit::Fractal swirl{look.seed, toolkit::Basis::Gradient, 3, 0.5f};
    PaintCell(canvas, cell, [&](glm::vec2 p) {
        const glm::vec2 q(p.x * 2.0f - 1.0f, p.y);
        const float r = glm::length(q);
        const float angle = std::atan2(q.y, q.x);
        const float n = toolkit::Fbm(swirl, glm::vec2(r * 3.0f + angle * 0.8f, angle * 1.6f + 7.0f)) * 0.5f + 0.5f;
        const float edge = 1.0f - SmoothStep(0.55f, 0.97f, r + 0.12f * (n - 0.5f));
        const float glow = edge * (0.75f + 0.25f * n);
        const float core = Gaussian(r, look.coreWidth * 1.6f) + 0.25f * edge * n;
        return Heat(look, glow, core);
    });
}

void PaintFlare(Canvas& canvas, const Cell& cell, const GlowLook& look) {
    PaintCell(canvas, cell, [&](glm::vec2 p) {
        const glm::vec2 q(p.x * 2.0f - 1.0f, p.y);
        const float r = glm::length(q);
        const float fade = 1.0f - SmoothStep(0.5f, 0.98f, r);
        const float rays = (Gaussian(q.x, 0.05f) + Gaussian(q.y, 0.05f)) * fade;
        const float glow = std::clamp(Gaussian(r, 0.3f) + 0.6f * rays, 0.0f, 1.0f) * fade;
        const float core = Gaussian(r, look.coreWidth) + 0.5f * rays * Gaussian(r, 0.35f);
        return Heat(look, glow, core);
    });
}

void PaintBand(Canvas& canvas, const Cell& cell, const GlowLook& look) {
    PaintCell(canvas, cell, [&](glm::vec2 p) {
        const float middle = 1.0f - std::fabs(p.y);
        return Heat(look, 0.6f + 0.4f * middle, Gaussian(p.y, 0.35f) * 0.8f);
    });
}

glm::vec2 UvMin(const Canvas& canvas, const Cell& cell) {
    return {static_cast<float>(cell.min.x) / canvas.width(), static_cast<float>(cell.min.y) / canvas.height()};
}

glm::vec2 UvMax(const Canvas& canvas, const Cell& cell) {
    return {static_cast<float>(cell.max.x) / canvas.width(), static_cast<float>(cell.max.y) / canvas.height()};
}

}  // namespace kr::makedata::arsenal
