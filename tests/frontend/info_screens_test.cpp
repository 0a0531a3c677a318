// Help, credits, exit, version and top scores: page turning, leaving, the
// end of the program and the submit program.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/error.hpp"
#include "frontend/top_scores.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

struct InfoScreens : ::testing::Test, test::ScreenDriver {
    InfoScreens() {
        StartToLogo();
        game.ScreenId = screen_id::MainMenu;
        Frames(2);
    }
    std::string LogText() {
        std::ifstream in(temp.Path("debugfile.txt"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(InfoScreens, HelpPagesWrapAroundBothWays) {
    ClickAt(200, 590);  // the main menu's help button
    ASSERT_EQ(game.ScreenId, screen_id::Help);
    HelpPage first = game.help;
    game.helpScreen.HelpPageNumber = 22;
    game.help.HelpPageLoaded = 0;
    Frames(2);
    HelpPage last = game.help;
    ASSERT_NE(last.Title.View(), first.Title.View());
    ClickAt(650, 450);  // next
    Frames(1);
    EXPECT_EQ(game.helpScreen.HelpPageNumber, 1);
    EXPECT_EQ(game.help.Title.View(), first.Title.View());
    EXPECT_TRUE(FrameSays(first.Title.View()));
    Frames(40);  // the page-turn pause
    ClickAt(250, 450);  // previous
    Frames(1);
    EXPECT_EQ(game.helpScreen.HelpPageNumber, 22);
    EXPECT_EQ(game.help.Title.View(), last.Title.View());
}

TEST_F(InfoScreens, AHeldClickTurnsAHelpPageEvery600Milliseconds) {
    ClickAt(200, 590);
    game.helpScreen.HelpPageNumber = 1;
    MouseAt(650, 450);
    Button(true);
    Frames(76);  // 75 frames held: 1200 ms
    EXPECT_EQ(game.helpScreen.HelpPageNumber, 3);
}

TEST_F(InfoScreens, AMissingHelpPictureStopsWithItsName) {
    ClickAt(200, 590);
    std::filesystem::remove(temp.Path("Graphics/Help/5.bmp"));
    game.helpScreen.HelpPageNumber = 5;
    game.help.HelpPageLoaded = 0;
    try {
        Frames(1);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("5.bmp"), std::string::npos) << error.what();
    }
}

TEST_F(InfoScreens, AShortHelpPageFileStopsWithItsName) {
    ClickAt(200, 590);
    std::ofstream(temp.Path("Lang/english_h3.dat"), std::ios::binary | std::ios::trunc) << "page 3\r\nTITLE\r\n";
    game.helpScreen.HelpPageNumber = 3;
    game.help.HelpPageLoaded = 0;
    try {
        Frames(1);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "Lang\\english_h3.dat");
    }
}

TEST_F(InfoScreens, TheCreditsCloseWhenTheirMusicEndsWithThePointerOnBack) {
    ClickAt(200, 520);
    ASSERT_EQ(game.ScreenId, screen_id::Credits);
    ASSERT_TRUE(game.menu.CreditsLogo1.IsEnabled());
    MouseAt(1024 - 250, 768 - 50);
    double trackSeconds = game.Music.Duration(2);
    ASSERT_GT(trackSeconds, 10);
    Frames(static_cast<int>((trackSeconds - 5) * 1000 / 16));  // it started with the 3.5 s fade-in
    EXPECT_EQ(game.ScreenId, screen_id::Credits) << "the music still plays";
    UntilScreenLeaves(screen_id::Credits, 300);
    EXPECT_EQ(game.ScreenId, screen_id::MainMenu);
    EXPECT_FALSE(game.engine->textures().Has("cr"));
    EXPECT_FALSE(game.menu.CreditsLogo1.IsEnabled());
    EXPECT_FALSE(game.menu.CreditsLogo2.IsEnabled());
    EXPECT_EQ(game.GlowColour.r, 1.0f);
}

TEST_F(InfoScreens, EscapeOnTheExitQuestionEndsTheProgramAfterItsFade) {
    ClickAt(200, 670);
    ASSERT_EQ(game.ScreenId, screen_id::ExitConfirmation);
    long before = game.device.PresentedFrames();
    Key(scan::Escape, true);
    EXPECT_THROW(Frames(3), StopRequested);
    EXPECT_GE(game.device.PresentedFrames() - before, 400 / 16);
}

TEST_F(InfoScreens, AClickOnTheExitQuestionReturnsToTheMenu) {
    ClickAt(200, 670);
    ASSERT_EQ(game.ScreenId, screen_id::ExitConfirmation);
    ClickAt(10, 10);
    EXPECT_EQ(game.ScreenId, screen_id::MainMenu);
}

TEST_F(InfoScreens, TheVersionScreensBackButtonSoundsOnceAndSavesThePilots) {
    ClickAt(200, 300);
    ASSERT_EQ(game.ScreenId, screen_id::Version);
    EXPECT_TRUE(FrameSays("1.0 DEMO"));
    game.profiles.ProfileMoney[1] = 77;
    MouseAt(780, 670);
    Frames(2);
    EXPECT_TRUE(game.Sound.IsPlaying(18));
    Frames(30);
    EXPECT_EQ(game.Sound.Position(18), game.Sound.Duration(18)) << "played once, not restarted every frame";
    EXPECT_EQ(temp.folder().ReadAll(kProfileStoreFile), ProfileStoreToBytes(game.profiles));
    ClickAt(780, 670);
    EXPECT_EQ(game.ScreenId, screen_id::MainMenu);
}

TEST(TopScoreRows, RowsNumberTheNameAndCutTo33Characters) {
    EXPECT_EQ(frontend::ScoreRowLabel(12, "ZED"), "12. ZED");
    std::string thirty(30, 'N');
    EXPECT_EQ(frontend::ScoreRowLabel(15, thirty), "15. " + std::string(29, 'N'));
}

struct TopScores : InfoScreens {
    TopScores() {
        ClickAt(200, 380);
        EXPECT_EQ(game.ScreenId, screen_id::TopScores);
    }
    void WriteSubmitProgram() {
        std::ofstream(temp.Path("submit")) << "#!/bin/sh\necho started >> submitted.txt\n";
        std::filesystem::permissions(temp.Path("submit"), std::filesystem::perms::owner_all);
    }
    int Starts() {
        for (int i = 0; i < 200 && game.programs.Running() > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(temp.Path("submitted.txt"));
        int lines = 0;
        for (std::string line; std::getline(in, line);) ++lines;
        return lines;
    }
    void HoldSubmit(int frames) {
        MouseAt(500, 670);
        Button(true);
        Frames(frames);
        Button(false);
        Frames(2);
    }
};

TEST_F(TopScores, TheSubmitProgramStartsOncePerPressInTheGameFolder) {
    WriteSubmitProgram();
    HoldSubmit(20);
    EXPECT_EQ(Starts(), 1);
    HoldSubmit(5);
    EXPECT_EQ(Starts(), 2);
    EXPECT_EQ(game.ScreenId, screen_id::TopScores);
}

TEST_F(TopScores, AMissingSubmitProgramIsNotedOnceAndNothingElseHappens) {
    HoldSubmit(5);
    HoldSubmit(5);
    std::string log = LogText();
    std::size_t first = log.find("submit not found");
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("submit not found", first + 1), std::string::npos);
    EXPECT_EQ(game.ScreenId, screen_id::TopScores);
}

TEST_F(TopScores, TheRedLightFollowsThePointerOverTheBackdrop) {
    scene::Scene& scene = game.engine->scene();
    MouseAt(512, 600);
    Frames(2);
    glm::vec3 first = scene.light(scene.LightIndex("menulight")).position;
    MouseAt(100, 600);
    Frames(2);
    glm::vec3 second = scene.light(scene.LightIndex("menulight")).position;
    EXPECT_NE(first, second);
}

}  // namespace
}  // namespace kr
