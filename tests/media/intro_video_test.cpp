#include <gtest/gtest.h>

#include "app/screens.hpp"
#include "app/startup.hpp"
#include "media_files.hpp"
#include "support/game_fixture.hpp"

namespace kr {
namespace {

struct IntroTest : ::testing::Test {
    void Dispatch(int times = 1) {
        for (int i = 0; i < times; ++i) IdleDispatch(g, screens);
    }
    const std::vector<Quad2D>* LastQuads() const {
        const FrameRecord& frame = fixture.backend.frames.back();
        for (const auto& command : frame.commands)
            if (const auto* quads = std::get_if<QuadsCommand>(&command)) return &quads->quads;
        return nullptr;
    }

    test::GameFixture fixture;
    Game& g = fixture.game;
    ScreenTable screens;
};

TEST_F(IntroTest, PicturesFillTheLayoutWithTheirAspectKeptAndBlackAround) {
    test::WriteVideo(fixture.temp, "Video/intro.mpg", {160, 90, 25, 25, true});
    FormCreate(g);
    ASSERT_TRUE(g.mp);
    EXPECT_EQ(g.IntroVideoPlaying, 1);
    Dispatch();
    const FrameRecord& frame = fixture.backend.frames.back();
    ASSERT_FALSE(frame.commands.empty());
    EXPECT_TRUE(std::holds_alternative<ClearCommand>(frame.commands.front()));
    const auto* quads = LastQuads();
    ASSERT_TRUE(quads && quads->size() == 1);
    const Quad2D& quad = quads->front();
    EXPECT_FLOAT_EQ(quad.x1, 0);
    EXPECT_FLOAT_EQ(quad.y1, 96);  // 16:9 in 1024 x 768
    EXPECT_FLOAT_EQ(quad.x2, 1024);
    EXPECT_FLOAT_EQ(quad.y2, 672);
    ASSERT_FALSE(fixture.backend.uploaded.empty());
    EXPECT_EQ(fixture.backend.uploaded.back().levels[0].width, 160);
    Dispatch(21);  // 0.336 s: eight new pictures, each put into the same texture
    EXPECT_EQ(fixture.backend.updated.size(), 8u);
    EXPECT_EQ(test::FrameShown(fixture.backend.updated.back().second), 8);
}

// What follows the intro (the engine start-up) is not this suite's: the
// tests stop where the start-up screen would let the finished video go.
TEST_F(IntroTest, AKeyOrAClickSeeksTheIntroToItsEnd) {
    for (bool key : {true, false}) {
        test::GameFixture run;
        test::WriteVideo(run.temp, "Video/intro.mpg", {160, 120, 50, 25, true});
        FormCreate(run.game);
        for (int i = 0; i < 3; ++i) IdleDispatch(run.game, screens);
        ASSERT_LT(run.game.mp->PositionSeconds(), 0.1);
        if (key)
            FormKeyPress(run.game);
        else
            FormClick(run.game);
        EXPECT_EQ(run.game.mp->PositionSeconds(), run.game.mp->LengthSeconds()) << (key ? "key" : "click");
        run.game.mp->Update();
        EXPECT_EQ(run.game.mp->PositionSeconds(), run.game.mp->LengthSeconds()) << "an ended video stays ended";
    }
}

TEST_F(IntroTest, TheIntroEndsByItselfOnTheEngineClock) {
    test::WriteVideo(fixture.temp, "Video/intro.mpg", {160, 120, 20, 25, false});
    FormCreate(g);
    EXPECT_NEAR(g.mp->LengthSeconds(), 0.8, 0.001);
    int frames = 0;
    while (g.mp->PositionSeconds() < g.mp->LengthSeconds() && frames < 500) {
        Dispatch();
        ++frames;
    }
    EXPECT_EQ(frames, 50) << "50 frames of 16 ms reach 0.8 s";
    EXPECT_EQ(test::FrameShown(fixture.backend.updated.back().second), 19) << "the last picture was shown";
    EXPECT_EQ(g.IntroVideoPlaying, 1) << "the next call of the start-up screen lets it go";
}

TEST_F(IntroTest, AMissingOrCorruptVideoIsLeftOutAndTheLogSaysWhy) {
    for (bool corrupt : {false, true}) {
        test::GameFixture run;
        if (corrupt) run.temp.Write("Video/intro.mpg", std::string(4096, 'k'));
        FormCreate(run.game);
        EXPECT_FALSE(run.game.mp);
        EXPECT_EQ(run.game.IntroVideoPlaying, 0);
        ASSERT_EQ(run.game.earlyNotes.size(), 1u);
        const std::string note = run.game.earlyNotes[0];
        EXPECT_EQ(note.rfind("KRAVELLON : Intro video left out (Video\\intro.mpg: ", 0), 0u) << note;
        run.game.device.log().Open(run.temp.Path("debugfile.txt"));
        WriteEarlyNotes(run.game);
        EXPECT_EQ(run.temp.Read("debugfile.txt"), note + "\r\n");
        EXPECT_TRUE(run.game.earlyNotes.empty());
    }
}

TEST(IntroLayout, PicturesAreScaledToFitAndCentred) {
    LayoutRect wide = FitPicture(320, 100, 1024, 768);
    EXPECT_FLOAT_EQ(wide.x1, 0);
    EXPECT_FLOAT_EQ(wide.y1, 224);
    EXPECT_FLOAT_EQ(wide.y2, 544);
    LayoutRect tall = FitPicture(100, 200, 1024, 768);
    EXPECT_FLOAT_EQ(tall.x1, 320);
    EXPECT_FLOAT_EQ(tall.x2, 704);
    EXPECT_FLOAT_EQ(tall.y2, 768);
    LayoutRect none = FitPicture(0, 0, 1024, 768);
    EXPECT_FLOAT_EQ(none.x2, 0);
}

}  // namespace
}  // namespace kr
