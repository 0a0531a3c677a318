#include <gtest/gtest.h>

#include "support/temp_game_folder.hpp"
#include "engine/error.hpp"

namespace kr {
namespace {

TEST(GameFolder, ResolvesWindowsNamesExactlyThenIgnoringCase) {
    test::TempGameFolder temp;
    temp.Write("Graphics/Help/1.bmp", "a");
    temp.Write("lang/english.dat", "b");
    temp.Write("Lang/english.dat", "c");
    EXPECT_EQ(temp.folder().Resolve("graphics\\help\\1.BMP"), temp.Path("Graphics/Help/1.bmp"));
    // The exact spelling wins where both exist.
    EXPECT_EQ(temp.folder().Resolve("Lang\\english.dat"), temp.Path("Lang/english.dat"));
    EXPECT_EQ(temp.folder().Resolve("lang\\english.dat"), temp.Path("lang/english.dat"));
    EXPECT_TRUE(temp.folder().Exists("GRAPHICS\\HELP\\1.bmp"));
    EXPECT_FALSE(temp.folder().Exists("Graphics\\Help\\2.bmp"));
}

TEST(GameFolder, RefusesNamesThatLeaveTheFolder) {
    test::TempGameFolder temp;
    for (const char* name : {"..\\secret", "Graphics\\..\\..\\x", "/etc/passwd", "\\etc\\passwd", "C:\\x", ""}) {
        EXPECT_THROW(temp.folder().Resolve(name), FileError) << name;
        EXPECT_THROW(temp.folder().WriteAtomic(name, std::string_view("x")), FileError) << name;
    }
}

TEST(GameFolder, MissingAndShortFilesAreNamedInTheError) {
    test::TempGameFolder temp;
    temp.Write("config.dat", std::string(47, 'x'));
    try {
        temp.folder().ReadPrefix("config.dat", 48);
        FAIL() << "a short file must not be accepted";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("config.dat"), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("47"), std::string::npos);
    }
    try {
        temp.folder().ReadAll("Graphics\\i_spec7.dds");
        FAIL() << "a missing file must not be accepted";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "Graphics\\i_spec7.dds");
    }
    EXPECT_EQ(temp.folder().ReadPrefix("config.dat", 10).size(), 10u);
}

TEST(GameFolder, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    test::TempGameFolder temp;
    temp.Write("Graphics/i_spec6.dds", std::string(600, 'o'));
    temp.folder().WriteAtomic("graphics\\I_SPEC6.dds", std::string_view("new"));
    EXPECT_EQ(temp.Read("Graphics/i_spec6.dds"), "new");  // the existing file, not a new spelling
    EXPECT_FALSE(std::filesystem::exists(temp.Path("Graphics/i_spec6.dds.tmp")));
    EXPECT_FALSE(std::filesystem::exists(temp.Path("graphics")));
}

TEST(GameFolder, FailedWriteKeepsTheOldFile) {
    test::TempGameFolder temp;
    temp.Write("scores.dat", "old");
    std::filesystem::create_directories(temp.Path("scores.dat.tmp"));  // the temporary name is blocked
    EXPECT_THROW(temp.folder().WriteAtomic("scores.dat", std::string_view("new")), FileError);
    EXPECT_EQ(temp.Read("scores.dat"), "old");
}

}  // namespace
}  // namespace kr
