#include "toolkit/glass_panel.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/effects.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/shapes.hpp"

namespace kr::toolkit {
namespace {

const glm::vec3 kMetalDark(0.35f, 0.38f, 0.42f);
const glm::vec3 kMetalLight(0.70f, 0.72f, 0.75f);

Rect ToRect(const PanelOutline& o) { return Rect{{o.left, o.top}, {o.right, o.bottom}, o.cut}; }

// The same outline moved inwards by `d` texels, its corner cuts kept at 45 degrees.
PanelOutline Inset(const PanelOutline& o, float d) {
    return {o.left + d, o.top + d, o.right - d, o.bottom - d, std::max(o.cut - d * (2.0f - std::sqrt(2.0f)), 0.0f)};
}

// Brushed gunmetal, lighter towards the top-left, with the bevel's light baked in.
Canvas FrameMetal(int w, int h, const Field& frameMask, const GlassPanelStyle& style) {
    const Fractal grain{style.seed * 7u + 3u, Basis::Value, 3, 0.5f};
    Canvas metal(w, h);
    metal.Generate([&](int x, int y) {
        if (frameMask.At(x, y) <= 0.0f) return Colour(0.0f);
        const float across = (static_cast<float>(x) / w * 0.35f + static_cast<float>(y) / h * 0.65f);
        const float brushed = Fbm(grain, glm::vec2(x * 0.04f, y * 0.9f)) * 0.08f;
        const float level = std::clamp(0.66f - 0.45f * across + brushed, 0.0f, 1.0f);
        return Colour(glm::mix(kMetalDark * 0.5f, kMetalLight * 1.05f, level), 1.0f);
    });
    Field height = BevelHeight(frameMask, std::max(1.5f, style.frame * 0.45f));
    BakeLighting(metal, height, 6.0f, Light{glm::normalize(glm::vec3(-1.0f, -1.0f, 1.1f)), 0.3f, 0.7f, 0.6f, 10.0f});
    return metal;
}

// Deep blue-black glass: a faint sheen across the top-left, a darker
// bottom, fine grain; a little more opaque towards the frame.
Canvas Glass(int w, int h, const PanelOutline& inner, const GlassPanelStyle& style) {
    const Fractal grain{style.seed * 13u + 1u, Basis::Gradient, 2, 0.5f};
    Canvas glass(w, h);
    const float diagonal = static_cast<float>(w + h);
    const Rect shape = ToRect(inner);
    glass.Generate([&](int x, int y) {
        const float inside = -SignedDistance(shape, glm::vec2(x + 0.5f, y + 0.5f));
        if (inside < -1.0f) return Colour(0.0f);
        const float v = static_cast<float>(y) / h;
        const float d = (static_cast<float>(x) + static_cast<float>(y) * 1.6f) / diagonal;
        const float sheen = 0.035f * std::exp(-std::pow((d - 0.22f) / 0.09f, 2.0f));
        const float noise = Fbm(grain, glm::vec2(x, y) * 0.15f) * 0.008f;
        const float scanline = (y % 3 == 0) ? -0.006f : 0.0f;
        const glm::vec3 tint = style.glassTint * (1.25f - 0.5f * v) + glm::vec3(sheen + noise + scanline);
        const float nearFrame = 1.0f - SmoothStep(0.0f, 10.0f, inside);
        return Colour(tint, std::clamp(style.glassAlpha + 0.12f * nearFrame, 0.0f, 1.0f));
    });
    return glass;
}

// Brighter brackets where the inner edge turns round the cut corners.
void AddCornerBrackets(Field& mask, const PanelOutline& o, float length, float width) {
    const float c = o.cut;
    const float lx = std::min(length, (o.right - o.left) * 0.25f), ly = std::min(length, (o.bottom - o.top) * 0.25f);
    const auto line = [&](glm::vec2 a, glm::vec2 b) { Fill(mask, Segment{a, b, width}); };
    line({o.left, o.top + c + ly}, {o.left, o.top + c});
    line({o.left, o.top + c}, {o.left + c, o.top});
    line({o.left + c, o.top}, {o.left + c + lx, o.top});
    line({o.right, o.top + c + ly}, {o.right, o.top + c});
    line({o.right, o.top + c}, {o.right - c, o.top});
    line({o.right - c, o.top}, {o.right - c - lx, o.top});
    line({o.left, o.bottom - c - ly}, {o.left, o.bottom - c});
    line({o.left, o.bottom - c}, {o.left + c, o.bottom});
    line({o.left + c, o.bottom}, {o.left + c + lx, o.bottom});
    line({o.right, o.bottom - c - ly}, {o.right, o.bottom - c});
    line({o.right, o.bottom - c}, {o.right - c, o.bottom});
    line({o.right - c, o.bottom}, {o.right - c - lx, o.bottom});
}

void AddStuds(Canvas& canvas, const PanelOutline& outer, const GlassPanelStyle& style) {
    if (style.frame < 7.0f || outer.cut < style.frame) return;
    const float r = style.frame * 0.22f;
    const float along = outer.cut * 0.5f + style.frame * 0.35f;  // middle of each cut, inside the frame
    const float k = along / std::sqrt(2.0f);
    const glm::vec2 centres[] = {{outer.left + k, outer.top + k},
                                 {outer.right - k, outer.top + k},
                                 {outer.left + k, outer.bottom - k},
                                 {outer.right - k, outer.bottom - k}};
    Field studs(canvas.width(), canvas.height());
    for (const auto& c : centres) Fill(studs, Circle{c, r});
    Paint(canvas, studs, Colour(0.12f, 0.13f, 0.15f, 1.0f));
    Field heads(canvas.width(), canvas.height());
    for (const auto& c : centres) Fill(heads, Circle{c - glm::vec2(0.3f), r * 0.7f});
    Paint(canvas, heads, Colour(kMetalLight * 1.1f, 1.0f));
}

void AddTopLight(Canvas& canvas, const PanelOutline& inner, const GlassPanelStyle& style) {
    const float cx = (inner.left + inner.right) * 0.5f;
    const float half = std::min(40.0f, (inner.right - inner.left) * 0.18f);
    Field strip(canvas.width(), canvas.height());
    Fill(strip, Segment{{cx - half, inner.top - style.frame * 0.5f}, {cx + half, inner.top - style.frame * 0.5f},
                        std::max(1.2f, style.frame * 0.3f)});
    Paint(canvas, strip, Colour(glm::mix(style.edgeColour, glm::vec3(1.0f, 0.55f, 0.4f), 0.5f), 1.0f));
    AddGlow(canvas, strip, style.edgeColour, 2.5f, 0.8f * style.edgeGlow);
}

}  // namespace

PanelOutline OuterOutline(int width, int height, const GlassPanelStyle& style) {
    return {0.5f, 0.5f, width - 0.5f, height - 0.5f, style.cut};
}

PanelOutline InnerOutline(int width, int height, const GlassPanelStyle& style) {
    return Inset(OuterOutline(width, height, style), style.frame);
}

Canvas RenderGlassPanel(int width, int height, const GlassPanelStyle& style) {
    const PanelOutline outer = OuterOutline(width, height, style);
    const PanelOutline inner = InnerOutline(width, height, style);
    const Field outerMask = ShapeMask(width, height, ToRect(outer));
    const Field innerMask = ShapeMask(width, height, ToRect(inner));
    Field frameMask = outerMask;
    CombineInto(frameMask, innerMask, [](float a, float b) { return std::min(a, 1.0f - b); });

    Canvas canvas(width, height);
    if (style.glassAlpha > 0.0f) Composite(canvas, Glass(width, height, inner, style), innerMask);
    Composite(canvas, FrameMetal(width, height, frameMask, style), frameMask);

    // A crisp dark line at the outer edge and a groove along the frame.
    Field rim(width, height);
    Stroke(rim, ToRect(Inset(outer, 0.6f)), 1.0f);
    Paint(canvas, rim, Colour(0.05f, 0.05f, 0.07f, 0.85f), Blend::Multiply);
    if (style.frame >= 7.0f) {
        Field groove(width, height);
        Stroke(groove, ToRect(Inset(outer, style.frame * 0.5f)), 0.9f);
        Paint(canvas, groove, Colour(0.35f, 0.35f, 0.4f, 0.6f), Blend::Multiply);
    }

    // A dark lip where the frame steps down to the glass.
    Field lip(width, height);
    Stroke(lip, ToRect(Inset(inner, -0.4f)), 1.2f);
    Paint(canvas, lip, Colour(0.02f, 0.02f, 0.03f, 0.9f));

    // The crimson inner edge: a bright thread and its glow into the glass.
    Field thread(width, height);
    Stroke(thread, ToRect(Inset(inner, 0.9f)), 1.1f);
    Paint(canvas, thread, Colour(glm::mix(style.edgeColour, glm::vec3(1.0f, 0.5f, 0.4f), 0.35f), std::min(1.0f, style.edgeGlow)));
    Field glow = Blurred(thread, 3.0f);
    CombineInto(glow, innerMask, [](float g, float m) { return g * m; });
    glow.Apply([&](float g) { return std::min(1.0f, g * 1.6f * style.edgeGlow); });
    Paint(canvas, glow, Colour(style.edgeColour, 0.7f), Blend::Add);
    Field brackets(width, height);
    AddCornerBrackets(brackets, Inset(inner, 1.0f), std::max(6.0f, style.cut * 0.9f), 1.8f);
    CombineInto(brackets, innerMask, [](float b, float m) { return b * m; });
    Paint(canvas, brackets, Colour(glm::mix(style.edgeColour, glm::vec3(1.0f, 0.6f, 0.45f), 0.55f), std::min(1.0f, style.edgeGlow)));
    AddGlow(canvas, brackets, style.edgeColour, 2.0f, 0.5f * style.edgeGlow);

    AddStuds(canvas, outer, style);
    if (style.topLight) AddTopLight(canvas, inner, style);
    MultiplyAlpha(canvas, outerMask);  // glows stop at the outline: the cut corners stay clear
    return canvas;
}

}  // namespace kr::toolkit
