// A whole game as a player goes through it, headless through the test
// driver: a new pilot, both missions won (the developer keys shorten the
// fights), the end-of-game screen and the high scores; then the saved files
// byte by byte.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "data/high_scores.hpp"
#include "data/profiles.hpp"
#include "support/generated_game.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

class Script {
public:
    void At(int frame, std::initializer_list<std::string> events) {
        text_ << "frame " << frame << "\n";
        for (const std::string& e : events) text_ << e << "\n";
    }
    void Click(int frame, int x, int y) {
        At(frame, {"mouse " + std::to_string(x) + " " + std::to_string(y)});
        At(frame + 2, {"button 1 down"});
        At(frame + 4, {"button 1 up"});
    }
    // Launch from the hangar, fire in bursts that keep the gun cool, then
    // win at once with P+N and leave the results once they can be left.
    int Mission(int start) {
        Click(start, 870, 610);
        const int win = start + 900;  // waves have come by then
        for (int burst = start + 100; burst + 40 < win; burst += 60) {
            At(burst, {"key down 57"});
            At(burst + 40, {"key up 57"});
        }
        At(win, {"key down 25"});
        At(win + 2, {"key down 49"});
        At(win + 4, {"key up 49", "key up 25"});
        At(win + 400, {"button 1 down"});
        At(win + 403, {"button 1 up"});
        return win + 403;
    }
    std::string Text() const { return text_.str(); }

private:
    std::ostringstream text_;
};

// The first byte where two files differ, for a readable failure.
std::size_t FirstDifference(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}

std::string WholeGame() {
    Script s;
    s.At(2, {"button 1 down"});  // past the intro, the logo and the title
    s.At(3, {"button 1 up"});
    s.At(120, {"key down 28"});
    s.At(122, {"key up 28"});
    s.At(420, {"button 1 down"});
    s.At(422, {"button 1 up"});
    s.Click(528, 200, 240);  // a new pilot
    int frame = 560;
    for (int code : {30, 46, 18, 57, 8}) {  // A C E space 7
        s.At(frame, {"key down " + std::to_string(code)});
        s.At(frame + 1, {"key up " + std::to_string(code)});
        frame += 10;
    }
    s.At(640, {"key down 28"});
    s.At(642, {"key up 28"});
    s.Click(700, 780, 676);  // start the pilot
    const int first = s.Mission(800);
    const int second = s.Mission(first + 200);
    s.Click(second + 200, 780, 676);  // the end-of-game button
    return s.Text();
}

TEST(FullGame, ANewPilotWinsBothMissionsAndEntersTheHighScores) {
    test::TempGameFolder temp;
    ASSERT_EQ(test::FillGameFolder(temp.Path("")), "");
    temp.Write("Graphics/i_spec7.dds", ProfileStoreToBytes(ProfileStore{}));
    temp.Write("Graphics/i_spec6.dds", HighScoresToBytes(HighScores{}));
    std::ofstream(temp.Path("game.txt")) << WholeGame();
    auto run = test::RunCommand(std::string(KR_GAME_EXE) + " --game-dir " + test::Quote(temp.Path("").string()) +
                                " --headless --seed 5 --frame-ms 16 --frames 4200 --input " +
                                test::Quote(temp.Path("game.txt").string()) + " --state-out " +
                                test::Quote(temp.Path("state.json").string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const nlohmann::json state = nlohmann::json::parse(temp.Read("state.json"));
    EXPECT_EQ(state["ScreenId"], 105) << "the high scores";

    const std::string profileFile = temp.Read("Graphics/i_spec7.dds");
    const ProfileStore stored = ProfileStoreFromBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(profileFile.data()), profileFile.size()));
    ProfileStore expected;
    expected.ProfileUsed[1] = 1;
    expected.ProfileName[1].Assign("ACE 7");
    expected.ProfileShip[1] = 1;
    for (int slot = 2; slot <= kProfileSlots; ++slot) expected.ProfileShip[slot] = ProfileStore::kLoadedShipForZero;
    // Every enemy down in both missions: at least 20 credits each, more with points.
    EXPECT_GE(stored.ProfileMoney[1], 40);
    expected.ProfileMoney[1] = stored.ProfileMoney[1];
    expected.ProfileGameDone[1] = 1;
    expected.ProfileDifficulty[1] = 1;
    expected.ProfileMission[1] = 0;
    EXPECT_LE(stored.ProfilePlayTime[1], 2);
    expected.ProfilePlayTime[1] = stored.ProfilePlayTime[1];
    expected.ProfileShipLevel[1] = stored.ProfileShipLevel[1];
    const Bytes expectedProfiles = ProfileStoreToBytes(expected);
    const std::string expectedProfileFile(expectedProfiles.begin(), expectedProfiles.end());
    EXPECT_EQ(profileFile, expectedProfileFile) << "first difference at byte "
                                                << FirstDifference(profileFile, expectedProfileFile);

    const std::string scoreFile = temp.Read("Graphics/i_spec6.dds");
    const HighScores table =
        HighScoresFromBytes(std::span(reinterpret_cast<const std::uint8_t*>(scoreFile.data()), scoreFile.size()));
    EXPECT_GT(table.HighScoreValue[1], 0) << "the gun scored";
    HighScores expectedTable;
    expectedTable.HighScoreName[1].Assign("ACE 7");
    expectedTable.HighScoreValue[1] = table.HighScoreValue[1];
    const Bytes expectedScores = HighScoresToBytes(expectedTable);
    const std::string expectedScoreFile(expectedScores.begin(), expectedScores.end());
    EXPECT_EQ(scoreFile, expectedScoreFile) << "first difference at byte "
                                            << FirstDifference(scoreFile, expectedScoreFile);
}

}  // namespace
}  // namespace kr
