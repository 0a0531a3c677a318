#include "menu_pictures/art.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "toolkit/effects.hpp"
#include "toolkit/glass_panel.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/resample.hpp"

namespace kr::makedata::menu {

using toolkit::Blend;
using toolkit::SmoothStep;
using glm::vec2;
using glm::vec3;

Sketch::Sketch(int width, int height, float units)
    : width_(width), height_(height), scale_(static_cast<float>(width) / units) {}

void Sketch::Poly(Field& f, std::initializer_list<glm::vec2> points, toolkit::Combine c) const {
    Poly(f, std::vector<glm::vec2>(points), c);
}

void Sketch::Poly(Field& f, const std::vector<glm::vec2>& points, toolkit::Combine c) const {
    toolkit::Polygon polygon;
    for (const auto& p : points) polygon.points.push_back(P(p));
    toolkit::Fill(f, polygon, c);
}

void Sketch::Disc(Field& f, glm::vec2 centre, float radius, toolkit::Combine c) const {
    toolkit::Fill(f, toolkit::Circle{P(centre), radius * scale_}, c);
}

void Sketch::Ring(Field& f, glm::vec2 centre, float radius, float width, toolkit::Combine c) const {
    toolkit::Stroke(f, toolkit::Circle{P(centre), radius * scale_}, width * scale_, c);
}

void Sketch::Line(Field& f, glm::vec2 a, glm::vec2 b, float width, toolkit::Combine c) const {
    toolkit::Fill(f, toolkit::Segment{P(a), P(b), width * scale_}, c);
}

void Sketch::Box(Field& f, glm::vec2 min, glm::vec2 max, float cut, toolkit::Combine c) const {
    toolkit::Fill(f, toolkit::Rect{P(min), P(max), cut * scale_}, c);
}

void Sketch::Arc(Field& f, glm::vec2 centre, float radius, float a0, float a1, float width, toolkit::Combine c) const {
    const int steps = std::max(4, static_cast<int>(std::fabs(a1 - a0) * radius * scale_ / 3.0f));
    // Drawn into a scratch mask first so that the segments' overlaps do not
    // matter for subtraction.
    Field arc = Blank();
    glm::vec2 previous = centre + radius * glm::vec2(std::cos(a0), std::sin(a0));
    for (int i = 1; i <= steps; ++i) {
        const float a = a0 + (a1 - a0) * static_cast<float>(i) / steps;
        const glm::vec2 next = centre + radius * glm::vec2(std::cos(a), std::sin(a));
        toolkit::Fill(arc, toolkit::Segment{P(previous), P(next), width * scale_});
        previous = next;
    }
    toolkit::CombineInto(f, arc, [c](float m, float v) {
        switch (c) {
            case toolkit::Combine::Union: return std::max(m, v);
            case toolkit::Combine::Subtract: return std::min(m, 1.0f - v);
            case toolkit::Combine::Intersect: return std::min(m, v);
        }
        return m;
    });
}

Field Grown(const Field& mask, float radius) {
    Field outside = mask;
    outside.Apply([](float v) { return 1.0f - v; });
    Field distance = toolkit::DistanceInside(outside);
    Field grown(mask.width(), mask.height());
    for (std::size_t i = 0; i < grown.values().size(); ++i) {
        const float reach = 1.0f - SmoothStep(radius - 0.5f, radius + 0.5f, distance.values()[i] - 0.5f);
        grown.values()[i] = std::max(mask.values()[i], reach);
    }
    return grown;
}

namespace {

// Runs of rows holding ink (lines of text), and for every row the span of
// the run it belongs to (rows between runs take the nearer one).
std::vector<glm::vec2> RowSpans(const Field& mask) {
    std::vector<glm::vec2> runs;
    bool inRun = false;
    for (int y = 0; y < mask.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < mask.width() && !ink; ++x) ink = mask.At(x, y) > 0.05f;
        if (ink && !inRun) runs.push_back({static_cast<float>(y), static_cast<float>(y + 1)});
        if (ink) runs.back().y = static_cast<float>(y + 1);
        inRun = ink;
    }
    std::vector<glm::vec2> spans(static_cast<std::size_t>(mask.height()), glm::vec2(0.0f, mask.height()));
    if (runs.empty()) return spans;
    for (int y = 0; y < mask.height(); ++y) {
        const glm::vec2* best = &runs.front();
        float distance = 1e9f;
        for (const auto& run : runs) {
            const float d = y < run.x ? run.x - y : y >= run.y ? y - run.y + 1 : 0.0f;
            if (d < distance) distance = d, best = &run;
        }
        spans[static_cast<std::size_t>(y)] = *best;
    }
    return spans;
}

// A bright sky above a dark horizon line, then a rising reflection.
float ChromeLevel(float v) {
    if (v < 0.48f) return 0.98f - 0.5f * (v / 0.48f);
    if (v < 0.55f) return 0.25f;
    return 0.4f + 0.45f * std::min(1.0f, (v - 0.55f) / 0.45f);
}

}  // namespace

