// The generated game folder: complete, readable by the game, and the same
// bytes on every run.

#include <gtest/gtest.h>

#include <map>

#include "data/high_scores.hpp"
#include "data/language.hpp"
#include "data/profiles.hpp"
#include "data/settings.hpp"
#include "engine/fonts.hpp"
#include "engine/text/cp1250.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

std::map<std::string, std::string> Snapshot(const test::TempGameFolder& temp) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.Path(""))) {
        if (!entry.is_regular_file()) continue;
        std::string relative = std::filesystem::relative(entry.path(), temp.Path("")).string();
        files[relative] = temp.Read(relative);
    }
    return files;
}

class GeneratedFolder : public ::testing::Test {
protected:
    static void Generate(const test::TempGameFolder& temp) {
        auto made = test::RunCommand(std::string(KR_MAKEDATA) + " --out " + test::Quote(temp.Path("").string()));
        ASSERT_EQ(made.exitCode, 0) << made.output;
    }
    void SetUp() override { Generate(temp); }
    test::TempGameFolder temp;
};

TEST_F(GeneratedFolder, IsTheSameBytesOnEveryRun) {
    test::TempGameFolder second;
    Generate(second);
    auto a = Snapshot(temp);
    auto b = Snapshot(second);
    EXPECT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) EXPECT_TRUE(b.count(name) && b[name] == bytes) << name;
}

TEST_F(GeneratedFolder, HoldsTheFirstRunRecords) {
    Settings settings;
    LoadSettings(temp.folder(), settings);
    EXPECT_EQ(settings.Language.View(), "english");
    EXPECT_EQ(settings.ScreenWidth, 1024);
    EXPECT_EQ(settings.ScreenHeight, 768);
    EXPECT_EQ(settings.WindowMode, 0);

    ProfileStore store;
    EXPECT_EQ(LoadProfiles(temp.folder(), 1, store), 0);
    for (int slot = 1; slot <= kProfileSlots; ++slot) {
        EXPECT_EQ(store.ProfileUsed[slot], 0);
        EXPECT_EQ(store.ProfileShip[slot], 3);
    }

    HighScores scores;
    LoadHighScores(temp.folder(), scores);
    for (int k = 1; k <= kHighScoreEntries; ++k) {
        EXPECT_FALSE(scores.HighScoreName[k].Empty()) << k;
        if (k > 1) {
            EXPECT_LT(scores.HighScoreValue[k], scores.HighScoreValue[k - 1]) << k;
        }
    }
}

TEST_F(GeneratedFolder, LanguagesHoldAllTextsInWindows1250) {
    for (const char* language : {"english", "polish"}) {
        LangText texts;
        LoadLanguage(temp.folder(), language, texts);
        for (int n = 1; n <= kLangTextCount; ++n) EXPECT_FALSE(texts[n].Empty()) << language << " " << n;
        std::string raw = temp.Read(std::string("Lang/") + language + ".dat");
        EXPECT_EQ(raw.find("\r\n"), raw.find('\n') - 1) << "lines end in CR LF";
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\n') {
                EXPECT_EQ(raw[i - 1], '\r') << language << " byte " << i;
            }
        }
    }
    std::string polish = temp.Read("Lang/polish.dat");
    EXPECT_NE(polish.find(text::Utf8ToCp1250("ó")), std::string::npos);
    EXPECT_EQ(polish.find("\xC3"), std::string::npos) << "UTF-8 lead bytes left in a Windows-1250 file";
}

TEST_F(GeneratedFolder, EveryMissionHasABriefingInBothLanguages) {
    for (int mission = 1; mission <= 2; ++mission) {
        MissionText english, polish;
        LoadMissionText(temp.folder(), "english", mission, mission - 1, english);
        LoadMissionText(temp.folder(), "polish", mission, mission - 1, polish);
        for (const MissionText* briefing : {&english, &polish}) {
            EXPECT_FALSE(briefing->MissionName.Empty()) << mission;
            for (const auto& line : briefing->BriefingLines) EXPECT_FALSE(line.Empty()) << mission;
            EXPECT_GT(briefing->SpawnMinutes, 0);
            EXPECT_GT(briefing->RequiredPercent, 0);
            EXPECT_LE(briefing->RequiredPercent, 100);
        }
        EXPECT_EQ(english.MapFolder, polish.MapFolder) << "both languages fly the same map";
        EXPECT_EQ(english.SpawnMinutes, polish.SpawnMinutes);
        EXPECT_EQ(english.RequiredPercent, polish.RequiredPercent);
    }
}

TEST_F(GeneratedFolder, ShipsTheFontsOfBothFamilies) {
    for (const char* family : {"Astron Boy", "Arial"}) {
        for (bool bold : {false, true}) {
            EXPECT_TRUE(temp.folder().Exists(FontFileFor(family, bold))) << family;
        }
    }
}

}  // namespace
}  // namespace kr
