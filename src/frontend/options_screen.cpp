#include "frontend/options_screen.hpp"

#include <array>
#include <string>

#include "app/game.hpp"
#include "app/init_engine.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_scene.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

constexpr double kTabGlow = 0.5;
constexpr double kRowGlow = 0.4;
constexpr int kTabSound = 19;
constexpr int kRowSound = 17;
constexpr int kAcceptSound = 18;

constexpr int kOffText = 41;
constexpr int kOnText = 40;

struct Tab {
    const char* icon;
    float top;
    HitRect hit;
};
constexpr std::array<Tab, kOptionsTabs> kTabs{{
    {"set_3", 126, {206, 133, 308, 240}},
    {"set_2", 316, {206, 326, 308, 433}},
    {"set_1", 506, {206, 515, 308, 618}},
}};
constexpr HitRect kAcceptHit{457, 661, 563, 699};

// A graphics row: its caption, where it sits, the settings byte it cycles.
struct GraphicsRow {
    int caption;
    int y;
    HitRect hit;
    std::uint8_t Settings::*field;
    std::uint8_t maximum;
};
constexpr std::array<GraphicsRow, kOptionsRows> kGraphicsRows{{
    {31, 270, {371, 268, 851, 316}, &Settings::WindowMode, 1},
    {32, 330, {371, 326, 851, 370}, &Settings::Antialias, 4},
    {33, 390, {371, 386, 851, 432}, &Settings::FilterLevel, 4},
    {34, 450, {371, 446, 851, 490}, &Settings::GlowEnabled, 1},
    {35, 510, {371, 508, 851, 553}, &Settings::LightingLevel, 1},
    {36, 570, {371, 568, 851, 612}, &Settings::DetailLevel, 2},
}};

struct SoundRow {
    int caption;
    int captionY, valueY;
    HitRect hit;
    std::uint8_t Game::*flag;
    int onText, offText;
};
constexpr std::array<SoundRow, 3> kSoundRows{{
    {38, 270, 300, {380, 270, 540, 380}, &Game::SoundEnabled, kOnText, kOffText},
    {37, 390, 420, {380, 390, 540, 490}, &Game::MusicEnabled, kOnText, kOffText},
    {112, 510, 540, {380, 530, 540, 590}, &Game::JoystickEnabled, 113, 114},
}};

struct LanguageRow {
    const char* label;
    const char* language;
    int y;
    HitRect hit;
};
constexpr std::array<LanguageRow, 2> kLanguageRows{{
    {"[ POLISH ]", "polish", 280, {371, 266, 851, 311}},
    {"[ ENGLISH ]", "english", 340, {371, 326, 851, 368}},
}};

constexpr const char* kMultiplierLabels[] = {"> 2x <", "> 4x <", "> 8x <", "> 16x <"};

std::string GraphicsValue(const Game& game, int row, std::uint8_t value) {
    if (row == 6) return std::string(game.langText[45 + std::min<int>(value, 2)].View());
    if ((row == 2 || row == 3) && value >= 1 && value <= 4) return kMultiplierLabels[value - 1];
    return std::string(game.langText[value == 0 ? kOffText : kOnText].View());
}

Colour CaptionColour(double glow) {
    auto g = static_cast<float>(glow);
    return {1, 0.75f + g / 2, 0.75f + g / 2, 0.7f + g / 2};
}

Colour ValueColour(double glow) {
    auto g = static_cast<float>(glow);
    return {1, 0.35f + g, 0.35f + g, 0.85f + g / 3};
}

void DrawPictures(Game& game) {
    Engine& engine = *game.engine;
    const OptionsState& s = game.options;
    engine.Begin2D();
    DrawWideScreenFrame(game);
    for (int t = 0; t < kOptionsTabs; ++t) {
        const Tab& tab = kTabs[t];
        engine.DrawTexture(engine.TextureId("p128x128"), 198, tab.top, 326, tab.top + 128);
        auto alpha = static_cast<float>(0.5 + s.TabGlow[t]);
        engine.DrawTexture(engine.TextureId(tab.icon), 198, tab.top, 326, tab.top + 128, Corners::All({1, 1, 1, alpha}));
    }
    engine.DrawTexture(engine.TextureId("p512x512"), 356, 124, 868, 636);
    engine.DrawTexture(engine.TextureId("set_tlo"), 356, 136, 868, 624, Corners::All({1, 1, 1, 0.6f}));
    engine.DrawTexture(engine.TextureId("p128x64"), 448, 648, 576, 712);
    engine.End2D();
}

