#pragma once

#include <string>

#include "app/game.hpp"
#include "data/settings.hpp"
#include "engine/backend.hpp"

namespace kr {

// The intro video, under the game folder.
inline constexpr const char* kIntroVideoFile = "Video\\intro.mpg";

// The display the settings ask for: size, depth, window or full screen and
// antialiasing (0..4: off, 2, 4, 8, 16 samples).
DisplayMode DisplayModeFrom(const Settings& settings);

// The main window's creation: settings, texts, high scores, the window and
// the intro video, and the first screen.
void FormCreate(Game& game);
// Sizes the main window from the settings (the display the intro plays in).
void OpenMainWindow(Game& game);
// Starts the intro video. A video that cannot be played is left out: the
// start-up goes on and the log says why.
void StartIntroVideo(Game& game);
// Any key or click skips the intro video while it plays: it is sought to
// its end. The key itself is not examined.
void FormKeyPress(Game& game);
void FormClick(Game& game);
// ScreenId 0: shows the intro until it has finished, then lets it go,
// starts the engine and loads what the menus need.
void StartupScreen(Game& game);
// Profiles, sounds, music and the menu scene; the logo screen follows.
void LoadStartupData(Game& game);

// The area a picture of w x h fills in the layout, its aspect kept and
// centred (black bars around it).
struct LayoutRect {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
LayoutRect FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

// A line for the engine log. Before the log is open (the sound device and
// the intro come first) it goes to the console at once and is kept for
// WriteEarlyNotes, which the engine initialisation calls once the log is open.
void NoteForLog(Log& log, EarlyNotes& notes, const std::string& line);
void NoteForLog(Game& game, const std::string& line);
void WriteEarlyNotes(Game& game);

}  // namespace kr
