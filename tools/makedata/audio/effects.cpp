#include "audio/effects.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "audio/filters.hpp"
#include "audio/oscillators.hpp"

namespace kr::audio {
namespace {

class CombFilter {
public:
    explicit CombFilter(std::size_t length) : buffer_(length, 0.0f) {}
    float Process(float input, float feedback, float damping) {
        const float out = buffer_[index_];
        store_ = out * (1.0f - damping) + store_ * damping;
        buffer_[index_] = input + store_ * feedback;
        if (++index_ == buffer_.size()) index_ = 0;
        return out;
    }

private:
    Mono buffer_;
    std::size_t index_ = 0;
    float store_ = 0.0f;
};

class AllPass {
public:
    explicit AllPass(std::size_t length) : buffer_(length, 0.0f) {}
    float Process(float input) {
        const float delayed = buffer_[index_];
        buffer_[index_] = input + delayed * 0.5f;
        if (++index_ == buffer_.size()) index_ = 0;
        return delayed - input;
    }

private:
    Mono buffer_;
    std::size_t index_ = 0;
};

// Freeverb's tunings at 44.1 kHz.
constexpr std::array<std::size_t, 8> kCombLengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<std::size_t, 4> kAllPassLengths = {556, 441, 341, 225};
constexpr std::size_t kStereoSpread = 23;

Mono ReverbChannel(const Mono& input, std::size_t frames, const ReverbSettings& settings, std::size_t spread) {
    std::vector<CombFilter> combs;
    for (auto length : kCombLengths) combs.emplace_back(length + spread);
    std::vector<AllPass> allPasses;
    for (auto length : kAllPassLengths) allPasses.emplace_back(length + spread);
    const float feedback = 0.7f + 0.28f * std::clamp(settings.roomSize, 0.0f, 1.0f);
    const float damping = 0.4f * std::clamp(settings.damping, 0.0f, 1.0f);
    Mono out(frames, 0.0f);
    for (std::size_t i = 0; i < frames; ++i) {
        const float in = (i < input.size() ? input[i] : 0.0f) * 0.015f;
        float sum = 0.0f;
        for (auto& comb : combs) sum += comb.Process(in, feedback, damping);
        for (auto& allPass : allPasses) sum = allPass.Process(sum);
        out[i] = sum;
    }
    return out;
}

// Reads a delay line at a fractional position behind the write index.
float ReadFractional(const Mono& line, std::size_t writeIndex, double delaySamples) {
    const double position = static_cast<double>(writeIndex) + static_cast<double>(line.size()) - delaySamples;
    const auto whole = static_cast<std::size_t>(position);
    const float fraction = static_cast<float>(position - static_cast<double>(whole));
    const float a = line[whole % line.size()];
    const float b = line[(whole + 1) % line.size()];
    return a + (b - a) * fraction;
}

}  // namespace

Stereo Delay(const Stereo& input, const DelaySettings& settings) {
    const std::size_t leftLength = std::max<std::size_t>(1, SecondsToFrames(settings.leftSeconds));
    const std::size_t rightLength = std::max<std::size_t>(1, SecondsToFrames(settings.rightSeconds));
    const float feedback = std::clamp(settings.feedback, 0.0f, 0.95f);
    // Echoes fade below -60 dB after this many repeats.
    const double repeats = feedback > 0.001f ? std::log(1e-3) / std::log(feedback) : 1.0;
    const std::size_t tail = static_cast<std::size_t>(repeats * static_cast<double>(std::max(leftLength, rightLength)));
    const std::size_t frames = input.Frames() + tail;
    Stereo out(frames);
    Mono leftLine(leftLength, 0.0f), rightLine(rightLength, 0.0f);
    OnePole leftDamp(1.0f / (2.0f * static_cast<float>(kPi) * settings.dampingHz));
    OnePole rightDamp(1.0f / (2.0f * static_cast<float>(kPi) * settings.dampingHz));
    for (std::size_t i = 0; i < frames; ++i) {
        const float inLeft = i < input.Frames() ? input.left[i] : 0.0f;
        const float inRight = i < input.Frames() ? input.right[i] : 0.0f;
        const float echoLeft = leftLine[i % leftLength];
        const float echoRight = rightLine[i % rightLength];
        out.left[i] = echoLeft;
        out.right[i] = echoRight;
        const float backLeft = leftDamp.Process(settings.pingPong ? echoRight : echoLeft) * feedback;
        const float backRight = rightDamp.Process(settings.pingPong ? echoLeft : echoRight) * feedback;
        leftLine[i % leftLength] = (settings.pingPong ? 0.5f * (inLeft + inRight) : inLeft) + backLeft;
        rightLine[i % rightLength] = (settings.pingPong ? 0.0f : inRight) + backRight;
    }
    return out;
}

Stereo Chorus(const Stereo& input, const ChorusSettings& settings) {
    const double base = settings.delaySeconds * kSampleRate;
    const double depth = settings.depthSeconds * kSampleRate;
    const std::size_t length = static_cast<std::size_t>(base + depth) + 4;
    Mono leftLine(length, 0.0f), rightLine(length, 0.0f);
    Stereo out(input.Frames());
    const double step = settings.rateHz / kSampleRate;
    for (std::size_t i = 0; i < input.Frames(); ++i) {
        leftLine[i % length] = input.left[i];
        rightLine[i % length] = input.right[i];
        const double swing = SineOfPhase(step * static_cast<double>(i));
        out.left[i] = ReadFractional(leftLine, i % length, base + depth * swing);
        out.right[i] = ReadFractional(rightLine, i % length, base - depth * swing);
    }
    return out;
}

Stereo Reverb(const Stereo& input, const ReverbSettings& settings) {
    const std::size_t frames = input.Frames() + SecondsToFrames(settings.tailSeconds);
    Mono mid(input.Frames());
    for (std::size_t i = 0; i < input.Frames(); ++i) mid[i] = input.left[i] + input.right[i];
    Stereo out;
    out.left = ReverbChannel(mid, frames, settings, 0);
    out.right = ReverbChannel(mid, frames, settings, kStereoSpread);
    return out;
}

void Saturate(Mono& signal, float drive) {
    if (drive <= 0) return;
    for (float& s : signal) s = SoftClip(s * drive) / drive;
}

void Saturate(Stereo& signal, float drive) {
    Saturate(signal.left, drive);
    Saturate(signal.right, drive);
}

}  // namespace kr::audio
