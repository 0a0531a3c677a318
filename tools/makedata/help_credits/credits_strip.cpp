// The credits strip: the title, then each role of the team with its
// caption, in chrome letters with a crimson glow on pure black.

#include <algorithm>
#include <vector>

#include "engine/error.hpp"
#include "help_credits/banner_art.hpp"
#include "menu_pictures/picture_groups.hpp"
#include "toolkit/effects.hpp"

namespace kr::makedata::help {
namespace {

using glm::vec2;
using glm::vec3;
using menu::Canvas;
using menu::Colour;
using menu::Field;
namespace palette = menu::palette;

struct Role {
    const char* caption;  // small, glowing
    const char* name;     // chrome
};

struct CreditsText {
    const char* heading;
    std::vector<Role> roles;
    const char* farewell;
};

CreditsText TextFor(const std::string& language) {
    if (language == "english") {
        return {"KRAVELLON",
                {{"GAME DESIGN", "THE KRAVELLON TEAM"},
                 {"PROGRAMMING", "THE KRAVELLON TEAM"},
                 {"ART AND MODELS", "THE KRAVELLON TEAM"},
                 {"SOUND AND MUSIC", "THE KRAVELLON TEAM"},
                 {"TESTING", "THE KRAVELLON TEAM"}},
                "THANK YOU FOR PLAYING"};
    }
    if (language == "polish") {
        return {"KRAVELLON",
                {{"PROJEKT GRY", "ZESPÓŁ KRAVELLON"},
                 {"PROGRAMOWANIE", "ZESPÓŁ KRAVELLON"},
                 {"GRAFIKA I MODELE", "ZESPÓŁ KRAVELLON"},
                 {"DŹWIĘK I MUZYKA", "ZESPÓŁ KRAVELLON"},
                 {"TESTY", "ZESPÓŁ KRAVELLON"}},
                "DZIĘKUJEMY ZA GRĘ"};
    }
    throw Error("no credits text for language \"" + language + "\"");
}

// Each block fills one stretch of the strip; the strip is shown four screens
// wide, so a stretch of 256 texels is a quarter of the screen or more.
constexpr float kHeadingWidth = 512.0f;
constexpr float kRoleWidth = 256.0f;

void Separator(Field& dots, float x) {
    const menu::Sketch sketch(kCreditsWidth, kCreditsHeight, kCreditsWidth);
    sketch.Line(dots, {x, 96.0f}, {x, 160.0f}, 1.0f);
    sketch.Disc(dots, {x, 128.0f}, 3.0f);
}

}  // namespace

MenuPicture CreditsStrip(const std::string& language, const PictureFonts& fonts) {
    const CreditsText text = TextFor(language);
    toolkit::Lettering display(fonts.display, "display face");
    toolkit::Lettering plain(fonts.plain, "plain face");
    Field heading(kCreditsWidth, kCreditsHeight), names(kCreditsWidth, kCreditsHeight);
    Field captions(kCreditsWidth, kCreditsHeight), rules(kCreditsWidth, kCreditsHeight);

    const float headingSize = std::min(92.0f, 92.0f * (kHeadingWidth - 72.0f) / display.Width(text.heading, 92.0f, 5.0f));
    display.DrawCentred(heading, text.heading, headingSize, {kHeadingWidth / 2.0f, 118.0f}, 5.0f);
    plain.DrawCentred(captions, language == "polish" ? "TWÓRCY" : "CREDITS", 22.0f, {kHeadingWidth / 2.0f, 186.0f}, 8.0f);
    float x = kHeadingWidth;
    for (const Role& role : text.roles) {
        Separator(rules, x);
        const float centre = x + kRoleWidth / 2.0f;
        plain.DrawCentred(captions, role.caption, 20.0f, {centre, 98.0f}, 3.0f);
        const float size = std::min(34.0f, 34.0f * (kRoleWidth - 28.0f) / display.Width(role.name, 34.0f, 1.0f));
        display.DrawCentred(names, role.name, size, {centre, 136.0f}, 1.0f);
        x += kRoleWidth;
    }
    Separator(rules, x);
    const float rest = kCreditsWidth - x;
    const float size = std::min(44.0f, 44.0f * (rest - 40.0f) / display.Width(text.farewell, 44.0f, 2.0f));
    display.DrawCentred(names, text.farewell, size, {x + rest / 2.0f, 128.0f}, 2.0f);

    Canvas canvas(kCreditsWidth, kCreditsHeight);
    toolkit::AddGlow(canvas, rules, palette::kCrimson, 3.0f, 0.8f);
    toolkit::Paint(canvas, rules, Colour(palette::kMetalLight, 0.9f));
    menu::PaintChrome(canvas, heading, 1.2f, palette::kCrimson);
    menu::PaintChrome(canvas, names, 0.8f, palette::kCrimson, 30.0f);
    toolkit::AddGlow(canvas, captions, palette::kEmber, 2.5f, 0.7f);
    menu::PaintLabel(canvas, captions, Colour(glm::mix(palette::kEmber, vec3(1.0f), 0.35f), 1.0f), 0.0f);
    return menu::KeyedBmpPicture("graphics\\cr_" + language + ".bmp", canvas, menu::kKeyBlack);
}

}  // namespace kr::makedata::help
