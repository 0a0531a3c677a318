#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "engine/error.hpp"
#include "engine/parallel_for.hpp"
#include "media/audio_decoder.hpp"
#include "media/clock_output.hpp"
#include "media/mixer_output.hpp"
#include "media/song_list.hpp"
#include "media_files.hpp"
#include "support/test_backend.hpp"

namespace kr {
namespace {

using media::Holding;
using media::SongList;
using test::SoundKind;

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

// Sound effects heard through a mixer that the test renders itself.
struct MixedSongs : ::testing::Test {
    MixedSongs() {
        test::WriteTone(temp, "sound/click.wav", SoundKind::Wav, {0.1, 22050, 1, 1000, 0.5f});
        test::WriteTone(temp, "sound/long.wav", SoundKind::Wav, {0.5, 44100, 2, 440, 0.5f});
    }
    std::vector<float> Render(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        output->mixer().Render(out.data(), frames);
        return out;
    }

    test::TempGameFolder temp;
    std::shared_ptr<media::MixerOutput> output = std::make_shared<media::MixerOutput>();
    SongList sound{output, temp.folder(), Holding::Whole};
};

TEST_F(MixedSongs, AnItemPlaysOnlyOnceActiveAndLoaded) {
    sound.LoadFile(3, "sound\\click.wav");
    EXPECT_TRUE(sound.Item(3).Loaded);
    EXPECT_FALSE(sound.Item(3).Active);
    sound.Play(3);
    Render(512);
    EXPECT_EQ(sound.Position(3), 0) << "not yet visited by load-all";
    sound.LoadAll();
    for (int i = 0; i < media::kSongListItems; ++i) EXPECT_TRUE(sound.Item(i).Active);
    sound.Play(3);
    Render(512);
    EXPECT_DOUBLE_EQ(sound.Position(3), 512.0 / media::kMixRate);
    EXPECT_NEAR(sound.Duration(3), 0.1, 0.001);
}

TEST_F(MixedSongs, LoadAllOpensNamedItemsAndLeavesEmptyOnesAlone) {
    sound.Item(7).FileName = "sound\\long.wav";
    sound.LoadAll();
    EXPECT_TRUE(sound.Item(7).Loaded);
    EXPECT_FALSE(sound.Item(8).Loaded);
    sound.Play(7);
    Render(1000);
    sound.LoadAll();
    EXPECT_DOUBLE_EQ(sound.Position(7), 1000.0 / media::kMixRate) << "an open item is not reopened";
    sound.Item(9).FileName = "sound\\missing.wav";
    EXPECT_EQ(MessageOf([&] { sound.LoadAll(); }).rfind("Error loading file: sound\\missing.wav", 0), 0u);
}

TEST_F(MixedSongs, PlayingRestartsStopRewindsAndIsPlayingComparesPositionWithDuration) {
    sound.LoadAll();
    sound.LoadFile(5, "sound\\long.wav");
    EXPECT_TRUE(sound.IsPlaying(5)) << "a loaded item at position 0 counts as playing";
    sound.Play(5);
    Render(4410);
    sound.Play(5);
    auto out = Render(441);
    EXPECT_DOUBLE_EQ(sound.Position(5), 441.0 / media::kMixRate) << "restarted, not a second copy";
    EXPECT_LE(test::Peak(out, 0), 0.51) << "one copy at a time";
    sound.Stop(5);
    EXPECT_EQ(sound.Position(5), 0);
    EXPECT_TRUE(sound.IsPlaying(5));
    sound.Play(5);
    for (int i = 0; i < 30; ++i) Render(1024);
    EXPECT_FALSE(sound.IsPlaying(5));
    EXPECT_EQ(sound.Position(5), sound.Duration(5)) << "a finished sound stays at its end";
}

TEST_F(MixedSongs, EmptyItemsDoNothing) {
    sound.LoadAll();
    EXPECT_NO_THROW(sound.Play(12));
    EXPECT_NO_THROW(sound.Stop(12));
    EXPECT_FALSE(sound.IsPlaying(12));
    EXPECT_EQ(sound.Duration(12), 0);
}

TEST_F(MixedSongs, FailuresNameTheOperationAndTheFile) {
    EXPECT_EQ(MessageOf([&] { sound.LoadFile(4, "sound\\missing.wav"); }).rfind(
                  "Error loading file: sound\\missing.wav (", 0),
              0u);
    Bytes whole = temp.ReadBytes("sound/long.wav");
    temp.Write("sound/cut.wav", Bytes(whole.begin(), whole.begin() + 3000));
    std::string cut = MessageOf([&] { sound.LoadFile(4, "sound\\cut.wav"); });
    EXPECT_EQ(cut.rfind("Error loading file: sound\\cut.wav (", 0), 0u) << cut;
    EXPECT_NE(cut.find("truncated"), std::string::npos) << cut;
    EXPECT_FALSE(sound.Item(4).Loaded);
    EXPECT_NE(MessageOf([&] { sound.Play(32); }).find("32"), std::string::npos);
    EXPECT_NE(MessageOf([&] { sound.Play(-1); }), "(no error)");
    sound.Item(6).Volume = 101;
    EXPECT_EQ(MessageOf([&] { sound.LoadFile(6, "sound\\click.wav"); }).rfind("Error setting volume", 0), 0u);
    SongList fresh(output, temp.folder(), Holding::Whole);
    fresh.Item(6).Pan = -101;
    EXPECT_EQ(MessageOf([&] { fresh.LoadAll(); }).rfind("Error setting Pan", 0), 0u);
}

TEST_F(MixedSongs, FilesPreparedOnThreadsLoadInOrderAndFailWhereOneByOneWould) {
    const std::vector<std::string> names = {"sound\\long.wav", "sound\\click.wav", "sound\\missing.wav",
                                            "sound\\click.wav"};
    std::vector<media::PreparedFile> files(names.size());
    ParallelFor(files.size(), [&](std::size_t i) { files[i] = sound.Prepare(names[i]); });
    sound.Install(0, std::move(files[0]));
    sound.Install(1, std::move(files[1]));
    EXPECT_NEAR(sound.Duration(0), 0.5, 0.001);
    EXPECT_NEAR(sound.Duration(1), 0.1, 0.001);
    EXPECT_EQ(MessageOf([&] { sound.Install(2, std::move(files[2])); })
                  .rfind("Error loading file: sound\\missing.wav (", 0),
              0u);
    EXPECT_FALSE(sound.Item(2).Loaded);
    EXPECT_EQ(sound.Item(2).FileName, "sound\\missing.wav");
}

TEST(ParallelJobs, EveryIndexRunsExactlyOnce) {
    for (std::size_t count : {0u, 1u, 2u, 37u}) {
        std::vector<std::atomic<int>> runs(count);
        ParallelFor(count, [&](std::size_t i) { ++runs[i]; });
        for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(runs[i].load(), 1) << i << " of " << count;
    }
}

TEST_F(MixedSongs, ReloadingAnItemReleasesItsPreviousSound) {
    sound.LoadAll();
    sound.LoadFile(1, "sound\\long.wav");
    sound.Play(1);
    Render(100);
    sound.LoadFile(1, "sound\\click.wav");
    EXPECT_EQ(sound.Position(1), 0);
    EXPECT_NEAR(sound.Duration(1), 0.1, 0.001);
    auto out = Render(100);
    for (float sample : out) EXPECT_EQ(sample, 0.0f) << "the old sound stopped with its release";
}

// Music streamed by the background thread: frames the mixer took between
// renders are exactly the decoded file, and the end is where it should be.
TEST(StreamedSongs, StreamAcrossTheEndIsTheWholeSoundAndStopsAtItsDuration) {
    test::TempGameFolder temp;
    auto path = test::WriteTone(temp, "music/theme.wma", SoundKind::Wma, {2.5, 32000, 2, 330, 0.4f});
    auto expected = media::DecodeSoundFile(path, "theme");
    auto output = std::make_shared<media::MixerOutput>();
    SongList music(output, temp.folder(), Holding::Streamed);
    music.LoadAll();
    music.LoadFile(0, "music\\theme.wma");
    EXPECT_DOUBLE_EQ(music.Duration(0), media::FramesToSeconds(expected.Frames()));
    music.Play(0);
    std::vector<float> heard;
    std::vector<float> block(2048);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (music.IsPlaying(0) && std::chrono::steady_clock::now() < deadline) {
        auto before = std::llround(music.Position(0) * media::kMixRate);
        output->mixer().Render(block.data(), 1024);
        auto advanced = std::llround(music.Position(0) * media::kMixRate) - before;
        heard.insert(heard.end(), block.begin(), block.begin() + advanced * 2);
        if (advanced < 1024) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_FALSE(music.IsPlaying(0));
    EXPECT_EQ(music.Position(0), music.Duration(0));
    ASSERT_EQ(heard.size(), expected.samples.size());
    EXPECT_EQ(heard, expected.samples);
    output->mixer().Render(block.data(), 1024);
    EXPECT_EQ(music.Position(0), music.Duration(0)) << "a finished track stays silent";
}

TEST(StreamedSongs, AStreamThatFailsLaterReportsItWhenAsked) {
    test::TempGameFolder temp;
    test::WriteTone(temp, "music/a.wma", SoundKind::Wma, {0.5, 44100, 2, 330, 0.4f});
    auto output = std::make_shared<media::MixerOutput>();
    SongList music(output, temp.folder(), Holding::Streamed);
    music.LoadAll();
    music.LoadFile(0, "music\\a.wma");
    temp.Write("music/a.wma", std::string(5000, 'x'));  // replaced behind the game's back
    music.Play(0);
    std::string message;
    for (int i = 0; i < 400 && message.empty(); ++i) {
        try {
            music.Position(0);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } catch (const Error& error) {
            message = error.what();
        }
    }
    EXPECT_EQ(message.rfind("Error getting position (music\\a.wma: ", 0), 0u) << message;
    EXPECT_EQ(MessageOf([&] { music.Duration(0); }).rfind("Error getting duration", 0), 0u);
}

// Without sound the same items keep time on the engine clock.
struct ClockedSongs : ::testing::Test {
    ClockedSongs() { test::WriteTone(temp, "sound/long.wav", SoundKind::Wav, {0.5, 44100, 2, 440, 0.5f}); }
    void Frame(double ms) {
        backend.nowMs += ms;
        device.Present(FrameRecord{});
    }

    test::TempGameFolder temp;
    test::TestBackend backend;
    Device device{backend, DriverOptions{}};
    std::shared_ptr<media::ClockOutput> output = std::make_shared<media::ClockOutput>(device);
    SongList sound{output, temp.folder(), Holding::Whole};
};

TEST_F(ClockedSongs, PositionsFollowTheEngineClockExactly) {
    sound.LoadAll();
    sound.LoadFile(0, "sound\\long.wav");
    sound.LoadFile(1, "sound\\long.wav");
    EXPECT_NEAR(sound.Duration(0), 0.5, 1e-4) << "the same length as when heard";
    sound.Play(0);
    double start = device.ClockMs();
    for (int i = 0; i < 10; ++i) Frame(16);
    EXPECT_DOUBLE_EQ(sound.Position(0), (device.ClockMs() - start) / 1000.0);
    EXPECT_DOUBLE_EQ(sound.Position(0), 0.16);
    EXPECT_EQ(sound.Position(1), 0) << "only playing items move";
    sound.Play(0);
    EXPECT_EQ(sound.Position(0), 0);
    for (int i = 0; i < 40; ++i) Frame(16);
    EXPECT_FALSE(sound.IsPlaying(0));
    EXPECT_EQ(sound.Position(0), sound.Duration(0));
    sound.Play(1);
    Frame(16);
    sound.Stop(1);
    Frame(16);
    EXPECT_EQ(sound.Position(1), 0);
}

TEST_F(ClockedSongs, CorruptFilesAreRefusedJustAsWhenHeard) {
    temp.Write("sound/bad.wav", std::string("RIFF....WAVEfmt garbage"));
    std::string message = MessageOf([&] { sound.LoadFile(2, "sound\\bad.wav"); });
    EXPECT_EQ(message.rfind("Error loading file: sound\\bad.wav (", 0), 0u) << message;
}

}  // namespace
}  // namespace kr
