#include "frontend/hangar.hpp"

#include <string>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/screens.hpp"
#include "frontend/menu_widgets.hpp"
#include "mission/mission_start.hpp"

namespace kr::frontend {

namespace {

constexpr int kBriefingLines = 8;
constexpr double kButtonGlow = 0.5;
constexpr int kShownUpgrades = 11;

struct HangarButton {
    int label;
    int centre;
    HitRect hit;
    double HangarGlows::*glow;
};
// All four share one band of the layout: 591 < y < 632.
constexpr HangarButton kBack{20, 210, {153, 591, 257, 632}, &HangarGlows::HangarBackGlow};
constexpr HangarButton kShip{21, 512, {392, 591, 622, 632}, &HangarGlows::HangarShipGlow};
constexpr HangarButton kShop{22, 715, {655, 591, 760, 632}, &HangarGlows::HangarShopGlow};
constexpr HangarButton kLaunch{19, 875, {814, 591, 924, 632}, &HangarGlows::HangarLaunchGlow};

void DrawPanels(Game& game) {
    Engine& engine = *game.engine;
    auto tex = [&](const char* name) { return engine.TextureId(name); };
    engine.DrawTexture(tex("p128x128"), 192, 100, 64, 228);  // mirrored: x1 > x2
    engine.DrawTexture(tex("p512x512"), 200, 100, 712, 612);
    engine.DrawTexture(tex("p256x512"), 720, 100, 976, 612);
    engine.DrawTexture(tex("p128x64"), 146, 580, 274, 644);
    engine.DrawTexture(tex("p256x64"), 384, 580, 640, 644);
    engine.DrawTexture(tex("p128x64"), 648, 580, 776, 644);
    engine.DrawTexture(tex("p128x64"), 808, 580, 936, 644);
    engine.DrawTexture(tex("loa1"), 200, 150, 712, 406);
    engine.DrawTexture(tex("p512x512"), 210, 410, 966, 575);
    engine.DrawTexture(tex("shiplogo"), 725, 125, 981, 381, Corners::All({0, 0, 0, 1}));
    engine.DrawTexture(tex("shiplogo"), 720, 120, 976, 376);
    engine.DrawFilledBox(225, 413, 951, 572, Corners::All({0, 0, 0, 0.9f}));
    if (game.briefing.BriefingStep <= 7) {
        auto alpha = static_cast<float>(5 * game.briefing.BriefingFade);
        engine.DrawTexture(tex("trans"), 804, 413, 952, 563, Corners::All({1, 1, 1, alpha}));
    }
}

void DrawEquipment(Game& game) {
    Engine& engine = *game.engine;
    const int slot = game.ActiveProfile;
    const int weapon = game.profiles.ProfileWeapon[slot];
    engine.DrawTexture(engine.TextureId("i" + std::to_string(weapon + 1)), 740, 275, 760, 295,
                       Corners::All({1, 1, 1, 0.9f}));
    for (int k = 1; k <= kShownUpgrades; ++k) {
        bool owned = game.profiles.ProfileUpgrades[slot][k] > 0;
        float x = k <= 6 ? static_cast<float>(750 + 30 * (k - 1)) : static_cast<float>(760 + 30 * (k - 7));
        float y = k <= 6 ? 325.0f : 355.0f;
        Colour colour = owned ? Colour{1, 1, 1, 0.9f} : Colour{0, 0, 0, 0.4f};
        engine.DrawTexture(engine.TextureId("i" + std::to_string(k + 4)), x, y, x + 20, y + 20, Corners::All(colour));
    }
}

// A text, then its black shadow `offset` pixels right and down.
void DrawWithShadow(Engine& engine, std::string_view text, float x, float y, Colour colour, float shadowAlpha,
                    float offset, int font) {
    DrawTextWithCopy(engine, text, x, y, colour, font, offset, offset, {0, 0, 0, shadowAlpha});
}

void DrawCaptions(Game& game, int font) {
    Engine& engine = *game.engine;
    const Colour caption{1, 0.5f, 0.5f, 0.7f};
    auto label = [&](int text) { return std::string(game.langText[text].View()) + " :"; };
    const int weapon = game.profiles.ProfileWeapon[game.ActiveProfile];
    DrawWithShadow(engine, label(72), 740, 110, caption, 0.5f, 2, font);
    DrawWithShadow(engine, label(75), 740, 250, caption, 0.5f, 2, font);
    DrawWithShadow(engine, label(92 + weapon), 775, 270, {0.9f, 0.7f, 0.4f, 0.7f}, 0.5f, 2, font);
    DrawWithShadow(engine, label(77), 740, 295, caption, 0.5f, 2, font);
}

void DrawBriefing(Game& game, int font) {
    Engine& engine = *game.engine;
    const MissionText& mission = game.missionText;
    std::string title = std::string(game.langText[53].View()) + " " + std::to_string(game.CurrentMission + 1) + " : " +
                        std::string(mission.MissionName.View());
    DrawWithShadow(engine, title, 220, 130, {1, 0.5f, 0.5f, 0.7f}, 0.7f, 1, font);
    const BriefingState& b = game.briefing;
    for (int i = 0; i < kBriefingLines; ++i) {
        if (b.BriefingStep < i) continue;
        bool fading = b.BriefingStep == i;
        auto alpha = static_cast<float>(fading ? b.BriefingFade : 1.0);
        DrawWithShadow(engine, mission.BriefingLines[i + 1].View(), 230, static_cast<float>(410 + 20 * i),
                       {1, 0.5f, 0.5f, alpha}, fading ? alpha : 0.7f, 1, font);
    }
}

void DrawMissionFigures(Game& game, int font) {
    const int font14 = game.engine->FontId("Font14");
    const Colour caption{0.9f, 0.6f, 0.6f, 0.7f}, value{1, 1, 1, 0.7f};
    std::string minutes = std::to_string(game.missionText.SpawnMinutes) + " " + std::string(game.langText[7].View());
    std::string percent = std::to_string(game.missionText.RequiredPercent) + "%";
    DrawCentred(game, game.langText[54].View(), 127, 130, caption, 14, font14);
    DrawCentred(game, minutes, 127, 140, value, 22, font);
    DrawCentred(game, game.langText[55].View(), 127, 170, caption, 14, font14);
    DrawCentred(game, percent, 127, 180, value, 22, font);
}

void DrawButtons(Game& game, int font) {
    for (const HangarButton* button : {&kBack, &kShop, &kShip, &kLaunch}) {
        auto g = static_cast<float>(game.hangar.*(button->glow));
        DrawCentred(game, game.langText[button->label].View(), button->centre, 600, {1, g + 0.3f, g + 0.3f, g + 0.5f},
                    22, font);
    }
}

void DrawTexts(Game& game) {
    Engine& engine = *game.engine;
    const int font = engine.FontId("Font22");
    engine.BeginText();
    DrawCaptions(game, font);
    DrawBriefing(game, font);
    DrawMissionFigures(game, font);
    DrawButtons(game, font);
    engine.EndText();
}

void AdvanceBriefing(Game& game) {
    BriefingState& b = game.briefing;
    b.BriefingFade += game.engine->FrameTimeMs() * 0.0002;
    if (b.BriefingFade >= 1) {
        b.BriefingFade = 0;
        b.BriefingStep += 1;
    }
}

// The hangar's button sounds play even with sound effects switched off.
void Leave(Game& game, int sound, std::uint8_t screen) {
    game.Sound.Play(sound);
    game.ScreenId = screen;
    FadeTransition(game, 400);
}

// The mission number is stored first, so it survives whatever the mission does;
// then the mission is built and the gameplay screen takes over.
void Launch(Game& game) {
    game.Sound.Play(19);
    game.profiles.ProfileMission[game.ActiveProfile] = static_cast<std::uint8_t>(game.CurrentMission & 0xFF);
    SaveProfilesIfChanged(game);
    mission::StartMission(game);
}

bool Over(Game& game, const HangarButton& button) {
    if (!button.hit.Contains(game.mouse.MouseX, game.mouse.MouseY)) return false;
    game.hangar.*(button.glow) = kButtonGlow;
    return game.mouse.MouseButton1 != 0;
}

void HandleMouse(Game& game) {
    if (Over(game, kBack)) Leave(game, 18, screen_id::PilotSelection);
    else if (Over(game, kShop)) Leave(game, 18, screen_id::Shop);
    else if (Over(game, kShip)) Leave(game, 19, screen_id::ShipSelection);
    else if (Over(game, kLaunch)) Launch(game);
}

}  // namespace

void HangarScreen(Game& game) {
    Engine& engine = *game.engine;
    TurnBackdrop(game, -0.002, 0);
    RenderMenuBackdrop(game);
    engine.Begin2D();
    DrawWideScreenFrame(game);
    DrawPanels(game);
    DrawEquipment(game);
    engine.End2D();
    DrawTexts(game);
    engine.Present();
    AdvanceBriefing(game);
    HangarGlows& glows = game.hangar;
    for (double* glow : {&glows.HangarBackGlow, &glows.HangarShopGlow, &glows.HangarShipGlow, &glows.HangarLaunchGlow})
        Decay(*glow, engine.FrameTimeMs());
    HandleMouse(game);
}

}  // namespace kr::frontend
