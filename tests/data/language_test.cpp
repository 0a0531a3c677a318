#include "data/language.hpp"

#include <gtest/gtest.h>

#include "data/text_lines.hpp"
#include "engine/error.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

LineReader Lines(std::string_view text) {
    return LineReader("test.dat", Bytes(text.begin(), text.end()));
}

TEST(LineReader, SplitsOnLfWithOrWithoutCrAndReadsAnUnendedLastLine) {
    LineReader lines = Lines("one\r\ntwo\n\r\nfour\rstill four\nfive");
    EXPECT_EQ(lines.Next(), "one");
    EXPECT_EQ(lines.Next(), "two");
    EXPECT_EQ(lines.Next(), "");
    EXPECT_EQ(lines.Next(), "four\rstill four");
    EXPECT_FALSE(lines.AtEnd());
    EXPECT_EQ(lines.Next(), "five");
    EXPECT_TRUE(lines.AtEnd());
    EXPECT_EQ(lines.Next(), "");
}

TEST(LineReader, RequiredLineAfterTheEndNamesTheFileAndLine) {
    LineReader lines = Lines("a\nb\n");
    lines.Require();
    lines.Require();
    try {
        lines.Require();
        FAIL() << "read past the end";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "test.dat");
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

TEST(LineReader, WholeNumbersAreParsedStrictly) {
    LineReader good = Lines("12\n  -7\t\n+30\n2147483647\n");
    EXPECT_EQ(good.RequireWholeNumber(), 12);
    EXPECT_EQ(good.RequireWholeNumber(), -7);
    EXPECT_EQ(good.RequireWholeNumber(), 30);
    EXPECT_EQ(good.RequireWholeNumber(), 2147483647);
    for (std::string_view bad : {"", "abc", "12 minutes", "1.5", "2147483648", "+-3", "0x10"}) {
        LineReader lines = Lines(std::string(bad) + "\n");
        EXPECT_THROW(lines.RequireWholeNumber(), FileError) << bad;
    }
}

// Builds a main text file: a header, then a label and a text per entry.
std::string MainFile(int count, std::string_view prefix, std::string_view eol = "\r\n") {
    std::string file = "header" + std::string(eol);
    for (int n = 1; n <= count; ++n) {
        file += "# " + std::to_string(n) + std::string(eol);
        file += std::string(prefix) + std::to_string(n) + std::string(eol);
    }
    return file;
}

class LanguageTest : public ::testing::Test {
protected:
    test::TempGameFolder game;
    LangText texts;
};

TEST_F(LanguageTest, ReadsTextNFromLineTwoNPlusOne) {
    game.Write("Lang/english.dat", MainFile(3, "text "));
    LoadLanguage(game.folder(), "english", texts);
    EXPECT_EQ(texts[1].View(), "text 1");
    EXPECT_EQ(texts[3].View(), "text 3");
    EXPECT_TRUE(texts[4].Empty());
}

TEST_F(LanguageTest, LfEndingsAndAnUnendedLastLineReadTheSame) {
    std::string file = MainFile(2, "t", "\n");
    file.pop_back();
    game.Write("Lang/english.dat", file);
    LoadLanguage(game.folder(), "english", texts);
    EXPECT_EQ(texts[1].View(), "t1");
    EXPECT_EQ(texts[2].View(), "t2");
}

TEST_F(LanguageTest, HeaderOnlyFileEmptiesTextOneAndNothingElse) {
    texts[1] = "old 1";
    texts[2] = "old 2";
    game.Write("Lang/english.dat", "header only\r\n");
    LoadLanguage(game.folder(), "english", texts);
    EXPECT_TRUE(texts[1].Empty());
    EXPECT_EQ(texts[2].View(), "old 2");
}

TEST_F(LanguageTest, ShorterLanguageKeepsTheRestOfThePreviousOne) {
    game.Write("Lang/english.dat", MainFile(120, "en"));
    game.Write("Lang/polish.dat", MainFile(100, "pl"));
    LoadLanguage(game.folder(), "english", texts);
    LoadLanguage(game.folder(), "polish", texts);
    EXPECT_EQ(texts[100].View(), "pl100");
    EXPECT_EQ(texts[101].View(), "en101");
    EXPECT_EQ(texts[120].View(), "en120");
}

TEST_F(LanguageTest, TextsPastTheTableAreIgnored) {
    game.Write("Lang/english.dat", MainFile(130, "x"));
    LoadLanguage(game.folder(), "english", texts);
    EXPECT_EQ(texts[120].View(), "x120");
}

TEST_F(LanguageTest, LongLineIsCutAndTheNextTextStartsOnItsOwnLine) {
    std::string longText(75, 'L');
    game.Write("Lang/english.dat", "h\nl1\n" + longText + "\nl2\nsecond\n");
    LoadLanguage(game.folder(), "english", texts);
    EXPECT_EQ(texts[1].View(), std::string(60, 'L'));
    EXPECT_EQ(texts[2].View(), "second");
}

TEST_F(LanguageTest, BytesAreKeptWithoutConversion) {
    std::string text = "Pi\xB9ty \xB3\xF3\x9F";  // Windows-1250 letters
    game.Write("Lang/polish.dat", "h\nl\n" + text + "\n");
    LoadLanguage(game.folder(), "polish", texts);
    EXPECT_EQ(texts[1].View(), text);
}

TEST_F(LanguageTest, MissingFileIsAnErrorNamingIt) {
    try {
        LoadLanguage(game.folder(), "klingon", texts);
        FAIL() << "no error for a missing file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Lang\\klingon.dat");
    }
}

