#pragma once
// The pieces the HUD is drawn from, shared by its drawing files.

#include <string_view>

#include "engine/engine.hpp"

namespace kr {
struct Game;
}

namespace kr::gameplay::hud {

// The display size of the settings; the layout hangs off its edges.
struct Screen {
    float w = 1024, h = 768;
};
Screen ScreenOf(const Game& game);

// Draws the texture registered under `name`.
void DrawPicture(Engine& engine, std::string_view name, float x1, float y1, float x2, float y2,
                 const Corners& colours = {});
// Three corners in one colour and the bottom-right one in another.
Corners ThreeAndOne(Colour three, Colour one);

// Weapon bar cells are numbered from the right edge: 1 the main gun, 2 the
// ship's ability, slot s (2..9) of the secondary weapons in cell s + 2.
inline constexpr int kMainGunCell = 1;
inline constexpr int kAbilityCell = 2;
inline constexpr int kFirstSlot = 2, kLastSlot = 9;
inline constexpr int CellOfSlot(int slot) { return slot + 2; }
float CellLeft(const Screen& screen, int cell);

bool OwnsSlot(const Game& game, int slot);
double SlotCooldown(const Game& game, int slot);
double AbilityCooldown(const Game& game);

void DrawWeaponBar(Engine& engine, const Game& game, const Screen& screen);
void DrawTexts(Game& game, const Screen& screen);

}  // namespace kr::gameplay::hud
