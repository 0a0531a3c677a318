// The weapon bar along the bottom right: a cell per weapon with its frame
// and icon, the icon fading in as the weapon cools down.

#include <algorithm>
#include <string>

#include "app/game.hpp"
#include "gameplay/hud_parts.hpp"

namespace kr::gameplay::hud {

namespace {

constexpr int kShipTypes = 5;
constexpr int kGunTypes = 4;
constexpr double kOverheatFrameFrom = 79;
constexpr double kHeatScale = 110;  // full heat still leaves the gun icon faintly visible
constexpr float kCellWidth = 40;
// Heights above the bottom edge.
constexpr float kFrameTop = 60, kInnerTop = 50, kCellBottom = 10;
constexpr float kIconInset = 2;

int ShipType(const Game& game) { return game.profiles.ProfileShip[game.ActiveProfile]; }

// Entries outside the table (a corrupt ship type) read its nearest end.
double CooldownEntry(const Game& game, int entry) {
    const int inTable = std::clamp(entry, 0, mission::kWeaponCooldowns - 1);
    return game.mission.WeaponCooldown[static_cast<std::size_t>(inTable)];
}

double SelectedCooldown(const Game& game) {
    const int selected = game.player.SelectedWeapon;
    return selected == 0 ? AbilityCooldown(game) : SlotCooldown(game, selected);
}

// 0.9 when ready, falling to nothing as the cooldown reaches 45.
float ReadyShade(double cooldown) { return static_cast<float>(std::clamp(0.9 - cooldown / 50, 0.0, 1.0)); }

void DrawCellFrame(Engine& engine, std::string_view name, const Screen& s, int cell, float top,
                   const Corners& colours = {}) {
    const float left = CellLeft(s, cell);
    DrawPicture(engine, name, left, s.h - top, left + kCellWidth, s.h - kCellBottom, colours);
}

void DrawIcon(Engine& engine, std::string_view name, const Screen& s, int cell, const Corners& colours) {
    const float left = CellLeft(s, cell) + kIconInset;
    DrawPicture(engine, name, left, s.h - kInnerTop + kIconInset, left + kCellWidth - 2 * kIconInset,
                s.h - kCellBottom - kIconInset, colours);
}

void DrawFrames(Engine& engine, const Game& game, const Screen& s) {
    const bool overheated = game.player.GunHeat >= kOverheatFrameFrom;
    DrawCellFrame(engine, overheated ? "i_tlo10" : "i_tlo1", s, kMainGunCell, kFrameTop);
    const int selectedCell = game.player.SelectedWeapon + 2;  // the ability (0) sits in cell 2
    DrawCellFrame(engine, SelectedCooldown(game) > 0 ? "i_tlo20" : "i_tlo2", s, selectedCell, kFrameTop);
    const Colour faint{1, 1, 1, 0.1f}, brighter{1, 1, 1, 0.2f};
    const Corners glass{faint, faint, brighter, brighter};
    DrawCellFrame(engine, "i_tlo", s, kMainGunCell, kInnerTop, glass);
    DrawCellFrame(engine, "i_tlo", s, kAbilityCell, kInnerTop, glass);
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
        if (OwnsSlot(game, slot)) DrawCellFrame(engine, "i_tlo", s, CellOfSlot(slot), kInnerTop, glass);
}

void DrawAbilityIcon(Engine& engine, const Game& game, const Screen& s) {
    const int ship = std::clamp(ShipType(game), 1, kShipTypes);
    const Colour tint{1, 1, 1, ReadyShade(AbilityCooldown(game))};
    DrawIcon(engine, "i_spec" + std::to_string(ship), s, kAbilityCell, Corners::All(tint));
}

void DrawSecondaryIcons(Engine& engine, const Game& game, const Screen& s) {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (!OwnsSlot(game, slot)) continue;
        const float c = ReadyShade(SlotCooldown(game, slot));
        DrawIcon(engine, "i" + std::to_string(slot + 9), s, CellOfSlot(slot), Corners::All({1, c, c, c}));
    }
}

// Drawn twice: a red glow that grows with the heat, then the icon itself
// fading out over it.
void DrawMainGunIcon(Engine& engine, const Game& game, const Screen& s) {
    const int weapon = game.profiles.ProfileWeapon[game.ActiveProfile];
    const std::string name = "i" + std::to_string(weapon < kGunTypes ? weapon + 1 : 1);
    const auto h = static_cast<float>(game.player.GunHeat / kHeatScale);
    const Colour cool{1 - h, 1 - h, 1 - h, 1 - h};
    DrawIcon(engine, name, s, kMainGunCell, ThreeAndOne({h, 0, 0, h}, cool));
    DrawIcon(engine, name, s, kMainGunCell, Corners::All(cool));
}

}  // namespace

float CellLeft(const Screen& screen, int cell) { return screen.w - 45.0f * static_cast<float>(cell) - 5; }

bool OwnsSlot(const Game& game, int slot) { return game.profiles.ProfileUpgrades[game.ActiveProfile][slot + 5] >= 1; }

double SlotCooldown(const Game& game, int slot) { return CooldownEntry(game, slot - 1); }

double AbilityCooldown(const Game& game) { return CooldownEntry(game, 8 + ShipType(game)); }

void DrawWeaponBar(Engine& engine, const Game& game, const Screen& screen) {
    DrawFrames(engine, game, screen);
    DrawAbilityIcon(engine, game, screen);
    DrawSecondaryIcons(engine, game, screen);
    DrawMainGunIcon(engine, game, screen);
}

}  // namespace kr::gameplay::hud