TEST_F(LanguageTest, LanguageNamesThatReachOtherFoldersAreRefused) {
    game.Write("Lang/sub/x.dat", MainFile(1, "t"));
    using namespace std::string_view_literals;
    for (std::string_view name : {""sv, ".."sv, "sub\\x"sv, "sub/x"sv, "c:x"sv, "a\0b"sv}) {
        EXPECT_THROW(LoadLanguage(game.folder(), name, texts), FileError) << name;
    }
    EXPECT_TRUE(texts[1].Empty());
}

TEST(LanguageFileNames, FollowTheGameSpelling) {
    EXPECT_EQ(LanguageFileName("english"), "Lang\\english.dat");
    EXPECT_EQ(ShopTextFileName("english"), "lang\\english_shop.dat");
    EXPECT_EQ(HelpPageFileName("polish", 12), "Lang\\polish_h12.dat");
    EXPECT_EQ(MissionTextFileName("polish", 3), "Lang\\polish_m3.dat");
    EXPECT_EQ(HelpPagePicture(3), "Graphics\\Help\\3.bmp");
    EXPECT_EQ(MissionPicture(0), "graphics\\loa1.dds");
}

// Items: a label, a name and three lines each.
std::string ShopFile(int items) {
    std::string file = "shop header\r\n";
    for (int i = 1; i <= items; ++i) {
        std::string n = std::to_string(i);
        file += "[" + n + "]\r\nitem " + n + "\r\na" + n + "\r\nb" + n + "\r\nc" + n + "\r\n";
    }
    return file;
}

class ShopTextTest : public ::testing::Test {
protected:
    void SetUp() override { game.Write("lang/english_shop.dat", ShopFile(4)); }
    test::TempGameFolder game;
    ShopText shop;
};

TEST_F(ShopTextTest, ReadsTheRequestedGroup) {
    LoadShopText(game.folder(), "english", 3, shop);
    EXPECT_EQ(shop.ShopTextItem, 3);
    EXPECT_EQ(shop.Name.View(), "item 3");
    EXPECT_EQ(shop.Lines[1].View(), "a3");
    EXPECT_EQ(shop.Lines[3].View(), "c3");
}

TEST_F(ShopTextTest, ItemZeroKeepsThePreviousDescription) {
    LoadShopText(game.folder(), "english", 2, shop);
    LoadShopText(game.folder(), "english", 0, shop);
    EXPECT_EQ(shop.ShopTextItem, 0);
    EXPECT_EQ(shop.Name.View(), "item 2");
}

TEST_F(ShopTextTest, ItemPastTheEndReadsEmptyTexts) {
    LoadShopText(game.folder(), "english", 6, shop);
    EXPECT_EQ(shop.ShopTextItem, 6);
    EXPECT_TRUE(shop.Name.Empty());
    EXPECT_TRUE(shop.Lines[3].Empty());
}

TEST_F(ShopTextTest, LongNameAndLinesAreCut) {
    game.Write("lang/english_shop.dat",
               "h\nl\n" + std::string(25, 'N') + "\n" + std::string(45, 'D') + "\nx\ny\n");
    LoadShopText(game.folder(), "english", 1, shop);
    EXPECT_EQ(shop.Name.View(), std::string(20, 'N'));
    EXPECT_EQ(shop.Lines[1].View(), std::string(40, 'D'));
    EXPECT_EQ(shop.Lines[2].View(), "x");
}

// A help page of `lines` lines: line n reads "line n".
std::string NumberedLines(int lines, std::string_view eol = "\r\n") {
    std::string file;
    for (int n = 1; n <= lines; ++n) file += "line " + std::to_string(n) + std::string(eol);
    return file;
}

