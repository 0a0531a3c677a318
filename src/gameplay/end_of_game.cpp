#include "gameplay/end_of_game.hpp"

#include <string>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::gameplay {

namespace {

constexpr frontend::HitRect kButton{734, 657, 831, 695};
constexpr double kButtonGlow = 0.7;
constexpr int kPanelCentre = 456;

namespace text {
constexpr int FirstGame = 105, Harder = 106, InTheTable = 111;
}

void DrawPictures(Game& game) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    engine.DrawTexture(engine.TextureId("p512x256"), 183, 83, 729, 373);
    engine.DrawTexture(engine.TextureId("endtlo"), 200, 100, 712, 356);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 646, 848, 710);
    engine.End2D();
}

void DrawCentred(Game& game, const std::string& text, int size, float y, Colour colour) {
    Engine& engine = *game.engine;
    frontend::DrawCentred(game, text, kPanelCentre, y, colour, size, engine.FontId(size == 42 ? "Font42" : "Font22"));
}

void DrawTexts(Game& game) {
    Engine& engine = *game.engine;
    const int pilot = game.ActiveProfile;
    const ProfileStore& p = game.profiles;
    auto lang = [&](int n) { return game.langText[n].Str(); };
    engine.BeginText();
    DrawCentred(game, lang(107), 42, 140, {1, 1, 1, 0.8f});
    DrawCentred(game, lang(108), 22, 180, {1, 0.9f, 0.8f, 0.8f});
    DrawCentred(game, lang(109) + ": " + std::to_string(p.ProfileScore[pilot]), 42, 220, {1, 0.9f, 0.9f, 0.9f});
    // The notes are the end screen's own texts: the first finished game,
    // a place in the table, and the harder next game.
    const int arial = engine.FontId("Arial42");
    const Colour note{1, 1, 1, 0.7f};
    if (p.ProfileGameDone[pilot] != 1) engine.DrawText(" - " + lang(text::FirstGame), 240, 270, note, arial);
    if (EnterHighScore(game.folder, game.random, game.highScores, true, p.ProfileName[pilot].View(),
                       p.ProfileScore[pilot]))
        engine.DrawText(" - " + lang(text::InTheTable), 240, 286, note, arial);
    engine.DrawText(" - " + lang(text::Harder), 240, 302, note, arial);
    const auto g = static_cast<float>(game.backButton.BackHover);
    const std::string_view label = game.langText[4].View();
    engine.DrawText(label, static_cast<float>(780 - frontend::TextWidth(game, 22, label) / 3), 666,
                    {1, g + 0.2f, g + 0.2f, g / 2 + 0.5f}, engine.FontId("Font22"));
    engine.EndText();
}

// The pilot's game is over: its score enters the table and the next game
// starts from nothing, a step harder.
void CloseGame(Game& game) {
    ProfileStore& p = game.profiles;
    const int pilot = game.ActiveProfile;
    PlaySound(game, 18);
    EnterHighScore(game.folder, game.random, game.highScores, false, p.ProfileName[pilot].View(),
                   p.ProfileScore[pilot]);
    p.ProfileDifficulty[pilot] = static_cast<std::uint8_t>(p.ProfileDifficulty[pilot] + 1);
    p.ProfileGameDone[pilot] = 1;
    p.ProfileScore[pilot] = 0;
    SaveProfilesIfChanged(game);
    game.ScreenId = screen_id::TopScores;
    FadeTransition(game, 300);
}

}  // namespace

void EndOfGameScreen(Game& game) {
    Engine& engine = *game.engine;
    frontend::TurnBackdrop(game, -0.005, 0.001);
    frontend::RenderMenuBackdrop(game);
    DrawPictures(game);
    DrawTexts(game);
    engine.Present();
    frontend::SetMenuLightStrength(game, 0.3);
    frontend::Decay(game.backButton.BackHover, engine.FrameTimeMs());
    if (!kButton.Contains(game.mouse.MouseX, game.mouse.MouseY)) return;
    game.backButton.BackHover = kButtonGlow;
    if (game.mouse.MouseButton1 != 0) CloseGame(game);
}

}  // namespace kr::gameplay
