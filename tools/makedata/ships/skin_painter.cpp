#include "ships/skin_painter.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "toolkit/decals.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/panels.hpp"
#include "toolkit/shapes.hpp"

namespace kr::makedata::ships {
namespace {

using toolkit::SurfaceMaps;
using toolkit::View;
using toolkit::ViewAtlas;

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::SmoothStep;

// Plate sizes in model units, and the seams between them in texels.
constexpr float kPanelMin = 34.0f;
constexpr float kPanelMax = 120.0f;
constexpr float kPanelCut = 4.0f;
constexpr float kSeamTexels = 1.0f;
// Shares of plates that carry a hatch, and that were replaced (a clearly
// different shade).
constexpr float kHatchShare = 0.3f;
constexpr float kOddPanelShare = 0.12f;

// Texels no piece of the ship uses.
const glm::vec3 kUnpainted{0.12f, 0.12f, 0.13f};

float Luminance(glm::vec3 c) { return glm::dot(c, glm::vec3(0.3f, 0.59f, 0.11f)); }

bool IsPlating(Part part) { return part == Part::Hull || part == Part::Trim || part == Part::Accent; }

// How much of a texel a band between two values covers, with a soft edge
// one texel wide.
float BandCover(float value, float from, float to, float texelsPerUnit) {
    const float inside = std::min(value - from, to - value);
    return std::clamp(inside * texelsPerUnit + 0.5f, 0.0f, 1.0f);
}

float StripeCover(const Stripe& s, glm::vec3 p, float texelsPerUnit) {
    if (s.mirrored) p.x = std::abs(p.x);
    float cover = BandCover(glm::dot(p, s.across), s.from, s.to, texelsPerUnit);
    if (s.along != glm::vec3(0.0f)) cover *= BandCover(glm::dot(p, s.along), s.alongFrom, s.alongTo, texelsPerUnit);
    return cover;
}

toolkit::Bounds3 BoundsOfPart(const toolkit::Surface& hull, Part part) {
    toolkit::Surface only;
    for (const toolkit::Triangle& t : hull.triangles())
        if (PartOf(t) == part) only.triangles().push_back(t);
    return only.Bounds();
}

// Every view split into plates sized in model units.
std::vector<toolkit::Rect> Panels(const ViewAtlas& atlas, std::uint32_t seed) {
    std::vector<toolkit::Rect> panels;
    for (int v = 0; v < toolkit::kViewCount; ++v) {
        const View view = static_cast<View>(v);
        const float scale = atlas.TexelsPerUnit(view);
        toolkit::PanelLayout layout{seed * 7u + static_cast<std::uint32_t>(v), kPanelMin * scale, kPanelMax * scale,
                                    kPanelCut * scale};
        const auto split = toolkit::SplitIntoPanels(atlas.Region(view), layout);
        panels.insert(panels.end(), split.begin(), split.end());
    }
    return panels;
}

// Hatches: a small plate set into some of the large ones.
std::vector<toolkit::Rect> Hatches(const std::vector<toolkit::Rect>& panels, std::uint32_t seed) {
    std::vector<toolkit::Rect> hatches;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const std::uint32_t h = toolkit::Hash(static_cast<std::uint32_t>(i) * 747796405u + seed);
        if (toolkit::HashFraction(h) > kHatchShare) continue;
        const toolkit::Rect& p = panels[i];
        const glm::vec2 size = p.max - p.min;
        if (std::min(size.x, size.y) < 14.0f) continue;
        const glm::vec2 hatch = glm::floor(size * (0.3f + 0.25f * toolkit::HashFraction(toolkit::Hash(h))));
        const glm::vec2 at = glm::floor(p.min + (size - hatch) * glm::vec2(toolkit::HashFraction(toolkit::Hash(h + 1u)),
                                                                         toolkit::HashFraction(toolkit::Hash(h + 2u))));
        hatches.push_back({glm::max(at, p.min + 3.0f), glm::min(at + hatch, p.max - 3.0f), 1.5f});
    }
    return hatches;
}

// A slightly different shade for every plate, -1..1, with a few plates
// clearly darker or lighter: replaced in service.
Field PanelTones(int size, const std::vector<toolkit::Rect>& panels, std::uint32_t seed) {
    Field tones(size, size);
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const std::uint32_t h = toolkit::Hash(static_cast<std::uint32_t>(i) * 2654435761u + seed);
        float tone = toolkit::HashFraction(h) * 2.0f - 1.0f;
        if (toolkit::HashFraction(toolkit::Hash(h)) < kOddPanelShare) tone *= 3.0f;
        const toolkit::Rect& r = panels[i];
        for (int y = std::max(0, static_cast<int>(r.min.y)); y < std::min(size, static_cast<int>(r.max.y)); ++y)
            for (int x = std::max(0, static_cast<int>(r.min.x)); x < std::min(size, static_cast<int>(r.max.x)); ++x)
                tones.At(x, y) = tone;
    }
    return tones;
}

