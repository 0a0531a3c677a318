// The end-of-game screen: its notes for a first game and a table-worthy
// score, the button's exact edges, and closing the pilot's game.

#include <gtest/gtest.h>

#include "support/mission_driver.hpp"

namespace kr {
namespace {

struct EndOfGame : ::testing::Test, test::MissionDriver {
    EndOfGame() {
        game.profiles.ProfileScore[1] = 123456;
        game.ScreenId = screen_id::EndOfGame;
        Frames(2);
    }
    bool Shows(int text) const { return FrameSays(" - " + game.langText[text].Str()); }
};

TEST_F(EndOfGame, NotesAFirstGameAndAScoreForTheTable) {
    EXPECT_TRUE(Shows(105)) << "a first finished game";
    EXPECT_TRUE(Shows(111));
    EXPECT_TRUE(Shows(106)) << "always";
    game.profiles.ProfileGameDone[1] = 1;
    game.profiles.ProfileScore[1] = 0;
    Frames(1);
    EXPECT_FALSE(Shows(105));
    EXPECT_FALSE(Shows(111)) << "0 does not reach the table";
}

TEST_F(EndOfGame, TheButtonsEdgesDoNothingAndItsInsideClosesTheGame) {
    ClickAt(734, 670);
    EXPECT_EQ(game.ScreenId, screen_id::EndOfGame);
    ClickAt(831, 670);
    EXPECT_EQ(game.ScreenId, screen_id::EndOfGame);
    ClickAt(735, 670);
    EXPECT_EQ(game.ScreenId, screen_id::TopScores);
    const ProfileStore& p = game.profiles;
    EXPECT_EQ(p.ProfileScore[1], 0);
    EXPECT_EQ(p.ProfileDifficulty[1], 1);
    EXPECT_EQ(p.ProfileGameDone[1], 1);
    bool entered = false;
    for (int k = 1; k <= kHighScoreEntries; ++k)
        entered = entered || (game.highScores.HighScoreName[k] == "ACE" && game.highScores.HighScoreValue[k] == 123456);
    EXPECT_TRUE(entered);
    const Bytes saved = ProfileStoreToBytes(game.profiles);
    EXPECT_EQ(temp.Read("Graphics/i_spec7.dds"), std::string(saved.begin(), saved.end())) << "saved";
}

}  // namespace
}  // namespace kr
