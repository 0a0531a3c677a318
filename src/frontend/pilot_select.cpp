#include "frontend/pilot_select.hpp"

#include <array>
#include <string>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_scene.hpp"
#include "frontend/menu_widgets.hpp"
#include "frontend/profile_creation.hpp"

namespace kr::frontend {

namespace {

constexpr double kRowGlowMax = 0.7;
constexpr int kNewSound = 19;
constexpr int kBackSound = 18;

// The rows' pointing bands differ from their drawn boxes: rows 3 to 5 reach
// up to the row above.
constexpr std::array<HitRect, kPilotRows> kRowHits{{
    {215, 220, 690, 300}, {215, 320, 690, 400}, {215, 400, 690, 500}, {215, 500, 690, 600}, {215, 600, 690, 700},
}};
constexpr HitRect kNewHit{734, 211, 831, 252};
constexpr HitRect kDeleteHit{734, 279, 831, 320};
constexpr HitRect kStartHit{734, 657, 831, 695};
constexpr HitRect kBackHit{65, 657, 192, 695};

void DrawPanels(Game& game) {
    Engine& engine = *game.engine;
    const Corners panel = Corners::All({1, 1, 1, 0.9f});
    engine.DrawTexture(engine.TextureId("p512x64"), 200, 130, 712, 194, panel);
    engine.DrawTexture(engine.TextureId("p512x512"), 200, 200, 712, 712, panel);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 200, 848, 264, panel);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 270, 848, 334, panel);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 646, 848, 710, panel);
    engine.DrawTexture(engine.TextureId("p128x64"), 65, 646, 193, 710, panel);
}

void DrawRows(Game& game) {
    Engine& engine = *game.engine;
    for (int k = 1; k <= kPilotRows; ++k) {
        auto top = static_cast<float>(215 + 100 * (k - 1));
        auto glowAlpha = static_cast<float>(game.pilots.RowGlow[k] / 2 + 0.1);
        Corners corners{{0, 0, 0, glowAlpha}, {0, 0, 0, 0.3f}, {0, 0, 0, 0.3f}, {0, 0, 0, glowAlpha}};
        engine.DrawFilledBox(215, top, 697, top + 85, corners);
        if (k == game.ActiveProfile) engine.DrawFilledBox(215, top, 697, top + 85, Corners::All({1, 1, 1, 0.5f}));
    }
}

void DrawButtonCaption(Game& game, int text, int centre, float y, double glow) {
    Engine& engine = *game.engine;
    std::string_view caption = game.langText[text].View();
    engine.DrawText(caption, static_cast<float>(CentredX(game, 22, caption, centre)), y, GlowTextColour(glow),
                    engine.FontId("Font22"));
}

void DrawSlotTexts(Game& game, int k) {
    Engine& engine = *game.engine;
    const ProfileStore& p = game.profiles;
    const int font = engine.FontId("Font22");
    const float b = static_cast<float>(230 + 100 * (k - 1));
    const auto glow = static_cast<float>(game.pilots.RowGlow[k]);
    if (!p.ProfileUsed[k]) {
        std::string_view empty = game.langText[5].View();
        engine.DrawText(empty, static_cast<float>(CentredX(game, 22, empty, 450)), b, {1, 0.2f, 0.2f, glow + 0.3f}, font);
        return;
    }
    std::string name(p.ProfileName[k].View());
    std::string mission = std::to_string(p.ProfileMission[k] + 1);
    std::string title = name + " [" + mission + "/" + std::to_string(p.ProfileDifficulty[k]) + "]";
    int titleX = CentredX(game, 22, name + " [" + mission + "]", 450);
    engine.DrawText(title, static_cast<float>(titleX), b, {1, 0.2f, 0.2f, glow + 0.3f}, font);
    std::string time = std::string(game.langText[6].View()) + " " + std::to_string(p.ProfilePlayTime[k]) + " " +
                       std::string(game.langText[7].View()) + ".";
    engine.DrawText(time, static_cast<float>(CentredX(game, 22, time, 450)), b + 20, {0.2f, 0.4f, 0.5f, glow + 0.3f},
                    font);
    std::string score = std::to_string(p.ProfileScore[k]) + " " + std::string(game.langText[8].View()) + ", " +
                        std::to_string(p.ProfileMoney[k]) + " " + std::string(game.langText[71].View()) + ".";
    engine.DrawText(score, static_cast<float>(CentredX(game, 22, score, 450)), b + 40,
                    {0.3f, 0.4f, 0.4f, glow / 2 + 0.3f}, font);
}

void DrawTexts(Game& game) {
    Engine& engine = *game.engine;
    const PilotSelectState& s = game.pilots;
    std::string_view title = game.langText[1].View();
    int titleX = CentredX(game, 42, title, 445);
    int font42 = engine.FontId("Font42");
    engine.BeginText();
    engine.DrawText(title, static_cast<float>(titleX), 140, {1, 0.3f, 0.3f, 0.5f}, font42);
    engine.DrawText(title, static_cast<float>(titleX + 2), 142, {0, 0, 0, 0.2f}, font42);
    DrawButtonCaption(game, 2, 780, 220, s.NewGlow);
    DrawButtonCaption(game, 3, 780, 290, s.DeleteGlow);
    DrawButtonCaption(game, 4, 780, 666, s.StartGlow);
    DrawButtonCaption(game, 20, 126, 666, s.BackGlow);
    for (int k = 1; k <= kPilotRows; ++k) DrawSlotTexts(game, k);
    engine.EndText();
}

