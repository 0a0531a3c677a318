#pragma once
// The background thread that decodes music ahead of the mixer. Each playing
// stream owns a feed; the thread keeps every feed topped up to about a
// second, rewinding a stream's decoder when it was started again.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "media/audio_decoder.hpp"
#include "media/sound_source.hpp"

namespace kr::media {

// One streamed sound: its decoder and the feed of its current playing.
class StreamJob {
public:
    explicit StreamJob(std::unique_ptr<AudioDecoder> decoder) : decoder_(std::move(decoder)) {}

    // Control thread: a fresh feed for a new start from the first frame.
    std::shared_ptr<SampleFeed> Restart();
    // Control thread: no more decoding until the next Restart.
    void Halt();
    std::optional<std::string> Failure() const;

    // Decoder thread: decodes into the current feed while it has room.
    void TopUp();

private:
    mutable std::mutex mutex_;
    std::unique_ptr<AudioDecoder> decoder_;
    std::shared_ptr<SampleFeed> feed_;
    bool rewind_ = false;
    std::optional<std::string> failure_;
};

class Streamer {
public:
    Streamer();
    ~Streamer();
    Streamer(const Streamer&) = delete;
    Streamer& operator=(const Streamer&) = delete;

    void Add(std::shared_ptr<StreamJob> job);
    void Remove(const StreamJob* job);
    // Asks for a pass now rather than at the next tick.
    void Wake();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::shared_ptr<StreamJob>> jobs_;
    bool woken_ = false;
    bool quit_ = false;
    std::thread thread_;
};

// Frames a stream's feed holds: about a second.
inline constexpr int kStreamFeedFrames = 44100;

}  // namespace kr::media
