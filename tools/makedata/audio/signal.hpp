#pragma once
// Sample buffers of the synthesiser: 32-bit float, nominally -1..1, at one
// fixed rate. Mono buffers are what voices render; stereo is what tracks,
// effects and files carry.

#include <cmath>
#include <cstddef>
#include <vector>

namespace kr::audio {

inline constexpr int kSampleRate = 44100;
inline constexpr double kPi = 3.14159265358979323846;

using Mono = std::vector<float>;

struct Stereo {
    Mono left;
    Mono right;

    Stereo() = default;
    explicit Stereo(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
    std::size_t Frames() const { return left.size(); }
    void Resize(std::size_t frames) {
        left.resize(frames, 0.0f);
        right.resize(frames, 0.0f);
    }
};

// The channels of one sound at any rate, as the file writers take them.
// The buffers are the caller's and must outlive the view.
struct ChannelView {
    std::vector<const Mono*> channels;  // of equal length
    int sampleRate = kSampleRate;
    std::size_t Frames() const { return channels.empty() ? 0 : channels.front()->size(); }
};
inline ChannelView ViewOf(const Mono& mono) { return {{&mono}}; }
inline ChannelView ViewOf(const Stereo& stereo) { return {{&stereo.left, &stereo.right}}; }

inline std::size_t SecondsToFrames(double seconds) {
    return seconds <= 0 ? 0 : static_cast<std::size_t>(std::llround(seconds * kSampleRate));
}
inline double FramesToSeconds(std::size_t frames) { return static_cast<double>(frames) / kSampleRate; }

inline float DecibelsToGain(float db) { return std::pow(10.0f, db / 20.0f); }
inline float GainToDecibels(float gain) { return 20.0f * std::log10(gain > 1e-9f ? gain : 1e-9f); }

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
inline float NoteFrequency(float midiNote) { return 440.0f * std::pow(2.0f, (midiNote - 69.0f) / 12.0f); }

// Adds `source` * gain into `target` starting at frame `offset`, growing the
// target when the source runs past its end.
void MixInto(Mono& target, const Mono& source, std::size_t offset, float gain = 1.0f);
void MixInto(Stereo& target, const Stereo& source, std::size_t offset, float gain = 1.0f);

// A mono signal placed in the stereo field; pan -1 (left) .. 1 (right),
// equal-power.
void MixPanned(Stereo& target, const Mono& source, std::size_t offset, float gain, float pan);

// Both channels of a mono signal.
Stereo ToStereo(const Mono& source);

// Linear fades over the first / last `seconds` of the buffer.
void FadeIn(Mono& signal, double seconds);
void FadeOut(Mono& signal, double seconds);
void FadeOut(Stereo& signal, double seconds);

}  // namespace kr::audio