TEST(HelpPage, ReadsTitleSubtitleAndSevenBodyLines) {
    test::TempGameFolder game;
    game.Write("Lang/english_h3.dat", NumberedLines(12));
    HelpPage help;
    EXPECT_EQ(LoadHelpPage(game.folder(), "english", 3, help), "Graphics\\Help\\3.bmp");
    EXPECT_EQ(help.HelpPageLoaded, 1);
    EXPECT_EQ(help.Title.View(), "line 2");
    EXPECT_EQ(help.Subtitle.View(), "line 4");
    EXPECT_EQ(help.Body[1].View(), "line 6");
    EXPECT_EQ(help.Body[7].View(), "line 12");
}

TEST(HelpPage, LastLineNeedsNoEnd) {
    test::TempGameFolder game;
    std::string file = NumberedLines(12, "\n");
    file.pop_back();
    game.Write("Lang/english_h1.dat", file);
    HelpPage help;
    LoadHelpPage(game.folder(), "english", 1, help);
    EXPECT_EQ(help.Body[7].View(), "line 12");
}

TEST(HelpPage, FileEndingEarlyIsAnErrorAndKeepsThePage) {
    test::TempGameFolder game;
    game.Write("Lang/english_h2.dat", NumberedLines(11));
    HelpPage help;
    help.Title = "kept";
    try {
        LoadHelpPage(game.folder(), "english", 2, help);
        FAIL() << "no error for a short help page";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Lang\\english_h2.dat");
    }
    EXPECT_EQ(help.Title.View(), "kept");
    EXPECT_EQ(help.HelpPageLoaded, 0);
}

// A briefing: title on line 2, lines on 4..18, numbers on 20 and 22, the map
// folder on 24.
std::vector<std::string> BriefingLines() {
    std::vector<std::string> lines(24);
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = "label " + std::to_string(i + 1);
    lines[1] = "Into the Rift";
    for (std::size_t b = 1; b <= 8; ++b) lines[2 * b + 1] = "brief " + std::to_string(b);
    lines[19] = "4";
    lines[21] = "75";
    lines[23] = "desert";
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string file;
    for (const auto& line : lines) file += line + "\r\n";
    return file;
}

class MissionTextTest : public ::testing::Test {
protected:
    std::string Load(const std::vector<std::string>& lines, int mission = 2, int current = 4) {
        game.Write("Lang/english_m" + std::to_string(mission) + ".dat", Join(lines));
        return LoadMissionText(game.folder(), "english", mission, current, briefing);
    }
    test::TempGameFolder game;
    MissionText briefing;
};

TEST_F(MissionTextTest, ReadsEveryPartFromItsLine) {
    EXPECT_EQ(Load(BriefingLines()), "graphics\\loa5.dds");  // the current mission's picture
    EXPECT_EQ(briefing.MissionName.View(), "Into the Rift");
    EXPECT_EQ(briefing.BriefingLines[1].View(), "brief 1");
    EXPECT_EQ(briefing.BriefingLines[8].View(), "brief 8");
    EXPECT_EQ(briefing.SpawnMinutes, 4);
    EXPECT_EQ(briefing.RequiredPercent, 75);
    EXPECT_EQ(briefing.MapFolder, "desert");
}

TEST_F(MissionTextTest, LongLinesAreCutButTheLastIsReadWhole) {
    auto lines = BriefingLines();
    lines[1] = std::string(50, 'T');
    lines[3] = std::string(160, 'B');
    lines[23] = std::string(400, 'M');
    Load(lines);
    EXPECT_EQ(briefing.MissionName.View(), std::string(40, 'T'));
    EXPECT_EQ(briefing.BriefingLines[1].View(), std::string(150, 'B'));
    EXPECT_EQ(briefing.BriefingLines[2].View(), "brief 2");
    EXPECT_EQ(briefing.MapFolder, std::string(400, 'M'));
}

TEST_F(MissionTextTest, FileEndingEarlyIsAnErrorAndKeepsTheBriefing) {
    briefing.MapFolder = "kept";
    auto lines = BriefingLines();
    lines.pop_back();
    try {
        Load(lines, 7);
        FAIL() << "no error for a short briefing";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Lang\\english_m7.dat");
        EXPECT_NE(std::string(e.what()).find("line 24"), std::string::npos) << e.what();
    }
    EXPECT_EQ(briefing.MapFolder, "kept");
}

TEST_F(MissionTextTest, NonNumberWhereANumberBelongsNamesFileAndLine) {
    auto lines = BriefingLines();
    lines[21] = "seventy";
    try {
        Load(lines);
        FAIL() << "no error for a non-number";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Lang\\english_m2.dat");
        EXPECT_NE(std::string(e.what()).find("line 22"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(briefing.MapFolder.empty());
}

}  // namespace
}  // namespace kr
