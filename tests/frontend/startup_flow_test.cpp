#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/init_engine.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "frontend/menu_scene.hpp"
#include "frontend/menu_widgets.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

std::vector<std::string> LogLines(const test::TempGameFolder& temp) {
    std::ifstream in(temp.Path("debugfile.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // the log ends its lines the Windows way
        lines.push_back(line);
    }
    return lines;
}

struct StartupFlow : ::testing::Test, test::ScreenDriver {
    StartupFlow() { FormCreate(game); }
    // Past the intro and the loading, onto the logo screen.
    void ToLogo() {
        FormClick(game);
        UntilScreenLeaves(screen_id::Startup);
        ASSERT_EQ(game.ScreenId, screen_id::Logo);
    }
    void ToMainMenu() {
        ToLogo();
        Key(28, true);
        UntilScreenLeaves(screen_id::Logo);
        Key(28, false);
        UntilScreenLeaves(screen_id::Title);
        ASSERT_EQ(game.ScreenId, screen_id::MainMenu);
    }
};

TEST_F(StartupFlow, TheLogHoldsTheBannerAndTheProgressInOrder) {
    ToLogo();
    std::vector<std::string> expected = {kLogRule,
                                         kLogTitle,
                                         kLogNotice,
                                         kLogRule,
                                         kLogVersion,
                                         kLogInitializing,
                                         "KRAVELLON : Initializing joystick (found 0 controlers)...",
                                         kLogMaterials,
                                         "KRAVELLON : Loading profiles...",
                                         "KRAVELLON : Loading main menu..."};
    std::vector<std::string> lines = LogLines(temp);
    std::size_t at = 0;
    for (const std::string& line : lines)
        if (at < expected.size() && line == expected[at]) ++at;
    EXPECT_EQ(at, expected.size()) << "missing or out of order: " << (at < expected.size() ? expected[at] : "");
}

TEST_F(StartupFlow, AKeyLeavesTheLogoAtOnceButAClickWaitsThreeSeconds) {
    ToLogo();
    MouseAt(500, 500);
    Button(true);
    Frames(60);  // about one second
    EXPECT_EQ(game.ScreenId, screen_id::Logo);
    UntilScreenLeaves(screen_id::Logo, 400);
    EXPECT_EQ(game.ScreenId, screen_id::Title);
    EXPECT_GT(game.logo.LogoSeconds, 3.0);
    EXPECT_LT(game.logo.LogoSeconds, 3.2);
    EXPECT_EQ(game.logo.LogoSoundsPlayed, 1);
}

TEST_F(StartupFlow, TheTitleLeadsToTheMainMenuWithTheCursorShown) {
    ToLogo();
    Key(1, true);  // Escape
    Frames(2);
    EXPECT_EQ(game.ScreenId, screen_id::Title);
    EXPECT_LT(game.logo.LogoSeconds, 0.2);
    Key(1, false);
    UntilScreenLeaves(screen_id::Title, 1000);
    EXPECT_EQ(game.ScreenId, screen_id::MainMenu);
    EXPECT_NEAR(game.logo.TitleTime, 10.0, 0.1);  // about 11 s of frames
    EXPECT_TRUE(game.engine->CursorShown());
}

TEST_F(StartupFlow, MainMenuHoverPlaysOneSoundPerChangeOfButton) {
    ToMainMenu();
    MouseAt(290, 240);  // on the edge of button 1: outside
    Frames(2);
    EXPECT_EQ(game.mainMenu.HoverButton, 0);
    EXPECT_EQ(game.mainMenu.HoverValue[1], 0);
    MouseAt(200, 300);  // button 2
    Frames(2);
    EXPECT_EQ(game.mainMenu.HoverButton, 2);
    EXPECT_TRUE(game.Sound.IsPlaying(20));
    Frames(120);
    EXPECT_FALSE(game.Sound.IsPlaying(20)) << "staying on a button plays the sound once";
    EXPECT_DOUBLE_EQ(game.mainMenu.HoverValue[2], 0.5);
    MouseAt(200, 380);  // button 3
    Frames(2);
    EXPECT_EQ(game.mainMenu.HoverButton, 3);
    EXPECT_TRUE(game.Sound.IsPlaying(20));
    EXPECT_LT(game.mainMenu.HoverValue[2], 0.5);  // fading after the pointer left
    Frames(40);
    EXPECT_EQ(game.mainMenu.HoverValue[2], 0);
}

TEST_F(StartupFlow, EachMainMenuButtonOpensItsScreen) {
    ToMainMenu();
    game.profiles.ProfileUsed[1] = 1;  // with a pilot, Play goes straight to the pilot selection
    struct Case {
        int x, y;
        std::uint8_t screen;
    };
    const Case cases[] = {{200, 240, screen_id::PilotSelection}, {200, 300, screen_id::Version},
                          {200, 380, screen_id::TopScores},      {200, 450, screen_id::Options},
                          {200, 520, screen_id::Credits},        {200, 590, screen_id::Help},
                          {200, 670, screen_id::ExitConfirmation}};
    for (const Case& c : cases) {
        game.ScreenId = screen_id::MainMenu;
        MouseAt(c.x, c.y);
        Button(true);
        Frames(2);
        EXPECT_EQ(game.ScreenId, c.screen) << c.y;
        Button(false);
        Frames(1);
    }
    EXPECT_TRUE(game.menu.CreditsLogo1.IsEnabled());  // the credits set-up ran
    EXPECT_TRUE(game.engine->textures().Has("cr"));
    EXPECT_TRUE(game.engine->textures().Has("help_tex"));
    EXPECT_TRUE(game.Sound.IsPlaying(11));  // the exit confirmation's sound after its fade
}

TEST_F(StartupFlow, TheCaptionsRunOnceAndThenTheAreaStaysEmpty) {
    ToMainMenu();
    MouseAt(600, 100);
    for (int i = 0; i < 140000 / 16 && game.mainMenu.CaptionPhase < 14; ++i) Frames(1);
    EXPECT_LT(game.mainMenu.CaptionPhase, 14) << "not before about 143 s";
    for (int i = 0; i < 6000 / 16 && game.mainMenu.CaptionPhase < 14; ++i) Frames(1);
    EXPECT_EQ(game.mainMenu.CaptionPhase, 14);
    Frames(100);
    EXPECT_EQ(game.mainMenu.CaptionPhase, 14);
}

TEST_F(StartupFlow, AnEngineRestartLeavesOneSetOfEngineObjects) {
    ToMainMenu();
    std::size_t objects = game.engine->scene().ObjectCount();
    for (int restart = 0; restart < 2; ++restart) {
        InitEngine(game);
        frontend::BuildMenuScene(game);
        EXPECT_EQ(game.engine->scene().ObjectCount(), objects);
        // Every texture alive on the back-end belongs to the new engine.
        EXPECT_EQ(static_cast<std::size_t>(backend.liveTextures), game.engine->textures().Count());
    }
}

TEST(MenuWidgets, ThePulseStaysWithinOneFrameOfItsRange) {
    frontend::MenuPulse pulse;
    double low = 1, high = 0;
    for (int i = 0; i < 5000; ++i) {
        frontend::AdvancePulse(pulse, 16);
        low = std::min(low, pulse.MenuPulse);
        high = std::max(high, pulse.MenuPulse);
    }
    EXPECT_GE(low, 0.01 - 16 * 0.001);
    EXPECT_LE(high, 0.99 + 16 * 0.0025);
    EXPECT_GT(high, 0.98);
    EXPECT_LT(low, 0.02);
}

struct WideScreen : ::testing::Test, test::GeneratedGame {};

TEST_F(WideScreen, AWideScreenLoadsAndDrawsTheFramePicture) {
    Settings wide;
    LoadSettings(temp.folder(), wide);
    wide.ScreenWidth = 1280;
    wide.ScreenHeight = 1024;
    SaveSettings(temp.folder(), wide);
    FormCreate(game);
    FormClick(game);
    ScreenTable screens;
    for (int i = 0; i < 10 && game.ScreenId == screen_id::Startup; ++i) IdleDispatch(game, screens);
    ASSERT_TRUE(game.engine->textures().Has("t"));
    game.ScreenId = screen_id::MainMenu;
    IdleDispatch(game, screens);
    int t = game.engine->TextureId("t");
    bool drawn = false;
    for (const auto& command : backend.frames.back().commands)
        if (auto* quads = std::get_if<QuadsCommand>(&command))
            for (const Quad2D& quad : quads->quads)
                drawn |= quad.texture == game.engine->textures().Handle(t) && quad.x2 == 1280 && quad.y2 == 1024;
    EXPECT_TRUE(drawn);
    EXPECT_EQ(frontend::TextWidth(game, 22, ""), 0);
    EXPECT_GT(frontend::TextWidth(game, 22, "KRAVELLON"), 50);
}

}  // namespace
}  // namespace kr