Canvas RenderEmblem(const Emblem& e, float scale) {
    const int w = e.body.width(), h = e.body.height();
    Field silhouette = e.body;
    toolkit::CombineInto(silhouette, e.accent, [](float a, float b) { return std::max(a, b); });

    Canvas canvas(w, h);
    toolkit::Paint(canvas, Grown(silhouette, std::max(1.0f, 1.3f * scale)), Colour(palette::kInk, 1.0f));

    const toolkit::Fractal brushing{5, toolkit::Basis::Value, 2, 0.5f};
    Canvas metal(w, h);
    metal.Generate([&](int x, int y) {
        const float v = (static_cast<float>(y) + 0.4f * static_cast<float>(x)) / (h * 1.4f);
        const float grain = toolkit::Fbm(brushing, glm::vec2(x * 0.05f, y * 0.7f)) * 0.06f;
        const float level = std::clamp(1.0f - 0.75f * v + grain, 0.0f, 1.1f);
        return Colour(glm::mix(palette::kMetalDark * 0.45f, palette::kMetalLight * 1.2f, level) * e.metalTint, 1.0f);
    });
    toolkit::BakeLighting(metal, toolkit::BevelHeight(e.body, std::max(1.2f, 2.4f * scale)), 3.2f);
    toolkit::Composite(canvas, metal, e.body);

    Field engraved = e.detail;
    toolkit::CombineInto(engraved, e.body, [](float d, float b) { return std::min(d, b); });
    toolkit::Paint(canvas, engraved, Colour(0.06f, 0.06f, 0.08f, 0.9f));

    const Field depth = toolkit::DistanceInside(e.accent);
    Canvas accent(w, h);
    accent.Generate([&](int x, int y) {
        const float core = SmoothStep(0.5f, 3.5f * scale, depth.At(x, y));
        const float v = static_cast<float>(y) / h;
        const glm::vec3 hot = glm::mix(e.accentColour, glm::vec3(1.0f, 0.97f, 0.92f), 0.55f);
        return Colour(glm::mix(e.accentColour * (0.95f - 0.3f * v), hot, core), 1.0f);
    });
    toolkit::BakeLighting(accent, toolkit::BevelHeight(e.accent, std::max(1.0f, 1.6f * scale)), 1.5f);
    toolkit::Composite(canvas, accent, e.accent);

    if (e.halo > 0.0f) {
        Field glow = toolkit::Blurred(e.accent, std::max(1.0f, 2.2f * scale));
        glow.Apply([&](float g) { return std::min(1.0f, g * e.halo * 1.6f); });
        toolkit::Paint(canvas, glow, Colour(e.accentColour, 1.0f), Blend::Add);
    }
    return canvas;
}

Canvas DrawEmblem(const EmblemDesign& design, int size) {
    const Sketch sketch(size, size, 64.0f);
    Emblem emblem(sketch);
    design(emblem, sketch);
    return RenderEmblem(emblem, sketch.scale());
}

