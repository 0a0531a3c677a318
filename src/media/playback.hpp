#pragma once
// One opened sound and where sounds go. The game holds a Playback per song
// item; the output decides whether it is heard (through the mixer and an
// audio device) or only timed (on the engine clock, when there is no sound).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/audio_format.hpp"

namespace kr::media {

class SampleFeed;

class Playback {
public:
    virtual ~Playback() = default;
    // From the first frame; a playback that is playing starts over. Throws
    // Error when the output cannot take the request.
    virtual void Start() = 0;
    // Stops and rewinds to the first frame.
    virtual void Stop() = 0;
    // Seconds played since the last start: 0 when stopped, the duration
    // once played to the end.
    virtual double PositionSeconds() const = 0;
    virtual double DurationSeconds() const = 0;
    // Why the sound can no longer be played, when its stream has failed.
    virtual std::optional<std::string> Failure() const { return std::nullopt; }
};

// A sound made while it plays (a video's soundtrack): its producer writes
// into Feed(), which is renewed by every Start and is null where nothing is
// heard. Frames the producer never delivers count as silence only after it
// marks the feed ended; until then the playback waits for them.
class LivePlayback : public Playback {
public:
    virtual SampleFeed* Feed() = 0;
};

// How a sound file is held: decoded whole at load (sound effects) or decoded
// while it plays (music, so that memory stays small).
enum class Holding { Whole, Streamed };

// A sound file read and checked ahead of opening: decoded whole, or only
// measured (a streamed sound, or one that is timed but never heard).
struct PreparedSound {
    std::filesystem::path path;
    std::string name;
    Holding holding = Holding::Whole;
    std::int64_t lengthFrames = 0;
    std::vector<float> samples;  // a whole sound's interleaved stereo frames, where kept
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // The slow part of opening a sound file: reading and decoding it; `name`
    // labels errors. Throws FileError naming the file when it cannot be
    // read. Touches nothing of the output, so files may be prepared side by
    // side on several threads.
    virtual PreparedSound Prepare(const std::filesystem::path& path, const std::string& name,
                                  Holding holding) const = 0;
    virtual std::unique_ptr<Playback> Open(PreparedSound sound, Gains gains) = 0;
    // A sound of `lengthFrames` that its producer writes as it plays.
    virtual std::unique_ptr<LivePlayback> OpenLive(std::int64_t lengthFrames) = 0;
};

}  // namespace kr::media
