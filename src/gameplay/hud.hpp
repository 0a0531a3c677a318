#pragma once
// The mission's head-up display, drawn over the finished 3D frame: time bar,
// radar, weapon bar, heat, life and armour, boss health and the texts.

namespace kr {
struct Game;
}

namespace kr::gameplay {

// Draws the whole HUD in its own 2D and text passes, then fades the
// mission title by the frame time.
void DrawHud(Game& game);

}  // namespace kr::gameplay