void PaintChrome(Canvas& canvas, const Field& mask, float glow, glm::vec3 glowColour, float letterHeight) {
    const std::vector<glm::vec2> spans = RowSpans(mask);
    float tallest = 4.0f;
    for (const auto& span : spans) tallest = std::max(tallest, span.y - span.x);
    const float size = letterHeight > 0.0f ? letterHeight : tallest;
    if (glow > 0.0f) {
        toolkit::AddGlow(canvas, mask, glowColour, size * 0.35f, 0.9f * glow);
        toolkit::AddGlow(canvas, mask, glm::mix(glowColour, palette::kEmber, 0.4f), size * 0.09f, 0.8f * glow);
    }
    toolkit::Paint(canvas, Grown(mask, std::max(1.0f, size * 0.05f)), Colour(palette::kInk, 0.85f));
    Canvas metal(canvas.width(), canvas.height());
    metal.Generate([&](int x, int y) {
        const glm::vec2 span = spans[static_cast<std::size_t>(y)];
        const float v = (static_cast<float>(y) - span.x) / std::max(1.0f, span.y - span.x);
        const float brushed = 0.96f + 0.08f * toolkit::HashFraction(toolkit::Hash(x / 17, y, 7u));
        const float level = std::clamp(ChromeLevel(v) * brushed, 0.0f, 1.1f);
        return Colour(glm::mix(glm::vec3(0.2f, 0.22f, 0.26f), glm::vec3(0.95f, 0.96f, 0.99f), level), 1.0f);
    });
    toolkit::BakeLighting(metal, toolkit::BevelHeight(mask, std::max(1.0f, size * 0.07f)), 2.5f);
    toolkit::Composite(canvas, metal, mask);
}

void PaintLabel(Canvas& canvas, const Field& mask, Colour colour, float shadow) {
    if (shadow > 0.0f) {
        Field soft = toolkit::Blurred(Grown(mask, 1.0f), 1.2f);
        toolkit::Paint(canvas, soft, Colour(palette::kInk, shadow));
    }
    toolkit::Paint(canvas, mask, colour);
}

Canvas SpaceBackdrop(int width, int height, std::uint32_t seed, float nebula) {
    // The nebula is soft: drawn at a quarter of the size and enlarged.
    const int nw = std::max(8, width / 4), nh = std::max(8, height / 4);
    const toolkit::Fractal clouds{seed, toolkit::Basis::Gradient, 5, 0.55f};
    const toolkit::Fractal veils{seed + 17u, toolkit::Basis::Gradient, 4, 0.5f};
    const float unit = 1.0f / static_cast<float>(std::max(nw, nh));
    Canvas small(nw, nh);
    small.Generate([&](int x, int y) {
        const glm::vec2 p(x * unit, y * unit);
        const float v = static_cast<float>(y) / nh;
        const glm::vec3 base = glm::mix(palette::kDeep * 1.6f, palette::kDeep * 0.6f, v);
        const float red = std::max(0.0f, toolkit::Fbm(clouds, p * 3.2f + glm::vec2(1.3f, 7.1f)));
        const float blue = std::max(0.0f, toolkit::Fbm(veils, p * 2.4f + glm::vec2(9.2f, 2.6f)));
        const float filament = toolkit::Ridged(veils, p * 5.0f);
        glm::vec3 colour = base + nebula * (palette::kCrimson * 0.55f * red * red * 2.2f +
                                            glm::vec3(0.12f, 0.18f, 0.38f) * blue * 1.1f +
                                            glm::vec3(0.2f, 0.1f, 0.16f) * std::pow(filament, 6.0f) * red);
        return Colour(colour, 1.0f);
    });
    Canvas canvas = toolkit::Resampled(small, width, height);
    AddStars(canvas, seed * 31u + 5u, 9.0f);
    return canvas;
}

