#include "media/clock_output.hpp"

#include <algorithm>

#include "media/audio_decoder.hpp"

namespace kr::media {

// Play time of one sound in milliseconds of engine clock.
class ClockOutput::Timer {
public:
    Timer(std::shared_ptr<Timers> timers, std::int64_t lengthFrames)
        : timers_(std::move(timers)), durationMs_(static_cast<double>(lengthFrames) * 1000.0 / kMixRate) {
        timers_->live.push_back(this);
    }
    ~Timer() { std::erase(timers_->live, this); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void Start() {
        playedMs_ = 0;
        running_ = durationMs_ > 0;
    }
    void Stop() {
        playedMs_ = 0;
        running_ = false;
    }
    void Advance(double frameMs) {
        if (!running_) return;
        playedMs_ += frameMs;
        if (playedMs_ >= durationMs_) {
            playedMs_ = durationMs_;
            running_ = false;
        }
    }
    double PositionSeconds() const { return playedMs_ / 1000.0; }
    double DurationSeconds() const { return durationMs_ / 1000.0; }

private:
    std::shared_ptr<Timers> timers_;
    double durationMs_;
    double playedMs_ = 0;
    bool running_ = false;
};

namespace {

class SilentPlayback final : public LivePlayback {
public:
    explicit SilentPlayback(std::unique_ptr<ClockOutput::Timer> timer) : timer_(std::move(timer)) {}

    void Start() override { timer_->Start(); }
    void Stop() override { timer_->Stop(); }
    double PositionSeconds() const override { return timer_->PositionSeconds(); }
    double DurationSeconds() const override { return timer_->DurationSeconds(); }
    SampleFeed* Feed() override { return nullptr; }

private:
    std::unique_ptr<ClockOutput::Timer> timer_;
};

}  // namespace

ClockOutput::ClockOutput(Device& device) {
    std::weak_ptr<Timers> weak = timers_;
    device.AddFrameListener([weak](double frameMs) {
        if (auto timers = weak.lock()) timers->Advance(frameMs);
    });
}

void ClockOutput::Timers::Advance(double frameMs) {
    for (Timer* timer : live) timer->Advance(frameMs);
}

void ClockOutput::Advance(double frameMs) { timers_->Advance(frameMs); }

// Decoded whole either way: the same checks and the same length as when
// heard, without keeping the samples.
PreparedSound ClockOutput::Prepare(const std::filesystem::path& path, const std::string& name, Holding holding) const {
    return PreparedSound{path, name, holding, MeasureSoundFile(path, name), {}};
}

std::unique_ptr<Playback> ClockOutput::Open(PreparedSound sound, Gains) { return OpenLive(sound.lengthFrames); }

std::unique_ptr<LivePlayback> ClockOutput::OpenLive(std::int64_t lengthFrames) {
    return std::make_unique<SilentPlayback>(std::make_unique<Timer>(timers_, lengthFrames));
}

}  // namespace kr::media
