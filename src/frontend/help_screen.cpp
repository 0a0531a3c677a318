#include <string>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/info_screens.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

constexpr int kHelpPages = 22;
constexpr double kPageTurnCooldown = 6.0;
constexpr HitRect kBackHit{734, 657, 831, 695};
constexpr HitRect kNextHit{594, 425, 722, 489};
constexpr HitRect kPreviousHit{190, 425, 318, 489};

void ShowPageNumbered(Game& game) {
    HelpState& h = game.helpScreen;
    if (h.HelpPageNumber == 0) h.HelpPageNumber = kHelpPages;
    if (h.HelpPageNumber > kHelpPages) h.HelpPageNumber = 1;
    if (!game.help.HelpPageLoaded) ShowHelpPage(game, h.HelpPageNumber);
}

void DrawPictures(Game& game) {
    Engine& engine = *game.engine;
    const int page = engine.TextureId("help_tex");
    engine.Begin2D();
    DrawWideScreenFrame(game);
    engine.DrawTexture(engine.TextureId("p512x512"), 200, 100, 712, 612);
    // A faint enlarged copy under the picture lights the panel in its colours.
    engine.DrawTexture(page, 206, 104, 706, 400, Corners::All({1, 1, 1, 0.12f}), {0.3f, 0.1f, 0.9f, 0.9f});
    engine.DrawTexture(page, 226, 113, 690, 242, Corners::All({0, 0, 0, 0.5f}));
    engine.DrawTexture(page, 224, 111, 688, 240, Corners::All({1, 1, 1, 0.9f}));
    engine.DrawTexture(engine.TextureId("p128x64"), 190, 425, 318, 489);
    engine.DrawTexture(engine.TextureId("p128x64"), 594, 425, 722, 489);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 646, 848, 710);
    engine.End2D();
}

void DrawTexts(Game& game) {
    Engine& engine = *game.engine;
    const HelpPage& page = game.help;
    const int font22 = engine.FontId("Font22"), font16 = engine.FontId("Font16"), body = engine.FontId("Arial42");
    engine.BeginText();
    engine.DrawText(page.Title.View(), 352, 157, {0, 0, 0, 0.6f}, font22);
    engine.DrawText(page.Title.View(), 350, 155, {1, 0.4f, 0.4f, 1}, font22);
    engine.DrawText(page.Subtitle.View(), 350, 175, {1, 0.8f, 0.8f, 0.8f}, font16);
    for (int line = 1; line <= 7; ++line)
        engine.DrawText(page.Body[line].View(), 220, static_cast<float>(230 + 20 * line), {0.9f, 0.85f, 0.85f, 0.95f},
                        body);
    engine.DrawText("<<<", 235, 445, {1, 0.5f, 0.5f, 0.9f}, font22);
    engine.DrawText(">>>", 650, 445, {1, 0.5f, 0.5f, 0.9f}, font22);
    DrawBackLabel(game, static_cast<float>(780 - TextWidth(game, 22, game.langText[4].View()) / 3), 666,
                  game.backButton.BackHover);
    engine.EndText();
}

void TurnPage(Game& game, int step) {
    HelpState& h = game.helpScreen;
    game.help.HelpPageLoaded = 0;
    PlaySound(game, 18);
    h.HelpPageNumber += step;
    h.HelpCooldown = kPageTurnCooldown;
}

void HandleMouse(Game& game) {
    const int x = game.mouse.MouseX, y = game.mouse.MouseY;
    const bool pressed = game.mouse.MouseButton1 != 0;
    if (HoverBackButton(game, kBackHit, true) && pressed) {
        game.ScreenId = screen_id::MainMenu;
        FadeTransition(game, 300);
        return;
    }
    if (!pressed || game.helpScreen.HelpCooldown != 0) return;
    if (kNextHit.Contains(x, y)) TurnPage(game, +1);
    else if (kPreviousHit.Contains(x, y)) TurnPage(game, -1);
}

}  // namespace

void ShowHelpPage(Game& game, int page) {
    std::string picture = LoadHelpPage(game.folder, game.settings.Language.View(), page, game.help);
    game.engine->LoadTexture(picture, "help_tex");
}

void HelpScreen(Game& game) {
    Engine& engine = *game.engine;
    Decay(game.helpScreen.HelpCooldown, engine.FrameTimeMs(), 0.01);
    ShowPageNumbered(game);
    TurnBackdrop(game, -0.005, 0.001);
    RenderMenuBackdrop(game);
    DrawPictures(game);
    DrawTexts(game);
    engine.Present();
    UpdateMenuPulse(game);
    Decay(game.backButton.BackHover, engine.FrameTimeMs());
    HandleMouse(game);
}

}  // namespace kr::frontend
