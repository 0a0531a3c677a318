// The HUD's texts: warnings, points, cooldown numbers, the message log, the
// mission title and the kill ratio. Most are followed by a black copy a
// pixel or two aside, which reads as a shadow over the busy scene.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "app/game.hpp"
#include "engine/text/cp1250.hpp"
#include "frontend/menu_widgets.hpp"
#include "gameplay/hud_parts.hpp"

namespace kr::gameplay::hud {

using frontend::DrawTextWithCopy;

namespace {

constexpr int kOverheatText = 115, kPointsText = 52, kHeatText = 73;
constexpr double kOverheatWarningAbove = 75, kHotLabelAbove = 95;
constexpr double kAbilityNumberBelow = 145, kSlotNumberBelow = 100;
constexpr float kKillRatioRight = 150;

struct Fonts {
    int font22, font42, arial22, arial42;
};

Fonts FindFonts(const Engine& engine) {
    return {engine.FontId("Font22"), engine.FontId("Font42"), engine.FontId("Arial22"), engine.FontId("Arial42")};
}

// Halves go to the even neighbour.
std::string Rounded(double value) { return std::to_string(std::lrint(value)); }

void DrawOverheatWarning(Game& game, const Screen& s, const Fonts& f) {
    if (game.player.GunHeat <= kOverheatWarningAbove) return;
    const std::string_view warning = game.langText[kOverheatText].View();
    const auto x = static_cast<float>(frontend::CentredX(game, 22, warning, static_cast<int>(s.w / 2)));
    DrawTextWithCopy(*game.engine, warning, x, s.h - 120, {1, 0.3f, 0.3f, 0.9f}, f.font22, 2, 2, {0, 0, 0, 0.7f});
}

void DrawPoints(Game& game, const Screen& s, const Fonts& f) {
    Engine& engine = *game.engine;
    const std::string label = std::string(game.langText[kPointsText].View()) + ":";
    DrawTextWithCopy(engine, label, 40, s.h - 70, {1, 0.5f, 0.4f, 1}, f.arial42, 1, 1, {0, 0, 0, 0.5f});
    const std::string score = std::to_string(game.mission.MissionScore);
    DrawTextWithCopy(engine, score, 50, s.h - 59, {0.8f, 0.8f, 0.9f, 1}, f.font22, 1, 1, {0, 0, 0, 0.5f});
}

void DrawHeatLabel(Game& game, const Screen& s, const Fonts& f) {
    const Colour colour = game.player.GunHeat > kHotLabelAbove ? Colour{1, 0.5f, 0.5f, 1} : Colour{1, 0.5f, 0.4f, 1};
    DrawTextWithCopy(*game.engine, game.langText[kHeatText].View(), 165, s.h - 73, colour, f.arial22, 1, 1,
                 {0, 0, 0, 1});
}

// A cooling weapon's count, low over its cell.
void DrawCellCooldown(Engine& engine, const Screen& s, int cell, double cooldown, double shownBelow, int font) {
    if (cooldown <= 0 || cooldown >= shownBelow) return;
    DrawTextWithCopy(engine, Rounded(cooldown), CellLeft(s, cell) + 15, s.h - 10, {1, 1, 1, 0.9f}, font, -1, -1,
                 {0, 0, 0, 0.9f});
}

// Unowned weapons are held at 100, so they show no number.
void DrawCooldownNumbers(Game& game, const Screen& s, const Fonts& f) {
    Engine& engine = *game.engine;
    DrawCellCooldown(engine, s, kAbilityCell, AbilityCooldown(game), kAbilityNumberBelow, f.arial22);
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
        DrawCellCooldown(engine, s, CellOfSlot(slot), SlotCooldown(game, slot), kSlotNumberBelow, f.arial22);
}

// Older lines fade; the newest (line 10) is nearly opaque.
void DrawMessageLog(Game& game, const Fonts& f) {
    for (int i = 1; i <= mission::kMessageLines; ++i) {
        const mission::MessageLine& line = game.mission.Messages[i];
        if (line.Text.View().empty()) continue;
        const auto alpha = static_cast<float>(std::min(i / 11.0 + 0.1, 0.99));
        const Colour colour{static_cast<float>(line.Red), static_cast<float>(line.Green),
                            static_cast<float>(line.Blue), alpha};
        const auto y = static_cast<float>(160 - 15 * i);
        DrawTextWithCopy(*game.engine, line.Text.View(), 10, y, colour, f.font22, 2, 2, {0, 0, 0, alpha});
    }
}

// Both lines are placed by the width of the name.
void DrawMissionTitle(Game& game, const Screen& s, const Fonts& f) {
    const double fade = game.mission.TitleFade;
    if (fade <= 0) return;
    const auto shade = static_cast<float>(fade);
    const Colour colour{shade, shade, shade, shade};
    const std::string name = text::UpperCaseCp1250(game.missionText.MissionName.View());
    const std::string number = "--[ " + std::to_string(game.CurrentMission + 1) + " ]--";
    const auto wide = static_cast<float>(frontend::TextWidth(game, 62, name));
    const auto narrow = static_cast<float>(frontend::TextWidth(game, 42, name));
    game.engine->DrawText(number, s.w / 2 - wide / 2.5f, 225, colour, f.font22);
    game.engine->DrawText(name, s.w / 2 - 50 - narrow / 3, 240, colour, f.font42);
}

// Destroyed against created, in percent; more kills than were counted
// still read 100.
std::int64_t KillPercent(const mission::MissionState& m) {
    const double created = m.EnemiesCreated + 1.0;
    if (created <= 0) return 0;
    return std::clamp<std::int64_t>(std::llrint(100.0 * m.EnemiesDestroyed / created), 0, 100);
}

void DrawKillRatio(Game& game, const Screen& s, const Fonts& f) {
    const std::string ratio = std::to_string(KillPercent(game.mission)) + "%";
    const float x = kKillRatioRight - game.engine->MeasureText(ratio, f.font22);
    game.engine->DrawText(ratio, x, s.h - 115, {1, 1, 1, 0.8f}, f.font22);
}

}  // namespace

void DrawTexts(Game& game, const Screen& screen) {
    const Fonts fonts = FindFonts(*game.engine);
    DrawOverheatWarning(game, screen, fonts);
    DrawPoints(game, screen, fonts);
    DrawHeatLabel(game, screen, fonts);
    DrawCooldownNumbers(game, screen, fonts);
    DrawMessageLog(game, fonts);
    DrawMissionTitle(game, screen, fonts);
    DrawKillRatio(game, screen, fonts);
}

}  // namespace kr::gameplay::hud
