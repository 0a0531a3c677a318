#include "media/sound_source.hpp"

#include <algorithm>
#include <cstring>

namespace kr::media {

SourceRun PcmSource::Peek(std::int64_t position, int wanted) {
    std::int64_t left = std::max<std::int64_t>(0, Frames() - position);
    int count = static_cast<int>(std::min<std::int64_t>(left, wanted));
    return {count ? samples_.data() + position * 2 : nullptr, count, true};
}

SampleFeed::SampleFeed(int capacityFrames)
    : ring_(static_cast<std::size_t>(capacityFrames) * 2), capacity_(capacityFrames) {}

int SampleFeed::BufferedFrames() const {
    return static_cast<int>(written_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire));
}

int SampleFeed::FreeFrames() const { return static_cast<int>(capacity_) - BufferedFrames(); }

int SampleFeed::Write(const float* frames, int count) {
    std::int64_t written = written_.load(std::memory_order_relaxed);
    count = std::min(count, FreeFrames());
    int done = 0;
    while (done < count) {
        std::int64_t at = (written + done) % capacity_;
        int run = static_cast<int>(std::min<std::int64_t>(count - done, capacity_ - at));
        std::memcpy(&ring_[static_cast<std::size_t>(at) * 2], frames + static_cast<std::size_t>(done) * 2,
                    static_cast<std::size_t>(run) * 2 * sizeof(float));
        done += run;
    }
    written_.store(written + count, std::memory_order_release);
    return count;
}

SourceRun SampleFeed::Peek(std::int64_t, int wanted) {
    bool ended = ended_.load(std::memory_order_acquire);  // before the count: frames written before the end mark are seen
    std::int64_t read = read_.load(std::memory_order_relaxed);
    std::int64_t ready = written_.load(std::memory_order_acquire) - read;
    std::int64_t at = read % capacity_;
    int count = static_cast<int>(std::min<std::int64_t>({ready, capacity_ - at, static_cast<std::int64_t>(wanted)}));
    return {count ? &ring_[static_cast<std::size_t>(at) * 2] : nullptr, count, ended && count == ready};
}

void SampleFeed::Consume(int count) { read_.fetch_add(count, std::memory_order_release); }

}  // namespace kr::media
