#include "app/screens.hpp"

#include "app/game.hpp"
#include "app/logo_screens.hpp"
#include "app/startup.hpp"
#include "frontend/hangar.hpp"
#include "frontend/info_screens.hpp"
#include "frontend/main_menu.hpp"
#include "frontend/options_screen.hpp"
#include "frontend/pilot_select.hpp"
#include "frontend/profile_creation.hpp"
#include "frontend/ship_select.hpp"
#include "frontend/shop.hpp"
#include "frontend/top_scores.hpp"
#include "app/timers.hpp"
#include "gameplay/end_of_game.hpp"
#include "gameplay/mission_frame.hpp"

namespace kr {

namespace {
// No screen sets this id; reached anyway, the name entry runs when a slot is
// free and the pilot selection follows.
void OpenProfileCreation(Game& game) {
    if (HasEmptySlot(game.profiles)) frontend::ProfileCreationScreen(game);
    game.ScreenId = screen_id::PilotSelection;
}
}  // namespace

ScreenTable::ScreenTable() {
    handlers_[screen_id::Startup] = StartupScreen;
    handlers_[screen_id::Logo] = LogoScreen;
    handlers_[screen_id::Title] = TitleScreen;
    handlers_[screen_id::MainMenu] = frontend::MainMenuScreen;
    handlers_[screen_id::PilotSelection] = frontend::PilotSelectScreen;
    handlers_[screen_id::ProfileCreation] = OpenProfileCreation;
    handlers_[screen_id::Credits] = frontend::CreditsScreen;
    handlers_[screen_id::Options] = frontend::OptionsFrame;
    handlers_[screen_id::TopScores] = frontend::TopScoreScreen;
    handlers_[screen_id::Help] = frontend::HelpScreen;
    handlers_[screen_id::Hangar] = frontend::HangarScreen;
    handlers_[screen_id::ShipSelection] = frontend::ShipSelectScreen;
    handlers_[screen_id::Shop] = frontend::ShopScreen;
    handlers_[screen_id::Mission] = gameplay::MissionFrame;
    handlers_[screen_id::EndOfGame] = gameplay::EndOfGameScreen;
    handlers_[screen_id::ExitConfirmation] = frontend::ExitScreen;
    handlers_[screen_id::Version] = frontend::VersionScreen;
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
