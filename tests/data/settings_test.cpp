#include "data/settings.hpp"

#include <gtest/gtest.h>

#include "byte_image.hpp"
#include "engine/error.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

using test::PutI32;
using test::PutText;

// A record with every field set apart from its neighbours, junk after the
// language name and non-zero padding.
Bytes SampleSettingsImage() {
    Bytes image = test::PatternImage(Settings::kByteSize);
    PutText(image, 0, "polish");  // bytes 7..15 keep the pattern
    image[16] = 1;
    image[17] = 2;
    image[18] = 3;
    image[19] = 4;
    image[20] = 5;
    image[21] = 6;
    PutI32(image, 24, 1024);
    PutI32(image, 28, -768);
    image[32] = 32;
    // 1.5 as a little-endian IEEE double
    const std::uint8_t display[8] = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F};
    std::copy(std::begin(display), std::end(display), image.begin() + 40);
    return image;
}

TEST(Settings, ReadsEveryFieldAtItsOffset) {
    Settings s = SettingsFromBytes(SampleSettingsImage());
    EXPECT_EQ(s.Language.View(), "polish");
    EXPECT_EQ(s.WindowMode, 1);
    EXPECT_EQ(s.Antialias, 2);
    EXPECT_EQ(s.FilterLevel, 3);
    EXPECT_EQ(s.GlowEnabled, 4);
    EXPECT_EQ(s.LightingLevel, 5);
    EXPECT_EQ(s.DetailLevel, 6);
    EXPECT_EQ(s.ScreenWidth, 1024);
    EXPECT_EQ(s.ScreenHeight, -768);
    EXPECT_EQ(s.ColourDepth, 32);
    EXPECT_EQ(s.DisplayParam, 1.5);
}

TEST(Settings, RoundTripKeepsPaddingAndBytesPastTheName) {
    Bytes image = SampleSettingsImage();
    EXPECT_EQ(SettingsToBytes(SettingsFromBytes(image)), image);
}

TEST(Settings, LanguageSwitchLeavesTheOldTailBehindTheLengthByte) {
    Settings s = SettingsFromBytes(Bytes(Settings::kByteSize, 0));
    s.Language.Assign("english");
    s.Language.Assign("polish");
    Bytes image = SettingsToBytes(s);
    EXPECT_EQ(image[0], 6);
    EXPECT_EQ(std::string(image.begin() + 1, image.begin() + 8), "polishh");
    EXPECT_EQ(SettingsFromBytes(image).Language.View(), "polish");
}

TEST(Settings, UntrustedLanguageLengthIsClampedToTheField) {
    Bytes image(Settings::kByteSize, 'x');
    image[0] = 200;
    image[16] = 7;
    Settings s = SettingsFromBytes(image);
    EXPECT_EQ(s.Language.View(), std::string(15, 'x'));
    EXPECT_EQ(s.WindowMode, 7);
    EXPECT_EQ(SettingsToBytes(s)[0], 15);
    EXPECT_THROW(SettingsFromBytes(Bytes(47, 0)), Error);
}

TEST(SettingsFile, LoadReadsTheFirstRecordAndSaveWritesExactlyOne) {
    test::TempGameFolder game;
    Bytes image = SampleSettingsImage();
    Bytes longer = image;
    longer.insert(longer.end(), {9, 9, 9, 9});
    game.Write("config.dat", longer);

    Settings s;
    LoadSettings(game.folder(), s);
    EXPECT_EQ(s.ScreenWidth, 1024);
    SaveSettings(game.folder(), s);
    EXPECT_EQ(game.ReadBytes("config.dat"), image);
}

TEST(SettingsFile, MissingOrShortFileIsAnErrorNamingIt) {
    test::TempGameFolder game;
    Settings s;
    try {
        LoadSettings(game.folder(), s);
        FAIL() << "no error for a missing file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "config.dat");
    }
    game.Write("config.dat", Bytes(47, 1));
    try {
        LoadSettings(game.folder(), s);
        FAIL() << "no error for a short file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "config.dat");
        EXPECT_NE(std::string(e.what()).find("47"), std::string::npos) << e.what();
    }
}

TEST(SettingsFile, FailedSaveKeepsTheOldFile) {
    test::TempGameFolder game;
    Bytes image = SampleSettingsImage();
    game.Write("config.dat", image);
    game.BlockSave("config.dat");
    Settings s = SettingsFromBytes(image);
    s.WindowMode = 0;
    EXPECT_THROW(SaveSettings(game.folder(), s), FileError);
    EXPECT_EQ(game.ReadBytes("config.dat"), image);
}

TEST(SettingsFile, DirectoryInPlaceOfTheFileIsAnError) {
    test::TempGameFolder game;
    std::filesystem::create_directories(game.Path("config.dat") / "inside");
    Settings s;
    EXPECT_THROW(SaveSettings(game.folder(), s), FileError);
    EXPECT_TRUE(std::filesystem::exists(game.Path("config.dat") / "inside"));
}

}  // namespace
}  // namespace kr
