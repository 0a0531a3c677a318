#include <gtest/gtest.h>

#include "engine/device.hpp"
#include "support/test_backend.hpp"

namespace kr {
namespace {

DriverOptions WithScript(const char* text) {
    DriverOptions options;
    options.script = InputScript::Parse(text, "script");
    return options;
}

TEST(Device, HeadlessFramesRunOnAFixedClock) {
    test::TestBackend backend;
    Device device(backend, {});
    EXPECT_EQ(device.FrameTimeMs(), kDefaultHeadlessFrameMs);
    EXPECT_EQ(device.ClockMs(), kDefaultHeadlessFrameMs);  // frame 1 has begun
    backend.nowMs += 500;  // wall time does not matter
    device.Present({});
    device.Present({});
    EXPECT_EQ(device.PresentedFrames(), 2);
    EXPECT_EQ(device.ClockMs(), 3 * kDefaultHeadlessFrameMs);
}

TEST(Device, WindowedFramesMeasureTheWallClockUnlessFixed) {
    test::TestBackend backend;
    backend.headless = false;
    Device device(backend, {});
    backend.nowMs += 20;
    device.Present({});
    EXPECT_DOUBLE_EQ(device.FrameTimeMs(), 20);
    backend.nowMs += 35;
    device.Present({});
    EXPECT_DOUBLE_EQ(device.FrameTimeMs(), 35);

    DriverOptions fixed;
    fixed.fixedFrameMs = 10;
    Device steady(backend, fixed);
    backend.nowMs += 99;
    steady.Present({});
    EXPECT_EQ(steady.FrameTimeMs(), 10);
}

TEST(Device, ScriptLinesApplyFromTheStartOfTheirFrame) {
    test::TestBackend backend;
    Device device(backend, WithScript("key down 57\nmouse 5 6\nframe 3\ndt 40\nkey up 57\nmove 3 4\nwheel 1\n"));
    EXPECT_TRUE(device.input().KeyDown(57));
    EXPECT_EQ(device.input().Mouse().x, 5);
    device.Present({});  // frame 2 starts: nothing changes
    EXPECT_TRUE(device.input().KeyDown(57));
    EXPECT_EQ(device.FrameTimeMs(), kDefaultHeadlessFrameMs);
    device.Present({});  // frame 3 starts
    EXPECT_FALSE(device.input().KeyDown(57));
    EXPECT_EQ(device.FrameTimeMs(), 40);
    EXPECT_EQ(device.input().Mouse().dx, 3);
    EXPECT_EQ(device.input().Mouse().wheel, 1);
    device.Present({});  // relative motion and wheel belong to one frame; dt stays
    EXPECT_EQ(device.input().Mouse().dx, 0);
    EXPECT_EQ(device.input().Mouse().wheel, 0);
    EXPECT_EQ(device.FrameTimeMs(), 40);
    EXPECT_EQ(device.input().Mouse().x, 5);
}

TEST(Device, StopsAfterTheFrameLimitAndWhenTheWindowCloses) {
    test::TestBackend backend;
    DriverOptions options;
    options.maxFrames = 2;
    Device device(backend, options);
    device.Present({});
    EXPECT_THROW(device.Present({}), StopRequested);
    EXPECT_EQ(backend.frames.size(), 2u);  // the last frame was still shown

    test::TestBackend closing;
    Device other(closing, {});
    closing.quit = true;
    EXPECT_THROW(other.Present({}), StopRequested);
}

TEST(Device, HeadlessIdlePassesCountAsFrames) {
    test::TestBackend backend;
    DriverOptions options;
    options.maxFrames = 3;
    Device device(backend, options);
    device.Idle();
    device.Idle();
    EXPECT_THROW(device.Idle(), StopRequested);
}

TEST(Device, UnfocusedWaitDropsHeldInputAndRestartsTheFrameClock) {
    test::TestBackend backend;
    backend.headless = false;
    Device device(backend, {});
    backend.queued.push_back(KeyEvent{30, true});
    backend.nowMs += 16;
    device.Present({});
    ASSERT_TRUE(device.input().KeyDown(30));
    backend.nowMs += 5000;  // the player was away
    device.WaitWhileUnfocused();
    EXPECT_FALSE(device.input().KeyDown(30));
    backend.nowMs += 16;
    device.Present({});
    EXPECT_DOUBLE_EQ(device.FrameTimeMs(), 16);
}

TEST(Device, FrameListenersHearEveryFrameTime) {
    test::TestBackend backend;
    DriverOptions options;
    options.script = InputScript::Parse("frame 2\ndt 30\n", "s");
    Device device(backend, options);
    std::vector<double> heard;
    device.AddFrameListener([&](double ms) { heard.push_back(ms); });
    device.Present({});
    device.Present({});
    EXPECT_EQ(heard, (std::vector<double>{30, 30}));
}

TEST(Device, SettingTheMouseMovesTheStateAndThePointer) {
    test::TestBackend backend;
    Device device(backend, {});
    device.SetMousePosition(512, 384);
    EXPECT_EQ(device.input().Mouse().x, 512);
    ASSERT_EQ(backend.warps.size(), 1u);
    EXPECT_EQ(backend.warps[0], std::make_pair(512, 384));
}

}  // namespace
}  // namespace kr
