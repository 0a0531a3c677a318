#include "app/startup.hpp"

#include "app/game.hpp"
#include "app/screens.hpp"

namespace kr {

DisplayMode DisplayModeFrom(const Settings& s) {
    static constexpr int kSamples[] = {0, 2, 4, 8, 16};
    DisplayMode mode;
    mode.width = s.ScreenWidth;
    mode.height = s.ScreenHeight;
    mode.colourDepth = s.ColourDepth;
    mode.fullScreen = s.WindowMode == 1;
    mode.samples = s.Antialias < 5 ? kSamples[s.Antialias] : 0;
    return mode;
}

void OpenMainWindow(Game& game) {
    game.engine = std::make_unique<Engine>(game.device, game.folder);
    game.engine->InitDisplay(DisplayModeFrom(game.settings));
    game.device.backend().ShowSystemPointer(false);
}

void FormCreate(Game& game) {
    LoadSettings(game.folder, game.settings);
    LoadLanguage(game.folder, game.settings.Language.View(), game.langText);
    LoadHighScores(game.folder, game.highScores);
    OpenMainWindow(game);
    game.ActiveProfile = 1;
    game.ScreenId = screen_id::Startup;
}

namespace {
void SkipIntroVideo(Game& game) {
    if (game.IntroVideoPlaying != 1 || !game.mp) return;
    game.mp->SeekSeconds(game.mp->LengthSeconds());
}
}  // namespace

void FormKeyPress(Game& game) { SkipIntroVideo(game); }

void FormClick(Game& game) { SkipIntroVideo(game); }

void StartupScreen(Game& game) {
    // The intro video plays here; until it is available the screen shows black.
    Engine& engine = *game.engine;
    engine.Clear(false);
    engine.Present();
}

}  // namespace kr
