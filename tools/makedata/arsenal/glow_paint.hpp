#pragma once
// The glowing shapes that shots are made of, painted into a rectangle of a
// canvas: bolts (long, hot towards the head), orbs (round plasma) and flares
// (four-pointed stars). Colour is straight; alpha carries the glow's
// falloff and reaches 0 before the rectangle's border.

#include <cstdint>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"

namespace kr::makedata::arsenal {

using toolkit::Canvas;
using toolkit::Colour;

// A texel rectangle of a canvas: [min, max).
struct Cell {
    glm::ivec2 min{0};
    glm::ivec2 max{0};
    int width() const { return max.x - min.x; }
    int height() const { return max.y - min.y; }
};

struct GlowLook {
    glm::vec3 colour{1.0f};      // the glow's hue
    glm::vec3 core{1.0f};        // the hot centre
    float coreWidth = 0.18f;     // of the hot centre, as a share of the half width
    float intensity = 1.0f;      // overall strength; above 1 the glow is denser and whiter
    std::uint32_t seed = 1;      // flicker of the plasma
};

// Along the cell's width from the tail (left) to the head (right), which
// sits at `headAt` (0..1) of the length; thickest just behind the head.
void PaintBolt(Canvas& canvas, const Cell& cell, const GlowLook& look, float headAt = 0.86f);
// A round ball with swirling plasma inside.
void PaintOrb(Canvas& canvas, const Cell& cell, const GlowLook& look);
// A hot point with four thin rays.
void PaintFlare(Canvas& canvas, const Cell& cell, const GlowLook& look);
// Solid glow that brightens towards the middle row: for rings and tubes
// mapped across it.
void PaintBand(Canvas& canvas, const Cell& cell, const GlowLook& look);

// The cell's rectangle in 0..1 texture coordinates of the canvas.
glm::vec2 UvMin(const Canvas& canvas, const Cell& cell);
glm::vec2 UvMax(const Canvas& canvas, const Cell& cell);

}  // namespace kr::makedata::arsenal
