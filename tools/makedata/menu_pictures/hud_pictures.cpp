// The mission HUD's pictures that the menus load: the mission-time bar
// (drawn 64 x 512 at the right edge, its right 14 pixels off screen), the
// radar scope, and the weapon-bar cell frames.

#include <algorithm>
#include <cmath>

#include "menu_pictures/picture_groups.hpp"
#include "toolkit/decals.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/glass_panel.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/noise.hpp"
#include "toolkit/resample.hpp"

namespace kr::makedata::menu {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Rect;
using toolkit::Segment;
using toolkit::SmoothStep;

// The time bar's channel, in the 64 x 512 texture (x 0..50 is on screen).
constexpr float kChannelLeft = 13.0f, kChannelRight = 37.0f;
constexpr float kChannelTop = 3.0f, kChannelBottom = 509.0f;

Canvas TimeBackground() {
    Canvas canvas(64, 512);
    Field channel(64, 512);
    toolkit::Fill(channel, Rect{{kChannelLeft, kChannelTop}, {kChannelRight, kChannelBottom}, 4.0f});
    Canvas glass(64, 512);
    glass.Generate([](int x, int) {
        const float across = std::fabs((x + 0.5f) - (kChannelLeft + kChannelRight) * 0.5f) / 12.0f;
        return Colour(palette::kDeep * (1.4f - 0.6f * across), 0.7f);
    });
    toolkit::Composite(canvas, glass, channel);
    // A scale on the left: every 5 % of the mission (25 texels), longer every 10 %.
    Field ticks(64, 512);
    for (int i = 0; i <= 20; ++i) {
        const float y = 5.0f + i * 25.0f;
        const float length = i % 2 == 0 ? 7.0f : 4.0f;
        toolkit::Fill(ticks, Segment{{kChannelLeft - 2.0f - length, y}, {kChannelLeft - 2.0f, y}, 1.2f});
    }
    toolkit::Paint(canvas, Grown(ticks, 1.0f), Colour(palette::kInk, 0.6f));
    toolkit::Paint(canvas, ticks, Colour(palette::kMetalLight, 0.9f));
    return canvas;
}

// The elapsed time: hot ember liquid with a bright core, stretched by the
// game to the elapsed length, so it is the same all the way down.
Canvas TimeFill() {
    Canvas canvas(64, 512);
    const toolkit::Fractal streaks{9, toolkit::Basis::Value, 3, 0.5f};
    canvas.Generate([&](int x, int y) {
        const float cx = (kChannelLeft + kChannelRight) * 0.5f;
        const float across = std::fabs(x + 0.5f - cx) / ((kChannelRight - kChannelLeft) * 0.5f - 2.0f);
        if (across >= 1.0f) return Colour(palette::kCrimson, 0.0f);
        const float core = std::exp(-across * across * 3.0f);
        const float streak = toolkit::Fbm(streaks, vec2(x * 0.6f, y * 0.02f)) * 0.12f;
        const vec3 colour = glm::mix(palette::kCrimson * 0.8f, vec3(1.0f, 0.62f, 0.38f), core) * (1.0f + streak);
        return Colour(colour, 0.55f + 0.45f * core);
    });
    return canvas;
}

Canvas TimeBorder() {
    toolkit::GlassPanelStyle style;
    style.cut = 5.0f;
    style.frame = 3.0f;
    style.glassAlpha = 0.0f;
    style.edgeGlow = 0.7f;
    style.studs = false;
    Canvas frame = toolkit::RenderGlassPanel(static_cast<int>(kChannelRight - kChannelLeft) + 4,
                                             static_cast<int>(kChannelBottom - kChannelTop) + 4, style);
    Canvas canvas(64, 512);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) canvas.At(x + static_cast<int>(kChannelLeft) - 2, y + 1) = frame.At(x, y);
    return canvas;
}

