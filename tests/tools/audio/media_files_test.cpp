// The written files, read back the way the game reads them (its own decoder
// and video player): the same bytes every time, the expected length, level
// and content, for the writers and for every file the generator makes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "audio/audio_catalogue.hpp"
#include "audio/loudness.hpp"
#include "audio/songs.hpp"
#include "audio/sound_effects.hpp"
#include "audio/wav.hpp"
#include "audio/wma.hpp"
#include "engine/error.hpp"
#include "media/audio_decoder.hpp"
#include "media/mixer_output.hpp"
#include "media/mpeg_video.hpp"
#include "support/temp_game_folder.hpp"
#include "video/intro_video.hpp"
#include "video/mpeg_writer.hpp"

namespace kr::audio {
namespace {

// The codec's blocks pad the end: at most one more block than the sound.
constexpr std::size_t kWmaSlackFrames = 2048;

Stereo Sweep(double seconds) {
    Stereo s(SecondsToFrames(seconds));
    for (std::size_t i = 0; i < s.Frames(); ++i) {
        const double t = FramesToSeconds(i);
        s.left[i] = 0.5f * static_cast<float>(std::sin(2.0 * kPi * (200.0 + 400.0 * t) * t));
        s.right[i] = 0.25f * s.left[i];
    }
    return s;
}

// The game's decoding of `bytes`: interleaved stereo at 44.1 kHz, split.
Stereo DecodeAsTheGame(const test::TempGameFolder& temp, const std::string& name, const Bytes& bytes) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    temp.Write(relative, bytes);
    const media::DecodedSound sound = media::DecodeSoundFile(temp.Path(relative), name);
    Stereo out(static_cast<std::size_t>(sound.Frames()));
    for (std::size_t i = 0; i < out.Frames(); ++i) {
        out.left[i] = sound.samples[2 * i];
        out.right[i] = sound.samples[2 * i + 1];
    }
    return out;
}

bool StartsWith(const Bytes& bytes, std::initializer_list<std::uint8_t> magic) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}
bool IsWav(const Bytes& bytes) { return StartsWith(bytes, {'R', 'I', 'F', 'F'}) && bytes[8] == 'W'; }
bool IsAsf(const Bytes& bytes) { return StartsWith(bytes, {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11}); }

TEST(MediaFiles, WavDecodesToTheSamePcm) {
    test::TempGameFolder temp;
    const Mono mono = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 2.0f};
    const Stereo decoded = DecodeAsTheGame(temp, "mono.wav", EncodeWav(ViewOf(mono)));
    ASSERT_EQ(decoded.Frames(), mono.size());
    for (std::size_t i = 0; i < mono.size(); ++i) {
        EXPECT_NEAR(decoded.left[i], std::clamp(mono[i], -1.0f, 1.0f), 1.0f / 32768) << i;
        EXPECT_EQ(decoded.left[i], decoded.right[i]) << "mono plays on both sides";
    }
    const Stereo sweep = Sweep(0.5);
    const Stereo stereo = DecodeAsTheGame(temp, "stereo.wav", EncodeWav(ViewOf(sweep)));
    ASSERT_EQ(stereo.Frames(), sweep.Frames());
    EXPECT_NEAR(stereo.right[1000], sweep.right[1000], 1.0f / 32768);
    EXPECT_THROW(EncodeWav(ChannelView{}), Error);
}

