// The windowed back-end on Mesa's software renderer under a virtual X
// server, started by the test itself.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"
#include "support/generated_game.hpp"
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
        std::string failure = test::FillGameFolder(temp.Path(""));
        ASSERT_TRUE(failure.empty()) << failure;
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

TEST_F(WindowedTest, DrawsLitMeshesFogAndGlow) {
    auto run = test::RunCommand(kUnderXvfb + test::Quote(KR_GL_PROBE) + " --3d " + test::Quote(Dir()) + " " +
                                test::Quote(temp.Path("probe3d.png").string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    image::Image shot = LoadPng("probe3d.png");
    ASSERT_EQ(shot.width, 1024);
    EXPECT_GT(shot.Pixel(190, 380)[0], 150) << "the face towards the light is lit";
    EXPECT_LT(shot.Pixel(330, 380)[0], 30) << "the face away from it is dark";
    EXPECT_GT(shot.Pixel(234, 583)[1], 120) << "the plate's top is lit by the overhead light";
    EXPECT_LT(shot.Pixel(234, 583)[0], 80) << "in its colour";
    EXPECT_TRUE(Near(shot.Pixel(905, 160), 51, 51, 77, 12)) << "the far box is lost in the fog";
    EXPECT_GT(shot.Pixel(872, 384)[0], 60) << "the glow spills past the sphere's edge";
    EXPECT_LT(shot.Pixel(960, 384)[0], 20) << "and fades out further away";
    EXPECT_GT(shot.Pixel(790, 384)[0], 200) << "the unlit sphere is full-bright";
    EXPECT_GT(shot.Pixel(512, 662)[1], 150) << "the particles are drawn";
    EXPECT_LT(shot.Pixel(512, 662)[0], 80) << "in their own colour";
}

TEST_F(WindowedTest, ViewerShowsModelsMadeByOthers) {
    for (const char* file : {"Box.glb", "CesiumMan.glb", "BoxTextured.glb"}) {
        std::string model = std::string(KR_CORPUS_DIR) + "/gltf/" + file;
        auto run = test::RunCommand(kUnderXvfb + test::Quote(KR_VIEWER) + " " + test::Quote(model) + " --screenshot " +
                                    test::Quote(temp.Path("view.png").string()) + " --game-dir " + test::Quote(Dir()));
        ASSERT_EQ(run.exitCode, 0) << file << ": " << run.output;
        image::Image shot = LoadPng("view.png");
        int lit = 0;
        for (int y = 200; y < 568; y += 4)
            for (int x = 312; x < 712; x += 4) lit += shot.Pixel(x, y)[0] + shot.Pixel(x, y)[1] > 80;
        EXPECT_GT(lit, 400) << file << " was not drawn in the middle of the view";
    }
    auto broken = test::RunCommand(kUnderXvfb + test::Quote(KR_VIEWER) + " " + test::Quote(Dir() + "/config.dat") +
                                   " --game-dir " + test::Quote(Dir()));
    EXPECT_NE(broken.exitCode, 0);
    EXPECT_NE(broken.output.find("config.dat"), std::string::npos) << broken.output;
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
