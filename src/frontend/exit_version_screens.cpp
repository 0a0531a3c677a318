#include <string>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "frontend/info_screens.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

constexpr HitRect kVersionBackHit{734, 657, 831, 695};
// What follows the version screen's texts 101 and 104.
constexpr const char* kVersionSuffix = " :";
constexpr const char* kMakerSuffix = " 2026";

void DrawExitQuestion(Game& game) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    DrawWideScreenFrame(game);
    engine.DrawTexture(engine.TextureId("p128x128"), 190, 300, 318, 428);
    engine.DrawTexture(engine.TextureId("exit"), 190, 300, 318, 428);
    engine.DrawTexture(engine.TextureId("p512x128"), 336, 300, 848, 428);
    engine.End2D();
    std::string_view question = game.langText[29].View(), hint = game.langText[30].View();
    engine.BeginText();
    engine.DrawText(question, static_cast<float>(CentredX(game, 22, question, 582)), 345, {1, 0.9f, 0.9f, 0.6f},
                    engine.FontId("Font22"));
    engine.DrawText(hint, static_cast<float>(CentredX(game, 16, hint, 582)), 365, {1, 0.6f, 0.6f, 0.6f},
                    engine.FontId("Font16"));
    engine.EndText();
}

void DrawVersion(Game& game) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    DrawWideScreenFrame(game);
    engine.DrawTexture(engine.TextureId("p512x256"), 200, 100, 712, 356);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 646, 848, 710);
    engine.End2D();
    const int font22 = engine.FontId("Font22"), font42 = engine.FontId("Font42");
    const Colour lines{1, 0.7f, 0.8f, 1};
    engine.BeginText();
    engine.DrawText(std::string(game.langText[101].View()) + kVersionSuffix, 280, 150, {1, 0.8f, 0.8f, 1}, font22);
    engine.DrawText("1.0 DEMO", 275, 180, {1, 1, 1, 1}, font42);
    engine.DrawText("1.0 DEMO", 280, 185, {0, 0, 0, 0.5f}, font42);
    engine.DrawText(game.langText[102].View(), 280, 250, lines, font22);
    engine.DrawText(game.langText[103].View(), 280, 270, lines, font22);
    engine.DrawText(std::string(game.langText[104].View()) + kMakerSuffix, 280, 290, lines, font22);
    DrawBackLabel(game, static_cast<float>(780 - TextWidth(game, 22, game.langText[4].View()) / 3), 666,
                  game.backButton.BackHover);
    engine.EndText();
}

}  // namespace

void ExitScreen(Game& game) {
    Engine& engine = *game.engine;
    TurnBackdrop(game, -0.003, 0);
    RenderMenuBackdrop(game);
    DrawExitQuestion(game);
    engine.Present();
    UpdateMenuPulse(game);
    if (game.mouse.MouseButton1) {
        game.ScreenId = screen_id::MainMenu;
        FadeTransition(game, 300);
    }
    if (engine.KeyDown(scan::Escape)) {
        FadeTransition(game, 400);
        throw StopRequested{0};  // the window closes and the program ends
    }
}

void VersionScreen(Game& game) {
    Engine& engine = *game.engine;
    TurnBackdrop(game, -0.005, 0.001);
    RenderMenuBackdrop(game);
    DrawVersion(game);
    engine.Present();
    MenuLightFollowsPointer(game);
    UpdateMenuPulse(game);
    Decay(game.backButton.BackHover, engine.FrameTimeMs());
    if (HoverBackButton(game, kVersionBackHit, true) && game.mouse.MouseButton1) {
        game.ScreenId = screen_id::MainMenu;
        FadeTransition(game, 300);
    }
}

}  // namespace kr::frontend