void DrawTextWithShadow(Engine& engine, std::string_view text, float x, float y, Colour colour, int font) {
    engine.DrawText(text, x + 2, y + 2, {0, 0, 0, colour.a * 0.8f}, font);
    engine.DrawText(text, x, y, colour, font);
}

void DrawGraphicsPage(Game& game) {
    Engine& engine = *game.engine;
    const int font16 = engine.FontId("Font16"), font22 = engine.FontId("Font22");
    for (int row = 1; row <= kOptionsRows; ++row) {
        const GraphicsRow& r = kGraphicsRows[row - 1];
        double glow = game.options.RowGlow[row];
        auto y = static_cast<float>(r.y);
        engine.DrawText(game.langText[r.caption].View(), 380, y, CaptionColour(glow), font16);
        DrawTextWithShadow(engine, GraphicsValue(game, row, game.settings.*r.field), 380, y + 20, ValueColour(glow),
                           font22);
    }
}

void DrawSoundPage(Game& game) {
    Engine& engine = *game.engine;
    const int font16 = engine.FontId("Font16"), font22 = engine.FontId("Font22");
    for (int row = 1; row <= static_cast<int>(kSoundRows.size()); ++row) {
        const SoundRow& r = kSoundRows[row - 1];
        double glow = game.options.RowGlow[row];
        int value = game.*r.flag ? r.onText : r.offText;
        engine.DrawText(game.langText[r.caption].View(), 380, static_cast<float>(r.captionY), CaptionColour(glow),
                        font16);
        DrawTextWithShadow(engine, game.langText[value].View(), 385, static_cast<float>(r.valueY), ValueColour(glow),
                           font22);
    }
}

void DrawLanguagePage(Game& game) {
    Engine& engine = *game.engine;
    const int font22 = engine.FontId("Font22");
    for (int row = 1; row <= static_cast<int>(kLanguageRows.size()); ++row) {
        const LanguageRow& r = kLanguageRows[row - 1];
        bool chosen = game.settings.Language.View() == r.language;
        Colour colour = chosen ? Colour{1, 1, 1, 1} : ValueColour(game.options.RowGlow[row]);
        DrawTextWithShadow(engine, r.label, 390, static_cast<float>(r.y), colour, font22);
    }
}

void DrawTexts(Game& game) {
    Engine& engine = *game.engine;
    const OptionsState& s = game.options;
    const int font22 = engine.FontId("Font22"), font42 = engine.FontId("Font42");
    engine.BeginText();
    DrawTextWithShadow(engine, game.langText[48].View(), 375, 160, {1, 0.8f, 0.8f, 0.8f}, font22);
    DrawTextWithShadow(engine, game.langText[49].View(), 375, 175, {1, 0.8f, 0.8f, 0.8f}, font22);
    DrawTextWithShadow(engine, game.langText[42 + s.OptionsPage].View(), 375, 200, {1, 0.3f, 0.3f, 0.8f}, font42);
    switch (s.OptionsPage) {
        case 0: DrawGraphicsPage(game); break;
        case 1: DrawSoundPage(game); break;
        default: DrawLanguagePage(game); break;
    }
    std::string_view accept = game.langText[20].View();
    engine.DrawText(accept, static_cast<float>(CentredX(game, 22, accept, 509)), 670, GlowTextColour(s.AcceptGlow),
                    font22);
    engine.EndText();
}

void Accept(Game& game) {
    PlaySound(game, kAcceptSound);
    SaveSettings(game.folder, game.settings);
    game.options.OptionsPage = 0;
    InitEngine(game);  // the new engine replaces every object, light and picture of the old one
    BuildMenuScene(game);
    game.ScreenId = screen_id::MainMenu;
    FadeTransition(game, 500);
}

