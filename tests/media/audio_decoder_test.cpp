#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "engine/error.hpp"
#include "media/audio_decoder.hpp"
#include "media_files.hpp"

namespace kr {
namespace {

using media::DecodeSoundFile;
using test::SoundKind;

struct DecoderTest : ::testing::Test {
    test::TempGameFolder temp;

    void ExpectRejected(const std::filesystem::path& path, const std::string& name) {
        try {
            DecodeSoundFile(path, name);
            ADD_FAILURE() << name << " was accepted";
        } catch (const FileError& error) {
            EXPECT_EQ(error.file(), name);
            EXPECT_GT(std::string(error.what()).size(), name.size() + 5) << "says what is wrong";
        }
    }
};

TEST_F(DecoderTest, WavAtOtherRatesAndChannelCountsComesOutAsStereoAtTheMixRate) {
    struct Case {
        int rate, channels;
    };
    for (Case c : {Case{22050, 1}, Case{48000, 2}, Case{11025, 1}, Case{44100, 2}}) {
        auto path = test::WriteTone(temp, "a.wav", SoundKind::Wav, {0.5, c.rate, c.channels, 440, 0.5f});
        auto sound = DecodeSoundFile(path, "a.wav");
        SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(c.channels) + " channels");
        EXPECT_NEAR(double(sound.Frames()), 0.5 * media::kMixRate, 2.0);
        // A sine of peak 0.5 on both sides: mono is not lowered by 3 dB.
        std::size_t end = static_cast<std::size_t>(sound.Frames());
        EXPECT_NEAR(test::Rms(sound.samples, 0, 1000, end - 1000), 0.5 / std::sqrt(2.0), 0.005);
        EXPECT_NEAR(test::Rms(sound.samples, 1, 1000, end - 1000), 0.5 / std::sqrt(2.0), 0.005);
        EXPECT_NEAR(test::Peak(sound.samples, 0), 0.5, 0.01);
    }
}

TEST_F(DecoderTest, WmaKeepsItsStartAndLevelAndRoundsItsLengthToWholeBlocks) {
    for (int rate : {44100, 22050}) {
        SCOPED_TRACE(rate);
        auto path = test::WriteTone(temp, "music/t.wma", SoundKind::Wma, {0.5, rate, 2, 440, 0.5f});
        auto sound = DecodeSoundFile(path, "music\\t.wma");
        EXPECT_NEAR(media::FramesToSeconds(sound.Frames()), 0.5, 0.05);
        EXPECT_NEAR(test::Rms(sound.samples, 0, 2000, 20000), 0.5 / std::sqrt(2.0), 0.02);
        EXPECT_GT(test::Rms(sound.samples, 1, 0, 441), 0.2) << "the first 10 ms are not lost";
    }
}

TEST_F(DecoderTest, SixChannelsAreMixedDownToStereo) {
    auto path = test::WriteTone(temp, "six.wav", SoundKind::Wav, {0.25, 48000, 6, 440, 0.2f});
    auto sound = DecodeSoundFile(path, "six.wav");
    EXPECT_NEAR(double(sound.Frames()), 0.25 * media::kMixRate, 2.0);
    EXPECT_GT(test::Rms(sound.samples, 0, 100, 10000), 0.05);
    EXPECT_LE(test::Peak(sound.samples, 0), 1.0);
}

TEST_F(DecoderTest, ReadingInPiecesAndRewindingGiveTheSameFrames) {
    auto path = test::WriteTone(temp, "m.wma", SoundKind::Wma, {0.4, 32000, 1, 300, 0.3f});
    auto whole = DecodeSoundFile(path, "m.wma");
    EXPECT_EQ(media::MeasureSoundFile(path, "m.wma"), whole.Frames());
    media::AudioDecoder decoder(path, "m.wma");
    std::vector<float> pieces;
    for (int pass = 0; pass < 2; ++pass) {
        pieces.clear();
        float chunk[2 * 333];
        while (int got = decoder.Read(chunk, 333)) pieces.insert(pieces.end(), chunk, chunk + got * 2);
        EXPECT_EQ(pieces, whole.samples) << "pass " << pass;
        decoder.Rewind();
    }
}

TEST_F(DecoderTest, MissingEmptyGarbageAndTextFilesAreRejectedWithTheirName) {
    ExpectRejected(temp.Path("none.wav"), "sound\\none.wav");
    temp.Write("empty.wav", std::string());
    ExpectRejected(temp.Path("empty.wav"), "empty.wav");
    std::string garbage(20000, '\0');
    std::mt19937 random(5);
    for (char& c : garbage) c = static_cast<char>(random());
    temp.Write("garbage.wma", garbage);
    ExpectRejected(temp.Path("garbage.wma"), "garbage.wma");
    temp.Write("text.wav", std::string("this is not a sound\r\n"));
    ExpectRejected(temp.Path("text.wav"), "text.wav");
    temp.MakeFolder("folder.wav");
    ExpectRejected(temp.Path("folder.wav"), "folder.wav");
}

TEST_F(DecoderTest, FilesCutShortAreRejectedAsTruncated) {
    for (auto kind : {SoundKind::Wav, SoundKind::Wma}) {
        auto path = test::WriteTone(temp, "cut", kind, {1.0, 44100, 2, 440, 0.5f});
        Bytes whole = temp.ReadBytes("cut");
        for (std::size_t keep : {whole.size() / 2, whole.size() - 1, std::size_t{20}}) {
            temp.Write("cut", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep)));
            ExpectRejected(path, "cut");
        }
        try {
            temp.Write("cut", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)));
            DecodeSoundFile(path, "cut");
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find("truncated"), std::string::npos) << error.what();
        }
    }
}

// Damaged bytes anywhere either decode or give a FileError; never a crash or
// a read outside a buffer (the sanitizer build checks the latter).
TEST_F(DecoderTest, DamagedBytesNeverCrash) {
    for (auto kind : {SoundKind::Wav, SoundKind::Wma}) {
        auto path = test::WriteTone(temp, "d", kind, {0.3, 22050, 2, 440, 0.5f});
        Bytes original = temp.ReadBytes("d");
        std::mt19937 random(11);
        for (int trial = 0; trial < 40; ++trial) {
            Bytes damaged = original;
            for (int i = 0; i < 8; ++i) damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
            temp.Write("d", damaged);
            try {
                auto sound = DecodeSoundFile(path, "d");
                EXPECT_LE(sound.Frames(), 10 * media::kMixRate);
            } catch (const FileError& error) {
                EXPECT_EQ(error.file(), "d");
            }
        }
    }
}

}  // namespace
}  // namespace kr
