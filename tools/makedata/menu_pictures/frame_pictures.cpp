// Large decorations: the wide-screen frame t1280 (drawn over the whole
// screen when it is wider than the 1024 x 768 layout; pure red is
// transparent), the options page's backdrop set_tlo, and the alien
// tentacles picture.

#include <algorithm>
#include <cmath>
#include <string>

#include "menu_pictures/picture_groups.hpp"
#include "toolkit/decals.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/glass_panel.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/nine_slice.hpp"
#include "toolkit/noise.hpp"

namespace kr::makedata::menu {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Rect;
using toolkit::Segment;
using toolkit::SmoothStep;

// The column beside the layout on a 1280-wide screen: the title's letters
// down a glass strip, with lamps and gauges.
Canvas SideColumn(Faces& faces) {
    constexpr int kW = 224, kH = 720;
    toolkit::GlassPanelStyle style;
    style.cut = 24.0f;
    style.frame = 8.0f;
    style.glassAlpha = 1.0f;
    style.topLight = true;
    style.seed = 12;
    Canvas canvas = toolkit::RenderGlassPanel(kW, kH, style);
    Field letters(kW, kH);
    const char* name = "KRAVELLON";
    for (int i = 0; i < 9; ++i) {
        faces.display.DrawCentred(letters, std::string(1, name[i]), 52.0f, {kW * 0.5f, 92.0f + i * 58.0f});
    }
    PaintChrome(canvas, letters, 0.8f, palette::kCrimson, 36.0f);
    Field lamps(kW, kH);
    for (int i = 0; i < 5; ++i) toolkit::Fill(lamps, toolkit::Circle{{40.0f + i * 36.0f, 38.0f}, 4.0f});
    toolkit::Paint(canvas, lamps, Colour(palette::kCrimson * 1.2f, 1.0f));
    toolkit::AddGlow(canvas, lamps, palette::kCrimson, 3.0f, 0.8f);
    Field ticks(kW, kH);
    for (int i = 0; i < 30; ++i) {
        const float y = 70.0f + i * 20.0f;
        toolkit::Fill(ticks, Segment{{20.0f, y}, {i % 5 == 0 ? 34.0f : 28.0f, y}, 1.2f});
        toolkit::Fill(ticks, Segment{{kW - 20.0f, y}, {kW - (i % 5 == 0 ? 34.0f : 28.0f), y}, 1.2f});
    }
    toolkit::Paint(canvas, ticks, Colour(palette::kMetalLight, 0.5f));
    return canvas;
}

// A console along the bottom, right of the menus' button column.
Canvas BottomConsole(Faces& faces) {
    constexpr int kW = 680, kH = 200;
    toolkit::GlassPanelStyle style;
    style.cut = 22.0f;
    style.frame = 8.0f;
    style.glassAlpha = 1.0f;
    style.seed = 13;
    Canvas canvas = toolkit::RenderGlassPanel(kW, kH, style);
    Field vents(kW, kH);
    for (int i = 0; i < 14; ++i) {
        const float x = 40.0f + i * 14.0f;
        toolkit::Fill(vents, Rect{{x, 40.0f}, {x + 7.0f, 160.0f}, 3.0f});
    }
    toolkit::Paint(canvas, vents, Colour(0.01f, 0.01f, 0.02f, 0.9f));
    Field stripes(kW, kH);
    toolkit::DrawHazardStripes(stripes, Rect{{260.0f, 150.0f}, {640.0f, 166.0f}}, 8.0f);
    toolkit::Paint(canvas, stripes, Colour(palette::kEmber * 0.8f, 0.9f));
    Field text(kW, kH);
    faces.display.Draw(text, "SECTOR KRV-7", 30.0f, {262.0f, 40.0f}, 4.0f);
    faces.plain.Draw(text, "ORBITAL DEFENCE COMMAND", 16.0f, {264.0f, 84.0f}, 3.0f);
    PaintLabel(canvas, text, Colour(0.75f, 0.78f, 0.85f, 1.0f));
    Field bars(kW, kH);
    for (int i = 0; i < 6; ++i) toolkit::Fill(bars, Rect{{262.0f + i * 26.0f, 114.0f}, {282.0f + i * 26.0f, 130.0f}, 2.0f});
    toolkit::Paint(canvas, bars, Colour(palette::kCrimson, 1.0f));
    toolkit::AddGlow(canvas, bars, palette::kCrimson, 3.0f, 0.5f);
    return canvas;
}

// The whole picture: transparent (pure red) where the layout's screens are
// drawn, a thin frame round the edge, the column on the right and the
// console at the bottom.
Canvas WideScreenFrame(Faces& faces) {
    constexpr int kW = 1280, kH = 1024;
    toolkit::GlassPanelStyle border;
    border.cut = 30.0f;
    border.frame = 8.0f;
    border.glassAlpha = 0.0f;
    border.edgeGlow = 1.2f;
    Canvas canvas = toolkit::NineSlice(toolkit::RenderGlassPanel(200, 200, border), kW, kH, 90);
    PlaceOver(canvas, SideColumn(faces), {1040, 30});
    PlaceOver(canvas, BottomConsole(faces), {340, 796});
    return canvas;
}

// The options page's backdrop: faint row separators where the settings
// sit, a rule under the title and a turbine in the corner, all quiet
// enough to read texts over.
Canvas OptionsBackdrop() {
    constexpr int kSize = 512;
    Canvas canvas(kSize, kSize);
    Field faint(kSize, kSize), strong(kSize, kSize);
    for (int i = 0; i < 7; ++i) {
        const float y = 128.0f + i * 60.0f;
        toolkit::Fill(i % 2 == 0 ? strong : faint, Segment{{22.0f, y}, {440.0f, y}, 1.0f});
    }
    toolkit::Paint(canvas, faint, Colour(palette::kMetalLight, 0.08f));
    toolkit::Paint(canvas, strong, Colour(palette::kMetalLight, 0.16f));
    Field turbine(kSize, kSize);
    const vec2 hub(400.0f, 420.0f);
    for (float r : {40.0f, 90.0f, 150.0f}) toolkit::Stroke(turbine, toolkit::Circle{hub, r}, 2.0f);
    for (int i = 0; i < 12; ++i) {
        const float a = i * 6.2831853f / 12.0f;
        const vec2 d(std::cos(a), std::sin(a)), t(std::cos(a + 0.5f), std::sin(a + 0.5f));
        toolkit::Fill(turbine, Segment{hub + d * 40.0f, hub + t * 150.0f, 2.0f});
    }
    Field clip(kSize, kSize);
    toolkit::Fill(clip, Rect{{0.0f, 0.0f}, {500.0f, 500.0f}, 20.0f});
    toolkit::CombineInto(turbine, clip, [](float t, float c) { return t * c; });
    toolkit::Paint(canvas, turbine, Colour(palette::kMetalLight, 0.1f));
    Field rule(kSize, kSize);
    toolkit::Fill(rule, Segment{{20.0f, 112.0f}, {330.0f, 112.0f}, 1.5f});
    rule.Generate([&](int x, int y) { return rule.At(x, y) * (1.0f - SmoothStep(150.0f, 330.0f, static_cast<float>(x))); });
    toolkit::Paint(canvas, rule, Colour(palette::kCrimson * 1.2f, 0.9f));
    toolkit::AddGlow(canvas, rule, palette::kCrimson, 3.0f, 0.4f);
    return canvas;
}

// Alien tentacles curling in from the lower left: dark violet flesh lit
// from the top-left, with glowing acid-green suckers.
Canvas Tentacles() {
    constexpr int kSize = 256;
    Field body(kSize, kSize), suckers(kSize, kSize);
    struct Arm {
        vec2 a, b, c, d;  // a cubic curve
        float width;
    };
    const Arm arms[] = {{{10, 250}, {60, 120}, {190, 200}, {200, 70}, 40.0f},
                        {{0, 200}, {90, 190}, {110, 60}, {60, 30}, 32.0f},
                        {{70, 256}, {160, 250}, {250, 220}, {236, 140}, 28.0f}};
    for (const Arm& arm : arms) {
        constexpr int kSteps = 90;
        for (int i = 0; i <= kSteps; ++i) {
            const float t = static_cast<float>(i) / kSteps, u = 1.0f - t;
            const vec2 p = u * u * u * arm.a + 3.0f * u * u * t * arm.b + 3.0f * u * t * t * arm.c + t * t * t * arm.d;
            const vec2 q = 3.0f * u * u * (arm.b - arm.a) + 6.0f * u * t * (arm.c - arm.b) + 3.0f * t * t * (arm.d - arm.c);
            const float r = arm.width * 0.5f * (1.0f - 0.85f * t) + 1.0f;
            toolkit::Fill(body, toolkit::Circle{p, r});
            if (i % 6 == 3 && t < 0.85f) {
                const vec2 side = glm::normalize(vec2(-q.y, q.x));
                toolkit::Fill(suckers, toolkit::Circle{p + side * r * 0.55f, r * 0.28f});
            }
        }
    }
    Canvas flesh(kSize, kSize);
    const toolkit::Fractal veins{61, toolkit::Basis::Gradient, 4, 0.5f};
    flesh.Generate([&](int x, int y) {
        const float v = toolkit::Ridged(veins, vec2(x, y) * 0.03f);
        return Colour(glm::mix(vec3(0.16f, 0.1f, 0.2f), vec3(0.3f, 0.22f, 0.34f), v * v), 1.0f);
    });
    toolkit::BakeLighting(flesh, toolkit::BevelHeight(body, 9.0f), 3.5f);
    Canvas canvas(kSize, kSize);
    toolkit::Paint(canvas, Grown(body, 1.2f), Colour(palette::kInk, 1.0f));
    toolkit::Composite(canvas, flesh, body);
    toolkit::CombineInto(suckers, body, [](float s, float b) { return std::min(s, b); });
    toolkit::Paint(canvas, suckers, Colour(palette::kAcid, 1.0f));
    toolkit::AddGlow(canvas, suckers, palette::kAcid, 3.0f, 0.6f);
    return canvas;
}

}  // namespace

std::vector<MenuPicture> FramePictures(Faces& faces) {
    std::vector<MenuPicture> pictures;
    pictures.push_back(KeyedBmpPicture("graphics\\t1280.bmp", WideScreenFrame(faces), kKeyRed, vec3(0.03f, 0.03f, 0.05f)));
    pictures.push_back(DdsPicture("graphics\\set_tlo.dds", OptionsBackdrop()));
    pictures.push_back(DdsPicture("graphics\\tentacles.dds", Tentacles()));
    return pictures;
}

}  // namespace kr::makedata::menu