struct Glass {
    toolkit::Bounds3 bounds;

    // Dark tinted glass, brighter where it catches the sky, with two frame
    // struts and a sill.
    glm::vec3 At(const Livery& livery, glm::vec3 p, glm::vec3 n, float texelsPerUnit) const {
        const glm::vec3 size = glm::max(bounds.max - bounds.min, glm::vec3(1e-3f));
        const float along = (p.z - bounds.min.z) / size.z;
        const float height = (p.y - bounds.min.y) / size.y;
        glm::vec3 c = livery.glass * (0.6f + 0.8f * height);
        const float sky = SmoothStep(0.4f, 0.95f, n.y) * (1.0f - 0.6f * along);
        const float band = SmoothStep(0.82f, 0.97f, std::sin(p.z * 0.11f + p.x * 0.18f));
        c += glm::vec3(0.3f, 0.4f, 0.5f) * (0.3f * sky + 0.45f * band * height);
        const float strutHalf = 1.6f / size.z;
        const float strut = std::max(BandCover(along, 0.38f - strutHalf, 0.38f + strutHalf, texelsPerUnit * size.z),
                                     BandCover(along, 0.7f - strutHalf, 0.7f + strutHalf, texelsPerUnit * size.z));
        const float sill = 1.0f - SmoothStep(0.1f, 0.1f + 1.0f / (texelsPerUnit * size.y), height);
        return glm::mix(c, livery.trim * 0.8f, std::max(strut, sill));
    }
};

// Colour of one texel painted on the views, before seams and lighting.
glm::vec3 TexelColour(const ShipDesign& design, const ViewAtlas& atlas, const SurfaceMaps& maps, const Glass& glass,
                      const SkinPatterns& patterns, const Field& tones, int x, int y) {
    const std::size_t i = maps.Index(x, y);
    const Livery& l = design.livery;
    if (maps.slot[i] < 0) return kUnpainted;
    const Part part = static_cast<Part>(maps.slot[i]);
    const View view = static_cast<View>(maps.view[i]);
    const glm::vec3 p = maps.position[i];
    const float tpu = atlas.TexelsPerUnit(view);
    switch (part) {
        case Part::Canopy: return glass.At(l, p, maps.normal[i], tpu);
        case Part::Intake: {
            const float slat = SmoothStep(0.3f, 0.7f, std::sin(p.y * 1.3f + p.x * 0.2f) * 0.5f + 0.5f);
            return glm::vec3(0.025f, 0.027f, 0.03f) + glm::vec3(0.05f) * slat;
        }
        default: break;
    }
    glm::vec3 c = part == Part::Trim ? l.trim : part == Part::Accent ? l.accent : l.hull;
    if (part == Part::Hull) {
        for (const Stripe& s : design.stripes) c = glm::mix(c, s.trim ? l.trim : l.accent, StripeCover(s, p, tpu));
    }
    const float mottle = (patterns.mottle.At(x, y) - 0.5f) * 2.0f * l.mottling;
    return c * (1.0f + mottle + 0.03f * tones.At(x, y));
}

Field PlatingMask(const SurfaceMaps& maps) {
    Field plating(maps.size, maps.size);
    for (std::size_t i = 0; i < plating.values().size(); ++i)
        plating.values()[i] = maps.slot[i] >= 0 && IsPlating(static_cast<Part>(maps.slot[i])) ? 1.0f : 0.0f;
    return plating;
}

glm::vec3 LetteringColour(const Livery& l) {
    return Luminance(l.hull) > 0.3f ? l.trim * 0.55f : glm::vec3(0.86f, 0.84f, 0.78f);
}

// Where the ship's lettering and insignia lie, as masks over the texture.
struct Markings {
    Field letters;
    Field insignia;
    Field outline;
};

