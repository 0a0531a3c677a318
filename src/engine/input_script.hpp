#pragma once
// The test driver's input files: text, one command a line, '#' starts a
// comment.
//   frame N              following lines apply from the start of presented frame N
//   dt MS                frame time of this frame and the next ones
//   key down|up CODE     scan code
//   mouse X Y            absolute pointer position in layout pixels
//   move DX DY           relative pointer motion
//   button B down|up     B = 1..4
//   wheel D
// The recorder writes the same format, so a recorded game replays exactly.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input.hpp"

namespace kr {

struct ScriptFrame {
    long frame = 1;
    std::optional<double> dt;
    std::vector<InputEvent> events;
};

class InputScript {
public:
    static InputScript Parse(std::string_view text, const std::string& fileName);
    static InputScript Load(const std::filesystem::path& path);

    // The entry for presented frame `frame`, or nullptr if nothing changes then.
    const ScriptFrame* At(long frame) const;
    const std::vector<ScriptFrame>& frames() const { return frames_; }

private:
    std::vector<ScriptFrame> frames_;  // ascending frame numbers, one entry each
};

// Formats one event as a script line (without the line end).
std::string FormatEvent(const InputEvent& event);
// Formats a frame time so that parsing it gives back the same double.
std::string FormatFrameTime(double ms);

class InputRecorder {
public:
    explicit InputRecorder(const std::filesystem::path& path);
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    // Records what frame `frame` starts with: its frame time (written only
    // when it changed) and the input events that arrived before it.
    void Record(long frame, double dt, const std::vector<InputEvent>& events);

private:
    std::FILE* file_ = nullptr;
    std::optional<double> lastDt_;
};

}  // namespace kr
