// The written files: they decode back through FFmpeg to the expected
// length and content, the same bytes every time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "audio/audio_catalogue.hpp"
#include "audio/loudness.hpp"
#include "audio/media_decoder.hpp"
#include "audio/songs.hpp"
#include "audio/sound_effects.hpp"
#include "audio/wav.hpp"
#include "audio/wma.hpp"
#include "engine/error.hpp"
#include "engine/game_folder.hpp"
#include "video/mpeg_writer.hpp"

namespace kr::audio {
namespace {

// The codec's frames pad the end; decoders may also trim a frame.
constexpr double kWmaSlackSeconds = 2.0 * 2048 / kSampleRate;

Stereo Sweep(double seconds) {
    Stereo s(SecondsToFrames(seconds));
    for (std::size_t i = 0; i < s.Frames(); ++i) {
        const double t = FramesToSeconds(i);
        s.left[i] = 0.5f * static_cast<float>(std::sin(2.0 * kPi * (200.0 + 400.0 * t) * t));
        s.right[i] = 0.25f * s.left[i];
    }
    return s;
}

TEST(MediaFiles, WavDecodesToTheSamePcm) {
    Mono mono = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 2.0f};
    const DecodedMedia decoded = DecodeMedia(EncodeWav(mono), "test.wav");
    EXPECT_EQ(decoded.sampleRate, kSampleRate);
    EXPECT_EQ(decoded.channels, 1);
    ASSERT_EQ(decoded.audio.Frames(), mono.size());
    for (std::size_t i = 0; i < mono.size(); ++i) {
        EXPECT_NEAR(decoded.audio.left[i], std::clamp(mono[i], -1.0f, 1.0f), 1.0f / 32768) << i;
    }
    const DecodedMedia stereo = DecodeMedia(EncodeWav(Sweep(0.5)), "test.wav");
    EXPECT_EQ(stereo.channels, 2);
    EXPECT_EQ(stereo.audio.Frames(), SecondsToFrames(0.5));
}

TEST(MediaFiles, WmaKeepsLengthAndStartsOnTime) {
    const Stereo sweep = Sweep(3.0);
    const Bytes bytes = EncodeWma(sweep, 128000, "test.wma");
    EXPECT_EQ(bytes, EncodeWma(sweep, 128000, "test.wma"));
    const DecodedMedia decoded = DecodeMedia(bytes, "test.wma");
    EXPECT_EQ(decoded.containerName, "asf");
    EXPECT_EQ(decoded.audioCodec, "wmav2");
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_NEAR(decoded.AudioSeconds(), 3.0, kWmaSlackSeconds);
    // The lead-in is lost on decoding, so the sweep starts at sample 0:
    // the decoded signal lines up with the original.
    const std::size_t n = std::min(decoded.audio.Frames(), sweep.Frames());
    double error = 0, energy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        error += std::pow(decoded.audio.left[i] - sweep.left[i], 2);
        energy += std::pow(sweep.left[i], 2);
    }
    EXPECT_LT(error / energy, 0.05);
}

TEST(MediaFiles, BadBytesAreReportedWithTheFileName) {
    const Bytes junk = {'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o'};
    try {
        DecodeMedia(junk, "sound\\junk.wav");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "sound\\junk.wav");
    }
    EXPECT_THROW(DecodeMedia(Bytes{}, "empty.wma"), FileError);
}

TEST(MediaFiles, EverySoundEffectFileDecodesToItsLength) {
    const auto files = MakeSoundEffectFiles();
    ASSERT_EQ(files.size(), SoundEffects().size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const SoundEffect& effect = SoundEffects()[i];
        EXPECT_EQ(files[i].name, "sound\\" + effect.file);
        const double seconds = FramesToSeconds(effect.render().Frames());
        const DecodedMedia decoded = DecodeMedia(files[i].bytes, files[i].name);
        EXPECT_EQ(decoded.sampleRate, kSampleRate) << files[i].name;
        if (effect.format == SoundFormat::Wav) {
            EXPECT_EQ(decoded.containerName, "wav") << files[i].name;
            EXPECT_NEAR(decoded.AudioSeconds(), seconds, 1e-9) << files[i].name;
        } else {
            EXPECT_EQ(decoded.audioCodec, "wmav2") << files[i].name;
            EXPECT_NEAR(decoded.AudioSeconds(), seconds, kWmaSlackSeconds) << files[i].name;
        }
        EXPECT_LE(PeakLevel(decoded.audio), 1.0f) << files[i].name;
        EXPECT_GT(RmsLevel(decoded.audio), 0.01f) << files[i].name;
    }
}

