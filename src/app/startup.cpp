#include "app/startup.hpp"

#include "app/game.hpp"
#include "app/screens.hpp"

namespace kr {

void OpenMainWindow(Game& game) {
    const Settings& s = game.settings;
    DisplayMode mode;
    mode.width = s.ScreenWidth;
    mode.height = s.ScreenHeight;
    mode.colourDepth = s.ColourDepth;
    mode.fullScreen = s.WindowMode == 1;
    game.engine = std::make_unique<Engine>(game.device, game.folder);
    game.engine->InitDisplay(mode);
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

void StartupScreen(Game& game) {
    // The intro video plays here; until it is available the screen shows black.
    Engine& engine = *game.engine;
    engine.Clear(false);
    engine.Present();
}

}  // namespace kr
