#include "frontend/main_menu.hpp"

#include <array>
#include <string>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/info_screens.hpp"
#include "frontend/menu_scene.hpp"
#include "frontend/menu_widgets.hpp"
#include "frontend/profile_creation.hpp"

namespace kr::frontend {

namespace {

struct MenuButton {
    int label;       // text number
    int top, bottom; // of the panel
    HitRect hit;
    int labelY, shadowY;
};

constexpr std::array<MenuButton, kMainMenuButtons> kButtons{{
    {12, 210, 274, {60, 219, 290, 260}, 230, 232},
    {13, 280, 344, {60, 286, 290, 333}, 300, 302},
    {14, 350, 414, {60, 362, 290, 403}, 370, 372},
    {15, 420, 484, {60, 427, 290, 471}, 440, 442},
    {16, 490, 554, {60, 496, 290, 542}, 510, 512},
    {17, 560, 624, {60, 566, 290, 614}, 580, 582},
    {18, 645, 709, {60, 651, 290, 700}, 668, 670},
}};

constexpr int kCaptionPhases = 14;
constexpr int kFirstCaptionText = 77;

void DrawPictures(Game& game) {
    Engine& engine = *game.engine;
    const MainMenuState& menu = game.mainMenu;
    engine.Begin2D();
    DrawWideScreenFrame(game);
    engine.DrawTexture(engine.TextureId("as"), 5, 5, 261, 133, Corners::All({1, 1, 1, 0.1f}));
    Corners shadow = Corners::All({0, 0, 0, 0.2f});
    shadow.bottomRight = {1, 1, 1, 0.2f};
    engine.DrawTexture(engine.TextureId("kravlogo"), 357, 127, 869, 639, shadow);
    auto logoAlpha = static_cast<float>(game.menuPulse.MenuPulse / 10 + 0.05);
    engine.DrawTexture(engine.TextureId("kravlogo"), 356, 128, 868, 640, Corners::All({1, 1, 1, logoAlpha}));
    engine.DrawTexture(engine.TextureId("p256x512"), 10, 200, 266, 712, Corners::All({1, 1, 1, 0.9f}));
    for (int k = 1; k <= kMainMenuButtons; ++k) {
        const MenuButton& b = kButtons[k - 1];
        auto shift = static_cast<float>(menu.HoverValue[k] * 9);
        engine.DrawTexture(engine.TextureId("p256x64"), shift + 50, static_cast<float>(b.top), shift + 306,
                           static_cast<float>(b.bottom));
    }
    engine.End2D();
}

void DrawLabels(Game& game) {
    Engine& engine = *game.engine;
    int font = engine.FontId("Font22");
    for (int k = 1; k <= kMainMenuButtons; ++k) {
        const MenuButton& b = kButtons[k - 1];
        double h = game.mainMenu.HoverValue[k];
        auto hf = static_cast<float>(h);
        std::string_view label = game.langText[b.label].View();
        engine.DrawText(label, static_cast<float>(static_cast<int>(h * 40 + 80)),
                        static_cast<float>(static_cast<int>(b.labelY - h * 3)), {0.9f, hf + 0.4f, hf + 0.4f, hf + 0.5f},
                        font);
        engine.DrawText(label, static_cast<float>(static_cast<int>(h * 10 + 78)), static_cast<float>(b.shadowY),
                        {0, 0, 0, 0.8f - hf}, font);
    }
}

// Caption c shows in phases 2c - 2 (rising) and 2c - 1 (falling).
void DrawCaption(Game& game) {
    const MainMenuState& menu = game.mainMenu;
    if (menu.CaptionPhase >= kCaptionPhases) return;
    Engine& engine = *game.engine;
    int caption = menu.CaptionPhase / 2 + 1;
    std::string_view text = game.langText[kFirstCaptionText + caption].View();
    auto f = static_cast<float>(menu.CaptionFade);
    bool first = menu.CaptionPhase == 0;
    float y = first ? f * 100 + 570 : 670;
    float shadowY = first ? 771 - f * 100 : 671;
    int font = engine.FontId("Font22");
    engine.DrawText(text, static_cast<float>(static_cast<int>(f * 200 + 380)), static_cast<float>(static_cast<int>(y)),
                    {f, f, f, f * 0.8f}, font);
    engine.DrawText(text, static_cast<float>(static_cast<int>(781 - f * 200)),
                    static_cast<float>(static_cast<int>(shadowY)), {0.3f * f, 0.3f * f, 0.3f * f, 0.5f * f}, font);
}

void DrawTexts(Game& game) {
    Engine& engine = *game.engine;
    engine.BeginText();
    engine.DrawText("DEMO", 677, 404, {0.9f, 0.9f, 0.9f, 0.7f}, engine.FontId("Font42"));
    DrawLabels(game);
    DrawCaption(game);
    engine.EndText();
}

// Rising phases are even, falling ones odd; a phase that ends lets the
// next one start in the same frame.
void AdvanceCaptions(MainMenuState& menu, double frameMs) {
    std::uint8_t& phase = menu.CaptionPhase;
    double& fade = menu.CaptionFade;
    if (phase % 2 == 0 && phase < kCaptionPhases) {
        bool slow = phase == 8 || phase == 10 || phase == 12;
        if (fade < 1) fade += frameMs * (slow ? 0.00009 : 0.0001);
        if (fade > 1) {
            fade = 1;
            ++phase;
        }
    }
    if (phase % 2 == 1) {
        if (fade > 0) fade -= frameMs * 0.0001;
        if (fade < 0) {
            fade = 0;
            ++phase;
        }
    }
}

void Animate(Game& game) {
    TurnBackdrop(game, 0.004, 0.001);
    UpdateMenuPulse(game);
    AdvanceCaptions(game.mainMenu, game.engine->FrameTimeMs());
    DecayHover(game.mainMenu.HoverValue, game.engine->FrameTimeMs());
}

void OpenCredits(Game& game) {
    Engine& engine = *game.engine;
    game.GlowColour = {0.4f, 0.4f, 0.4f, 0.5f};
    engine.SetGlowColour(game.GlowColour, 2.0f, 3.0f);
    PlaySound(game, 19);
    game.ScreenId = screen_id::Credits;
    StopMusic(game, 0);
    game.credits.CreditsScroll = 300 - game.settings.ScreenWidth;
    game.menu.CreditsLogo1.Show();
    game.menu.CreditsLogo2.Show();
    ReplaceTexture(engine, "cr", "graphics\\cr_" + std::string(game.settings.Language.View()) + ".bmp", -16777216);
    PlayMusic(game, 2);
    FadeTransition(game, 3500);
}

void OpenHelp(Game& game) {
    ShowHelpPage(game, 1);
    ClickTo(game, screen_id::Help, 500);
}

// With no pilot at all, the name entry comes first.
void StartGame(Game& game) {
    PlaySound(game, 19);
    game.ScreenId = screen_id::PilotSelection;
    if (!HasAnyPilot(game.profiles)) ProfileCreationScreen(game);
    FadeTransition(game, 500);
}

void Click(Game& game, int button) {
    switch (button) {
        case 1: StartGame(game); break;
        case 2: ClickTo(game, screen_id::Version, 500); break;
        case 3: ClickTo(game, screen_id::TopScores, 500); break;
        case 4: ClickTo(game, screen_id::Options, 500); break;
        case 5: OpenCredits(game); break;
        case 6: OpenHelp(game); break;
        case 7:
            ClickTo(game, screen_id::ExitConfirmation, 200);
            PlaySound(game, 11);
            break;
        default: break;
    }
}

void HitTest(Game& game) {
    MainMenuState& menu = game.mainMenu;
    for (int k = 1; k <= kMainMenuButtons; ++k) {
        if (!HoverButton(game, kButtons[k - 1].hit, k, menu.HoverValue[k], menu.HoverButton)) continue;
        if (game.mouse.MouseButton1) {
            Click(game, k);
            return;
        }
    }
}

}  // namespace

void MainMenuScreen(Game& game) {
    RenderMenuBackdrop(game);
    DrawPictures(game);
    DrawTexts(game);
    Animate(game);
    game.engine->Present();
    HitTest(game);
}

}  // namespace kr::frontend
