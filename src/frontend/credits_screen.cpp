#include <cmath>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/info_screens.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

constexpr int kCreditsTrack = 2;
constexpr int kMenuTrack = 0;

void DrawCredits(Game& game) {
    Engine& engine = *game.engine;
    const auto w = static_cast<float>(game.settings.ScreenWidth), h = static_cast<float>(game.settings.ScreenHeight);
    const auto scroll = static_cast<float>(game.credits.CreditsScroll);
    const int picture = engine.TextureId("cr");
    engine.Begin2D();
    engine.DrawTexture(picture, 2 - scroll, 122, 4 * w - scroll, 634, Corners::All({0, 0, 0, 0.5f}));
    engine.DrawTexture(picture, 0 - scroll, 120, 4 * w - scroll, 632, Corners::All({1, 1, 1, 0.95f}));
    engine.DrawTexture(engine.TextureId("p128x64"), w - 300, h - 100, w - 172, h - 36);
    engine.End2D();
    engine.BeginText();
    int labelX = game.settings.ScreenWidth - 240 - TextWidth(game, 22, game.langText[4].View()) / 2;
    DrawBackLabel(game, static_cast<float>(labelX), h - 80, game.backButton.BackHover);
    engine.EndText();
}

void Animate(Game& game) {
    const double dt = game.engine->FrameTimeMs();
    const int width = game.settings.ScreenWidth;
    const bool pointerLeft = game.mouse.MouseX < static_cast<int>(std::lround(width / 2.0));
    TurnBackdrop(game, pointerLeft ? -0.003 : 0.003, 0);
    double& scroll = game.credits.CreditsScroll;
    if (scroll > width + 4096) scroll = -width;
    scroll += dt * 0.018;
    scene::Mesh& logo1 = game.menu.CreditsLogo1;
    logo1.RotateX(static_cast<float>(dt * 0.001));
    logo1.RotateY(static_cast<float>(dt * 0.002));
    logo1.RotateZ(static_cast<float>(dt * 0.003));
    scene::Mesh& logo2 = game.menu.CreditsLogo2;
    logo2.RotateX(static_cast<float>(dt * -0.003));
    logo2.RotateY(static_cast<float>(dt * -0.002));
    logo2.RotateZ(static_cast<float>(dt * -0.001));
}

// Undoes what the main menu's credits button set up.
void LeaveCredits(Game& game) {
    Engine& engine = *game.engine;
    game.ScreenId = screen_id::MainMenu;
    FadeTransition(game, 300);
    PlaySound(game, 18);
    PlayMusic(game, kMenuTrack);
    StopMusic(game, kCreditsTrack);
    engine.DeleteTexture("cr");
    game.menu.CreditsLogo1.Hide();
    game.menu.CreditsLogo2.Hide();
    game.GlowColour = {1, 1, 1, 1};
    engine.SetGlowColour(game.GlowColour, 0, 0);
}

}  // namespace

void CreditsScreen(Game& game) {
    RenderMenuBackdrop(game);
    DrawCredits(game);
    game.engine->Present();
    Animate(game);
    UpdateMenuPulse(game);
    Decay(game.backButton.BackHover, game.engine->FrameTimeMs());
    const int w = game.settings.ScreenWidth, h = game.settings.ScreenHeight;
    if (!HoverBackButton(game, {w - 300, h - 100, w - 200, h}, false)) return;
    if (game.mouse.MouseButton1 || !game.Music.IsPlaying(kCreditsTrack)) LeaveCredits(game);
}

}  // namespace kr::frontend
