// The interface panels ("p" + size), the ship-selection window and the
// HUD console frame.

#include <algorithm>
#include <array>
#include <string>

#include "menu_pictures/picture_groups.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/glass_panel.hpp"

namespace kr::makedata::menu {
namespace {

using toolkit::GlassPanelStyle;

// Frame and corner sizes follow the panel's smaller side, so that every
// panel drawn at its own size shows the same frame on screen.
GlassPanelStyle StyleFor(int width, int height) {
    GlassPanelStyle style;
    const int side = std::min(width, height);
    style.seed = static_cast<std::uint32_t>(width * 7 + height);
    if (side <= 64) {
        style.cut = 11.0f;
        style.frame = 4.0f;
        style.topLight = true;  // the bars and buttons
    } else if (side <= 128) {
        style.cut = 15.0f;
        style.frame = 5.0f;
    } else {
        style.cut = 22.0f;
        style.frame = 7.0f;
        style.glassAlpha = 0.68f;
    }
    return style;
}

// Small bright tick marks (gauge scales, alignment marks), `count` of them
// from `from` stepping by `step`.
void Ticks(Field& mask, glm::vec2 from, glm::vec2 step, glm::vec2 tick, int count, float width = 1.0f) {
    for (int i = 0; i < count; ++i) {
        const glm::vec2 a = from + step * static_cast<float>(i);
        const float length = i % 5 == 0 ? 1.0f : 0.55f;
        toolkit::Fill(mask, toolkit::Segment{a, a + tick * length, width});
    }
}

// The ship-selection window: a panel with a lit name plate across its middle.
Canvas SelectionWindow() {
    GlassPanelStyle style = StyleFor(256, 128);
    style.cut = 22.0f;
    style.frame = 6.0f;
    style.topLight = true;
    Canvas canvas = toolkit::RenderGlassPanel(256, 128, style);
    Field plate(256, 128);
    toolkit::Fill(plate, toolkit::Rect{{22.0f, 46.0f}, {234.0f, 94.0f}, 8.0f});
    toolkit::Paint(canvas, plate, Colour(0.10f, 0.11f, 0.16f, 0.55f));
    Field lines(256, 128);
    toolkit::Fill(lines, toolkit::Segment{{34.0f, 46.0f}, {222.0f, 46.0f}, 1.0f});
    toolkit::Fill(lines, toolkit::Segment{{34.0f, 94.0f}, {222.0f, 94.0f}, 1.0f});
    toolkit::Paint(canvas, lines, Colour(palette::kCrimson * 1.2f, 0.9f));
    toolkit::AddGlow(canvas, lines, palette::kCrimson, 2.5f, 0.6f);
    // Chevrons pointing at the name from both ends.
    Field chevrons(256, 128);
    for (int i = 0; i < 3; ++i) {
        const float x = 14.0f + i * 5.0f;
        toolkit::Fill(chevrons, toolkit::Polygon{{{x, 62.0f}, {x + 4.0f, 70.0f}, {x, 78.0f}, {x + 2.0f, 70.0f}}});
        const float r = 242.0f - i * 5.0f;
        toolkit::Fill(chevrons, toolkit::Polygon{{{r, 62.0f}, {r - 4.0f, 70.0f}, {r, 78.0f}, {r - 2.0f, 70.0f}}});
    }
    toolkit::Paint(canvas, chevrons, Colour(palette::kEmber, 0.35f + 0.0f));
    Field marks(256, 128);
    Ticks(marks, {40.0f, 104.0f}, {8.0f, 0.0f}, {0.0f, 5.0f}, 23);
    toolkit::Paint(canvas, marks, Colour(palette::kMetalLight, 0.25f));
    return canvas;
}

// The HUD's lower-left console: points, life and armour, gun heat and the
// kill ratio are drawn over it by the game at fixed places.
Canvas HudConsole() {
    GlassPanelStyle style;
    style.cut = 36.0f;
    style.frame = 6.0f;
    style.glassAlpha = 0.42f;
    style.seed = 41;
    Canvas canvas = toolkit::RenderGlassPanel(256, 256, style);
    // Recesses behind the life and armour bars and the heat bars.
    Field wells(256, 256);
    toolkit::Fill(wells, toolkit::Rect{{9.0f, 38.0f}, {83.0f, 180.0f}, 5.0f});
    toolkit::Fill(wells, toolkit::Rect{{140.0f, 199.0f}, {250.0f, 246.0f}, 5.0f});
    toolkit::Paint(canvas, wells, Colour(0.01f, 0.012f, 0.02f, 0.35f));
    Field rims(256, 256);
    toolkit::Stroke(rims, toolkit::Rect{{9.0f, 38.0f}, {83.0f, 180.0f}, 5.0f}, 1.0f);
    toolkit::Stroke(rims, toolkit::Rect{{140.0f, 199.0f}, {250.0f, 246.0f}, 5.0f}, 1.0f);
    toolkit::Paint(canvas, rims, Colour(palette::kMetalLight, 0.35f));
    // Gauge scales: 0 to 100 along the bars, every ten units.
    Field ticks(256, 256);
    Ticks(ticks, {88.0f, 143.0f}, {0.0f, -10.0f}, {6.0f, 0.0f}, 11);
    Ticks(ticks, {145.0f, 250.0f}, {10.0f, 0.0f}, {0.0f, -4.0f}, 11);
    toolkit::Paint(canvas, ticks, Colour(palette::kMetalLight, 0.55f));
    // A divider above the points line, glowing faintly.
    Field divider(256, 256);
    toolkit::Fill(divider, toolkit::Segment{{14.0f, 192.0f}, {130.0f, 192.0f}, 1.0f});
    toolkit::Paint(canvas, divider, Colour(palette::kCrimson, 0.8f));
    toolkit::AddGlow(canvas, divider, palette::kCrimson, 2.0f, 0.5f);
    return canvas;
}

}  // namespace

std::vector<MenuPicture> PanelPictures(Faces&) {
    static constexpr std::array<std::array<int, 2>, 10> kSizes = {{
        {512, 512}, {512, 256}, {512, 128}, {512, 64}, {128, 128},
        {128, 256}, {128, 64}, {256, 128}, {256, 512}, {256, 64},
    }};
    std::vector<MenuPicture> pictures;
    for (const auto& [w, h] : kSizes) {
        const std::string name = "graphics\\panel_" + std::to_string(w) + "x" + std::to_string(h) + ".dds";
        pictures.push_back(DdsPicture(name, toolkit::RenderGlassPanel(w, h, StyleFor(w, h))));
    }
    pictures.push_back(DdsPicture("graphics\\selection_panel.dds", SelectionWindow()));
    pictures.push_back(DdsPicture("graphics\\panel1.dds", HudConsole()));
    return pictures;
}

}  // namespace kr::makedata::menu
