#include <gtest/gtest.h>

#include "app/error_handler.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "engine/error.hpp"
#include "support/game_fixture.hpp"

namespace kr {
namespace {

struct ScreensTest : ::testing::Test {
    ScreensTest() { FormCreate(g); }

    test::GameFixture fixture;
    Game& g = fixture.game;
    ScreenTable screens;
};

TEST_F(ScreensTest, WindowCreationReadsTheFilesAndStartsAtScreenZero) {
    EXPECT_EQ(g.ScreenId, 0);
    EXPECT_EQ(g.ActiveProfile, 1);
    EXPECT_EQ(g.settings.ScreenWidth, 1024);
    EXPECT_EQ(g.langText[1].View(), "SELECT PILOT");
    EXPECT_EQ(fixture.backend.mode.width, 1024);
    EXPECT_FALSE(fixture.backend.pointerShown);
}

TEST_F(ScreensTest, UnfocusedWindowRunsNoScreenAndNoTimer) {
    fixture.backend.focused = false;
    g.timers.MissionTime.Enable(0);
    for (int i = 0; i < 200; ++i) IdleDispatch(g, screens);
    EXPECT_TRUE(fixture.backend.frames.empty());
    EXPECT_EQ(g.MissionSeconds, 0);
    EXPECT_EQ(fixture.backend.waits, 200);  // it waited for events instead of spinning
}

TEST_F(ScreensTest, UnknownScreenDrawsNothingButTheLoopGoesOn) {
    g.ScreenId = 77;
    g.timers.MissionTime.Enable(fixture.device.ClockMs());
    for (int i = 0; i < 70; ++i) IdleDispatch(g, screens);
    EXPECT_EQ(fixture.device.PresentedFrames(), 70);
    for (const auto& frame : fixture.backend.frames) EXPECT_TRUE(frame.commands.empty());
    EXPECT_EQ(g.MissionSeconds, 1);  // the timers still ran
}

TEST_F(ScreensTest, FadeTransitionBlocksUntilCoveredAndRunsNoTimer) {
    g.ScreenId = 77;  // a screen that draws nothing
    g.timers.MissionTime.Enable(fixture.device.ClockMs());
    FadeTransition(g, 3500);
    EXPECT_GE(fixture.device.ClockMs(), 3500);
    EXPECT_EQ(g.MissionSeconds, 0);  // nothing fires inside the modal loop
    IdleDispatch(g, screens);
    EXPECT_EQ(g.MissionSeconds, 1);  // one tick afterwards, not three
}

// The screen lets the video go once it has ended, so the seek is recorded
// outside the player.
struct FakeVideo : media::VideoPlayer {
    explicit FakeVideo(double& position) : position(position) {}
    double PositionSeconds() const override { return position; }
    double LengthSeconds() const override { return 9.5; }
    void SeekSeconds(double seconds) override { position = seconds; }
    double& position;
};

TEST_F(ScreensTest, AnyKeyOrClickSkipsTheIntroOnlyWhileItPlays) {
    double position = 1;
    g.mp = std::make_unique<FakeVideo>(position);
    g.ScreenId = 77;  // the form's handlers run whatever the screen; the start-up's own run is tested elsewhere
    fixture.backend.queued.push_back(KeyEvent{30, true});
    IdleDispatch(g, screens);  // the key arrives with the next frame
    IdleDispatch(g, screens);
    EXPECT_EQ(position, 1);  // not playing: the form ignores it

    g.IntroVideoPlaying = 1;
    fixture.backend.queued.push_back(KeyEvent{30, false});  // a release is no press
    IdleDispatch(g, screens);
    IdleDispatch(g, screens);
    EXPECT_EQ(position, 1);
    fixture.backend.queued.push_back(MouseButtonEvent{2, true});
    IdleDispatch(g, screens);
    IdleDispatch(g, screens);
    EXPECT_EQ(position, 9.5);
}

TEST(DisplaySettings, AntialiasLevelsGiveSampleCountsAndModeOneIsFullScreen) {
    Settings s = test::TestSettings();
    const int expected[] = {0, 2, 4, 8, 16, 0, 0};
    for (int level = 0; level < 7; ++level) {
        s.Antialias = static_cast<std::uint8_t>(level);
        EXPECT_EQ(DisplayModeFrom(s).samples, expected[level]) << level;
    }
    EXPECT_FALSE(DisplayModeFrom(s).fullScreen);
    s.WindowMode = 1;
    EXPECT_TRUE(DisplayModeFrom(s).fullScreen);
    EXPECT_EQ(DisplayModeFrom(s).width, 1024);
}

TEST(StartupFiles, MissingOrShortSettingsFileIsNamed) {
    test::GameFixture fixture;
    fixture.temp.Write("config.dat", std::string(47, '\0'));
    try {
        FormCreate(fixture.game);
        FAIL();
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("config.dat"), std::string::npos);
    }
    std::filesystem::remove(fixture.temp.Path("config.dat"));
    EXPECT_THROW(FormCreate(fixture.game), FileError);
}

TEST(ErrorHandler, WritesTheCriticalLineBeforeTellingThePlayer) {
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 7;
    when.tm_hour = 21;
    when.tm_min = 5;
    when.tm_sec = 9;
    when.tm_isdst = -1;
    EXPECT_EQ(CriticalErrorLine("texture 'x' is not loaded", std::mktime(&when)),
              "KRAVELLON : !!! CRITICAL ERROR !!! ( 2026-12-07 21:05:09 : texture 'x' is not loaded )");

    test::TempGameFolder temp;
    test::TestBackend backend;
    Log log;
    log.Open(temp.Path("debugfile.txt"));
    log.Write("KRAVELLON : Loading main menu...");
    EXPECT_EQ(HandleCriticalError("boom", &log, &backend), kErrorExitCode);
    std::string written = temp.Read("debugfile.txt");
    EXPECT_EQ(written.rfind("KRAVELLON : Loading main menu...\r\nKRAVELLON : !!! CRITICAL ERROR !!! ( ", 0), 0u);
    EXPECT_NE(written.find(" : boom )\r\n"), std::string::npos);
    ASSERT_EQ(backend.errors.size(), 1u);
    EXPECT_EQ(backend.errors[0], "boom");
}

}  // namespace
}  // namespace kr
