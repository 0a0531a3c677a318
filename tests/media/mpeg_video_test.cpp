#include <gtest/gtest.h>

#include <random>

#include "engine/error.hpp"
#include "media/clock_output.hpp"
#include "media/mixer_output.hpp"
#include "media/mpeg_video.hpp"
#include "media_files.hpp"
#include "support/test_backend.hpp"

namespace kr {
namespace {

// A video timed on the engine clock, as in a headless run.
struct ClockedVideo : ::testing::Test {
    void Frame() { device.Present(FrameRecord{}); }  // 16 ms each
    std::unique_ptr<media::VideoPlayer> Open(const test::TestVideo& video = {}) {
        auto path = test::WriteVideo(temp, "Video/intro.mpg", video);
        return media::OpenMpegVideo(path, "Video\\intro.mpg", output);
    }

    test::TempGameFolder temp;
    test::TestBackend backend;
    Device device{backend, DriverOptions{}};
    std::shared_ptr<media::ClockOutput> output = std::make_shared<media::ClockOutput>(device);
};

TEST_F(ClockedVideo, LengthCountsFromTheFirstTimestampNotFromZero) {
    auto video = Open({160, 90, 25, 25, true});
    EXPECT_NEAR(video->LengthSeconds(), 1.0, 0.06);
    auto silent = Open({160, 90, 50, 25, false});
    EXPECT_NEAR(silent->LengthSeconds(), 2.0, 0.001);
    EXPECT_EQ(silent->PositionSeconds(), 0);
}

TEST_F(ClockedVideo, PicturesAppearAsTheClockReachesThem) {
    auto video = Open({160, 90, 50, 25, false});
    EXPECT_EQ(video->Picture(), nullptr);
    video->Update();
    ASSERT_NE(video->Picture(), nullptr);
    EXPECT_EQ(video->Picture()->width, 160);
    EXPECT_EQ(video->Picture()->height, 90);
    EXPECT_EQ(test::FrameShown(*video->Picture()), 0);
    long number = video->PictureNumber();
    for (int i = 0; i < 63; ++i) Frame();  // 1.008 s
    video->Update();
    EXPECT_DOUBLE_EQ(video->PositionSeconds(), 1.008);
    EXPECT_EQ(test::FrameShown(*video->Picture()), 25);
    EXPECT_GT(video->PictureNumber(), number);
    number = video->PictureNumber();
    video->Update();
    EXPECT_EQ(video->PictureNumber(), number) << "no new picture without time passing";
}

TEST_F(ClockedVideo, SeekingDecodesOnToThePictureAndSeekingToTheEndEndsIt) {
    auto video = Open({160, 90, 50, 25, true});
    video->SeekSeconds(1.5);
    EXPECT_DOUBLE_EQ(video->PositionSeconds(), 1.5);
    video->Update();
    EXPECT_EQ(test::FrameShown(*video->Picture()), 37);
    Frame();
    EXPECT_DOUBLE_EQ(video->PositionSeconds(), 1.516);
    video->SeekSeconds(0);
    video->Update();
    EXPECT_EQ(test::FrameShown(*video->Picture()), 0);
    video->SeekSeconds(video->LengthSeconds());
    EXPECT_EQ(video->PositionSeconds(), video->LengthSeconds());
    Frame();
    video->Update();
    EXPECT_EQ(video->PositionSeconds(), video->LengthSeconds()) << "an ended video stays at its end";
}

TEST_F(ClockedVideo, PlaysToItsEndOnTheClock) {
    auto video = Open({160, 90, 10, 25, true});
    int frames = 0;
    while (video->PositionSeconds() < video->LengthSeconds() && frames < 1000) {
        video->Update();
        Frame();
        ++frames;
    }
    double soundMs = static_cast<double>(std::llround(video->LengthSeconds() * media::kMixRate)) * 1000 / media::kMixRate;
    EXPECT_EQ(frames, static_cast<int>(std::ceil(soundMs / 16)));
    EXPECT_EQ(test::FrameShown(*video->Picture()), 9);
}

TEST_F(ClockedVideo, MissingGarbageAndAudioFilesAreRefusedWithTheirName) {
    auto expectRefused = [&](const std::string& relative) {
        try {
            media::OpenMpegVideo(temp.Path(relative), "Video\\x.mpg", output);
            ADD_FAILURE() << relative;
        } catch (const FileError& error) {
            EXPECT_EQ(error.file(), "Video\\x.mpg");
        }
    };
    expectRefused("none.mpg");
    std::string garbage(30000, 0);
    std::mt19937 random(3);
    for (char& c : garbage) c = static_cast<char>(random());
    temp.Write("garbage.mpg", garbage);
    expectRefused("garbage.mpg");
    test::WriteTone(temp, "tone.mpg", test::SoundKind::Wav);
    expectRefused("tone.mpg");
}

TEST_F(ClockedVideo, ATruncatedOrDamagedVideoPlaysWhatIsLeftWithoutCrashing) {
    test::WriteVideo(temp, "full.mpg", {160, 90, 50, 25, true});
    Bytes whole = temp.ReadBytes("full.mpg");
    std::mt19937 random(9);
    for (int trial = 0; trial < 12; ++trial) {
        Bytes damaged(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * (trial + 4) / 16));
        for (int i = 0; i < trial * 4; ++i) damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        temp.Write("cut.mpg", damaged);
        try {
            auto video = media::OpenMpegVideo(temp.Path("cut.mpg"), "cut.mpg", output);
            EXPECT_LE(video->LengthSeconds(), 2.5);
            for (int i = 0; i < 200 && video->PositionSeconds() < video->LengthSeconds(); ++i) {
                video->Update();
                Frame();
            }
        } catch (const FileError& error) {
            EXPECT_EQ(error.file(), "cut.mpg");
        }
    }
}

// Heard: the soundtrack goes through the mixer and is the video's clock.
TEST(HeardVideo, SoundtrackReachesTheMixerAndDrivesThePosition) {
    test::TempGameFolder temp;
    auto path = test::WriteVideo(temp, "v.mpg", {160, 90, 50, 25, true});
    auto output = std::make_shared<media::MixerOutput>();
    auto video = media::OpenMpegVideo(path, "v.mpg", output);
    std::vector<float> heard;
    std::vector<float> block(2048);
    for (int i = 0; i < 43; ++i) {  // about one second in blocks of 1024
        video->Update();
        output->mixer().Render(block.data(), 1024);
        heard.insert(heard.end(), block.begin(), block.end());
    }
    EXPECT_DOUBLE_EQ(video->PositionSeconds(), 43 * 1024.0 / media::kMixRate);
    // A sine of peak 0.5 through MP2: its level survives, on both sides.
    EXPECT_NEAR(test::Rms(heard, 0, 4410, 40000), 0.5 / std::sqrt(2.0), 0.03);
    EXPECT_NEAR(test::Rms(heard, 1, 4410, 40000), 0.5 / std::sqrt(2.0), 0.03);
    video->Update();
    EXPECT_EQ(test::FrameShown(*video->Picture()), 24);
    video->SeekSeconds(video->LengthSeconds());
    output->mixer().Render(block.data(), 1024);
    EXPECT_EQ(test::Peak(block, 0), 0.0) << "a skipped video is silent";
}

}  // namespace
}  // namespace kr