TEST(MediaFiles, WmaIsTheSameEveryTimeKeepsItsLengthAndStartsOnTime) {
    test::TempGameFolder temp;
    const Stereo sweep = Sweep(3.0);
    const Bytes bytes = EncodeWma(ViewOf(sweep), 128000, "test.wma");
    EXPECT_EQ(bytes, EncodeWma(ViewOf(sweep), 128000, "test.wma"));
    EXPECT_TRUE(IsAsf(bytes));
    const Stereo decoded = DecodeAsTheGame(temp, "test.wma", bytes);
    EXPECT_GE(decoded.Frames(), sweep.Frames());
    EXPECT_LE(decoded.Frames(), sweep.Frames() + kWmaSlackFrames);
    // The lead-in is lost on decoding, so the sweep starts at sample 0:
    // the decoded signal lines up with the original.
    double error = 0, energy = 0;
    for (std::size_t i = 0; i < sweep.Frames(); ++i) {
        error += std::pow(decoded.left[i] - sweep.left[i], 2);
        energy += std::pow(sweep.left[i], 2);
    }
    EXPECT_LT(error / energy, 0.05);
}

TEST(MediaFiles, MpegIsTheSameEveryTimeAndPlaysEveryPictureWithItsSound) {
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
    test::TempGameFolder temp;
    temp.Write("test.mpg", bytes);
    auto output = std::make_shared<media::MixerOutput>();
    auto player = media::OpenMpegVideo(temp.Path("test.mpg"), "test.mpg", output);
    EXPECT_NEAR(player->LengthSeconds(), 1.2, 0.05);
    std::vector<float> block(2 * 1024);
    double loudest = 0;
    int pictures = 0;
    for (long shown = 0, i = 0; player->PositionSeconds() < player->LengthSeconds() && i < 1000; ++i) {
        player->Update();
        output->mixer().Render(block.data(), 1024);
        for (float sample : block) loudest = std::max(loudest, double(std::fabs(sample)));
        if (player->PictureNumber() != shown) ++pictures;
        shown = player->PictureNumber();
    }
    EXPECT_EQ(pictures, 30);
    EXPECT_EQ(player->Picture()->width, 160);
    EXPECT_NEAR(loudest, 0.5, 0.05) << "the soundtrack is heard";
}

TEST(Music, ArrangementsLastAtLeastAMinuteAtTheirTempi) {
    for (Song (*arrange)() : {&MenuTheme, &BattleTheme, &OrbitTheme, &CreditsTheme, &MissionEndTheme}) {
        const Song song = arrange();
        EXPECT_GE(song.bpm, 100) << song.name;
        EXPECT_LE(song.bpm, 130) << song.name;
        EXPECT_GE(BeatsToSeconds(song.lengthBeats, song.bpm), 60.0) << song.name;
        EXPECT_GE(song.tracks.size(), 6u) << song.name;
        for (const Track& track : song.tracks) {
            EXPECT_FALSE(track.notes.empty()) << song.name << " " << track.name;
            for (const Note& note : track.notes) EXPECT_LT(note.beat, song.lengthBeats) << song.name << " " << track.name;
        }
    }
}

// Every file the generator writes, as the game decodes it.
TEST(GeneratedAudio, EveryEffectDecodesToItsLengthAtAPlausibleLevel) {
    test::TempGameFolder temp;
    const auto files = MakeSoundEffectFiles();
    ASSERT_EQ(files.size(), SoundEffects().size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const SoundEffect& effect = SoundEffects()[i];
        const std::string& name = files[i].name;
        SCOPED_TRACE(name);
        EXPECT_EQ(name, "sound\\" + effect.file);
        const std::size_t frames = effect.render().Frames();
        const Stereo decoded = DecodeAsTheGame(temp, name, files[i].bytes);
        if (effect.format == SoundFormat::Wav) {
            EXPECT_TRUE(IsWav(files[i].bytes));
            EXPECT_EQ(decoded.Frames(), frames);
        } else {
            EXPECT_TRUE(IsAsf(files[i].bytes));
            EXPECT_GE(decoded.Frames(), frames);
            EXPECT_LE(decoded.Frames(), frames + kWmaSlackFrames);
        }
        const float peakDb = GainToDecibels(PeakLevel(decoded));
        EXPECT_LE(peakDb, -1.0f);
        EXPECT_GE(peakDb, -12.0f);
        EXPECT_GT(GainToDecibels(RmsLevel(decoded)), -32.0f) << "not silence";
    }
}

