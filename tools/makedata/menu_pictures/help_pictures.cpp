// The controls, drawn: a keyboard with the keys the game reads lit in the
// colour of what they do, and a mouse with its buttons named. 24-bit BMPs
// with pure red as the transparent colour.

#include <algorithm>
#include <string>
#include <vector>

#include "menu_pictures/picture_groups.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/lighting.hpp"

namespace kr::makedata::menu {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Rect;
using toolkit::Segment;

constexpr int kW = 512, kH = 256;
const vec3 kSteer = palette::kEngine;
const vec3 kFire = palette::kCrimson * 1.15f;
const vec3 kSecondary = palette::kGold;
const vec3 kWeapons = palette::kEmber;
const vec3 kAbility = palette::kHealth;
const vec3 kPause = vec3(0.85f, 0.86f, 0.9f);

struct Key {
    std::string label;
    float x, y, units;   // top-left and width in key units
    vec3 colour{0.0f};   // black: a key the game does not read
};

constexpr float kUnit = 29.0f, kGap = 3.0f;
constexpr float kLeft = 8.0f, kTop = 12.0f;

std::vector<Key> Keyboard() {
    std::vector<Key> keys;
    const auto row = [&](float y, float x, const std::vector<std::string>& labels, vec3 colour = vec3(0.0f)) {
        for (const auto& label : labels) {
            keys.push_back({label, x, y, 1.0f, colour});
            x += 1.0f;
        }
    };
    keys.push_back({"ESC", 0.0f, 0.0f, 1.0f, kPause});
    row(0.0f, 1.6f, {"1", "2", "3", "4", "5", "6", "7", "8"}, kWeapons);
    keys.push_back({"9", 9.6f, 0.0f, 1.0f});
    keys.push_back({"0", 10.6f, 0.0f, 1.0f, kAbility});
    keys.push_back({"", 0.0f, 1.0f, 1.5f});
    row(1.0f, 1.5f, {"Q"});
    keys.push_back({"W", 2.5f, 1.0f, 1.0f, kSteer});
    row(1.0f, 3.5f, {"E", "R", "T", "Y", "U", "I", "O", "P"});
    keys.push_back({"", 0.0f, 2.0f, 1.75f});
    row(2.0f, 1.75f, {"A", "S", "D"}, kSteer);
    row(2.0f, 4.75f, {"F", "G", "H", "J", "K", "L"});
    keys.push_back({"ENTER", 10.75f, 2.0f, 2.0f, kSecondary});
    keys.push_back({"", 0.0f, 3.0f, 2.25f});
    row(3.0f, 2.25f, {"Z", "X", "C", "V", "B", "N", "M"});
    keys.push_back({"SPACE", 3.0f, 4.0f, 6.0f, kFire});
    // The arrow keys, in their own block on the right.
    keys.push_back({"^", 13.7f, 3.0f, 1.0f, kSteer});
    row(4.0f, 12.7f, {"<", "v", ">"}, kSteer);
    return keys;
}

Rect KeyRect(const Key& key) {
    const float x = kLeft + key.x * kUnit, y = kTop + key.y * kUnit;
    return Rect{{x, y}, {x + key.units * kUnit - kGap, y + kUnit - kGap}, 4.0f};
}

void PaintKey(Canvas& picture, Faces& faces, const Key& key) {
    const Rect placed = KeyRect(key);
    Region region = CutRegion(picture, placed.min - vec2(10.0f), placed.max + vec2(10.0f));
    Canvas& canvas = region.canvas;
    const int w = canvas.width(), h = canvas.height();
    const Rect rect{placed.min - vec2(region.origin), placed.max - vec2(region.origin), placed.cut};
    const bool lit = key.colour != vec3(0.0f);
    Field body(w, h);
    toolkit::Fill(body, rect);
    Canvas cap(w, h);
    cap.Generate([&](int, int y) {
        const float t = (y - rect.min.y) / (rect.max.y - rect.min.y);
        const vec3 base = lit ? key.colour * 0.85f : vec3(0.16f, 0.17f, 0.2f);
        return Colour(base * (1.15f - 0.45f * t), 1.0f);
    });
    toolkit::BakeLighting(cap, toolkit::BevelHeight(body, 3.0f), 3.0f);
    toolkit::Paint(canvas, Grown(body, 1.0f), Colour(palette::kInk, 1.0f));
    if (lit) toolkit::AddGlow(canvas, body, key.colour, 4.0f, 0.5f);
    toolkit::Composite(canvas, cap, body);
    if (!key.label.empty()) {
        Field label(w, h);
        const float size = key.label.size() > 1 ? 10.0f : 14.0f;
        faces.plain.DrawCentred(label, key.label, size, (rect.min + rect.max) * 0.5f + vec2(0.0f, -1.0f));
        toolkit::Paint(canvas, label, lit ? Colour(palette::kInk, 0.95f) : Colour(0.7f, 0.72f, 0.78f, 1.0f));
    }
    PasteRegion(picture, region);
}

// A coloured swatch and its word.
void PaintLegend(Canvas& canvas, Faces& faces, vec2 at, vec3 colour, const char* word) {
    Field swatch(kW, kH), text(kW, kH);
    toolkit::Fill(swatch, Rect{at, at + vec2(14.0f, 14.0f), 3.0f});
    faces.display.Draw(text, word, 16.0f, at + vec2(20.0f, -1.0f), 1.0f);
    toolkit::Paint(canvas, Grown(swatch, 1.0f), Colour(palette::kInk, 1.0f));
    toolkit::Paint(canvas, swatch, Colour(colour, 1.0f));
    PaintLabel(canvas, text, Colour(0.9f, 0.9f, 0.95f, 1.0f), 0.9f);
}

Canvas KeyboardPicture(Faces& faces) {
    Canvas canvas(kW, kH);
    for (const Key& key : Keyboard()) PaintKey(canvas, faces, key);
    PaintLegend(canvas, faces, {14.0f, 178.0f}, kSteer, "STEER");
    PaintLegend(canvas, faces, {14.0f, 206.0f}, kFire, "FIRE");
    PaintLegend(canvas, faces, {180.0f, 178.0f}, kWeapons, "WEAPONS 1-8");
    PaintLegend(canvas, faces, {180.0f, 206.0f}, kSecondary, "LAUNCH WEAPON");
    PaintLegend(canvas, faces, {370.0f, 178.0f}, kAbility, "ABILITY");
    PaintLegend(canvas, faces, {370.0f, 206.0f}, kPause, "PAUSE");
    return canvas;
}

// The mouse from above: a rounded body, two buttons and the wheel.
std::vector<vec2> MouseOutline(vec2 centre, vec2 half) {
    std::vector<vec2> points;
    for (int i = 0; i < 48; ++i) {
        const float a = i * 6.2831853f / 48.0f;
        const float c = std::cos(a), s = std::sin(a);
        // A superellipse, fuller at the back than at the front.
        const float px = std::copysign(std::pow(std::fabs(c), 0.6f), c) * half.x * (s > 0 ? 1.0f : 0.92f);
        const float py = std::copysign(std::pow(std::fabs(s), 0.8f), s) * half.y;
        points.push_back(centre + vec2(px, py));
    }
    return points;
}

void Callout(Canvas& canvas, Faces& faces, vec2 from, vec2 to, vec3 colour, const char* word) {
    Field line(kW, kH), dot(kW, kH), text(kW, kH);
    toolkit::Fill(line, Segment{from, {to.x - 8.0f, to.y}, 1.5f});
    toolkit::Fill(dot, toolkit::Circle{from, 3.5f});
    faces.display.Draw(text, word, 20.0f, to + vec2(0.0f, -10.0f), 1.0f);
    toolkit::Paint(canvas, Grown(line, 1.0f), Colour(palette::kInk, 0.8f));
    toolkit::Paint(canvas, line, Colour(colour, 1.0f));
    toolkit::Paint(canvas, Grown(dot, 1.0f), Colour(palette::kInk, 1.0f));
    toolkit::Paint(canvas, dot, Colour(colour, 1.0f));
    PaintLabel(canvas, text, Colour(colour, 1.0f), 0.9f);
}

Canvas MousePicture(Faces& faces) {
    Canvas canvas(kW, kH);
    const vec2 centre(120.0f, 128.0f), half(62.0f, 110.0f);
    toolkit::Polygon outline{MouseOutline(centre, half)};
    Field body(kW, kH);
    toolkit::Fill(body, outline);
    Canvas shell(kW, kH);
    shell.Generate([&](int x, int y) {
        const float t = ((y - centre.y) / half.y + (x - centre.x) / half.x * 0.4f) * 0.5f + 0.5f;
        return Colour(glm::mix(vec3(0.32f, 0.34f, 0.38f), vec3(0.08f, 0.085f, 0.1f), t), 1.0f);
    });
    toolkit::BakeLighting(shell, toolkit::BevelHeight(body, 18.0f), 2.0f);
    toolkit::Paint(canvas, Grown(body, 1.5f), Colour(palette::kInk, 1.0f));
    toolkit::Composite(canvas, shell, body);
    // Buttons: the front of the shell, split down the middle.
    Field left(kW, kH), right(kW, kH);
    toolkit::Fill(left, Rect{{centre.x - half.x, centre.y - half.y}, {centre.x - 2.0f, centre.y - 28.0f}});
    toolkit::Fill(right, Rect{{centre.x + 2.0f, centre.y - half.y}, {centre.x + half.x, centre.y - 28.0f}});
    toolkit::CombineInto(left, body, [](float a, float b) { return std::min(a, b); });
    toolkit::CombineInto(right, body, [](float a, float b) { return std::min(a, b); });
    toolkit::Paint(canvas, left, Colour(kFire, 0.8f));
    toolkit::Paint(canvas, right, Colour(kSecondary, 0.75f));
    Field wheel(kW, kH);
    toolkit::Fill(wheel, Rect{{centre.x - 7.0f, centre.y - 86.0f}, {centre.x + 7.0f, centre.y - 48.0f}, 6.0f});
    toolkit::Paint(canvas, Grown(wheel, 2.0f), Colour(palette::kInk, 1.0f));
    toolkit::Paint(canvas, wheel, Colour(0.8f, 0.82f, 0.9f, 1.0f));
    // Moving the mouse steers: arrows round the body.
    Field arrows(kW, kH);
    const vec2 mid = centre + vec2(0.0f, 40.0f);
    for (int i = 0; i < 4; ++i) {
        const vec2 dir = i == 0 ? vec2(1, 0) : i == 1 ? vec2(-1, 0) : i == 2 ? vec2(0, 1) : vec2(0, -1);
        const vec2 side(-dir.y, dir.x);
        const vec2 tip = mid + dir * 30.0f;
        toolkit::Fill(arrows, toolkit::Polygon{{tip, tip - dir * 10.0f + side * 8.0f, tip - dir * 10.0f - side * 8.0f}});
        toolkit::Fill(arrows, Segment{mid + dir * 8.0f, tip - dir * 8.0f, 3.0f});
    }
    toolkit::Paint(canvas, Grown(arrows, 1.0f), Colour(palette::kInk, 0.9f));
    toolkit::Paint(canvas, arrows, Colour(kSteer, 1.0f));
    Callout(canvas, faces, centre + vec2(-32.0f, -70.0f), {270.0f, 40.0f}, kFire, "FIRE");
    Callout(canvas, faces, centre + vec2(34.0f, -70.0f) + vec2(0.0f, 22.0f), {270.0f, 92.0f}, kSecondary, "LAUNCH WEAPON");
    Callout(canvas, faces, centre + vec2(0.0f, -58.0f), {270.0f, 144.0f}, vec3(0.8f, 0.82f, 0.9f), "CAMERA ZOOM");
    Callout(canvas, faces, mid + vec2(30.0f, 0.0f), {270.0f, 196.0f}, kSteer, "STEER");
    return canvas;
}

}  // namespace

std::vector<MenuPicture> HelpPictures(Faces& faces) {
    std::vector<MenuPicture> pictures;
    const vec3 matte(0.03f, 0.03f, 0.05f);
    pictures.push_back(KeyedBmpPicture("graphics\\help_keyb.bmp", KeyboardPicture(faces), kKeyRed, matte));
    pictures.push_back(KeyedBmpPicture("graphics\\help_mouse.bmp", MousePicture(faces), kKeyRed, matte));
    return pictures;
}

}  // namespace kr::makedata::menu
