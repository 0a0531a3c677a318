#pragma once

#include "data/settings.hpp"
#include "engine/backend.hpp"

namespace kr {
struct Game;

// The display the settings ask for: size, depth, window or full screen and
// antialiasing (0..4: off, 2, 4, 8, 16 samples).
DisplayMode DisplayModeFrom(const Settings& settings);

// The main window's creation: settings, texts, high scores, the window, and
// the first screen.
void FormCreate(Game& game);
// Sizes the main window from the settings (the display the intro plays in).
void OpenMainWindow(Game& game);
// Any key or click skips the intro video while it plays: it is sought to
// its end. The key itself is not examined.
void FormKeyPress(Game& game);
void FormClick(Game& game);
// ScreenId 0: shows the intro until it has finished.
void StartupScreen(Game& game);

}  // namespace kr