TEST(GeneratedAudio, EveryMusicTrackIsLongLevelledAndNeverFallsSilent) {
    test::TempGameFolder temp;
    const auto files = MakeMusicFiles();
    ASSERT_EQ(files.size(), 5u);
    for (Song (*arrange)() : {&MenuTheme, &BattleTheme, &OrbitTheme, &CreditsTheme, &MissionEndTheme}) {
        const Song song = arrange();
        const std::string name = "music\\" + song.name + ".wma";
        SCOPED_TRACE(name);
        auto file = std::find_if(files.begin(), files.end(), [&](const AudioFile& f) { return f.name == name; });
        ASSERT_NE(file, files.end());
        EXPECT_TRUE(IsAsf(file->bytes));
        const Stereo decoded = DecodeAsTheGame(temp, name, file->bytes);
        const double seconds = FramesToSeconds(decoded.Frames());
        EXPECT_GE(seconds, 60.0);
        EXPECT_NEAR(seconds, BeatsToSeconds(song.lengthBeats, song.bpm) + (song.loops ? 0.0 : song.tailSeconds), 0.1);
        EXPECT_NEAR(IntegratedLoudness(decoded), song.targetLufs, 0.5);
        EXPECT_LE(GainToDecibels(PeakLevel(decoded)), -0.2f);
        // Every two seconds between the fades carries sound.
        const std::size_t window = SecondsToFrames(2.0);
        for (std::size_t at = window; at + 2 * window < decoded.Frames(); at += window) {
            const Mono part(decoded.left.begin() + static_cast<std::ptrdiff_t>(at),
                            decoded.left.begin() + static_cast<std::ptrdiff_t>(at + window));
            EXPECT_GT(GainToDecibels(RmsLevel(part)), -40.0f) << "silent at " << FramesToSeconds(at) << " s";
        }
    }
}

TEST(GeneratedAudio, TheIntroPlaysTenSecondsOfPicturesWithItsSoundtrack) {
    constexpr const char* kFontPath = "/usr/share/fonts/truetype/play/Play-Bold.ttf";
    std::ifstream in(kFontPath, std::ios::binary);
    const Bytes ttf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (ttf.empty()) GTEST_SKIP() << kFontPath << " is not installed";
    test::TempGameFolder temp;
    temp.Write("Video/intro.mpg", video::MakeIntroVideo(video::DisplayFont{ttf, kFontPath}));
    auto output = std::make_shared<media::MixerOutput>();
    auto player = media::OpenMpegVideo(temp.Path("Video/intro.mpg"), "Video\\intro.mpg", output);
    EXPECT_NEAR(player->LengthSeconds(), video::kIntroSeconds, 0.05);
    std::vector<float> heard, block(2 * 1024);
    int pictures = 0;
    for (long shown = 0, i = 0; player->PositionSeconds() < player->LengthSeconds() && i < 5000; ++i) {
        player->Update();
        output->mixer().Render(block.data(), 1024);
        heard.insert(heard.end(), block.begin(), block.end());
        if (player->PictureNumber() != shown) ++pictures;
        shown = player->PictureNumber();
    }
    EXPECT_GE(pictures, 240) << "at most a picture or two is passed over";
    EXPECT_EQ(player->Picture()->width, video::kIntroWidth);
    EXPECT_EQ(player->Picture()->height, video::kIntroHeight);
    Stereo sound(heard.size() / 2);
    for (std::size_t i = 0; i < sound.Frames(); ++i) {
        sound.left[i] = heard[2 * i];
        sound.right[i] = heard[2 * i + 1];
    }
    EXPECT_NEAR(IntegratedLoudness(sound), -16.0, 1.5);
    EXPECT_LE(PeakLevel(sound), 1.0f);
}

}  // namespace
}  // namespace kr::audio