void LoadPilotShipPictures(Game& game) {
    Engine& engine = *game.engine;
    std::string ship = std::to_string(game.profiles.ProfileShip[game.ActiveProfile]);
    ReplaceTexture(engine, "shiplogo", "graphics\\ship" + ship + ".dds", -65536);
    LoadShipSkins(game);
    std::string level = std::to_string(game.profiles.ProfileShipLevel[game.ActiveProfile]);
    game.menu.MenuShip3.SetTexture(engine.TextureId("s" + level + ".dds"), -1);
}

}  // namespace

void StartPilot(Game& game) {
    SaveProfilesIfChanged(game);
    PlaySound(game, 19);
    game.CurrentMission = game.profiles.ProfileMission[game.ActiveProfile];
    std::string picture = LoadMissionText(game.folder, game.settings.Language.View(), game.CurrentMission + 1,
                                          game.CurrentMission, game.missionText);
    ReplaceTexture(*game.engine, "loa1", picture, -327764);
    LoadPilotShipPictures(game);
    game.briefing = {};
    game.ScreenId = screen_id::Hangar;
    FadeTransition(game, 500);
}

namespace {

void DeletePilot(Game& game) {
    ProfileStore& p = game.profiles;
    const int k = game.ActiveProfile;
    PlaySound(game, kBackSound);
    p.ProfileUsed[k] = 0;
    p.ProfileName[k].Assign("");
    p.ProfilePlayTime[k] = 0;
    p.ProfileScore[k] = 0;
    p.ProfileMission[k] = 0;
    p.ProfileDifficulty[k] = 0;
    SaveProfilesIfChanged(game);
}

bool ActiveSlotUsed(const Game& game) {
    return game.ActiveProfile >= 1 && game.ActiveProfile <= kProfileSlots && game.profiles.ProfileUsed[game.ActiveProfile];
}

// The mouse acts on every frame it is held: there is no click edge here.
void HandleMouse(Game& game) {
    PilotSelectState& s = game.pilots;
    const int x = game.mouse.MouseX, y = game.mouse.MouseY;
    const bool pressed = game.mouse.MouseButton1 != 0;
    for (int k = 1; k <= kPilotRows; ++k) {
        if (!kRowHits[k - 1].Contains(x, y)) continue;
        s.RowGlow[k] = kRowGlowMax;
        if (pressed) game.ActiveProfile = k;
    }
    if (kNewHit.Contains(x, y)) {
        s.NewGlow = kRowGlowMax;
        if (pressed && HasEmptySlot(game.profiles)) {
            PlaySound(game, kNewSound);
            ProfileCreationScreen(game);
            SaveProfilesIfChanged(game);
        }
    }
    if (kDeleteHit.Contains(x, y)) {
        s.DeleteGlow = kRowGlowMax;
        if (pressed && game.ActiveProfile >= 1 && game.ActiveProfile <= kProfileSlots) DeletePilot(game);
    }
    if (kStartHit.Contains(x, y)) {
        s.StartGlow = kRowGlowMax;
        if (pressed && ActiveSlotUsed(game)) StartPilot(game);
    }
    if (kBackHit.Contains(x, y)) {
        s.BackGlow = kRowGlowMax;
        if (pressed) {
            PlaySound(game, kBackSound);
            game.ScreenId = screen_id::MainMenu;
            FadeTransition(game, 300);
        }
    }
}

void DecayGlows(Game& game) {
    PilotSelectState& s = game.pilots;
    double dt = game.engine->FrameTimeMs();
    for (double* glow : {&s.NewGlow, &s.DeleteGlow, &s.StartGlow, &s.BackGlow}) Decay(*glow, dt);
}

void DecayRowGlows(Game& game) {
    PilotSelectState& s = game.pilots;
    for (int k = 1; k <= kPilotRows; ++k) Decay(s.RowGlow[k], game.engine->FrameTimeMs());
    if (game.ActiveProfile >= 1 && game.ActiveProfile <= kPilotRows) s.RowGlow[game.ActiveProfile] = kRowGlowMax;
}

}  // namespace

void PilotSelectScreen(Game& game) {
    Engine& engine = *game.engine;
    TurnBackdrop(game, 0.001, 0.001);
    RenderMenuBackdrop(game);
    engine.Begin2D();
    DrawWideScreenFrame(game);
    DrawPanels(game);
    DrawRows(game);
    engine.End2D();
    DrawTexts(game);
    engine.Present();
    AdvancePulse(game.pilots.PilotPulse, engine.FrameTimeMs());
    SetMenuLightStrength(game, game.pilots.PilotPulse.MenuPulse);
    DecayGlows(game);
    HandleMouse(game);
    DecayRowGlows(game);
}

}  // namespace kr::frontend
