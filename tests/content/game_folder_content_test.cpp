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
#include "support/generated_game.hpp"
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

void Generate(const test::TempGameFolder& temp) {
    auto made = test::RunCommand(std::string(KR_MAKEDATA) + " --out " + test::Quote(temp.Path("").string()));
    ASSERT_EQ(made.exitCode, 0) << made.output;
}

TEST(GeneratedFolderRuns, AreTheSameBytesEveryTime) {
    test::TempGameFolder first, second;
    Generate(first);
    Generate(second);
    auto a = Snapshot(first);
    auto b = Snapshot(second);
    EXPECT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) EXPECT_TRUE(b.count(name) && b[name] == bytes) << name;
}

// The folder this build generated (or one generated now when it has none).
class GeneratedFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string output;
        bool made = false;
        dir_ = test::GeneratedFolderOr(fallback_, output, made);
        ASSERT_TRUE(made) << output;
    }
    GameFolder folder() const { return GameFolder(dir_); }
    std::string Read(const std::string& relative) const {
        Bytes bytes = folder().ReadAll(relative);
        return {bytes.begin(), bytes.end()};
    }

private:
    test::TempGameFolder fallback_;
    std::filesystem::path dir_;
};

TEST_F(GeneratedFolder, HoldsTheFirstRunRecords) {
    Settings settings;
    LoadSettings(folder(), settings);
    EXPECT_EQ(settings.Language.View(), "english");
    EXPECT_EQ(settings.ScreenWidth, 1024);
    EXPECT_EQ(settings.ScreenHeight, 768);
    EXPECT_EQ(settings.WindowMode, 0);

    ProfileStore store;
    EXPECT_EQ(LoadProfiles(folder(), 1, store), 0);
    for (int slot = 1; slot <= kProfileSlots; ++slot) {
        EXPECT_EQ(store.ProfileUsed[slot], 0);
        EXPECT_EQ(store.ProfileShip[slot], 3);
    }

    HighScores scores;
    LoadHighScores(folder(), scores);
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
        LoadLanguage(folder(), language, texts);
        for (int n = 1; n <= kLangTextCount; ++n) EXPECT_FALSE(texts[n].Empty()) << language << " " << n;
        std::string raw = Read(std::string("Lang/") + language + ".dat");
        EXPECT_EQ(raw.find("\r\n"), raw.find('\n') - 1) << "lines end in CR LF";
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\n') {
                EXPECT_EQ(raw[i - 1], '\r') << language << " byte " << i;
            }
        }
    }
    std::string polish = Read("Lang/polish.dat");
    EXPECT_NE(polish.find(text::Utf8ToCp1250("ó")), std::string::npos);
    EXPECT_EQ(polish.find("\xC3"), std::string::npos) << "UTF-8 lead bytes left in a Windows-1250 file";
}

TEST_F(GeneratedFolder, EveryMissionHasABriefingInBothLanguages) {
    for (int mission = 1; mission <= 2; ++mission) {
        MissionText english, polish;
        LoadMissionText(folder(), "english", mission, mission - 1, english);
        LoadMissionText(folder(), "polish", mission, mission - 1, polish);
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
            EXPECT_TRUE(folder().Exists(FontFileFor(family, bold))) << family;
        }
    }
}

}  // namespace
}  // namespace kr