Markings DrawMarkings(const ShipDesign& design, const ViewAtlas& atlas) {
    const int size = atlas.size();
    Markings m{Field(size, size), Field(size, size), Field(size, size)};
    const Lettering& l = design.lettering;
    const auto text = [&](glm::vec2 centre, float height) {
        const float width = toolkit::StencilWidth(l.text, height);
        toolkit::DrawStencil(m.letters, l.text, centre - glm::vec2(width, height) * 0.5f, height);
    };
    if (l.topHeight > 0.0f) {
        const float tpu = atlas.TexelsPerUnit(View::Top);
        text(atlas.Texel(View::Top, {l.topCentre.x, 0.0f, l.topCentre.y}), l.topHeight * tpu);
        // The insignia on the other wing: a ring round a chevron.
        const glm::vec2 c = atlas.Texel(View::Top, {-l.topCentre.x, 0.0f, l.topCentre.y});
        const float r = l.topHeight * 0.8f * tpu;
        toolkit::Fill(m.outline, toolkit::Circle{c, r * 1.12f});
        toolkit::Stroke(m.insignia, toolkit::Circle{c, r * 0.86f}, r * 0.2f);
        toolkit::Fill(m.insignia, toolkit::Polygon{{c + glm::vec2(0, -0.62f) * r, c + glm::vec2(0.55f, 0.42f) * r,
                                                    c + glm::vec2(0, 0.12f) * r, c + glm::vec2(-0.55f, 0.42f) * r}});
    }
    if (l.sideHeight > 0.0f) {
        const float tpu = atlas.TexelsPerUnit(View::Left);
        for (View side : {View::Left, View::Right})
            text(atlas.Texel(side, {0.0f, l.sideCentre.y, l.sideCentre.x}), l.sideHeight * tpu);
    }
    return m;
}

void PaintThrough(Canvas& canvas, const Field& mask, const Field& plating, glm::vec3 colour) {
    for (std::size_t i = 0; i < canvas.pixels().size(); ++i) {
        const float a = mask.values()[i] * plating.values()[i];
        if (a > 0.0f) canvas.pixels()[i] = glm::mix(canvas.pixels()[i], Colour(colour, 1.0f), a);
    }
}

}  // namespace

CleanSkin PaintCleanSkin(const ShipDesign& design, const ViewAtlas& atlas, const SurfaceMaps& maps,
                         const DetailSwatches& details, const SkinPatterns& patterns) {
    const int size = atlas.size();
    const std::vector<toolkit::Rect> panels = Panels(atlas, design.seed);
    const Field tones = PanelTones(size, panels, design.seed);
    const Glass glass{BoundsOfPart(design.hull, Part::Canopy)};

    CleanSkin skin{Canvas(size, size), PlatingMask(maps), Field()};
    skin.colour.Generate([&](int x, int y) {
        return Colour(TexelColour(design, atlas, maps, glass, patterns, tones, x, y), 1.0f);
    });

    // Lettering and insignia before the seams, so the seams cut through them.
    const Markings marks = DrawMarkings(design, atlas);
    PaintThrough(skin.colour, marks.outline, skin.plating, design.livery.trim * 0.5f);
    PaintThrough(skin.colour, marks.insignia, skin.plating, design.livery.accent);
    PaintThrough(skin.colour, marks.letters, skin.plating, LetteringColour(design.livery));

    // Seams darken the plating and give it relief in the light; hatch
    // outlines are fainter.
    Field seams = toolkit::SeamMask(size, size, panels, kSeamTexels);
    const Field hatches = toolkit::SeamMask(size, size, Hatches(panels, design.seed), kSeamTexels);
    toolkit::CombineInto(seams, hatches, [](float s, float h) { return std::max(s, 0.6f * h); });
    toolkit::CombineInto(seams, skin.plating, [](float s, float p) { return s * p; });
    const Field shadow = toolkit::Blurred(seams, 2.5f);
    Field height(size, size);
    for (std::size_t i = 0; i < height.values().size(); ++i) {
        const float seam = seams.values()[i];
        height.values()[i] = skin.plating.values()[i] * (1.0f - seam);
        skin.colour.pixels()[i] *= Colour(glm::vec3((1.0f - 0.3f * seam) * (1.0f - 0.12f * shadow.values()[i])), 1.0f);
    }
    toolkit::Light light;
    light.ambient = 0.6f;
    light.diffuse = 0.4f;
    light.specular = 0.12f;
    toolkit::BakeLighting(skin.colour, toolkit::Blurred(height, 0.6f), 1.0f, light);
    skin.seams = shadow;

    details.Paint(skin.colour, design.livery);
    return skin;
}

}  // namespace kr::makedata::ships
