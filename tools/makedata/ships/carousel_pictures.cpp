#include "ships/carousel_pictures.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include <glm/gtc/constants.hpp>

#include "ships/carousel.hpp"
#include "ships/carousel_layout.hpp"
#include "ships/ship_frame.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/panels.hpp"
#include "toolkit/shapes.hpp"

namespace kr::makedata::ships::carousel {
namespace {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::SmoothStep;

using toolkit::palette::kCrimson;
using toolkit::palette::kEmber;
const glm::vec3 kCyan{0.3f, 0.62f, 0.85f};
const glm::vec3 kTableMetal{0.15f, 0.16f, 0.18f};
const glm::vec3 kPadMetal{0.085f, 0.09f, 0.1f};
const glm::vec3 kCollarMetal{0.11f, 0.115f, 0.125f};
const glm::vec3 kDeckMetal{0.085f, 0.09f, 0.1f};
const glm::vec3 kPaleMarking{0.62f, 0.61f, 0.57f};
// The swatch corners: this many texels square at the top corners.
constexpr float kSwatchFraction = 0.11f;
constexpr float kPadApothem = kPadRadius * 0.8660254f;
// Plates round the turntable.
constexpr float kSectors = 20.0f;
// How dark the ships' shadows fall on the turntable.
constexpr float kShadowDepth = 0.65f;

// Soft-edged coverage of a band [from, to] of `value`; `soft` in value units.
float Band(float value, float from, float to, float soft) {
    return SmoothStep(from - soft, from + soft, value) * (1.0f - SmoothStep(to - soft, to + soft, value));
}

// Distance-like measure of a hexagonal pad: its apothem on every edge.
float HexReach(glm::vec2 local) {
    float reach = 0.0f;
    for (int k = 0; k < 3; ++k) {
        const float a = glm::radians(60.0f * static_cast<float>(k));
        reach = std::max(reach, std::abs(local.x * std::cos(a) + local.y * std::sin(a)));
    }
    return reach;
}

// A pad's frame on the turntable: its centre and outward radial.
struct PadFrame {
    glm::vec2 centre;
    glm::vec2 out;