// The marker riding on the fill's leading edge (the fill ends 5 texels below
// the marker's top): a lit slider with a pointer into the channel.
Canvas TimeButton() {
    Canvas canvas(64, 32);
    Field slider(64, 32);
    toolkit::Fill(slider, Rect{{9.0f, 1.5f}, {42.0f, 10.5f}, 3.0f});
    toolkit::Fill(slider, toolkit::Polygon{{{2.0f, 1.0f}, {9.0f, 6.0f}, {2.0f, 11.0f}}});
    toolkit::Paint(canvas, Grown(slider, 1.0f), Colour(palette::kInk, 0.9f));
    Canvas metal(64, 32);
    metal.Generate([](int, int y) { return Colour(glm::mix(palette::kMetalLight * 1.1f, palette::kMetalDark * 0.6f, y / 12.0f), 1.0f); });
    toolkit::BakeLighting(metal, toolkit::BevelHeight(slider, 2.0f), 3.0f);
    toolkit::Composite(canvas, metal, slider);
    Field led(64, 32);
    toolkit::Fill(led, Segment{{16.0f, 6.0f}, {35.0f, 6.0f}, 2.2f});
    toolkit::Paint(canvas, led, Colour(1.0f, 0.55f, 0.4f, 1.0f));
    toolkit::AddGlow(canvas, led, palette::kCrimson, 2.5f, 0.8f);
    return canvas;
}

// The radar: the game maps the world round (131, 145) of this picture, and
// draws the time bar 64 texels to the right of that point, so the scope
// keeps clear of it.
Canvas RadarScope() {
    const vec2 centre(131.0f, 145.0f);
    constexpr float kRadius = 80.0f;
    Canvas canvas(256, 256);
    Field disc(256, 256);
    toolkit::Fill(disc, toolkit::Circle{centre, kRadius});
    Canvas scope(256, 256);
    scope.Generate([&](int x, int y) {
        const vec2 d = vec2(x + 0.5f, y + 0.5f) - centre;
        const float r = glm::length(d) / kRadius;
        // A fading wedge behind the sweep line, which points up-right.
        float angle = std::atan2(d.y, d.x) + 0.8f;
        while (angle < 0.0f) angle += 6.2831853f;
        const float wedge = std::exp(-angle * 1.6f) * SmoothStep(1.0f, 0.2f, r);
        const vec3 base = glm::mix(vec3(0.02f, 0.06f, 0.07f), vec3(0.01f, 0.02f, 0.03f), r);
        return Colour(base + vec3(0.05f, 0.22f, 0.2f) * wedge, 0.62f + 0.2f * wedge);
    });
    toolkit::Composite(canvas, scope, disc);
    Field grid(256, 256);
    for (float r : {27.0f, 54.0f}) toolkit::Stroke(grid, toolkit::Circle{centre, r}, 1.0f);
    toolkit::Fill(grid, Segment{centre - vec2(kRadius, 0.0f), centre + vec2(kRadius, 0.0f), 0.8f});
    toolkit::Fill(grid, Segment{centre - vec2(0.0f, kRadius), centre + vec2(0.0f, kRadius), 0.8f});
    toolkit::Paint(canvas, grid, Colour(0.35f, 0.75f, 0.7f, 0.35f));
    Field sweep(256, 256);
    toolkit::Fill(sweep, Segment{centre, centre + kRadius * vec2(std::cos(-0.8f), std::sin(-0.8f)), 1.4f});
    toolkit::Paint(canvas, sweep, Colour(0.5f, 1.0f, 0.9f, 0.7f));
    // The bezel: a metal ring with a scale and the crimson edge inside it.
    Field bezel(256, 256);
    toolkit::Stroke(bezel, toolkit::Circle{centre, kRadius + 5.0f}, 9.0f);
    Canvas metal(256, 256);
    metal.Generate([&](int x, int y) {
        const float t = ((x - centre.x) * -0.7f + (y - centre.y) * -0.7f) / kRadius;
        return Colour(glm::mix(palette::kMetalDark * 0.6f, palette::kMetalLight, 0.5f + 0.4f * t), 1.0f);
    });
    toolkit::BakeLighting(metal, toolkit::BevelHeight(bezel, 3.0f), 4.0f);
    toolkit::Paint(canvas, Grown(bezel, 1.0f), Colour(palette::kInk, 0.9f));
    toolkit::Composite(canvas, metal, bezel);
    Field scale(256, 256);
    for (int i = 0; i < 36; ++i) {
        const float a = i * 6.2831853f / 36.0f;
        const vec2 dir(std::cos(a), std::sin(a));
        const float inner = i % 3 == 0 ? kRadius + 2.0f : kRadius + 5.0f;
        toolkit::Fill(scale, Segment{centre + dir * inner, centre + dir * (kRadius + 8.0f), 1.1f});
    }
    toolkit::Paint(canvas, scale, Colour(0.08f, 0.08f, 0.1f, 0.9f));
    Field edge(256, 256);
    toolkit::Stroke(edge, toolkit::Circle{centre, kRadius - 0.5f}, 1.2f);
    toolkit::Paint(canvas, edge, Colour(palette::kCrimson * 1.2f, 1.0f));
    toolkit::AddGlow(canvas, edge, palette::kCrimson, 3.0f, 0.6f);
    return canvas;
}

