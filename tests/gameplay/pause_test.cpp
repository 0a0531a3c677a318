// The pause screen: the mission stands still behind it, a click on the
// upper choice resumes and on the lower one quits, the edges between them
// are exact, and the panel fades when the mouse rests.

#include <gtest/gtest.h>

#include "fight_world.hpp"

namespace kr {
namespace {

constexpr int kEscape = 1;

struct Pause : ::testing::Test, test::FightWorld {
    Pause() { StartFight(); }
    int Middle() const { return game.settings.ScreenHeight / 2; }
    // Escape, then after `wait` frames of the pause a click at height y.
    void PauseAndClick(int y, long wait = 5) {
        Key(kEscape, true);
        Schedule(3, KeyEvent{kEscape, false});
        Schedule(wait, MouseMoveEvent{500, y});
        Schedule(wait + 2, MouseButtonEvent{1, true});
        Schedule(wait + 4, MouseButtonEvent{1, false});
        Frames(3);
    }
    bool LastFrameShows(int text, float alpha) const {
        for (const DrawnText& drawn : backend.frames.back().texts)
            if (drawn.text == game.langText[text].View()) return std::abs(drawn.colour.a - alpha) < 0.02f;
        return false;
    }
};

TEST_F(Pause, AClickOnTheUpperChoiceResumesWithTheClockStopped) {
    Frames(2);
    const int seconds = game.MissionSeconds;
    PauseAndClick(Middle() + 130, 200);  // more than three seconds paused
    EXPECT_EQ(game.ScreenId, screen_id::Mission);
    EXPECT_LE(game.MissionSeconds, seconds + 1) << "the clock stood for the three seconds paused";
    EXPECT_TRUE(backend.pointerCaptured) << "steering again";
    EXPECT_FALSE(game.engine->CursorShown());
}

TEST_F(Pause, AClickOnTheLowerChoiceQuitsToTheHangar) {
    PauseAndClick(Middle() + 131);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
    EXPECT_FALSE(backend.pointerCaptured);
}

TEST_F(Pause, ClicksOnTheTitleDoNothingAndTheRestingPanelFades) {
    Key(kEscape, true);
    Schedule(3, KeyEvent{kEscape, false});
    Schedule(4, MouseMoveEvent{500, Middle() + 110});
    Schedule(6, MouseButtonEvent{1, true});
    Schedule(8, MouseButtonEvent{1, false});
    bool litWhileMoved = false, goneAtRest = false;
    long n = 0;
    backend.onRender = [&, previous = backend.onRender] {
        previous();
        ++n;
        if (n == 6) litWhileMoved = LastFrameShows(57, 0.9f);
        if (n == 120) {
            goneAtRest = LastFrameShows(57, 0.0f);
            backend.queued.push_back(MouseMoveEvent{500, Middle() + 120});
        }
        if (n == 122) backend.queued.push_back(MouseButtonEvent{1, true});
    };
    Frames(1);
    EXPECT_TRUE(litWhileMoved);
    EXPECT_TRUE(goneAtRest) << "about 1.4 s after the last motion the panel is gone";
    EXPECT_EQ(game.ScreenId, screen_id::Mission) << "the invisible choice still resumes";
}

}  // namespace
}  // namespace kr
