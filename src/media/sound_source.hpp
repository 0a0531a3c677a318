#pragma once
// What a mixer channel plays: frames in the mix format, read on the audio
// thread. A sound decoded whole (PcmSource) is always ready; a stream
// (SampleFeed) is filled by another thread and may run dry for a moment.

#include <atomic>
#include <cstdint>
#include <vector>

namespace kr::media {

struct SourceRun {
    const float* frames = nullptr;  // interleaved stereo
    int count = 0;                  // 0: nothing ready now
    bool exhausted = false;         // nothing more will ever come after `count`
};

class SoundSource {
public:
    virtual ~SoundSource() = default;
    // Audio thread: the ready frames from `position` on, as one contiguous
    // run of at most `wanted` frames.
    virtual SourceRun Peek(std::int64_t position, int wanted) = 0;
    // Audio thread: the first `count` frames of the last run were played.
    virtual void Consume(int count) = 0;
};

// A sound held whole in memory.
class PcmSource final : public SoundSource {
public:
    explicit PcmSource(std::vector<float> samples) : samples_(std::move(samples)) {}
    std::int64_t Frames() const { return static_cast<std::int64_t>(samples_.size() / 2); }

    SourceRun Peek(std::int64_t position, int wanted) override;
    void Consume(int) override {}

private:
    std::vector<float> samples_;
};

// A ring of frames written by one thread while the audio thread reads them.
class SampleFeed final : public SoundSource {
public:
    explicit SampleFeed(int capacityFrames);

    // Writer side.
    int FreeFrames() const;
    int BufferedFrames() const;
    // Writes at most FreeFrames(); returns how many were written.
    int Write(const float* frames, int count);
    // No more frames will be written.
    void MarkEnded() { ended_.store(true, std::memory_order_release); }
    bool Ended() const { return ended_.load(std::memory_order_acquire); }

    // Reader side (the position argument is ignored: a feed is read in order).
    SourceRun Peek(std::int64_t position, int wanted) override;
    void Consume(int count) override;

private:
    std::vector<float> ring_;
    std::int64_t capacity_;
    alignas(64) std::atomic<std::int64_t> read_{0};   // frames consumed so far
    alignas(64) std::atomic<std::int64_t> written_{0};
    std::atomic<bool> ended_{false};
};

}  // namespace kr::media
