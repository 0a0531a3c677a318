// The windowed back-end on Mesa's software renderer under a virtual X
// server, started by the test itself.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

// Sanitizer builds: the GL driver's own allocations are not ours to report.
const std::string kUnderXvfb =
    "ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s '-screen 0 1280x1024x24' ";

class WindowedTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::RunCommand("command -v xvfb-run").exitCode != 0) GTEST_SKIP() << "xvfb-run is not installed";
        auto made = test::RunCommand(std::string(KR_MAKEDATA) + " --out " + test::Quote(Dir()));
        ASSERT_EQ(made.exitCode, 0) << made.output;
    }
    std::string Dir() const { return temp.Path("").string(); }
    image::Image LoadPng(const char* name) const {
        Bytes data = temp.ReadBytes(name);
        image::MipChain chain = image::DecodeImage(data, name);
        return chain.levels.at(0);
    }

    test::TempGameFolder temp;
};

::testing::AssertionResult Near(const std::uint8_t* pixel, int r, int g, int b, int tolerance = 6) {
    if (std::abs(pixel[0] - r) <= tolerance && std::abs(pixel[1] - g) <= tolerance && std::abs(pixel[2] - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << int(pixel[0]) << "," << int(pixel[1]) << "," << int(pixel[2])
                                         << " is not near " << r << "," << g << "," << b;
}

TEST_F(WindowedTest, DrawsQuadsTexturesBlendingAndText) {
    auto run = test::RunCommand(kUnderXvfb + test::Quote(KR_GL_PROBE) + " " + test::Quote(Dir()) + " " +
                                test::Quote(temp.Path("probe.png").string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    image::Image shot = LoadPng("probe.png");
    ASSERT_EQ(shot.width, 1024);
    ASSERT_EQ(shot.height, 768);
    EXPECT_TRUE(Near(shot.Pixel(50, 50), 5, 8, 15));        // background
    EXPECT_TRUE(Near(shot.Pixel(120, 120), 255, 0, 0));     // top-left texel, top-down
    EXPECT_TRUE(Near(shot.Pixel(280, 120), 0, 255, 0));
    EXPECT_TRUE(Near(shot.Pixel(120, 280), 0, 0, 255));
    EXPECT_TRUE(Near(shot.Pixel(280, 280), 255, 255, 0));
    EXPECT_TRUE(Near(shot.Pixel(520, 120), 0, 255, 0));     // mirrored copy
    EXPECT_TRUE(Near(shot.Pixel(680, 120), 255, 0, 0));
    EXPECT_TRUE(Near(shot.Pixel(200, 450), 130, 131, 133)); // half-transparent white over the background
    int lit = 0;
    for (int y = 600; y < 660; ++y)
        for (int x = 400; x < 760; ++x) lit += shot.Pixel(x, y)[0] > 200;
    EXPECT_GT(lit, 500) << "the text was not drawn";
    for (int y = 600; y < 660; ++y) EXPECT_LT(shot.Pixel(390, y)[0], 40) << "text starts left of its position";
}

TEST_F(WindowedTest, RecordedGameReplaysHeadlessToTheSameState) {
    std::string dir = test::Quote(Dir());
    std::string rec = test::Quote(temp.Path("rec.txt").string());
    auto live = test::RunCommand(kUnderXvfb + test::Quote(KR_GAME_EXE) + " --game-dir " + dir + " --frames 20 --record " +
                                 rec + " --seed 5 --screenshot 3:" + test::Quote(temp.Path("shot.png").string()) +
                                 " --state-out " + test::Quote(temp.Path("live.json").string()));
    ASSERT_EQ(live.exitCode, 0) << live.output;
    auto replay = test::RunCommand(test::Quote(KR_GAME_EXE) + " --game-dir " + dir + " --headless --frames 20 --input " +
                                   rec + " --seed 5 --state-out " + test::Quote(temp.Path("replay.json").string()));
    ASSERT_EQ(replay.exitCode, 0) << replay.output;
    EXPECT_EQ(temp.Read("live.json"), temp.Read("replay.json"));
    EXPECT_NE(temp.Read("rec.txt").find("dt "), std::string::npos);
    image::Image shot = LoadPng("shot.png");
    EXPECT_EQ(shot.width, 1024);
    EXPECT_EQ(shot.height, 768);
}

}  // namespace
}  // namespace kr
