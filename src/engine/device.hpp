#pragma once
// The part of the engine that lives for the whole run: the back-end, the
// frame clock, the input state, the log and the test driver's hooks (fixed
// frame time, input script, recording, screenshot, frame limit). Engine
// objects made by each engine initialisation share it.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/backend.hpp"
#include "engine/input.hpp"
#include "engine/input_script.hpp"
#include "engine/log.hpp"

namespace kr {

// A presented frame to save as a PNG.
struct Screenshot {
    long frame = 0;
    std::filesystem::path path;
};

struct DriverOptions {
    std::optional<double> fixedFrameMs;  // also the clock that drives the timers
    std::optional<InputScript> script;
    std::filesystem::path recordPath;
    std::vector<Screenshot> screenshots;
    long maxFrames = 0;        // 0: no limit
};

// Thrown to end the run cleanly (frame limit reached, window closed); not a
// std::exception, so no error handler takes it for a failure.
struct StopRequested {
    int exitCode = 0;
};

inline constexpr double kDefaultHeadlessFrameMs = 16.0;

class Device {
public:
    Device(Backend& backend, DriverOptions options);

    Backend& backend() { return backend_; }
    Log& log() { return log_; }
    InputState& input() { return input_; }
    const InputState& input() const { return input_; }

    // Duration of the last frame in milliseconds.
    double FrameTimeMs() const { return frameMs_; }
    // The engine clock: the sum of all frame times so far.
    double ClockMs() const { return clockMs_; }
    long PresentedFrames() const { return presented_; }

    // Shows a frame and starts the next one. Throws StopRequested when the
    // frame limit is reached or the window was closed.
    void Present(const FrameRecord& frame);
    // A pass of the idle loop that drew nothing. Headless runs count it as a
    // frame so that scripts and the frame limit always advance.
    void Idle();
    // The window had no focus: wait for events, and restart the frame clock
    // afterwards so the pause is not taken as one long frame.
    void WaitWhileUnfocused();

    void SetMousePosition(int x, int y);

    // Called with the frame time whenever a frame begins (also inside modal
    // loops): things that run on the engine clock, like headless audio.
    using FrameListener = std::function<void(double frameMs)>;
    void AddFrameListener(FrameListener listener) { listeners_.push_back(std::move(listener)); }

private:
    void StartFrame();
    void TakeInput(bool frameStart);
    void TakeScreenshot(const FrameRecord& frame, const std::filesystem::path& path);

    Backend& backend_;
    DriverOptions options_;
    Log log_;
    InputState input_;
    std::unique_ptr<InputRecorder> recorder_;
    std::vector<InputEvent> pending_;
    std::vector<FrameListener> listeners_;
    double frameMs_ = 0;
    double clockMs_ = 0;
    double lastPresentMs_ = 0;
    long presented_ = 0;
};

}  // namespace kr
