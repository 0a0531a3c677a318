#include "app/logo_screens.hpp"

#include <algorithm>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"

namespace kr {

namespace {

constexpr int kEnterKey = 28, kSpaceKey = 57, kEscapeKey = 1;

void HideCursor(Engine& engine) {
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(false);
}

void AdvanceLogoTimers(Game& game) {
    LogoTimers& t = game.logo;
    t.LogoFade = std::min(t.LogoFade + game.engine->FrameTimeMs() * 0.001, 1.0);
    t.LogoTint = std::min(t.LogoTint + game.engine->FrameTimeMs() * 0.00006, 1.0);
    t.LogoSeconds += game.engine->FrameTimeMs() * 0.001;
    if (t.LogoFade > 0.4 && t.LogoSoundsPlayed == 0) {
        for (int n : {9, 3, 10}) PlaySound(game, n);
        t.LogoSoundsPlayed = 1;
    }
}

// The maker's logo fading in and reddening over the title picture fading out.
void DrawLogoFrame(Game& game) {
    Engine& engine = *game.engine;
    const LogoTimers& t = game.logo;
    auto fade = static_cast<float>(t.LogoFade), tint = static_cast<float>(t.LogoTint);
    auto w = static_cast<float>(game.settings.ScreenWidth);
    engine.Clear(false);
    engine.Begin2D();
    Corners logo = Corners::All({1, 1 - tint, 1 - tint, fade});
    logo.bottomRight = {1 - fade / 2, 1 - fade, 1 - fade, fade};
    engine.DrawTexture(engine.TextureId("velmor"), 0, 0, w, w, logo);
    Corners title = Corners::All({1 - fade, 1 - fade, 1 - fade, 1 - fade});
    title.bottomRight = {1, 1, 1, 1 - fade};
    engine.DrawTexture(engine.TextureId("play"), 0, 0, w, w, title);
    engine.End2D();
    engine.Present();
}

bool LogoLeaves(Game& game) {
    const Engine& engine = *game.engine;
    bool key = engine.KeyDown(kEnterKey) || engine.KeyDown(kSpaceKey) || engine.KeyDown(kEscapeKey);
    return (game.mouse.MouseButton1 && game.logo.LogoSeconds > 3.0) || key || game.logo.LogoSeconds > 14.0;
}

}  // namespace

void LogoScreen(Game& game) {
    AdvanceLogoTimers(game);
    HideCursor(*game.engine);
    DrawLogoFrame(game);
    ReadMouse(game);
    if (!LogoLeaves(game)) return;
    game.ScreenId = screen_id::Title;
    game.mouse.MouseButton1 = 0;
    PlayMusic(game, 0);
    FadeTransition(game, 500);
}

void TitleScreen(Game& game) {
    Engine& engine = *game.engine;
    game.logo.TitleTime += engine.FrameTimeMs() * 0.0009;
    HideCursor(engine);
    engine.Clear(false);
    engine.Begin2D();
    auto w = static_cast<float>(game.settings.ScreenWidth);
    engine.DrawTexture(engine.TextureId("play"), 0, 0, w, w);
    engine.End2D();
    engine.Present();
    ReadMouse(game);
    bool leave = (game.mouse.MouseButton1 && game.logo.TitleTime > 3.0) || game.logo.TitleTime > 10.0;
    if (!leave) return;
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(true);
    game.ScreenId = screen_id::MainMenu;
    game.mouse.MouseButton1 = 0;
}

}  // namespace kr
