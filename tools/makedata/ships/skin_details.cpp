#include "ships/skin_details.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/error.hpp"
#include "toolkit/gradients.hpp"

namespace kr::makedata::ships {
namespace {

using toolkit::Colour;
using toolkit::SmoothStep;

// Swatch places as fractions of the detail region: x0, y0, x1, y1.
constexpr float kLayout[7][4] = {
    {0.00f, 0.00f, 0.37f, 0.50f},  // metal ball
    {0.40f, 0.00f, 0.58f, 0.25f},  // port lamp
    {0.60f, 0.00f, 0.78f, 0.25f},  // starboard lamp
    {0.80f, 0.00f, 0.98f, 0.25f},  // marker lamp
    {0.40f, 0.30f, 0.98f, 0.40f},  // bell outside
    {0.40f, 0.44f, 0.98f, 0.54f},  // bell inside
    {0.00f, 0.58f, 0.98f, 0.68f},  // engine core
};
// Looked-up points keep this many texels from a swatch's edge.
constexpr float kInset = 3.0f;

const glm::vec3 kPortLamp{1.0f, 0.16f, 0.1f};
const glm::vec3 kStarboardLamp{0.25f, 1.0f, 0.45f};

Colour Opaque(glm::vec3 c) { return Colour(glm::clamp(c, 0.0f, 1.0f), 1.0f); }

// A ball lit from above and a little in front.
float BallLight(glm::vec2 d, float& highlight) {
    const float r2 = std::min(glm::dot(d, d), 1.0f);
    const glm::vec3 n(d.x, -d.y, std::sqrt(1.0f - r2));
    const glm::vec3 light = glm::normalize(glm::vec3(-0.2f, 0.8f, 0.55f));
    const float diffuse = std::max(glm::dot(n, light), 0.0f);
    const glm::vec3 reflected = glm::reflect(-light, n);
    highlight = std::pow(std::max(reflected.z, 0.0f), 24.0f);
    return diffuse;
}

template <class Fn>
void Fill(toolkit::Canvas& canvas, const toolkit::Rect& rect, Fn colour) {
    const int x0 = static_cast<int>(rect.min.x), y0 = static_cast<int>(rect.min.y);
    const int x1 = std::min(canvas.width(), static_cast<int>(rect.max.x));
    const int y1 = std::min(canvas.height(), static_cast<int>(rect.max.y));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const glm::vec2 at((x + 0.5f - rect.min.x) / (rect.max.x - rect.min.x),
                               (y + 0.5f - rect.min.y) / (rect.max.y - rect.min.y));
            canvas.At(x, y) = colour(at);
        }
}

}  // namespace

DetailSwatches::DetailSwatches(const toolkit::Rect& region, int textureSize, std::vector<NozzleSpec> nozzles)
    : textureSize_(textureSize), nozzles_(std::move(nozzles)) {
    const glm::vec2 size = region.max - region.min;
    for (std::size_t i = 0; i < rects_.size(); ++i) {
        rects_[i] = {glm::floor(region.min + size * glm::vec2(kLayout[i][0], kLayout[i][1])),
                     glm::floor(region.min + size * glm::vec2(kLayout[i][2], kLayout[i][3]))};
    }
}

glm::vec2 DetailSwatches::Uv(Swatch swatch, glm::vec2 at) const {
    const toolkit::Rect& r = Rect(swatch);
    const glm::vec2 lo = r.min + kInset, hi = r.max - kInset;
    return (lo + (hi - lo) * glm::clamp(at, 0.0f, 1.0f)) / static_cast<float>(textureSize_);
}

glm::vec2 DetailSwatches::BallUv(Swatch swatch, glm::vec3 normal) const {
    return Uv(swatch, glm::vec2(0.5f) + 0.5f * glm::vec2(normal.x, -normal.y));
}

const NozzleSpec& DetailSwatches::NearestNozzle(glm::vec3 point) const {
    if (nozzles_.empty()) throw Error("ship skin: an engine part but no engine");
    const NozzleSpec* best = &nozzles_.front();
    float bestDistance = std::numeric_limits<float>::max();
    for (const NozzleSpec& n : nozzles_) {
        const float d = glm::length(point - n.exit);
        if (d < bestDistance) {
            bestDistance = d;
            best = &n;
        }
    }
    return *best;
}

