#pragma once
// Our mixer: a fixed set of channels, each playing one source from its first
// frame for a set length, summed into the output. The game thread (the one
// control thread) starts and stops channels through a lock-free command
// queue; the audio thread renders. Render neither allocates nor locks.
//
// A source handed to a channel is kept alive on the control side until the
// audio thread has taken up the command that let go of it, so the audio
// thread never frees memory and never reads freed memory.

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "media/audio_format.hpp"
#include "media/sound_source.hpp"
#include "media/spsc_queue.hpp"

namespace kr::media {

class Mixer {
public:
    explicit Mixer(int channelCount = 128);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Control thread.
    // A free channel; throws Error when every channel is taken.
    int Acquire();
    // Stops the channel and frees it for another owner.
    void Release(int channel);
    // Plays `source` from its first frame for `length` frames: frames the
    // source lacks at its end are silence, frames beyond `length` unheard.
    // False when the audio thread is too far behind to take the command.
    bool Start(int channel, std::shared_ptr<SoundSource> source, std::int64_t length, Gains gains);
    // Stops and rewinds. False as for Start.
    bool Stop(int channel);
    // Frames played since the last start; 0 while a start or stop has not
    // yet been taken up; `length` once it has played to its end.
    std::int64_t Position(int channel) const;

    // Audio thread: takes up pending commands and writes `frames` stereo
    // frames of the mix, each sample clipped to -1..1.
    void Render(float* out, int frames);

private:
    enum class Op : std::uint8_t { Start, Stop };
    struct Command {
        Op op = Op::Stop;
        int channel = 0;
        std::uint32_t epoch = 0;
        SoundSource* source = nullptr;
        std::int64_t length = 0;
        Gains gains;
    };
    // What the audio thread keeps per channel.
    struct Voice {
        SoundSource* source = nullptr;
        std::int64_t position = 0;
        std::int64_t length = 0;
        std::uint32_t epoch = 0;
        Gains gains;
        bool playing = false;
    };
    // What the control thread keeps per channel.
    struct Slot {
        bool taken = false;
        std::uint32_t epoch = 0;
        std::shared_ptr<SoundSource> source;
    };

    bool Send(Command command, std::shared_ptr<SoundSource> next);
    void CollectRetired();
    void Apply(const Command& command);
    void Mix(Voice& voice, float* out, int frames);
    void Publish(int channel, const Voice& voice);

    std::vector<Slot> slots_;
    std::vector<Voice> voices_;
    // Per channel: the epoch (top 24 bits) and position (low 40 bits) the
    // audio thread last published.
    std::unique_ptr<std::atomic<std::uint64_t>[]> published_;
    SpscQueue<Command> commands_;
    std::uint64_t sent_ = 0;                     // control thread: commands pushed
    alignas(64) std::atomic<std::uint64_t> taken_{0};  // audio thread: commands taken up
    std::vector<std::pair<std::uint64_t, std::shared_ptr<SoundSource>>> retired_;
};

}  // namespace kr::media
