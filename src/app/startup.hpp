#pragma once

namespace kr {
struct Game;

// The main window's creation: settings, texts, high scores, the window, and
// the first screen.
void FormCreate(Game& game);
// Sizes the main window from the settings (the display the intro plays in).
void OpenMainWindow(Game& game);
// ScreenId 0: shows the intro until it has finished.
void StartupScreen(Game& game);

}  // namespace kr