void AddStars(Canvas& canvas, std::uint32_t seed, float density, float brightness) {
    const int w = canvas.width(), h = canvas.height();
    const int count = static_cast<int>(density * w * h / 10000.0f);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t k = toolkit::Hash(static_cast<std::uint32_t>(i) * 4u + seed);
        const float x = toolkit::HashFraction(k) * w;
        const float y = toolkit::HashFraction(toolkit::Hash(k + 1u)) * h;
        const float r = toolkit::HashFraction(toolkit::Hash(k + 2u));
        const float tint = toolkit::HashFraction(toolkit::Hash(k + 3u));
        const float strength = brightness * (0.15f + 0.85f * r * r * r);
        const float sigma = 0.45f + 0.9f * r * r * r * r;
        const glm::vec3 colour = tint < 0.2f   ? glm::vec3(1.0f, 0.8f, 0.65f)
                                 : tint < 0.6f ? glm::vec3(0.85f, 0.9f, 1.0f)
                                               : glm::vec3(0.7f, 0.8f, 1.0f);
        const int x0 = std::max(0, static_cast<int>(x - 3 * sigma)), x1 = std::min(w - 1, static_cast<int>(x + 3 * sigma));
        const int y0 = std::max(0, static_cast<int>(y - 3 * sigma)), y1 = std::min(h - 1, static_cast<int>(y + 3 * sigma));
        for (int py = y0; py <= y1; ++py)
            for (int px = x0; px <= x1; ++px) {
                const float dx = px + 0.5f - x, dy = py + 0.5f - y;
                const float g = strength * std::exp(-(dx * dx + dy * dy) / (2.0f * sigma * sigma));
                Colour& c = canvas.At(px, py);
                c = toolkit::BlendTexel(c, Colour(colour, std::min(1.0f, g)), Blend::Add);
            }
    }
}

void AddFlare(Canvas& canvas, glm::vec2 centre, float radius, glm::vec3 colour, float strength) {
    const int x0 = std::max(0, static_cast<int>(centre.x - radius * 3)), x1 = std::min(canvas.width() - 1, static_cast<int>(centre.x + radius * 3));
    const int y0 = std::max(0, static_cast<int>(centre.y - radius * 3)), y1 = std::min(canvas.height() - 1, static_cast<int>(centre.y + radius * 3));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 d = glm::vec2(x + 0.5f, y + 0.5f) - centre;
            const float r2 = glm::dot(d, d) / (radius * radius);
            const float g = strength * (std::exp(-r2 * 4.0f) + 0.35f * std::exp(-r2 * 0.8f));
            if (g < 1e-3f) continue;
            Colour& c = canvas.At(x, y);
            c = toolkit::BlendTexel(c, Colour(glm::mix(colour, glm::vec3(1.0f), std::min(1.0f, g * 0.5f)), std::min(1.0f, g)),
                                    Blend::Add);
        }
}

void Vignette(Canvas& canvas, float strength, glm::vec2 centre) {
    const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const glm::vec2 d((x + 0.5f) / w - centre.x, ((y + 0.5f) / h - centre.y) * 0.8f);
            const float k = 1.0f - strength * SmoothStep(0.25f, 0.85f, glm::length(d) * 1.4f);
            Colour& c = canvas.At(x, y);
            c = Colour(glm::vec3(c) * k, c.a);
        }
}

