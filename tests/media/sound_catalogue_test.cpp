#include <gtest/gtest.h>

#include "app/sound.hpp"
#include "engine/error.hpp"
#include "media_files.hpp"
#include "support/game_fixture.hpp"

namespace kr {
namespace {

using test::SoundKind;

struct CatalogueTest : ::testing::Test {
    CatalogueTest() {
        test::Tone effect{0.1, 22050, 1, 880, 0.5f};
        for (const auto& entry : kSoundCatalogue) WriteGameFile(entry.file, SoundKind::Wav, effect);
        WriteGameFile("sound\\load.wma", SoundKind::Wma, {0.5, 44100, 2, 220, 0.5f});
        for (const auto& entry : kMusicCatalogue) WriteGameFile(entry.file, SoundKind::Wma, {0.3, 44100, 2, 330, 0.3f});
        g.device.log().Open(fixture.temp.Path("debugfile.txt"));
    }
    void WriteGameFile(std::string name, SoundKind kind, const test::Tone& tone) {
        std::replace(name.begin(), name.end(), '\\', '/');
        test::WriteTone(fixture.temp, name, kind, tone);
    }
    void Frame() { fixture.device.Present(FrameRecord{}); }  // 16 ms

    test::GameFixture fixture;
    Game& g = fixture.game;
};

TEST_F(CatalogueTest, EveryFileLandsAtItsItemAndTheLogSaysSoInOrder) {
    LoadSoundCatalogue(g);
    EXPECT_EQ(fixture.temp.Read("debugfile.txt"),
              "SOUND ENGINE : Initializing...\r\nKRAVELLON : Loading music...\r\nKRAVELLON : Loading sounds...\r\n");
    for (const auto& entry : kSoundCatalogue) {
        EXPECT_TRUE(g.Sound.Item(entry.index).Loaded) << entry.file;
        EXPECT_EQ(g.Sound.Item(entry.index).FileName, entry.file);
    }
    for (const auto& entry : kMusicCatalogue) EXPECT_TRUE(g.Music.Item(entry.index).Loaded) << entry.file;
    for (int empty : {1, 4, 6, 31}) EXPECT_FALSE(g.Music.Item(empty).Loaded) << empty;
    for (int empty : {1, 28, 31}) EXPECT_FALSE(g.Sound.Item(empty).Loaded) << empty;
    for (int i = 0; i < media::kSongListItems; ++i) EXPECT_TRUE(g.Music.Item(i).Active && g.Sound.Item(i).Active);
    EXPECT_EQ(g.Sound.Item(2).FileName, "sound\\load.wma");
    Frame();
    EXPECT_DOUBLE_EQ(g.Sound.Position(2), 0.016) << "the loading sound plays while the rest loads";
    EXPECT_EQ(g.Music.Position(0), 0) << "music waits for its screen";
}

TEST_F(CatalogueTest, AMissingFileStopsTheLoadingWithItsName) {
    std::filesystem::remove(fixture.temp.Path("sound/hit3.wav"));
    try {
        LoadSoundCatalogue(g);
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Error loading file: sound\\hit3.wav (", 0), 0u) << error.what();
    }
}

TEST_F(CatalogueTest, FilesReadAheadLoadLikeFilesReadInPlaceFailuresIncluded) {
    std::filesystem::remove(fixture.temp.Path("sound/hit3.wav"));
    StartReadingSounds(g);
    try {
        LoadSoundCatalogue(g);
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Error loading file: sound\\hit3.wav (", 0), 0u) << error.what();
    }
    for (const auto& entry : kMusicCatalogue) {
        EXPECT_TRUE(g.Music.Item(entry.index).Loaded) << entry.file;
        EXPECT_NEAR(g.Music.Duration(entry.index), 0.3, 0.05) << entry.file;  // the encoder pads a little
    }
    EXPECT_TRUE(g.Sound.Item(12).Loaded) << "effects before the missing one are loaded";
    EXPECT_FALSE(g.soundFilesAhead.valid()) << "the read-ahead is used up";
    WriteGameFile("sound\\hit3.wav", SoundKind::Wav, {0.2, 22050, 1, 440, 0.5f});
    LoadSoundCatalogue(g);  // reads in place now
    EXPECT_NEAR(g.Sound.Duration(15), 0.2, 0.001);
}

TEST_F(CatalogueTest, PlaySoundRestartsTheEffectAndTakesItsNumberModulo256) {
    LoadSoundCatalogue(g);
    g.SoundEnabled = 1;
    PlaySound(g, 19);
    Frame();
    Frame();
    EXPECT_DOUBLE_EQ(g.Sound.Position(19), 0.032);
    PlaySound(g, 19);
    EXPECT_EQ(g.Sound.Position(19), 0) << "restarted, not played twice";
    Frame();
    PlaySound(g, 256 + 19);
    EXPECT_EQ(g.Sound.Position(19), 0);
    Frame();
    PlaySound(g, -237);  // -237 modulo 256 is 19
    EXPECT_EQ(g.Sound.Position(19), 0);
    EXPECT_THROW(PlaySound(g, 40), Error) << "there is no effect 40";
}

TEST_F(CatalogueTest, WithEffectsSwitchedOffPlaySoundNeitherStopsNorStarts) {
    LoadSoundCatalogue(g);
    g.SoundEnabled = 1;
    PlaySound(g, 17);
    Frame();
    g.SoundEnabled = 0;
    PlaySound(g, 17);
    PlaySound(g, 18);
    PlaySound(g, 40);  // not even looked at
    StopSound(g, 17);
    Frame();
    EXPECT_DOUBLE_EQ(g.Sound.Position(17), 0.032);
    EXPECT_EQ(g.Sound.Position(18), 0);
    g.SoundEnabled = 1;
    StopSound(g, 17);
    EXPECT_EQ(g.Sound.Position(17), 0);
}

TEST_F(CatalogueTest, MusicStartsAndStopsOnlyWhileSwitchedOnAndAFinishedTrackStaysSilent) {
    LoadSoundCatalogue(g);
    PlayMusic(g, 0);
    Frame();
    EXPECT_EQ(g.Music.Position(0), 0) << "music is off until the engine start-up switches it on";
    g.MusicEnabled = 1;
    PlayMusic(g, 0);
    Frame();
    g.MusicEnabled = 0;
    StopMusic(g, 0);
    Frame();
    EXPECT_DOUBLE_EQ(g.Music.Position(0), 0.032) << "switched off, a stop is not made either";
    g.MusicEnabled = 1;
    StopMusic(g, 0);
    EXPECT_EQ(g.Music.Position(0), 0);
    PlayMusic(g, 3);
    for (int i = 0; i < 40; ++i) Frame();  // 0.64 s: past the track's end
    EXPECT_FALSE(g.Music.IsPlaying(3));
    EXPECT_EQ(g.Music.Position(3), g.Music.Duration(3)) << "no item repeats by itself";
    PlayMusic(g, 3);
    EXPECT_TRUE(g.Music.IsPlaying(3));
    EXPECT_EQ(g.Music.Position(3), 0);
}

}  // namespace
}  // namespace kr