// A weapon-bar frame: drawn 40 x 50 on screen, made at twice that and fitted
// into a 64 x 64 texture.
Canvas CellFrame(vec3 edgeColour, float edgeGlow, float glassAlpha) {
    toolkit::GlassPanelStyle style;
    style.cut = 12.0f;
    style.frame = 5.0f;
    style.glassAlpha = glassAlpha;
    style.edgeColour = edgeColour;
    style.edgeGlow = edgeGlow;
    style.studs = false;
    return toolkit::RenderGlassPanel(80, 100, style);
}

Canvas Fitted(const Canvas& design) { return toolkit::Resampled(design, 64, 64); }

// Corner arrows pointing in: the selected cell.
void AddSelectionMarks(Canvas& canvas, vec3 colour) {
    Field marks(80, 100);
    const vec2 corners[] = {{10.0f, 10.0f}, {70.0f, 10.0f}, {10.0f, 90.0f}, {70.0f, 90.0f}};
    for (const vec2& c : corners) {
        const vec2 in(c.x < 40 ? 1.0f : -1.0f, c.y < 50 ? 1.0f : -1.0f);
        toolkit::Fill(marks, toolkit::Polygon{{c, c + vec2(in.x * 12.0f, 0.0f), c + vec2(0.0f, in.y * 12.0f)}});
    }
    toolkit::Paint(canvas, marks, Colour(colour, 1.0f));
    toolkit::AddGlow(canvas, marks, colour, 3.0f, 0.7f);
}

// While a weapon recharges: dim amber hatching across the corners.
void AddCoolingHatch(Canvas& canvas) {
    Field hatch(80, 100);
    toolkit::DrawHazardStripes(hatch, Rect{{8.0f, 8.0f}, {72.0f, 92.0f}}, 4.0f);
    Field keep(80, 100);
    toolkit::Fill(keep, Rect{{8.0f, 8.0f}, {72.0f, 92.0f}, 10.0f});
    toolkit::Fill(keep, Rect{{20.0f, 20.0f}, {60.0f, 80.0f}, 6.0f}, toolkit::Combine::Subtract);
    toolkit::CombineInto(hatch, keep, [](float h, float k) { return h * k; });
    toolkit::Paint(canvas, hatch, Colour(0.8f, 0.45f, 0.15f, 0.8f));
}

// The main gun's cell when it overheats: a red-hot frame in a heat haze.
Canvas OverheatFrame() {
    Canvas canvas = CellFrame(vec3(1.0f, 0.3f, 0.15f), 1.6f, 0.35f);
    Field frame(80, 100);
    toolkit::Stroke(frame, Rect{{3.0f, 3.0f}, {77.0f, 97.0f}, 11.0f}, 5.0f);
    toolkit::Paint(canvas, frame, Colour(1.0f, 0.35f, 0.15f, 0.55f), toolkit::Blend::Add);
    toolkit::AddGlow(canvas, frame, vec3(1.0f, 0.25f, 0.1f), 4.0f, 0.6f);
    Field outline(80, 100);
    toolkit::Fill(outline, Rect{{0.5f, 0.5f}, {79.5f, 99.5f}, 12.0f});
    toolkit::MultiplyAlpha(canvas, outline);
    return canvas;
}

