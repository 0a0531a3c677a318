#pragma once
// Sounds that are timed but not heard: headless runs, and runs where no
// audio device could be opened. Files are decoded and checked exactly as
// for the mixer, so durations and errors are the same; positions then
// advance on the engine clock, frame by frame, also inside modal loops.

#include <memory>
#include <vector>

#include "engine/device.hpp"
#include "media/playback.hpp"

namespace kr::media {

class ClockOutput final : public AudioOutput {
public:
    // Listens to the device's frames for as long as this output lives.
    explicit ClockOutput(Device& device);

    PreparedSound Prepare(const std::filesystem::path& path, const std::string& name, Holding holding) const override;
    std::unique_ptr<Playback> Open(PreparedSound sound, Gains gains) override;
    std::unique_ptr<LivePlayback> OpenLive(std::int64_t lengthFrames) override;

    // Moves every playing sound on by one frame (what the device's frame
    // listener calls).
    void Advance(double frameMs);

    class Timer;

private:
    struct Timers {
        std::vector<Timer*> live;
        void Advance(double frameMs);
    };
    std::shared_ptr<Timers> timers_ = std::make_shared<Timers>();
};

}  // namespace kr::media