// A planet seen from orbit: a dark night side with faint cloud bands, a
// thin lit crescent and a rim of atmosphere glowing towards `sun`.
void PaintPlanet(Canvas& canvas, vec2 centre, float radius, vec2 sun, std::uint32_t seed) {
    const toolkit::Fractal clouds{seed, toolkit::Basis::Gradient, 4, 0.5f};
    const vec2 toSun = glm::normalize(sun - centre);
    const float reach = radius * 0.35f;
    const int y0 = std::max(0, static_cast<int>(centre.y - radius - reach));
    for (int y = y0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const vec2 d = vec2(x + 0.5f, y + 0.5f) - centre;
            const float r = glm::length(d);
            const float outside = r - radius;
            if (outside > reach) continue;
            const float lit = SmoothStep(0.0f, 1.0f, glm::dot(d / std::max(r, 1.0f), toSun));
            Colour& c = canvas.At(x, y);
            if (outside < 0.0f) {
                const float crescent = SmoothStep(0.9f, 1.0f, r / radius) * lit;
                // Cloud bands only where light falls; the night side is all but black.
                const vec2 q(d.x / radius * 3.0f, d.y / radius * 10.0f);
                const float band = crescent > 0.01f ? toolkit::Fbm(clouds, q) * 0.5f + 0.5f
                                                    : toolkit::ValueNoise(q, seed) * 0.25f + 0.5f;
                const vec3 night = glm::mix(vec3(0.012f, 0.016f, 0.03f), vec3(0.05f, 0.05f, 0.075f), band);
                const vec3 day = vec3(0.5f, 0.24f, 0.16f) * (0.5f + 0.6f * band);
                c = Colour(glm::mix(night, day, crescent * 0.85f), 1.0f);
            }
            const float rim = std::exp(-std::pow(outside / (radius * 0.012f), 2.0f));
            const float haze = outside > 0.0f ? std::exp(-outside / (radius * 0.05f)) : 0.0f;
            const float strength = (0.9f * rim + 0.45f * haze) * (0.12f + lit * lit);
            c = Colour(vec3(c) + glm::mix(palette::kCrimson, palette::kEmber, lit) * strength, 1.0f);
        }
    }
}

// A picture in the panel's frame: the cut corners clear, the frame and its
// crimson edge over the picture's own edge.
Canvas Framed(Canvas picture) {
    toolkit::GlassPanelStyle style;
    style.glassAlpha = 0.0f;
    style.cut = 16.0f;
    style.frame = 5.0f;
    const int w = picture.width(), h = picture.height();
    const auto o = toolkit::OuterOutline(w, h, style);
    const Field outer = toolkit::ShapeMask(w, h, toolkit::Rect{{o.left, o.top}, {o.right, o.bottom}, o.cut});
    toolkit::MultiplyAlpha(picture, outer);
    toolkit::Composite(picture, toolkit::RenderGlassPanel(w, h, style));
    return picture;
}

void PlaceOver(Canvas& canvas, const Canvas& layer, glm::ivec2 at) {
    for (int y = 0; y < layer.height(); ++y) {
        const int ty = y + at.y;
        if (ty < 0 || ty >= canvas.height()) continue;
        for (int x = 0; x < layer.width(); ++x) {
            const int tx = x + at.x;
            if (tx < 0 || tx >= canvas.width()) continue;
            canvas.At(tx, ty) = toolkit::BlendTexel(canvas.At(tx, ty), layer.At(x, y), Blend::Over);
        }
    }
}

Region CutRegion(const Canvas& canvas, vec2 min, vec2 max) {
    const int x0 = std::clamp(static_cast<int>(std::floor(min.x)), 0, canvas.width());
    const int y0 = std::clamp(static_cast<int>(std::floor(min.y)), 0, canvas.height());
    const int x1 = std::clamp(static_cast<int>(std::ceil(max.x)), x0, canvas.width());
    const int y1 = std::clamp(static_cast<int>(std::ceil(max.y)), y0, canvas.height());
    Region region{{x0, y0}, Canvas(x1 - x0, y1 - y0)};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) region.canvas.At(x - x0, y - y0) = canvas.At(x, y);
    return region;
}

void PasteRegion(Canvas& canvas, const Region& region) {
    for (int y = 0; y < region.canvas.height(); ++y)
        for (int x = 0; x < region.canvas.width(); ++x) canvas.At(x + region.origin.x, y + region.origin.y) = region.canvas.At(x, y);
}

Canvas WithoutPureRed(Canvas canvas) {
    for (Colour& c : canvas.pixels()) {
        if (c.r >= 254.5f / 255.0f && c.g < 0.5f / 255.0f && c.b < 0.5f / 255.0f) c.g = 1.0f / 255.0f;
    }
    return canvas;
}

image::Image Finish(const Canvas& canvas) { return toolkit::ToImage(canvas); }

}  // namespace kr::makedata::menu
