#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "engine/error.hpp"
#include "engine/input_script.hpp"

namespace kr {
namespace {

TEST(InputScript, ParsesEveryCommandIntoItsFrame) {
    InputScript script = InputScript::Parse(
        "# a comment\n"
        "key down 28   # Enter\n"
        "frame 3\n"
        "dt 12.5\n"
        "mouse 290 240\n"
        "move -4 7\r\n"
        "button 1 down\n"
        "wheel -2\n"
        "frame 5\n"
        "key up 28\n",
        "s.txt");
    ASSERT_EQ(script.frames().size(), 3u);
    const ScriptFrame* first = script.At(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(FormatEvent(first->events.at(0)), "key down 28");
    EXPECT_EQ(script.At(2), nullptr);
    const ScriptFrame* third = script.At(3);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->dt, 12.5);
    ASSERT_EQ(third->events.size(), 4u);
    EXPECT_EQ(FormatEvent(third->events[0]), "mouse 290 240");
    EXPECT_EQ(FormatEvent(third->events[1]), "move -4 7");
    EXPECT_EQ(FormatEvent(third->events[2]), "button 1 down");
    EXPECT_EQ(FormatEvent(third->events[3]), "wheel -2");
    EXPECT_EQ(FormatEvent(script.At(5)->events.at(0)), "key up 28");
}

TEST(InputScript, ErrorsNameTheFileAndLine) {
    auto message = [](const char* text) {
        try {
            InputScript::Parse(text, "play.txt");
        } catch (const FileError& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("frame 2\nfly 3\n"), "play.txt: line 2: unknown command 'fly'");
    EXPECT_EQ(message("key sideways 3"), "play.txt: line 1: expected 'down' or 'up', found 'sideways'");
    EXPECT_EQ(message("key down 256"), "play.txt: line 1: 256 is out of range 1..255");
    EXPECT_EQ(message("button 5 down"), "play.txt: line 1: 5 is out of range 1..4");
    EXPECT_EQ(message("frame 4\nframe 2"), "play.txt: line 2: frame numbers must not go back");
    EXPECT_EQ(message("frame 0"), "play.txt: line 1: 0 is out of range 1..1099511627776");
    EXPECT_EQ(message("dt -1"), "play.txt: line 1: '-1' is not a frame time in milliseconds");
    EXPECT_EQ(message("dt nan"), "play.txt: line 1: 'nan' is not a frame time in milliseconds");
    EXPECT_EQ(message("mouse 1"), "play.txt: line 1: missing value");
    EXPECT_EQ(message("wheel 1 2"), "play.txt: line 1: unexpected '2'");
    EXPECT_EQ(message("mouse 1x 2"), "play.txt: line 1: '1x' is not a whole number");
}

TEST(InputScript, FrameTimesSurviveTheTextRoundTripExactly) {
    for (double ms : {16.0, 16.666666666666668, 0.1, 33.3333, 1e-9, 123456.789}) {
        InputScript script = InputScript::Parse("dt " + FormatFrameTime(ms), "t");
        EXPECT_EQ(*script.At(1)->dt, ms);
    }
}

TEST(InputRecorder, WritesWhatTheParserReadsBack) {
    auto path = std::filesystem::temp_directory_path() / ("kr_record_" + std::to_string(::getpid()) + ".txt");
    {
        InputRecorder recorder(path);
        recorder.Record(1, 16.0, {KeyEvent{57, true}});
        recorder.Record(2, 16.0, {});  // nothing new: no entry
        recorder.Record(3, 17.25, {MouseMoveEvent{10, 20}, MouseButtonEvent{2, false}, WheelEvent{1},
                                   MouseMotionEvent{-3, 0}});
    }
    InputScript script = InputScript::Load(path);
    std::filesystem::remove(path);
    ASSERT_EQ(script.frames().size(), 2u);
    EXPECT_EQ(script.At(1)->dt, 16.0);
    EXPECT_EQ(script.At(2), nullptr);
    EXPECT_EQ(script.At(3)->dt, 17.25);
    ASSERT_EQ(script.At(3)->events.size(), 4u);
    EXPECT_EQ(FormatEvent(script.At(3)->events[1]), "button 2 up");
    EXPECT_EQ(FormatEvent(script.At(3)->events[3]), "move -3 0");
}

}  // namespace
}  // namespace kr
