// Closing a mission: the results arithmetic, the pay, the campaign's step
// (winning the last mission leads to the end of the game), and the panel
// that ignores clicks in its first 2.5 seconds.

#include <gtest/gtest.h>

#include "mission/results.hpp"
#include "../gameplay/fight_world.hpp"

namespace kr {
namespace {

TEST(ResultsArithmetic, SuccessNeedsTheRequiredShareAndALivingPilot) {
    const double percent = mission::KillPercent(10, 7);
    EXPECT_DOUBLE_EQ(percent, 70);
    EXPECT_TRUE(mission::MissionWon(percent, 70, 5));
    EXPECT_EQ(mission::MissionCredits(true, percent, 1000, 3, 7), 35);
    EXPECT_FALSE(mission::MissionWon(percent, 70, 0));
    EXPECT_EQ(mission::MissionCredits(false, percent, 1000, 3, 7), 1);
    EXPECT_FALSE(mission::MissionWon(69.9, 70, 50));
    EXPECT_DOUBLE_EQ(mission::KillPercent(0, 0), 0) << "no enemies: 0 per cent";
    EXPECT_DOUBLE_EQ(mission::KillPercent(5, 9), 100);
    EXPECT_DOUBLE_EQ(mission::KillPercent(0, 3), 100);
    EXPECT_EQ(mission::MissionCredits(true, 0, 25, 0, 0), 0) << "ties round to even: 5 / 10";
    EXPECT_EQ(mission::MissionCredits(true, 0, 75, 0, 0), 1) << "15 rounds to 15: one credit";
}

struct Results : ::testing::Test, test::FightWorld {
    void Tally(int created, int destroyed, int score, int powerups, int life) {
        mission::MissionState& m = game.mission;
        m.EnemiesCreated = created;
        m.EnemiesDestroyed = destroyed;
        m.MissionScore = score;
        m.PowerupsCollected = powerups;
        m.RequiredPercent = 70;
        game.player.Life = life;
    }
    ProfileStore& P() { return game.profiles; }
};

TEST_F(Results, AWonMissionPaysAndStepsTheCampaign) {
    StartFight(0);
    P().ProfileScore[1] = 100;
    P().ProfileMoney[1] = 10;
    Tally(10, 7, 1000, 3, 5);
    mission::SettleMission(game);
    EXPECT_EQ(P().ProfileScore[1], 1100);
    EXPECT_EQ(P().ProfileMoney[1], 45);
    EXPECT_EQ(game.CurrentMission, 1);
    EXPECT_EQ(P().ProfileMission[1], 1);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
    EXPECT_FALSE(backend.pointerCaptured);
}

TEST_F(Results, ALostMissionPaysOneCreditButKeepsTheScore) {
    StartFight(0);
    Tally(10, 7, 1000, 3, 0);
    mission::SettleMission(game);
    EXPECT_EQ(P().ProfileScore[1], 1000);
    EXPECT_EQ(P().ProfileMoney[1], 1);
    EXPECT_EQ(game.CurrentMission, 0);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
}

TEST_F(Results, WinningTheLastMissionEndsTheGameAndRestartsTheCampaign) {
    StartFight(1);
    Tally(4, 4, 50, 0, 20);
    mission::SettleMission(game);
    EXPECT_EQ(game.CurrentMission, 0);
    EXPECT_EQ(P().ProfileMission[1], 0);
    EXPECT_EQ(game.ScreenId, screen_id::EndOfGame);
}

TEST_F(Results, ThePanelIgnoresClicksInItsFirstTwoAndAHalfSeconds) {
    StartFight(0);
    Tally(2, 1, 10, 0, 50);
    long shown = 0;
    backend.onRender = [&, previous = backend.onRender] {
        previous();
        ++shown;
        if (shown == 20) backend.queued.push_back(MouseButtonEvent{1, true});
        if (shown == 22) backend.queued.push_back(MouseButtonEvent{1, false});
        if (shown == 170) backend.queued.push_back(MouseButtonEvent{1, true});
    };
    mission::ShowResults(game);
    EXPECT_GE(shown, 157) << "the early click did nothing";
    EXPECT_LT(shown, 180);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
    EXPECT_EQ(P().ProfileMoney[1], 1) << "50 per cent is short of 70";
}

}  // namespace
}  // namespace kr