// An empty slot: a dark recess with corner ticks and faint hatching.
Canvas EmptySlot() {
    Canvas canvas(64, 64);
    Field recess(64, 64);
    toolkit::Fill(recess, Rect{{4.0f, 4.0f}, {60.0f, 60.0f}, 8.0f});
    toolkit::Paint(canvas, recess, Colour(0.01f, 0.012f, 0.02f, 0.55f));
    Field hatch(64, 64);
    toolkit::DrawHazardStripes(hatch, Rect{{4.0f, 4.0f}, {60.0f, 60.0f}}, 2.0f);
    toolkit::CombineInto(hatch, recess, [](float h, float r) { return h * r; });
    toolkit::Paint(canvas, hatch, Colour(palette::kMetalDark, 0.12f));
    Field rim(64, 64);
    toolkit::Stroke(rim, Rect{{4.5f, 4.5f}, {59.5f, 59.5f}, 8.0f}, 1.2f);
    toolkit::Paint(canvas, rim, Colour(palette::kMetalLight, 0.4f));
    Field ticks(64, 64);
    toolkit::Fill(ticks, Segment{{26.0f, 32.0f}, {38.0f, 32.0f}, 2.0f});
    toolkit::Fill(ticks, Segment{{32.0f, 26.0f}, {32.0f, 38.0f}, 2.0f});
    toolkit::Paint(canvas, ticks, Colour(palette::kMetalLight, 0.3f));
    return canvas;
}

MenuPicture BlackKeyed(std::string name, const Canvas& canvas) {
    return KeyedBmpPicture(std::move(name), canvas, kKeyBlack);
}

}  // namespace

std::vector<MenuPicture> HudPictures(Faces&) {
    std::vector<MenuPicture> pictures;
    pictures.push_back(DdsPicture("graphics\\time_bkg.dds", TimeBackground()));
    pictures.push_back(DdsPicture("graphics\\time_fill.dds", TimeFill()));
    pictures.push_back(DdsPicture("graphics\\time_border.dds", TimeBorder()));
    pictures.push_back(DdsPicture("graphics\\time_button.dds", TimeButton()));
    pictures.push_back(DdsPicture("graphics\\radar_tlo.dds", RadarScope()));

    toolkit::GlassPanelStyle iconFrame;
    iconFrame.cut = 9.0f;
    iconFrame.frame = 3.0f;
    iconFrame.glassAlpha = 0.0f;
    iconFrame.studs = false;
    pictures.push_back(BlackKeyed("graphics\\i_tlo.bmp", toolkit::RenderGlassPanel(64, 64, iconFrame)));
    pictures.push_back(BlackKeyed("graphics\\i_tlo1.bmp", Fitted(CellFrame(palette::kCrimson, 1.0f, 0.0f))));
    Canvas ready = CellFrame(vec3(1.0f, 0.55f, 0.3f), 1.3f, 0.0f);
    AddSelectionMarks(ready, vec3(1.0f, 0.75f, 0.45f));
    pictures.push_back(BlackKeyed("graphics\\i_tlo2.bmp", Fitted(ready)));
    Canvas cooling = CellFrame(vec3(0.6f, 0.35f, 0.15f), 0.8f, 0.0f);
    AddCoolingHatch(cooling);
    AddSelectionMarks(cooling, vec3(0.75f, 0.45f, 0.2f));
    pictures.push_back(BlackKeyed("graphics\\i_tlo20.bmp", Fitted(cooling)));
    pictures.push_back(DdsPicture("graphics\\i_tlo10.dds", Fitted(OverheatFrame())));
    pictures.push_back(DdsPicture("graphics\\i_pusty.dds", EmptySlot()));
    return pictures;
}

}  // namespace kr::makedata::menu