// Outside, u runs from the buried front of the bell to its lip; inside, from
// the lip down into the cup.
glm::vec2 DetailSwatches::BellUv(const model::Vertex& v) const {
    const NozzleSpec& n = NearestNozzle(v.position);
    const glm::vec2 radial = glm::vec2(v.position - n.exit) / n.stretch;
    const bool inside = glm::dot(glm::vec2(v.normal), radial) < 0.0f && v.normal.z < 0.7f;
    if (inside) return Uv(BellInside, {(n.exit.z - v.position.z) / n.depth, 0.5f});
    return Uv(BellOutside, {(v.position.z - (n.exit.z - n.length)) / n.length, 0.5f});
}

// From the core's centre (white hot) out to the rim of the cup.
glm::vec2 DetailSwatches::CoreUv(const model::Vertex& v) const {
    const NozzleSpec& n = NearestNozzle(v.position);
    const float r = glm::length(glm::vec2(v.position - n.exit) / n.stretch) / (0.64f * n.radius);
    return Uv(Core, {r, 0.5f});
}

void DetailSwatches::Apply(Part part, model::Primitive& primitive) const {
    for (model::Vertex& v : primitive.vertices) {
        switch (part) {
            case Part::Gun: v.uv = BallUv(Metal, v.normal); break;
            case Part::Lamp: {
                const Swatch lamp = v.position.x > kWingTipLampX    ? PortLamp
                                    : v.position.x < -kWingTipLampX ? StarboardLamp
                                                                    : MarkerLamp;
                v.uv = BallUv(lamp, v.normal);
                break;
            }
            case Part::Nozzle: v.uv = BellUv(v); break;
            case Part::Glow: v.uv = CoreUv(v); break;
            default: throw Error("ship skin: part " + std::to_string(Slot(part)) + " has no swatch");
        }
    }
}

void DetailSwatches::Paint(toolkit::Canvas& canvas, const Livery& livery) const {
    const auto ball = [](glm::vec3 base, float shine) {
        return [base, shine](glm::vec2 at) {
            float highlight = 0.0f;
            const glm::vec2 d = at * 2.0f - 1.0f;
            const float diffuse = BallLight(d, highlight);
            return Opaque(base * (0.45f + 0.75f * diffuse) + glm::vec3(shine * highlight));
        };
    };
    Fill(canvas, Rect(Metal), ball({0.2f, 0.21f, 0.23f}, 0.5f));
    const auto lamp = [](glm::vec3 colour) {
        return [colour](glm::vec2 at) {
            const float r = glm::length(at * 2.0f - 1.0f);
            return Opaque(glm::mix(colour, glm::vec3(1.0f), 0.6f * (1.0f - SmoothStep(0.0f, 0.6f, r))));
        };
    };
    Fill(canvas, Rect(PortLamp), lamp(kPortLamp));
    Fill(canvas, Rect(StarboardLamp), lamp(kStarboardLamp));
    Fill(canvas, Rect(MarkerLamp), lamp(livery.marker));
    // Heat tint: bare steel where the bell is buried, bronze, then the
    // blue-violet of metal that has run hot, with cooling rings.
    const toolkit::ColourRamp tint{{0.0f, {0.34f, 0.35f, 0.37f, 1}},
                                   {0.45f, {0.42f, 0.36f, 0.26f, 1}},
                                   {0.75f, {0.36f, 0.26f, 0.36f, 1}},
                                   {1.0f, {0.24f, 0.3f, 0.46f, 1}}};
    Fill(canvas, Rect(BellOutside), [&](glm::vec2 at) {
        const float ring = SmoothStep(0.75f, 0.95f, std::abs(std::sin(at.x * 3.14159f * 7.0f)));
        return Opaque(glm::vec3(tint.At(at.x)) * (1.0f - 0.35f * ring));
    });
    Fill(canvas, Rect(BellInside), [&](glm::vec2 at) {
        const float heat = SmoothStep(0.3f, 1.0f, at.x);
        return Opaque(glm::mix(glm::vec3(0.1f, 0.1f, 0.12f), livery.flame * 0.75f, heat));
    });
    Fill(canvas, Rect(Core), [&](glm::vec2 at) {
        const float hot = 1.0f - SmoothStep(0.0f, 0.55f, at.x);
        return Opaque(glm::mix(livery.flame * (1.0f - 0.3f * at.x), glm::vec3(1.0f), 0.85f * hot));
    });
}

}  // namespace kr::makedata::ships
