// Pictures on the menu screens' small panels: the options tabs (set_1-3),
// the exit sign, the high-score cup, the hangar's transmission sign, and
// the arrows that are also the mouse
// cursor (drawn 32 x 32 with the pointer's hot spot at the top-left).

#include <cmath>
#include <functional>
#include <vector>

#include "menu_pictures/picture_groups.hpp"

namespace kr::makedata::menu {
namespace {

using toolkit::Combine;
using glm::vec2;
using glm::vec3;

constexpr float kPi = 3.14159265f;

void Monitor(Emblem& e, const Sketch& s) {
    s.Box(e.body, {8, 12}, {56, 44}, 4);
    s.Box(e.body, {12, 16}, {52, 40}, 2, Combine::Subtract);
    s.Poly(e.body, {{27, 44}, {37, 44}, {39, 52}, {25, 52}});
    s.Box(e.body, {18, 51}, {46, 56}, 2);
    // A ridge of mountains under a low sun on the screen.
    s.Poly(e.accent, {{13, 39}, {22, 27}, {28, 33}, {36, 22}, {51, 39}});
    s.Disc(e.accent, {44, 22}, 3.5f);
    e.accentColour = palette::kCrimson;
}

void Speaker(Emblem& e, const Sketch& s) {
    s.Box(e.body, {8, 24}, {20, 40}, 2);
    s.Poly(e.body, {{19, 24}, {33, 12}, {33, 52}, {19, 40}});
    for (int i = 0; i < 3; ++i) s.Arc(e.accent, {30, 32}, 10.0f + i * 7.5f, -0.28f * kPi, 0.28f * kPi, 3.2f);
    e.accentColour = palette::kCrimson;
}

void Globe(Emblem& e, const Sketch& s) {
    const vec2 c(28, 36);
    s.Disc(e.body, c, 20);
    // Meridians as ellipses, parallels as chords.
    for (float rx : {9.0f, 17.0f}) {
        std::vector<vec2> ellipse;
        for (int i = 0; i <= 32; ++i) {
            const float a = i * 2.0f * kPi / 32.0f;
            ellipse.push_back(c + vec2(rx * std::cos(a), 20.0f * std::sin(a)));
        }
        for (std::size_t i = 0; i + 1 < ellipse.size(); ++i) s.Line(e.detail, ellipse[i], ellipse[i + 1], 1.4f);
    }
    s.Line(e.detail, {28, 16}, {28, 56}, 1.4f);
    for (float dy : {-10.0f, 0.0f, 10.0f}) {
        const float half = std::sqrt(400.0f - dy * dy);
        s.Line(e.detail, c + vec2(-half, dy), c + vec2(half, dy), 1.4f);
    }
    s.Box(e.accent, {34, 6}, {60, 24}, 4);
    s.Poly(e.accent, {{40, 23}, {48, 23}, {38, 31}});
    s.Line(e.accent, {39, 12}, {55, 12}, 2.0f, Combine::Subtract);
    s.Line(e.accent, {39, 18}, {50, 18}, 2.0f, Combine::Subtract);
    e.accentColour = palette::kCrimson;
}

void PowerSign(Emblem& e, const Sketch& s) {
    s.Arc(e.body, {32, 34}, 19, -0.3f * kPi, 1.3f * kPi, 7.0f);
    s.Box(e.accent, {28.5f, 6}, {35.5f, 34}, 3.0f);
    e.accentColour = palette::kCrimson;
    e.halo = 0.7f;
}

void Cup(Emblem& e, const Sketch& s) {
    s.Poly(e.body, {{14, 8}, {50, 8}, {47, 26}, {40, 34}, {24, 34}, {17, 26}});
    s.Arc(e.body, {15, 17}, 7, 0.5f * kPi, 1.5f * kPi, 3.5f);
    s.Arc(e.body, {49, 17}, 7, -0.5f * kPi, 0.5f * kPi, 3.5f);
    s.Box(e.body, {29, 33}, {35, 45}, 1);
    s.Box(e.body, {21, 44}, {43, 49}, 1.5f);
    s.Box(e.body, {17, 49}, {47, 56}, 2);
    s.Line(e.detail, {17, 12}, {47, 12}, 1.2f);
    s.Line(e.detail, {21, 52.5f}, {43, 52.5f}, 1.0f);
    std::vector<vec2> star;
    for (int i = 0; i < 10; ++i) {
        const float a = i * kPi / 5.0f - kPi / 2.0f;
        star.push_back(vec2(32, 21) + (i % 2 == 0 ? 7.5f : 3.2f) * vec2(std::cos(a), std::sin(a)));
    }
    s.Poly(e.accent, star);
    e.accentColour = palette::kCrimson;
    e.metalTint = vec3(1.15f, 0.98f, 0.7f);
}

// A dart pointing right whose upper back corner lies at the top-left, where
// the cursor's hot spot is.
void ArrowRight(Emblem& e, const Sketch& s) {
    s.Poly(e.body, {{5, 5}, {60, 32}, {5, 59}, {17, 32}});
    s.Poly(e.accent, {{16, 19}, {42, 32}, {16, 45}, {22, 32}});
    e.accentColour = palette::kCrimson;
}

void ArrowLeft(Emblem& e, const Sketch& s) {
    s.Poly(e.body, {{59, 5}, {4, 32}, {59, 59}, {47, 32}});
    s.Poly(e.accent, {{48, 19}, {22, 32}, {48, 45}, {42, 32}});
    e.accentColour = palette::kCrimson;
}

// The hangar's "transmission" sign, flashed as each briefing line comes in:
// a beacon sending rings, in brackets, over scan lines.
Canvas Transmission(Faces& faces) {
    constexpr int kSize = 128;
    const Sketch s(kSize, kSize, 64.0f);
    Emblem e(s);
    s.Poly(e.body, {{28, 30}, {36, 30}, {40, 46}, {24, 46}});
    s.Disc(e.body, {32, 26}, 4.5f);
    for (int i = 0; i < 3; ++i) {
        const float r = 9.0f + i * 6.5f;
        s.Arc(e.accent, {32, 26}, r, -0.3f * kPi, 0.3f * kPi, 2.6f);
        s.Arc(e.accent, {32, 26}, r, 0.7f * kPi, 1.3f * kPi, 2.6f);
    }
    e.accentColour = palette::kEmber;
    Canvas canvas = RenderEmblem(e, s.scale());
    Field lines(kSize, kSize);
    for (int y = 4; y < kSize - 4; y += 4) toolkit::Fill(lines, toolkit::Segment{{14.0f, y + 0.5f}, {114.0f, y + 0.5f}, 1.0f});
    Canvas scan(kSize, kSize, Colour(palette::kCrimson * 0.6f, 0.0f));
    toolkit::Paint(scan, lines, Colour(palette::kCrimson * 0.7f, 0.35f));
    toolkit::Composite(scan, canvas);
    Field brackets(kSize, kSize);
    for (float x : {6.0f, 122.0f}) {
        const float in = x < 64 ? 10.0f : -10.0f;
        toolkit::Fill(brackets, toolkit::Segment{{x, 6.0f}, {x, 122.0f}, 2.5f});
        toolkit::Fill(brackets, toolkit::Segment{{x, 6.0f}, {x + in, 6.0f}, 2.5f});
        toolkit::Fill(brackets, toolkit::Segment{{x, 122.0f}, {x + in, 122.0f}, 2.5f});
    }
    toolkit::Paint(scan, brackets, Colour(palette::kCrimson * 1.2f, 1.0f));
    Field word(kSize, kSize);
    faces.display.DrawCentred(word, "INCOMING", 15.0f, {64.0f, 110.0f}, 2.0f);
    toolkit::Paint(scan, word, Colour(1.0f, 0.75f, 0.6f, 1.0f));
    return scan;
}


}  // namespace

std::vector<MenuPicture> ScreenIconPictures(Faces& faces) {
    std::vector<MenuPicture> pictures;
    pictures.push_back(KeyedBmpPicture("graphics\\trans.bmp", Transmission(faces), kKeyBlack));
    pictures.push_back(DdsPicture("graphics\\set_1.dds", DrawEmblem(Globe, 128)));
    pictures.push_back(DdsPicture("graphics\\set_2.dds", DrawEmblem(Speaker, 128)));
    pictures.push_back(DdsPicture("graphics\\set_3.dds", DrawEmblem(Monitor, 128)));
    pictures.push_back(DdsPicture("graphics\\exit.dds", DrawEmblem(PowerSign, 128)));
    pictures.push_back(DdsPicture("graphics\\puchar.dds", DrawEmblem(Cup, 128)));
    pictures.push_back(DdsPicture("graphics\\arrow_right.dds", DrawEmblem(ArrowRight, 64)));
    pictures.push_back(DdsPicture("graphics\\arrow_left.dds", DrawEmblem(ArrowLeft, 64)));
    return pictures;
}

}  // namespace kr::makedata::menu
