#include "media/mixer.hpp"

#include <algorithm>

#include "engine/error.hpp"

namespace kr::media {

namespace {
constexpr int kPositionBits = 40;
constexpr std::uint64_t kPositionMask = (std::uint64_t{1} << kPositionBits) - 1;
constexpr std::uint32_t kEpochMask = (1u << 24) - 1;
constexpr std::size_t kQueueCapacity = 4096;

std::uint64_t Pack(std::uint32_t epoch, std::int64_t position) {
    return (static_cast<std::uint64_t>(epoch & kEpochMask) << kPositionBits) |
           (static_cast<std::uint64_t>(position) & kPositionMask);
}
}  // namespace

Mixer::Mixer(int channelCount)
    : slots_(static_cast<std::size_t>(channelCount)),
      voices_(static_cast<std::size_t>(channelCount)),
      published_(new std::atomic<std::uint64_t>[static_cast<std::size_t>(channelCount)]),
      commands_(kQueueCapacity) {
    for (int i = 0; i < channelCount; ++i) published_[i].store(0);
}

Mixer::~Mixer() = default;

int Mixer::Acquire() {
    CollectRetired();
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (!slots_[i].taken) {
            slots_[i].taken = true;
            return static_cast<int>(i);
        }
    }
    throw Error("every sound channel is in use (" + std::to_string(slots_.size()) + ")");
}

void Mixer::Release(int channel) {
    Stop(channel);
    slots_[static_cast<std::size_t>(channel)].taken = false;
}

bool Mixer::Start(int channel, std::shared_ptr<SoundSource> source, std::int64_t length, Gains gains) {
    Command command{Op::Start, channel, 0, source.get(), std::max<std::int64_t>(0, length), gains};
    return Send(command, std::move(source));
}

bool Mixer::Stop(int channel) { return Send(Command{Op::Stop, channel}, nullptr); }

// The channel's epoch changes with every command, so that a position the
// audio thread published for an earlier command is never taken for news.
bool Mixer::Send(Command command, std::shared_ptr<SoundSource> next) {
    CollectRetired();
    Slot& slot = slots_[static_cast<std::size_t>(command.channel)];
    command.epoch = (slot.epoch + 1) & kEpochMask;
    if (!commands_.Push(command)) return false;
    slot.epoch = command.epoch;
    ++sent_;
    if (slot.source) retired_.emplace_back(sent_, std::move(slot.source));
    slot.source = std::move(next);
    return true;
}

void Mixer::CollectRetired() {
    std::uint64_t taken = taken_.load(std::memory_order_acquire);
    std::erase_if(retired_, [taken](const auto& entry) { return entry.first <= taken; });
}

std::int64_t Mixer::Position(int channel) const {
    std::uint64_t packed = published_[channel].load(std::memory_order_acquire);
    if ((packed >> kPositionBits) != slots_[static_cast<std::size_t>(channel)].epoch) return 0;
    return static_cast<std::int64_t>(packed & kPositionMask);
}

void Mixer::Apply(const Command& command) {
    Voice& voice = voices_[static_cast<std::size_t>(command.channel)];
    voice.epoch = command.epoch;
    voice.position = 0;
    if (command.op == Op::Start) {
        voice.source = command.source;
        voice.length = command.length;
        voice.gains = command.gains;
        voice.playing = voice.length > 0;
    } else {
        voice.source = nullptr;
        voice.playing = false;
    }
    Publish(command.channel, voice);
}

void Mixer::Render(float* out, int frames) {
    Command command;
    std::uint64_t taken = 0;
    while (commands_.Pop(command)) {
        Apply(command);
        ++taken;
    }
    std::fill(out, out + static_cast<std::size_t>(frames) * 2, 0.0f);
    for (std::size_t i = 0; i < voices_.size(); ++i) {
        Voice& voice = voices_[i];
        if (!voice.playing) continue;
        Mix(voice, out, frames);
        Publish(static_cast<int>(i), voice);
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(frames) * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
    // Sources let go of by these commands are no longer read from here on.
    if (taken) taken_.fetch_add(taken, std::memory_order_release);
}

// Adds the voice's next frames into `out`. A source that has run dry but
// will go on (a stream being decoded) holds the voice where it is; one that
// has ended plays silence up to the voice's length.
void Mixer::Mix(Voice& voice, float* out, int frames) {
    int done = 0;
    while (done < frames && voice.position < voice.length) {
        int wanted = static_cast<int>(std::min<std::int64_t>(frames - done, voice.length - voice.position));
        SourceRun run = voice.source->Peek(voice.position, wanted);
        if (run.count > 0) {
            float* to = out + static_cast<std::size_t>(done) * 2;
            for (int i = 0; i < run.count; ++i) {
                to[2 * i] += run.frames[2 * i] * voice.gains.left;
                to[2 * i + 1] += run.frames[2 * i + 1] * voice.gains.right;
            }
            voice.source->Consume(run.count);
        } else if (run.exhausted) {
            run.count = wanted;
        } else {
            break;
        }
        voice.position += run.count;
        done += run.count;
    }
    if (voice.position >= voice.length) {
        voice.playing = false;
        voice.source = nullptr;
    }
}

void Mixer::Publish(int channel, const Voice& voice) {
    published_[channel].store(Pack(voice.epoch, voice.position), std::memory_order_release);
}

}  // namespace kr::media