// A row takes one click per click-delay period, however long it is held.
bool TakeRowClick(Game& game) {
    if (!game.mouse.MouseButton1 || game.options.ClickDelay != 0) return false;
    PlaySound(game, kRowSound);
    game.options.ClickDelay = 1.0;
    return true;
}

void HandleGraphicsRows(Game& game) {
    for (int row = 1; row <= kOptionsRows; ++row) {
        const GraphicsRow& r = kGraphicsRows[row - 1];
        if (!r.hit.Contains(game.mouse.MouseX, game.mouse.MouseY)) continue;
        game.options.RowGlow[row] = kRowGlow;
        if (!TakeRowClick(game)) continue;
        std::uint8_t& value = game.settings.*r.field;
        value = value >= r.maximum ? 0 : static_cast<std::uint8_t>(value + 1);
    }
}

void SwitchMusic(Game& game) {
    if (game.MusicEnabled) game.Music.Play(0);
    else game.Music.Stop(0);
}

void HandleSoundRows(Game& game) {
    for (int row = 1; row <= static_cast<int>(kSoundRows.size()); ++row) {
        const SoundRow& r = kSoundRows[row - 1];
        if (!r.hit.Contains(game.mouse.MouseX, game.mouse.MouseY)) continue;
        game.options.RowGlow[row] = kRowGlow;
        if (!TakeRowClick(game)) continue;
        std::uint8_t& flag = game.*r.flag;
        flag = flag ? 0 : 1;
        if (r.flag == &Game::MusicEnabled) SwitchMusic(game);
    }
}

// Held over the language already chosen, nothing more happens.
void HandleLanguageRows(Game& game) {
    for (int row = 1; row <= static_cast<int>(kLanguageRows.size()); ++row) {
        const LanguageRow& r = kLanguageRows[row - 1];
        if (!r.hit.Contains(game.mouse.MouseX, game.mouse.MouseY)) continue;
        game.options.RowGlow[row] = kRowGlow;
        if (!game.mouse.MouseButton1 || game.settings.Language.View() == r.language) continue;
        PlaySound(game, kRowSound);
        LoadLanguage(game.folder, r.language, game.langText);
        game.settings.Language.Assign(r.language);
    }
}

void HandleTabs(Game& game) {
    OptionsState& s = game.options;
    for (int t = 0; t < kOptionsTabs; ++t) {
        if (!kTabs[t].hit.Contains(game.mouse.MouseX, game.mouse.MouseY)) continue;
        s.TabGlow[t] = kTabGlow;
        if (game.mouse.MouseButton1 && s.OptionsPage != t) {
            s.OptionsPage = static_cast<std::uint8_t>(t);
            s.RowGlow = {};
            PlaySound(game, kTabSound);
        }
    }
    s.TabGlow[s.OptionsPage] = std::max(s.TabGlow[s.OptionsPage], kTabGlow);
}

// Returns whether the screen was left.
bool HandleMouse(Game& game) {
    HandleTabs(game);
    if (kAcceptHit.Contains(game.mouse.MouseX, game.mouse.MouseY)) {
        game.options.AcceptGlow = kTabGlow;
        if (game.mouse.MouseButton1) {
            Accept(game);
            return true;
        }
    }
    switch (game.options.OptionsPage) {
        case 0: HandleGraphicsRows(game); break;
        case 1: HandleSoundRows(game); break;
        default: HandleLanguageRows(game); break;
    }
    return false;
}

void DecayGlows(Game& game) {
    OptionsState& s = game.options;
    double dt = game.engine->FrameTimeMs();
    for (double& glow : s.TabGlow) Decay(glow, dt);
    Decay(s.AcceptGlow, dt);
    for (double& glow : s.RowGlow) Decay(glow, dt, 0.004);
    Decay(s.ClickDelay, dt, 0.004);
}

}  // namespace

void OptionsFrame(Game& game) {
    Engine& engine = *game.engine;
    TurnBackdrop(game, -0.003, 0.001);
    RenderMenuBackdrop(game);
    DrawPictures(game);
    DrawTexts(game);
    engine.Present();
    UpdateMenuPulse(game);
    if (HandleMouse(game)) return;
    DecayGlows(game);
}

}  // namespace kr::frontend
