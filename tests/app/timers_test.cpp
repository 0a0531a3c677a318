#include <gtest/gtest.h>

#include "app/timers.hpp"
#include "support/game_fixture.hpp"

namespace kr {
namespace {

struct TimersTest : ::testing::Test {
    void SetUp() override { g.ActiveProfile = 2; }
    void Upgrade(int item) { g.profiles.ProfileUpgrades[2][item] = 1; }

    test::GameFixture fixture;
    Game& g = fixture.game;
};

TEST_F(TimersTest, MissionTickCountsSecondsUnlessTimeIsStopped) {
    MissionTimeTimer(g);
    EXPECT_EQ(g.MissionSeconds, 1);
    g.TimeStop = 1;
    MissionTimeTimer(g);
    EXPECT_EQ(g.MissionSeconds, 1);
}

TEST_F(TimersTest, GaugesAreCutBackToTheirCapOnEveryTick) {
    g.player.Life = 97;  // raised by something else between ticks
    g.player.Armour = 95;
    MissionTimeTimer(g);
    EXPECT_EQ(g.player.Life, 90);
    EXPECT_EQ(g.player.Armour, 90);

    Upgrade(3);
    Upgrade(4);
    g.player.Life = 105;
    g.player.Armour = 99;
    MissionTimeTimer(g);
    EXPECT_EQ(g.player.Life, 100);
    EXPECT_EQ(g.player.Armour, 99);  // no regeneration without upgrade 2
}

TEST_F(TimersTest, RegenerationNeedsItsUpgradeAndStopsAtTheCap) {
    g.player.Life = 50;
    g.player.Armour = 50;
    MissionTimeTimer(g);
    EXPECT_EQ(g.player.Life, 50);
    Upgrade(1);
    Upgrade(2);
    MissionTimeTimer(g);
    EXPECT_EQ(g.player.Life, 51);
    EXPECT_EQ(g.player.Armour, 51);
    g.player.Life = 90;
    MissionTimeTimer(g);
    EXPECT_EQ(g.player.Life, 90);
    g.profiles.ProfileUpgrades[2][2] = 2;  // only the value 1 counts
    MissionTimeTimer(g);
    EXPECT_EQ(g.player.Armour, 52);
}

TEST_F(TimersTest, PlayTimeGoesToTheActiveProfile) {
    TimerTimer(g);
    TimerTimer(g);
    EXPECT_EQ(g.profiles.ProfilePlayTime[2], 2);
    EXPECT_EQ(g.profiles.ProfilePlayTime[1], 0);
}

TEST(FormTimer, FiresOnTheClockAndDoesNotMakeUpMissedTicks) {
    FormTimer timer{1000};
    EXPECT_FALSE(timer.Due(5000));  // disabled
    timer.Enable(0);
    EXPECT_FALSE(timer.Due(999));
    EXPECT_TRUE(timer.Due(1000));
    EXPECT_FALSE(timer.Due(1500));
    EXPECT_TRUE(timer.Due(9000));   // a long modal loop: one tick, not eight
    EXPECT_FALSE(timer.Due(9999));
    timer.Enable(9500);             // enabling a running timer does not restart it
    EXPECT_TRUE(timer.Due(10000));
    timer.Disable();
    EXPECT_FALSE(timer.Due(20000));
}

TEST_F(TimersTest, DueTimersRunOnTheEngineClockBetweenFrames) {
    g.timers.MissionTime.Enable(fixture.device.ClockMs());
    g.timers.Timer.Enable(fixture.device.ClockMs());
    for (int frame = 0; frame < 125; ++frame) {  // 125 frames of 16 ms = 2 s
        fixture.device.Present({});
        RunDueTimers(g);
    }
    EXPECT_EQ(g.MissionSeconds, 2);
    EXPECT_EQ(g.profiles.ProfilePlayTime[2], 0);
}

}  // namespace
}  // namespace kr
