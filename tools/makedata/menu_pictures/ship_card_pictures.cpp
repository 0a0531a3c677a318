// The ships' pictures. s1-s5: technical cards with the ship's plan on a
// blueprint grid, its name and class, length and three ratings; the ship
// selection draws them 153 x 64 at half opacity under two lines of hints,
// so the middle stays quiet (made at those proportions, fitted into
// 256 x 128). ship1-ship5: the pilot's ship in the hangar, 256 x 256 over
// its own black shadow.

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "menu_pictures/picture_groups.hpp"
#include "menu_pictures/ship_art.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/resample.hpp"

namespace kr::makedata::menu {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::Rect;
using toolkit::Segment;

constexpr int kWidth = 256, kHeight = 107;
const vec3 kLine(0.62f, 0.85f, 1.0f);

struct CardFacts {
    const char* role;
    float lengthMetres;
    float agility;   // steering, 0..1
    float ability;   // how soon the ability is ready again, 0..1
    float engines;   // thrust, 0..1
};

// Agility follows the ships' steering margins; the ability rating the
// length of its recharge (shorter is better).
constexpr std::array<CardFacts, 5> kFacts = {{
    {"INTERCEPTOR", 12.4f, 0.79f, 0.85f, 0.7f},
    {"STEALTH RAIDER", 14.8f, 0.61f, 0.55f, 0.45f},
    {"STRIKE FIGHTER", 16.2f, 0.53f, 0.62f, 0.8f},
    {"HEAVY ASSAULT", 18.6f, 0.39f, 0.3f, 0.95f},
    {"PROTOTYPE", 15.4f, 1.0f, 0.72f, 0.75f},
}};

Canvas Blueprint() {
    Canvas canvas(kWidth, kHeight);
    Field shape(kWidth, kHeight);
    toolkit::Fill(shape, Rect{{0.5f, 0.5f}, {kWidth - 0.5f, kHeight - 0.5f}, 10.0f});
    Canvas paper(kWidth, kHeight);
    paper.Generate([](int x, int y) {
        const bool major = x % 32 == 8 || y % 32 == 8;
        const bool minor = x % 8 == 0 || y % 8 == 0;
        const vec3 base(0.03f, 0.06f, 0.1f);
        return Colour(base + kLine * (major ? 0.1f : minor ? 0.04f : 0.0f), 0.88f);
    });
    toolkit::Composite(canvas, paper, shape);
    Field edge(kWidth, kHeight);
    toolkit::Stroke(edge, Rect{{2.0f, 2.0f}, {kWidth - 2.0f, kHeight - 2.0f}, 9.0f}, 1.2f);
    toolkit::Paint(canvas, edge, Colour(kLine, 0.6f));
    Field corners(kWidth, kHeight);
    toolkit::Fill(corners, Segment{{2.0f, 22.0f}, {2.0f, 11.0f}, 2.0f});
    toolkit::Fill(corners, Segment{{2.0f, 11.0f}, {11.0f, 2.0f}, 2.0f});
    toolkit::Fill(corners, Segment{{11.0f, 2.0f}, {30.0f, 2.0f}, 2.0f});
    toolkit::Fill(corners, Segment{{kWidth - 2.0f, kHeight - 22.0f}, {kWidth - 2.0f, kHeight - 11.0f}, 2.0f});
    toolkit::Fill(corners, Segment{{kWidth - 2.0f, kHeight - 11.0f}, {kWidth - 11.0f, kHeight - 2.0f}, 2.0f});
    toolkit::Fill(corners, Segment{{kWidth - 11.0f, kHeight - 2.0f}, {kWidth - 30.0f, kHeight - 2.0f}, 2.0f});
    toolkit::Paint(canvas, corners, Colour(palette::kCrimson * 1.2f, 1.0f));
    toolkit::AddGlow(canvas, corners, palette::kCrimson, 2.0f, 0.5f);
    return canvas;
}

constexpr float kPlanLength = 112.0f;
constexpr vec2 kPlanCentre{172.0f, 47.0f};

void DrawPlan(Canvas& canvas, int ship) {
    const ShipPlan& plan = PlanOf(ship);
    const ShipPlacement at{kPlanCentre, kPlanLength, 0.0f};
    Field inside(kWidth, kHeight);
    toolkit::Fill(inside, Rect{{4.0f, 4.0f}, {kWidth - 4.0f, kHeight - 4.0f}, 8.0f});
    const auto clipped = [&](Field f) {
        toolkit::CombineInto(f, inside, [](float a, float b) { return std::min(a, b); });
        return f;
    };
    toolkit::Paint(canvas, clipped(ShipMask(kWidth, kHeight, plan, at)), Colour(kLine * 0.5f, 0.18f));
    const Field outline = clipped(ShipOutline(kWidth, kHeight, plan, at, 1.3f));
    toolkit::AddGlow(canvas, outline, kLine, 2.0f, 0.25f);
    toolkit::Paint(canvas, outline, Colour(kLine, 0.95f));
    // The axis, and the length along the bottom between end ticks.
    const float tail = kPlanCentre.x - kPlanLength * 0.5f, nose = kPlanCentre.x + kPlanLength * 0.5f;
    Field construction(kWidth, kHeight);
    toolkit::Fill(construction, Segment{{tail - 6.0f, kPlanCentre.y}, {nose + 6.0f, kPlanCentre.y}, 0.7f});
    toolkit::Fill(construction, Segment{{tail, 94.0f}, {nose, 94.0f}, 0.8f});
    toolkit::Fill(construction, Segment{{tail, 90.0f}, {tail, 98.0f}, 0.8f});
    toolkit::Fill(construction, Segment{{nose, 90.0f}, {nose, 98.0f}, 0.8f});
    toolkit::Paint(canvas, construction, Colour(kLine, 0.45f));
}

void DrawFacts(Canvas& canvas, Faces& faces, int ship) {
    const CardFacts& facts = kFacts[static_cast<std::size_t>(ship - 1)];
    Field name(kWidth, kHeight);
    faces.display.Draw(name, PlanOf(ship).name, 19.0f, {12.0f, 5.0f}, 2.0f);
    PaintLabel(canvas, name, Colour(0.95f, 0.96f, 1.0f, 1.0f));
    Field small(kWidth, kHeight);
    faces.plain.Draw(small, facts.role, 10.0f, {13.0f, 25.0f}, 1.0f);
    char length[32];
    std::snprintf(length, sizeof length, "L %.1f M", static_cast<double>(facts.lengthMetres));
    faces.plain.DrawCentred(small, length, 10.0f, {kPlanCentre.x, 99.5f}, 1.0f);
    PaintLabel(canvas, small, Colour(kLine, 0.9f), 0.8f);
    // Ratings: a label and a bar each, along the bottom left.
    const char* labels[] = {"AGI", "ABL", "THR"};
    const float values[] = {facts.agility, facts.ability, facts.engines};
    Field labelText(kWidth, kHeight);
    Field track(kWidth, kHeight), bar(kWidth, kHeight);
    for (int i = 0; i < 3; ++i) {
        const float y = 66.0f + i * 11.0f;
        faces.plain.Draw(labelText, labels[i], 9.0f, {12.0f, y - 5.0f});
        toolkit::Fill(track, Rect{{34.0f, y - 2.0f}, {84.0f, y + 2.0f}});
        toolkit::Fill(bar, Rect{{34.0f, y - 2.0f}, {34.0f + 50.0f * values[i], y + 2.0f}});
    }
    PaintLabel(canvas, labelText, Colour(kLine, 0.8f), 0.6f);
    toolkit::Paint(canvas, track, Colour(kLine, 0.15f));
    toolkit::Paint(canvas, bar, Colour(palette::kCrimson * 1.15f, 1.0f));
    toolkit::AddGlow(canvas, bar, palette::kCrimson, 2.0f, 0.4f);
}

Canvas Card(Faces& faces, int ship) {
    Canvas canvas = Blueprint();
    DrawPlan(canvas, ship);
    DrawFacts(canvas, faces, ship);
    return toolkit::Resampled(canvas, 256, 128);
}

// The ship banking through a turn, nose up and to the right, over a faint
// glow of the hangar's lights.
Canvas HangarPortrait(int ship) {
    constexpr int kSize = 256;
    Canvas canvas(kSize, kSize);
    Field pool(kSize, kSize);
    toolkit::Fill(pool, toolkit::Circle{{128.0f, 136.0f}, 96.0f});
    toolkit::Paint(canvas, toolkit::Blurred(pool, 24.0f), Colour(palette::kCrimson * 0.5f, 0.35f));
    PaintShip(canvas, PlanOf(ship), {{128.0f, 128.0f}, 220.0f, -0.7854f}, 1.0f);
    return WithoutPureRed(canvas);
}

}  // namespace

std::vector<MenuPicture> ShipCardPictures(Faces& faces) {
    std::vector<MenuPicture> pictures;
    for (int ship = 1; ship <= 5; ++ship) {
        pictures.push_back(DdsPicture("graphics\\s" + std::to_string(ship) + ".dds", Card(faces, ship)));
        pictures.push_back(DdsPicture("graphics\\ship" + std::to_string(ship) + ".dds", HangarPortrait(ship)));
    }
    return pictures;
}

}  // namespace kr::makedata::menu
