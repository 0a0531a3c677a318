#include "arsenal/hud_bars.hpp"

#include <algorithm>
#include <cmath>

#include "menu_pictures/art.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/glass_panel.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/resample.hpp"

namespace kr::makedata::arsenal {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;
using toolkit::SmoothStep;
namespace palette = toolkit::palette;

constexpr int kHeatWidth = 128, kHeatHeight = 16;
constexpr int kGaugeWidth = 64, kGaugeHeight = 256;
// The bars fill the middle of the track, clear of its frame.
constexpr float kBarInset = 13.0f;

// 0 at the middle row, 1 at the top and bottom edges.
float FromMiddle(int y, int height) { return std::fabs((y + 0.5f) / height * 2.0f - 1.0f); }

// The heat bar's track: a recessed channel with a lit rim and a tick every
// tenth. The game shades it dark towards three corners.
Canvas HeatTrack() {
    Canvas canvas(kHeatWidth, kHeatHeight);
    canvas.Generate([](int x, int y) {
        const float m = FromMiddle(y, kHeatHeight);
        vec3 c = glm::mix(palette::kDeep * 2.0f, palette::kMetalDark * 0.5f, SmoothStep(0.55f, 0.8f, m));
        if (m > 0.8f) c = glm::mix(palette::kMetalLight, palette::kMetalDark, y < kHeatHeight / 2 ? 0.0f : 0.6f);
        const float tick = std::fabs(std::fmod(x + 0.5f, kHeatWidth / 10.0f) - kHeatWidth / 20.0f);
        if (tick > kHeatWidth / 20.0f - 1.0f && m < 0.8f) c = glm::mix(c, palette::kMetalLight * 0.6f, 0.8f);
        return Colour(c, 1.0f);
    });
    return canvas;
}

// The heat itself: a molten core, crimson at the edges, drawn as long as
// the heat is high, so it looks the same however far it is stretched.
Canvas HeatFill() {
    const toolkit::Fractal shimmer{17, toolkit::Basis::Value, 3, 0.5f};
    Canvas canvas(kHeatWidth, kHeatHeight);
    canvas.Generate([&](int x, int y) {
        const float m = FromMiddle(y, kHeatHeight);
        const float core = std::exp(-m * m * 4.0f);
        const float n = toolkit::Fbm(shimmer, vec2(x * 0.08f, y * 0.4f)) * 0.1f;
        const vec3 c = glm::mix(palette::kCrimson * 0.7f, vec3(1.0f, 0.82f, 0.5f), core) * (1.0f + n);
        return Colour(glm::clamp(c, 0.0f, 1.0f), 1.0f);
    });
    return canvas;
}

// The life and armour bars' track: a slim glass panel with a scale on it.
Canvas GaugeTrack() {
    toolkit::GlassPanelStyle style;
    style.cut = 8.0f;
    style.frame = 5.0f;
    style.glassAlpha = 0.6f;
    style.edgeGlow = 0.8f;
    style.studs = false;
    // Made at the proportions it is drawn at (32 x 108), then fitted.
    Canvas panel = toolkit::RenderGlassPanel(kGaugeWidth, 216, style);
    Field ticks(kGaugeWidth, 216);
    for (int i = 1; i < 10; ++i) {
        const float y = 216.0f - 20.0f * i - 8.0f;
        const float length = i % 5 == 0 ? 10.0f : 6.0f;
        toolkit::Fill(ticks, toolkit::Segment{{6.0f, y}, {6.0f + length, y}, 1.4f});
        toolkit::Fill(ticks, toolkit::Segment{{kGaugeWidth - 6.0f - length, y}, {kGaugeWidth - 6.0f, y}, 1.4f});
    }
    toolkit::Paint(panel, ticks, Colour(palette::kMetalLight, 0.7f));
    return toolkit::Resampled(panel, kGaugeWidth, kGaugeHeight);
}

// A bar of glowing liquid in a glass tube: lit from the left, a bright
// highlight down its length, stretched by the game to the value shown.
Canvas GaugeFill(vec3 colour) {
    Canvas canvas(kGaugeWidth, kGaugeHeight);
    canvas.Generate([&](int x, int y) {
        const float across = ((x + 0.5f) - kBarInset) / (kGaugeWidth - 2.0f * kBarInset);
        if (across <= 0.0f || across >= 1.0f) return Colour(colour, 0.0f);
        const float round = std::sqrt(std::max(0.0f, 1.0f - std::pow(across * 2.0f - 1.0f, 2.0f)));
        const float highlight = std::exp(-std::pow((across - 0.3f) / 0.08f, 2.0f));
        const float bands = 0.92f + 0.08f * std::cos((y + 0.5f) * 0.35f);
        const vec3 c = colour * (0.45f + 0.6f * round) * bands + vec3(highlight * 0.55f);
        const float edge = SmoothStep(0.0f, 0.08f, across) * SmoothStep(1.0f, 0.92f, across);
        return Colour(glm::clamp(c, 0.0f, 1.0f), 0.92f * edge);
    });
    return canvas;
}

std::vector<vec2> ShieldOutline(vec2 c, float w, float h) {
    return {c + vec2(0, -h * 0.5f),   c + vec2(w * 0.5f, -h * 0.32f), c + vec2(w * 0.46f, h * 0.1f),
            c + vec2(0, h * 0.5f),    c + vec2(-w * 0.46f, h * 0.1f), c + vec2(-w * 0.5f, -h * 0.32f)};
}

// Life: a green cross on a steel disc.
void LifeIcon(menu::Emblem& e, const menu::Sketch& s) {
    s.Disc(e.body, {32, 32}, 27);
    s.Disc(e.body, {32, 32}, 21, toolkit::Combine::Subtract);
    s.Box(e.accent, {26, 12}, {38, 52}, 3);
    s.Box(e.accent, {12, 26}, {52, 38}, 3);
    s.Line(e.detail, {32, 17}, {32, 47}, 1.0f);
    e.accentColour = palette::kHealth;
}

// Armour: a blue shield in a steel shield.
void ArmourIcon(menu::Emblem& e, const menu::Sketch& s) {
    s.Poly(e.body, ShieldOutline({32, 33}, 52, 58));
    s.Poly(e.body, ShieldOutline({32, 33.5f}, 40, 45), toolkit::Combine::Subtract);
    s.Poly(e.accent, ShieldOutline({32, 34}, 30, 34));
    s.Line(e.detail, {32, 20}, {32, 48}, 1.2f);
    e.accentColour = palette::kEngine;
}

image::Image Opaque(const Canvas& canvas) {
    image::Image picture = toolkit::ToImage(canvas);
    for (std::size_t i = 3; i < picture.rgba.size(); i += 4) picture.rgba[i] = 255;
    return picture;
}

}  // namespace

std::vector<HudPicture> HudGaugePictures() {
    return {
        {"graphics\\lasertlo.bmp", Opaque(HeatTrack()), HudFormat::Bmp24},
        {"graphics\\laser.bmp", Opaque(HeatFill()), HudFormat::Bmp24},
        {"graphics\\pas_tlo.dds", toolkit::ToImage(GaugeTrack()), HudFormat::Dds},
        {"graphics\\pas_life.dds", toolkit::ToImage(GaugeFill(palette::kHealth)), HudFormat::Dds},
        {"graphics\\pas_armo.dds", toolkit::ToImage(GaugeFill(palette::kEngine)), HudFormat::Dds},
        {"graphics\\ico_life.dds", menu::Finish(menu::DrawEmblem(LifeIcon, 64)), HudFormat::Dds},
        {"graphics\\ico_shield.dds", menu::Finish(menu::DrawEmblem(ArmourIcon, 64)), HudFormat::Dds},
    };
}

}  // namespace kr::makedata::arsenal