    // A point in the pad's own frame: y along its outward radial.
    glm::vec2 Local(glm::vec2 p) const {
        const glm::vec2 d = p - centre;
        return {glm::dot(d, glm::vec2(-out.y, out.x)), glm::dot(d, out)};
    }
};

std::vector<PadFrame> PadFrames() {
    std::vector<PadFrame> frames;
    for (int i = 0; i < kShipCount; ++i) {
        const PadPlace pad = PadOf(i);
        const glm::vec2 centre(pad.centre.x, pad.centre.z);
        frames.push_back({centre, glm::normalize(centre)});
    }
    return frames;
}

struct TableTexel {
    glm::vec3 colour;
    float height;  // relief for the baked light
};

// Plates in rings and sectors, each a shade of its own, with seams.
TableTexel Plating(float r, float angle, float noise) {
    static const float kRings[] = {kHubRadius + 6, 180, 240, 330, 420, 494};
    int ring = 0;
    float seam = 0.0f;
    for (float edge : kRings) {
        if (r > edge) ++ring;
        seam = std::max(seam, 1.0f - SmoothStep(0.6f, 1.8f, std::abs(r - edge)));
    }
    const float sector = angle / glm::two_pi<float>() * kSectors;
    seam = std::max(seam, (1.0f - SmoothStep(0.6f, 1.8f, std::abs(sector - std::round(sector)) * glm::two_pi<float>() * r / kSectors)) *
                              (r > kHubRadius + 6 ? 1.0f : 0.0f));
    const auto id = static_cast<std::uint32_t>(ring * 97 + static_cast<int>(std::floor(sector)) + 400);
    const float tone = toolkit::HashFraction(toolkit::Hash(id)) - 0.5f;
    const float groove = 0.5f + 0.5f * std::cos(r * glm::two_pi<float>() / 7.0f);
    glm::vec3 c = kTableMetal * (1.0f + 0.12f * tone + 0.08f * noise) * (1.0f - 0.06f * groove);
    return {c * (1.0f - 0.55f * seam), 1.0f - seam};
}

// The pad: a lighter plate with a pale rim line, a landing ring and cross,
// and crimson corner marks.
void PaintPad(TableTexel& t, glm::vec2 local, float noise) {
    const float reach = HexReach(local);
    if (reach > kPadApothem + 2.0f) return;
    const float inside = 1.0f - SmoothStep(kPadApothem - 1.0f, kPadApothem + 1.0f, reach);
    glm::vec3 c = kPadMetal * (1.0f + 0.08f * noise);
    c = glm::mix(c, kPaleMarking, Band(reach, kPadApothem - 12.0f, kPadApothem - 9.0f, 0.8f) * 0.7f);
    const float corner = std::abs(std::atan2(local.x, local.y) / glm::radians(60.0f));
    const float nearCorner = 1.0f - SmoothStep(0.08f, 0.12f, std::abs(corner - std::round(corner)) * glm::radians(60.0f));
    c = glm::mix(c, kCrimson * 0.8f, Band(reach, kPadApothem - 8.0f, kPadApothem - 3.0f, 0.8f) * nearCorner);
    const float radius = glm::length(local);
    c = glm::mix(c, kPaleMarking, Band(radius, 68.0f, 73.0f, 0.8f) * 0.6f);
    const float cross = std::max(Band(local.x, -1.5f, 1.5f, 0.7f), Band(local.y, -1.5f, 1.5f, 0.7f)) * Band(radius, 20.0f, 64.0f, 1.0f);
    c = glm::mix(c, kPaleMarking, cross * 0.5f);
    const float edge = Band(reach, kPadApothem - 3.0f, kPadApothem, 0.6f);
    t.colour = glm::mix(t.colour, c * (1.0f - 0.5f * edge), inside);
    t.height = glm::mix(t.height, 1.0f - 0.6f * edge, inside);
}

// The hub's emblem: five crimson chevrons pointing at the pads round a ring.
void PaintHub(TableTexel& t, glm::vec2 p, float noise, const std::vector<PadFrame>& pads) {
    const float r = glm::length(p);
    glm::vec3 c = glm::vec3(0.12f, 0.12f, 0.135f) * (1.0f + 0.1f * noise);
    c = glm::mix(c, kCrimson * 0.9f, Band(r, 30.0f, 36.0f, 0.8f));
    c = glm::mix(c, glm::vec3(0.55f, 0.56f, 0.58f), Band(r, 80.0f, 84.0f, 0.8f));
    for (const PadFrame& pad : pads) {
        const glm::vec2 local = pad.Local(p);
        const glm::vec2 fromHub = local + glm::vec2(0.0f, kPadRing);  // the hub's centre as origin
        const float tip = 74.0f;
        const float chevron = Band(fromHub.y + 1.1f * std::abs(fromHub.x), tip - 14.0f, tip, 1.0f) *
                              Band(fromHub.y, 42.0f, tip, 1.0f);
        c = glm::mix(c, kCrimson, chevron);
    }
    t.colour = c;
    t.height = 1.0f - Band(r, 86.0f, 90.0f, 1.0f);
}

TableTexel CollarAndPit(float r, float angle, float noise) {
    if (r < kPitRadius) {
        const float grate = SmoothStep(0.2f, 0.6f, std::sin(angle * 240.0f) * 0.5f + 0.5f);
        return {glm::vec3(0.03f, 0.03f, 0.035f) + glm::vec3(0.03f) * grate, 0.2f};
    }
    glm::vec3 c = kCollarMetal * (1.0f + 0.1f * noise);
    const float along = angle * r;
    const float stripes = SmoothStep(-0.2f, 0.2f, std::sin((along + r) * glm::two_pi<float>() / 36.0f));
    const float hazard = Band(r, 578.0f, 596.0f, 0.8f);
    c = glm::mix(c, glm::mix(glm::vec3(0.03f), kEmber * 0.5f, stripes), hazard);
    return {c, 1.0f - 0.7f * Band(r, kPitRadius, kPitRadius + 6.0f, 1.0f)};
}

Colour Swatch(glm::vec3 colour, glm::vec2 at) {
    const float r = glm::length(at - 0.5f) * 2.0f;
    return Colour(glm::mix(colour, glm::vec3(1.0f), 0.35f * (1.0f - SmoothStep(0.0f, 0.8f, r))), 1.0f);
}

}  // namespace

glm::vec2 TurntableUv(glm::vec3 p) {
    return {0.5f - p.x / (2.0f * kPictureRadius), 0.5f + p.z / (2.0f * kPictureRadius)};
}

glm::vec2 GlowUv(GlowColour colour) {
    const float middle = kSwatchFraction * 0.5f;
    return {colour == GlowColour::Crimson ? middle : 1.0f - middle, middle};
}

image::Image TurntablePicture(int size, const Field& shadows) {
    // Broad noise, made at a quarter of the texels.
    const Field coarse = toolkit::FbmField(size / 4, size / 4, 12, {101, toolkit::Basis::Gradient, 4, 0.5f});
    Canvas canvas(size, size);
    Field height(size, size, 1.0f);
    const std::vector<PadFrame> pads = PadFrames();
    canvas.Generate([&](int x, int y) {
        const float n = coarse.Sample(x * 0.25f - 0.375f, y * 0.25f - 0.375f, toolkit::Edge::Clamp);
        const glm::vec2 p((0.5f - (x + 0.5f) / size) * 2.0f * kPictureRadius, ((y + 0.5f) / size - 0.5f) * 2.0f * kPictureRadius);
        const float r = glm::length(p);
        const float angle = std::atan2(p.y, p.x) + glm::pi<float>();
        TableTexel t{};
        if (r < kHubRadius - 10.0f) {
            PaintHub(t, p, n, pads);
        } else if (r <= kTableRadius) {
            t = Plating(r, angle, n);
            for (const PadFrame& pad : pads)
                if (glm::length(p - pad.centre) < kPadRadius + 4.0f) PaintPad(t, pad.Local(p), n);
        } else {
            t = CollarAndPit(r, angle, n);
        }
        height.At(x, y) = t.height;
        return Colour(t.colour * (1.0f - kShadowDepth * shadows.At(x, y)), 1.0f);
    });
    toolkit::BakeLighting(canvas, toolkit::Blurred(height, 0.8f), 1.5f);
    // Glow swatches for the light strips in the two free top corners.
    const int corner = static_cast<int>(kSwatchFraction * static_cast<float>(size));
    for (int y = 0; y < corner; ++y)
        for (int x = 0; x < corner; ++x) {
            const glm::vec2 at((x + 0.5f) / corner, (y + 0.5f) / corner);
            canvas.At(x, y) = Swatch(kCrimson, at);
            canvas.At(size - 1 - x, y) = Swatch(kCyan, at);
        }
    return toolkit::ToImage(canvas);
}

image::Image DeckPicture(int size) {
    const float s = static_cast<float>(size);
    const std::vector<toolkit::Rect> panels =
        toolkit::SplitIntoPanels({{0, 0}, {s, s}}, {131, s * 0.12f, s * 0.4f, s * 0.02f});
    const Field seams = toolkit::SeamMask(size, size, panels, 1.6f, toolkit::Edge::Wrap);
    const Field rivets = toolkit::RivetHeight(size, size, panels, {s * 0.035f, s * 0.018f, 1.4f});
    const Field grime = toolkit::FbmField(size, size, 4, {137, toolkit::Basis::Gradient, 5, 0.55f});
    const Field fine = toolkit::FbmField(size, size, 32, {139, toolkit::Basis::Value, 3, 0.5f});
    Field tones(size, size);
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const float tone = toolkit::HashFraction(toolkit::Hash(static_cast<std::uint32_t>(i) + 977u)) - 0.5f;
        const toolkit::Rect& r = panels[i];
        for (int y = static_cast<int>(r.min.y); y < static_cast<int>(r.max.y); ++y)
            for (int x = static_cast<int>(r.min.x); x < static_cast<int>(r.max.x); ++x) tones.At(x, y) = tone;
    }
    Canvas canvas(size, size);
    Field height(size, size);
    canvas.Generate([&](int x, int y) {
        const float seam = seams.At(x, y);
        const float dirt = SmoothStep(0.0f, 0.8f, grime.At(x, y));
        glm::vec3 c = kDeckMetal * (1.0f + 0.18f * tones.At(x, y) + 0.1f * fine.At(x, y)) * (1.0f - 0.3f * dirt);
        c *= 1.0f - 0.6f * seam;
        height.At(x, y) = 1.0f - seam + 0.6f * rivets.At(x, y);
        return Colour(c, 1.0f);
    });
    toolkit::BakeLighting(canvas, height, 1.5f, {}, toolkit::Edge::Wrap);
    return toolkit::ToImage(canvas);
}

}  // namespace kr::makedata::ships::carousel