TEST(MediaFiles, MpegHoldsEveryFrameAndTheSoundtrack) {
    video::VideoFormat format;
    format.width = 160;
    format.height = 120;
    format.frameCount = 30;
    auto render = [&](int index) {
        video::Frame frame(format.width, format.height);
        for (auto& p : frame.pixels) p = video::Rgb{index / 30.0f, 0.2f, 0.1f};
        return frame;
    };
    const Stereo sound = Sweep(1.2);
    const Bytes bytes = video::EncodeMpeg(format, render, sound, "test.mpg");
    EXPECT_EQ(bytes, video::EncodeMpeg(format, render, sound, "test.mpg"));
    const DecodedMedia decoded = DecodeMedia(bytes, "test.mpg");
    EXPECT_EQ(decoded.containerName, "mpeg");
    EXPECT_EQ(decoded.videoCodec, "mpeg1video");
    EXPECT_EQ(decoded.audioCodec, "mp2");
    EXPECT_EQ(decoded.width, 160);
    EXPECT_EQ(decoded.height, 120);
    EXPECT_EQ(decoded.videoFrames, 30);
    EXPECT_DOUBLE_EQ(decoded.frameRate, 25.0);
    EXPECT_NEAR(decoded.AudioSeconds(), 1.2, 0.06);
}

TEST(Music, ArrangementsHaveTheirLengthsAndTempi) {
    for (Song (*arrange)() : {&MenuTheme, &BattleTheme, &CreditsTheme, &MissionEndTheme}) {
        const Song song = arrange();
        const double seconds = BeatsToSeconds(song.lengthBeats, song.bpm);
        EXPECT_GE(song.bpm, 100) << song.name;
        EXPECT_LE(song.bpm, 130) << song.name;
        if (song.name == "missionend") {
            EXPECT_GE(seconds, 20.0);
            EXPECT_LE(seconds, 40.0);
        } else {
            EXPECT_GE(seconds, 60.0) << song.name;
        }
        EXPECT_GE(song.tracks.size(), 6u) << song.name;
        for (const Track& track : song.tracks) {
            EXPECT_FALSE(track.notes.empty()) << song.name << " " << track.name;
            for (const Note& note : track.notes) EXPECT_LT(note.beat, song.lengthBeats) << song.name << " " << track.name;
        }
    }
}

// The game folder the build generated, when there is one: each music track
// and the intro decode to their full length.
TEST(MediaFiles, GeneratedMusicAndIntroDecodeToTheirLength) {
    const std::filesystem::path root = KR_GAME_DIR;
    if (!std::filesystem::exists(root / "music" / "menutheme.wma")) GTEST_SKIP() << "no generated game folder";
    GameFolder folder(root);
    for (Song (*arrange)() : {&MenuTheme, &BattleTheme, &CreditsTheme, &MissionEndTheme}) {
        const Song song = arrange();
        const std::string name = "music\\" + song.name + ".wma";
        const DecodedMedia decoded = DecodeMedia(folder.ReadAll(name), name);
        EXPECT_EQ(decoded.channels, 2) << name;
        EXPECT_NEAR(decoded.AudioSeconds(), BeatsToSeconds(song.lengthBeats, song.bpm) + song.tailSeconds, kWmaSlackSeconds)
            << name;
        EXPECT_LE(PeakLevel(decoded.audio), 1.0f) << name;
        EXPECT_NEAR(IntegratedLoudness(decoded.audio), song.targetLufs, 1.0) << name;
    }
    const DecodedMedia intro = DecodeMedia(folder.ReadAll("Video\\intro.mpg"), "Video\\intro.mpg");
    EXPECT_EQ(intro.width, 640);
    EXPECT_EQ(intro.height, 480);
    EXPECT_EQ(intro.videoFrames, 250);
    EXPECT_NEAR(intro.AudioSeconds(), 10.0, 0.06);
}

}  // namespace
}  // namespace kr::audio
