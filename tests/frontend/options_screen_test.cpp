// The options screen under the pointer: values cycling with their captions,
// the click delay, switches that act at once, and the accept restart.

#include <gtest/gtest.h>

#include "data/settings.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

struct OptionsScreen : ::testing::Test, test::ScreenDriver {
    OptionsScreen() {
        StartToLogo();
        game.ScreenId = screen_id::Options;
        Frames(2);
    }
    Bytes StoredSettings() { return temp.folder().ReadAll(kSettingsFile); }
};

TEST_F(OptionsScreen, AntialiasingCyclesThroughEveryValueAndBackToOff) {
    game.settings.Antialias = 0;
    const std::pair<int, const char*> expected[] = {
        {1, "> 2x <"}, {2, "> 4x <"}, {3, "> 8x <"}, {4, "> 16x <"}, {0, "> OFF <"}};
    for (const auto& [value, caption] : expected) {
        ClickAt(500, 350);
        Frames(20);  // the click delay passes
        EXPECT_EQ(game.settings.Antialias, value);
        EXPECT_TRUE(FrameSays(caption)) << caption;
    }
}

TEST_F(OptionsScreen, AHeldButtonChangesARowOncePerClickDelay) {
    game.settings.FilterLevel = 0;
    MouseAt(500, 410);
    Button(true);
    Frames(51);  // the press is seen from the second frame: 50 frames, 800 ms
    Button(false);
    Frames(1);
    // Taken at 0, 256, 512 and 768 ms.
    EXPECT_EQ(game.settings.FilterLevel, 4);
}

TEST_F(OptionsScreen, MusicSwitchedOffStopsTheMenuThemeAtOnce) {
    game.Music.Play(0);
    Frames(10);
    ASSERT_GT(game.Music.Position(0), 0);
    ClickAt(250, 380);  // the sound page
    EXPECT_EQ(game.options.OptionsPage, 1);
    ClickAt(450, 420);
    EXPECT_EQ(game.MusicEnabled, 0);
    Frames(10);
    EXPECT_EQ(game.Music.Position(0), 0);
    EXPECT_TRUE(FrameSays(game.langText[41].View()));
    Frames(20);
    ClickAt(450, 420);
    EXPECT_EQ(game.MusicEnabled, 1);
    Frames(10);
    EXPECT_GT(game.Music.Position(0), 0);
}

TEST_F(OptionsScreen, ALanguageShowsOnTheNextFrameButIsSavedOnlyOnAccept) {
    Bytes before = StoredSettings();
    ClickAt(250, 560);  // the language page
    ClickAt(500, 290);  // polish
    EXPECT_EQ(game.settings.Language.View(), "polish");
    Frames(1);
    LangText polish;
    LoadLanguage(game.folder, "polish", polish);
    EXPECT_TRUE(FrameSays(polish[44].View()));
    EXPECT_EQ(StoredSettings(), before);
}

TEST_F(OptionsScreen, AcceptSavesTheSettingsAndRestartsTheEngineOnce) {
    std::size_t objects = game.engine->scene().ObjectCount();
    int starts = game.engineStarts;
    game.settings.GlowEnabled = game.settings.GlowEnabled ? 0 : 1;
    game.options.OptionsPage = 2;
    backend.controllers = 1;
    game.JoystickEnabled = 1;
    ClickAt(510, 680);
    EXPECT_EQ(game.ScreenId, screen_id::MainMenu);
    EXPECT_EQ(game.options.OptionsPage, 0);
    EXPECT_EQ(StoredSettings(), SettingsToBytes(game.settings));
    EXPECT_EQ(game.engineStarts, starts + 1);
    EXPECT_EQ(game.engine->scene().ObjectCount(), objects);
    EXPECT_TRUE(backend.controllerOpen) << "the joystick opens with the new engine";
    EXPECT_EQ(game.engine->ReadJoystick().x, 5000);
}

TEST_F(OptionsScreen, AcceptKeepsEveryOtherByteOfTheSettingsRecord) {
    Bytes original = SettingsToBytes(game.settings);
    for (std::size_t at : {22u, 23u, 33u, 39u}) original[at] = 0xAB;  // padding a later version may use
    original[40 + 7] = 0x3F;                                          // DisplayParam
    original[19] = 0;                                                 // glow off
    temp.folder().WriteAtomic(kSettingsFile, original);
    LoadSettings(game.folder, game.settings);
    ClickAt(500, 470);  // the glow row
    ClickAt(510, 680);
    Bytes saved = StoredSettings();
    ASSERT_EQ(saved.size(), original.size());
    for (std::size_t at = 0; at < saved.size(); ++at) {
        if (at == 19) EXPECT_EQ(saved[at], 1);
        else EXPECT_EQ(saved[at], original[at]) << "byte " << at;
    }
}

TEST_F(OptionsScreen, SoundSwitchedOffStaysOffThroughTheRestart) {
    ClickAt(250, 380);
    ClickAt(450, 300);
    EXPECT_EQ(game.SoundEnabled, 0);
    ClickAt(510, 680);
    EXPECT_EQ(game.SoundEnabled, 0);
    EXPECT_EQ(game.MusicEnabled, 1);
}

TEST_F(OptionsScreen, TheJoystickStaysClosedWhileItsOptionIsOff) {
    backend.controllers = 1;
    game.JoystickEnabled = 0;
    ClickAt(510, 680);
    EXPECT_FALSE(backend.controllerOpen);
    EXPECT_FALSE(game.engine->JoystickButton(0));
}

}  // namespace
}  // namespace kr
