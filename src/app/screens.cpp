#include "app/screens.hpp"

#include "app/game.hpp"
#include "app/logo_screens.hpp"
#include "app/startup.hpp"
#include "frontend/main_menu.hpp"
#include "app/timers.hpp"

namespace kr {

ScreenTable::ScreenTable() {
    handlers_[screen_id::Startup] = StartupScreen;
    handlers_[screen_id::Logo] = LogoScreen;
    handlers_[screen_id::Title] = TitleScreen;
    handlers_[screen_id::MainMenu] = frontend::MainMenuScreen;
}

void IdleDispatch(Game& game, const ScreenTable& screens) {
    Device& device = game.device;
    if (!device.backend().HasFocus()) {
        device.WaitWhileUnfocused();
        return;
    }
    if (device.input().KeyPressedThisFrame()) FormKeyPress(game);
    if (device.input().ClickedThisFrame()) FormClick(game);
    long before = device.PresentedFrames();
    if (ScreenHandler handler = screens.Find(game.ScreenId)) handler(game);
    if (device.PresentedFrames() == before) device.Idle();
    RunDueTimers(game);
}

void FadeTransition(Game& game, float durationMs) {
    Engine& engine = *game.engine;
    engine.FadeOut(durationMs);
    do {
        engine.Clear(true);
        engine.Present();
    } while (!engine.FadeFinished());
    engine.FadeIn(durationMs);
}

}  // namespace kr
