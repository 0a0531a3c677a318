// The floor of the well under the menu camera: rings of plates around the
// launch iris, hazard stripes on its rim, landing marks, floor lamps and the
// soot of launches, seen from straight above while the hangar turns.

#include <algorithm>
#include <array>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "menu_scene/hangar_textures.hpp"
#include "menu_scene/menu_layout.hpp"
#include "menu_scene/paint.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"

namespace kr::makedata::menu_scene {

namespace {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::SmoothStep;

constexpr float kPi = glm::pi<float>();
constexpr float kTwoPi = glm::two_pi<float>();

// Radii of the floor's rings, world units.
constexpr float kIrisRim = 34.0f;
constexpr float kRingA = 44.0f;
constexpr float kRingB = 76.0f;
constexpr float kRingC = 114.0f;
constexpr float kLandingCircle = 96.0f;
constexpr float kLampRadius = 60.0f;
constexpr float kWallStrip = 146.0f;

constexpr glm::vec3 kSteel{0.40f, 0.42f, 0.46f};
constexpr glm::vec3 kSteelDark{0.24f, 0.26f, 0.30f};
constexpr glm::vec3 kBareSteel{0.66f, 0.68f, 0.71f};
constexpr glm::vec3 kCrimson{0.78f, 0.13f, 0.10f};
constexpr glm::vec3 kPaintWhite{0.80f, 0.81f, 0.82f};
constexpr glm::vec3 kSoot{0.05f, 0.045f, 0.05f};

struct Polar {
    float r = 0.0f;      // world units from the axis
    float angle = 0.0f;  // radians, 0 along +u
};

struct PlateCell {
    int ring = 0;
    int sector = 0;
    float seam = 0.0f;  // world units to the nearest seam
};

// The plate a point lies on and how far the nearest seam is.
PlateCell PlateAt(Polar p) {
    static constexpr std::array<float, 4> kBounds{kIrisRim, kRingA, kRingB, kRingC};
    static constexpr std::array<int, 4> kSectors{16, 12, 24, 32};
    static constexpr std::array<float, 4> kTwist{0.0f, 0.0f, 0.5f, 0.25f};
    int ring = 0;
    while (ring + 1 < static_cast<int>(kBounds.size()) && p.r >= kBounds[ring + 1]) ++ring;
    float ringSeam = 1e9f;
    for (float b : kBounds) ringSeam = std::min(ringSeam, std::abs(p.r - b));
    const float step = kTwoPi / static_cast<float>(kSectors[ring]);
    const float t = p.angle / step + kTwist[ring];
    const float nearest = std::round(t);
    const float sectorSeam = std::abs(t - nearest) * step * p.r;
    int sector = static_cast<int>(std::floor(t)) % kSectors[ring];
    if (sector < 0) sector += kSectors[ring];
    return {ring, sector, std::min(ringSeam, ring == 0 ? 1e9f : sectorSeam)};
}

float RivetDome(Polar p) {
    static constexpr std::array<float, 3> kBounds{kRingA, kRingB, kRingC};
    float dome = 0.0f;
    for (float b : kBounds) {
        for (float side : {-1.8f, 1.8f}) {
            const float radial = p.r - (b + side);
            if (std::abs(radial) > 0.9f) continue;
            const float spacing = 5.0f / (b + side);
            const float along = (p.angle / spacing - std::round(p.angle / spacing)) * spacing * (b + side);
            const float d = std::sqrt(radial * radial + along * along);
            dome = std::max(dome, SmoothStep(0.7f, 0.2f, d));
        }
    }
    return dome;
}

// Diagonal crimson and black stripes around the iris rim.
float HazardStripe(Polar p) {
    const float t = (p.angle * 39.0f + (p.r - kIrisRim) * 1.1f) / 6.0f;
    const float f = t - std::floor(t);
    return SmoothStep(0.47f, 0.5f, f) * (1.0f - SmoothStep(0.97f, 1.0f, f)) + (1.0f - SmoothStep(0.0f, 0.03f, f));
}

// Chevrons pointing in towards the iris, along four lanes.
float Chevrons(Polar p) {
    float paint = 0.0f;
    for (int lane = 0; lane < 4; ++lane) {
        float d = p.angle - (lane * 0.5f * kPi + 0.12f);
        d -= kTwoPi * std::round(d / kTwoPi);
        const float across = d * p.r;
        if (std::abs(across) > 8.0f || p.r < kRingB + 5.0f || p.r > kRingC - 5.0f) continue;
        const float t = (p.r - std::abs(across) * 0.8f) / 9.0f;
        const float f = t - std::floor(t);
        const float edge = SmoothStep(8.0f, 7.2f, std::abs(across));
        paint = std::max(paint, edge * SmoothStep(0.0f, 0.04f, f) * (1.0f - SmoothStep(0.42f, 0.46f, f)));
    }
    return paint;
}

float LandingCircle(Polar p) {
    const float line = 1.0f - SmoothStep(1.0f, 1.4f, std::abs(p.r - kLandingCircle));
    // Gaps where the chevron lanes cross it.
    float gap = 1.0f;
    for (int lane = 0; lane < 4; ++lane) {
        float d = p.angle - (lane * 0.5f * kPi + 0.12f);
        d -= kTwoPi * std::round(d / kTwoPi);
        gap = std::min(gap, SmoothStep(9.5f, 11.0f, std::abs(d * p.r)));
    }
    return line * gap;
}

// Floor lamps around ring A: a lens, and the light it throws on the floor.
struct LampLight {
    float lens = 0.0f;
    float halo = 0.0f;
    bool red = false;
};

LampLight LampAt(Polar p) {
    constexpr int kLamps = 12;
    const float step = kTwoPi / kLamps;
    const float t = p.angle / step - 0.5f;
    const int index = static_cast<int>(std::lround(t));
    const float along = (t - std::round(t)) * step * p.r;
    const float radial = p.r - kLampRadius;
    const float box = std::max(std::abs(along) - 3.5f, std::abs(radial) - 1.2f);
    LampLight light;
    light.lens = SmoothStep(0.4f, -0.15f, box);
    const float d = std::sqrt(along * along * 0.35f + radial * radial);
    light.halo = std::exp(-d * d / 30.0f) * 0.6f;
    light.red = ((index % 2) + 2) % 2 == 1;
    return light;
}

float WallStrip(Polar p) {
    const float radial = std::abs(p.r - kWallStrip);
    const float t = p.angle / (kTwoPi / 48.0f);
    const float f = t - std::floor(t);
    return SmoothStep(1.6f, 1.1f, radial) * SmoothStep(0.08f, 0.14f, f) * (1.0f - SmoothStep(0.86f, 0.92f, f));
}

// Soot blown out from the iris by launches, streaked along the radius.
float Soot(Polar p, float streak) {
    const float fall = std::exp(-(p.r - kIrisRim) / 24.0f);
    return std::clamp(fall * (0.8f + 0.8f * streak), 0.0f, 0.92f);
}

struct Stain {
    glm::vec2 centre;
    float radius;
};

// Oil spills: blotches whose edges the grime noise frays.
float Stains(glm::vec2 w, float wobble) {
    static const std::array<Stain, 7> kStains{{{{78, -36}, 7}, {{-54, 90}, 9}, {{-102, -24}, 5},
                                               {{20, -128}, 6}, {{120, 54}, 8}, {{-24, -105}, 4}, {{-88, 70}, 3}}};
    float stain = 0.0f;
    for (const Stain& s : kStains) {
        const glm::vec2 d = w - s.centre;
        if (std::abs(d.x) > s.radius * 2.5f || std::abs(d.y) > s.radius * 2.5f) continue;
        const float r = glm::length(d * glm::vec2(1.0f, 1.4f)) / s.radius + wobble * 0.9f;
        stain = std::max(stain, SmoothStep(1.0f, 0.55f, r));
    }
    return stain;
}

// Tyre marks of tugs: arcs across the outer rings.
float SkidMarks(glm::vec2 w) {
    struct Arc {
        glm::vec2 centre;
        float radius;
    };
    static const std::array<Arc, 4> kArcs{{{{40, 180}, 120}, {{-170, 20}, 105}, {{150, -120}, 90}, {{-60, -190}, 110}}};
    float mark = 0.0f;
    for (const Arc& a : kArcs) {
        const float d = std::abs(glm::length(w - a.centre) - a.radius);
        for (float lane : {0.0f, 5.5f}) mark = std::max(mark, SmoothStep(1.1f, 0.4f, std::abs(d - lane)));
    }
    return mark;
}

// Chequer of raised lozenges: tread plate.
float TreadPlate(glm::vec2 w) {
    const glm::vec2 cell = w / 2.2f;
    const glm::vec2 f = cell - glm::floor(cell) - 0.5f;
    const bool turn = (static_cast<int>(std::floor(cell.x)) + static_cast<int>(std::floor(cell.y))) % 2 == 0;
    const float lozenge = turn ? std::abs(f.x + f.y) * 0.9f + std::abs(f.x - f.y) * 0.25f
                               : std::abs(f.x - f.y) * 0.9f + std::abs(f.x + f.y) * 0.25f;
    return SmoothStep(0.42f, 0.3f, lozenge);
}

// A dashed crimson line along the outer ring's inner border.
float KeepClearLine(Polar p) {
    const float radial = std::abs(p.r - (kRingC + 2.2f));
    if (radial > 1.6f) return 0.0f;
    const float t = p.angle * (kRingC + 2.2f) / 7.0f;
    const float f = t - std::floor(t);
    return SmoothStep(1.4f, 1.0f, radial) * SmoothStep(0.0f, 0.05f, f) * (1.0f - SmoothStep(0.6f, 0.65f, f));
}

// Stencilled bay numbers in ring C, set along the radius.
Field BayNumbers(float texelsPerUnit) {
    Field mask(kFloorSize, kFloorSize);
    static constexpr const char* kNumbers[4] = {"01", "02", "03", "04"};
    // Clear of the lanes and of what stands on the floor.
    static constexpr float kDegrees[4] = {75.0f, 135.0f, 228.0f, 350.0f};
    for (int k = 0; k < 4; ++k) {
        const float angle = glm::radians(kDegrees[k]);
        const float r = 131.0f * texelsPerUnit;
        const Field text = paint::StencilText(kNumbers[k], 13.0f * texelsPerUnit);
        const glm::vec2 centre(kFloorSize * 0.5f + std::cos(angle) * r, kFloorSize * 0.5f - std::sin(angle) * r);
        paint::StampTurned(mask, text, centre, 0.5f * kPi - angle);
    }
    return mask;
}

}  // namespace

namespace {

// The half-resolution noise fields, read bilinearly.
float Smooth(const Field& field, int x, int y) {
    return field.Sample((x + 0.5f) * 0.5f, (y + 0.5f) * 0.5f, toolkit::Edge::Clamp);
}

struct FloorTexel {
    glm::vec3 colour{0.0f};
    float height = 0.0f;
};

FloorTexel PaintTexel(glm::vec2 w, Polar p, float g, float scratch, float number) {
    const PlateCell cell = PlateAt(p);
    // Plates: a tone each, grime, bare steel scuffed along the seams.
    const float tone = 0.76f + 0.34f * paint::Random(7, cell.ring * 64 + cell.sector);
    glm::vec3 c = paint::Mix(kSteelDark, kSteel, std::clamp(0.55f + 0.7f * g, 0.0f, 1.0f)) * tone;
    const float scuff = SmoothStep(2.5f, 0.6f, cell.seam) * SmoothStep(0.1f, 0.5f, scratch);
    c = paint::Over(c, kBareSteel, scuff * 0.45f);
    c *= 0.35f + 0.65f * SmoothStep(0.05f, 0.5f, cell.seam);  // the seam's groove
    float h = SmoothStep(0.1f, 0.9f, cell.seam);
    if (cell.ring == 0) {
        c = paint::Over(kSteelDark * 0.7f, kCrimson, HazardStripe(p) * (0.65f + 0.3f * SmoothStep(-0.4f, 0.3f, g)));
        h = 1.25f * SmoothStep(0.1f, 1.4f, std::min(p.r - kIrisRim, kRingA - p.r));
    } else if (cell.ring == 1 && cell.seam > 1.2f) {
        const float tread = TreadPlate(w);
        h += 0.35f * tread;
        c *= 0.8f + 0.3f * tread;
    }
    // Grilles in every third plate of the outer ring.
    if (cell.ring == 3 && cell.sector % 3 == 1 && cell.seam > 3.5f) {
        const float slots = SmoothStep(0.45f, 0.6f, std::sin(p.angle * p.r * 1.6f) * 0.5f + 0.5f);
        const float inside = SmoothStep(3.5f, 4.3f, cell.seam);
        c = paint::Over(c, glm::vec3(0.05f, 0.05f, 0.06f), inside * slots);
        h -= inside * 0.6f * slots;
    }
    const float paintWear = SmoothStep(-0.35f, 0.15f, scratch + g * 0.5f);
    if (p.r > kRingB && p.r < kRingC) c = paint::Over(c, kCrimson * 0.92f, Chevrons(p) * paintWear);
    if (std::abs(p.r - kLandingCircle) < 2.0f) c = paint::Over(c, kPaintWhite, LandingCircle(p) * paintWear * 0.85f);
    c = paint::Over(c, kCrimson * 0.9f, KeepClearLine(p) * paintWear);
    c = paint::Over(c, kPaintWhite * 0.9f, number * (0.45f + 0.5f * paintWear));
    c = paint::Over(c, glm::vec3(0.02f, 0.018f, 0.02f), SkidMarks(w) * 0.35f * SmoothStep(-0.5f, 0.3f, g));
    const float stain = Stains(w, g);
    c = paint::Over(c, glm::vec3(0.05f, 0.045f, 0.04f), stain * 0.6f);
    c += glm::vec3(0.05f, 0.06f, 0.09f) * stain * (1.0f - stain) * 2.0f;  // the oil's sheen at its rim
    if (p.r < 110.0f) {
        const float streak = toolkit::ValueNoise({p.angle * 18.0f, p.r * 0.02f}, 9) * 0.7f +
                             toolkit::ValueNoise({p.angle * 55.0f, 0.0f}, 10) * 0.3f;
        c = paint::Over(c, kSoot, Soot(p, streak));
    }
    if (p.r > kRingA - 1.5f && p.r < kRingC + 1.5f) h += RivetDome(p) * 0.8f;
    if (std::abs(p.r - kLampRadius) < 3.0f) h += LampAt(p).lens * 0.6f;
    return {c, h};
}

// What light the floor gives off itself: its lamps and the strip by the
// wall, painted after the relief so that they are not shaded.
glm::vec3 AddLights(glm::vec3 c, Polar p) {
    if (std::abs(p.r - kLampRadius) < 12.0f) {
        const LampLight lamp = LampAt(p);
        const glm::vec3 lampColour = lamp.red ? glm::vec3(1.0f, 0.32f, 0.26f) : glm::vec3(0.85f, 0.93f, 1.0f);
        c += lampColour * lamp.halo * 0.55f;
        c = paint::Over(c, lamp.red ? glm::vec3(1.0f, 0.55f, 0.45f) : glm::vec3(1.0f), lamp.lens);
    }
    if (std::abs(p.r - kWallStrip) < 10.0f) {
        c += glm::vec3(1.0f, 0.25f, 0.18f) * std::exp(-std::pow(p.r - kWallStrip, 2.0f) / 14.0f) * 0.25f;
        c = paint::Over(c, glm::vec3(1.0f, 0.45f, 0.38f), WallStrip(p));
    }
    return glm::clamp(c, 0.0f, 1.0f);
}

}  // namespace

image::Image FloorPicture() {
    const float texelsPerUnit = kFloorSize / (2.0f * kPitRadius);
    const int half = kFloorSize / 2;
    const Field grime = toolkit::FbmField(half, half, 6, {101, toolkit::Basis::Gradient, 5, 0.55f});
    const Field wear = toolkit::FbmField(half, half, 24, {102, toolkit::Basis::Value, 3, 0.5f});
    const Field numbers = BayNumbers(texelsPerUnit);

    // Rows run against z, so that the picture reads the right way round
    // from above.
    const auto worldAt = [&](int x, int y) {
        return glm::vec2((x + 0.5f) / texelsPerUnit - kPitRadius, kPitRadius - (y + 0.5f) / texelsPerUnit);
    };
    Canvas canvas(kFloorSize, kFloorSize, paint::Opaque(kSteelDark));
    Field height(kFloorSize, kFloorSize);
    for (int y = 0; y < kFloorSize; ++y) {
        for (int x = 0; x < kFloorSize; ++x) {
            const glm::vec2 w = worldAt(x, y);
            const Polar p{glm::length(w), std::atan2(w.y, w.x)};
            if (p.r > kPitRadius + 2.0f || p.r < kIrisRim - 2.0f) continue;  // under the wall, or the open iris
            const FloorTexel t = PaintTexel(w, p, Smooth(grime, x, y), Smooth(wear, x, y), numbers.At(x, y));
            canvas.At(x, y) = paint::Opaque(t.colour);
            height.At(x, y) = t.height;
        }
    }
    toolkit::Light light;
    light.ambient = 0.62f;
    light.diffuse = 0.38f;
    light.specular = 0.12f;
    toolkit::BakeLighting(canvas, height, 3.0f, light);
    for (int y = 0; y < kFloorSize; ++y) {
        for (int x = 0; x < kFloorSize; ++x) {
            const glm::vec2 w = worldAt(x, y);
            const Polar p{glm::length(w), std::atan2(w.y, w.x)};
            if (std::abs(p.r - kLampRadius) < 12.0f || std::abs(p.r - kWallStrip) < 10.0f)
                canvas.At(x, y) = paint::Opaque(AddLights(glm::vec3(canvas.At(x, y)), p));
        }
    }
    return toolkit::ToImage(canvas);
}

}  // namespace kr::makedata::menu_scene
