#include "frontend/top_scores.hpp"

#include <string>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

constexpr double kButtonGlow = 0.7;
constexpr HitRect kBackHit{734, 657, 831, 695};
constexpr HitRect kSubmitHit{420, 657, 650, 695};
constexpr const char* kSubmitProgram = "submit";
constexpr std::size_t kRowLabelLimit = 33;

void DrawPictures(Game& game) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    DrawWideScreenFrame(game);
    engine.DrawTexture(engine.TextureId("p512x512"), 200, 100, 712, 612);
    engine.DrawTexture(engine.TextureId("puchar"), 200, 110, 328, 238);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 646, 848, 710);
    engine.DrawTexture(engine.TextureId("p256x64"), 420, 646, 676, 710);
    engine.End2D();
}

void DrawTexts(Game& game) {
    Engine& engine = *game.engine;
    const BackButtonState& b = game.backButton;
    const int font22 = engine.FontId("Font22"), font42 = engine.FontId("Font42");
    engine.BeginText();
    DrawBackLabel(game, static_cast<float>(780 - TextWidth(game, 22, game.langText[4].View()) / 3), 666, b.BackHover);
    engine.DrawText(game.langText[110].View(), 460, 666, GlowTextColour(b.SubmitHover), font22);
    std::string_view title = game.langText[50].View();
    int third = TextWidth(game, 42, title) / 3;
    engine.DrawText(title, static_cast<float>(450 - third), 170, {1, 1, 1, 0.4f}, font42);
    engine.DrawText(title, static_cast<float>(460 - third), 180, {0, 0, 0, 0.3f}, font42);
    engine.DrawText(game.langText[51].View(), 230, 240, {0.6f, 0.6f, 0.6f, 0.8f}, font22);
    engine.DrawText(game.langText[52].View(), 550, 240, {0.6f, 0.6f, 0.6f, 0.8f}, font22);
    for (int k = 1; k <= kHighScoreEntries; ++k) {
        Colour colour{0.9f - 0.01f * static_cast<float>(k - 1), 0.6f, 0.6f, 0.8f};
        auto y = static_cast<float>(240 + 20 * k);
        engine.DrawText(ScoreRowLabel(k, game.highScores.HighScoreName[k].View()), 230, y, colour, font22);
        engine.DrawText(std::to_string(game.highScores.HighScoreValue[k]), 550, y, colour, font22);
    }
    engine.EndText();
}

// One start per press: holding the button does not start it again.
void Submit(Game& game) {
    BackButtonState& b = game.backButton;
    if (b.SubmitHeld) return;
    b.SubmitHeld = true;
    PlaySound(game, 5);
    game.engine->SetMousePosition(game.settings.ScreenWidth / 2, game.settings.ScreenHeight / 2);
    game.programs.Start(game.folder.root() / kSubmitProgram, game.folder.root(), game.device.log());
}

void HandleMouse(Game& game) {
    BackButtonState& b = game.backButton;
    const int x = game.mouse.MouseX, y = game.mouse.MouseY;
    if (!game.mouse.MouseButton1) b.SubmitHeld = false;
    if (kBackHit.Contains(x, y)) {
        b.BackHover = kButtonGlow;
        if (game.mouse.MouseButton1) {
            SaveProfilesIfChanged(game);
            game.ScreenId = screen_id::MainMenu;
            FadeTransition(game, 300);
            return;
        }
    }
    if (kSubmitHit.Contains(x, y)) {
        b.SubmitHover = kButtonGlow;
        if (game.mouse.MouseButton1) Submit(game);
    }
}

}  // namespace

std::string ScoreRowLabel(int k, std::string_view name) {
    std::string label = std::to_string(k) + ". " + std::string(name);
    if (label.size() > kRowLabelLimit) label.resize(kRowLabelLimit);
    return label;
}

void TopScoreScreen(Game& game) {
    Engine& engine = *game.engine;
    TurnBackdrop(game, -0.003, 0.001);
    RenderMenuBackdrop(game);
    DrawPictures(game);
    DrawTexts(game);
    engine.Present();
    MenuLightFollowsPointer(game);
    Decay(game.backButton.BackHover, engine.FrameTimeMs());
    Decay(game.backButton.SubmitHover, engine.FrameTimeMs());
    HandleMouse(game);
}

}  // namespace kr::frontend
