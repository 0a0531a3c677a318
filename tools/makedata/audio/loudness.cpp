#include "audio/loudness.hpp"

#include <algorithm>
#include <cmath>
#include <deque>

#include "audio/filters.hpp"

namespace kr::audio {
namespace {

constexpr double kBlockSeconds = 0.4;
constexpr double kAbsoluteGate = -70.0;
constexpr double kRelativeGate = -10.0;

double LoudnessOf(double meanSquare) { return -0.691 + 10.0 * std::log10(std::max(meanSquare, 1e-12)); }

// Sums of the K-weighted squares of both channels over consecutive
// 100 ms hops. The weighting is a high shelf (+4 dB above ~1.7 kHz) and a
// high-pass at ~38 Hz.
std::vector<double> WeightedHopSums(const Stereo& signal, std::size_t hop) {
    std::vector<double> sums;
    for (const Mono* channel : {&signal.left, &signal.right}) {
        Biquad shelf = Biquad::KWeightingShelf();
        Biquad highPass = Biquad::KWeightingHighPass();
        sums.resize(channel->size() / hop, 0.0);
        for (std::size_t i = 0; i < sums.size() * hop; ++i) {
            const double y = highPass.Process(shelf.Process((*channel)[i]));
            sums[i / hop] += y * y;
        }
    }
    return sums;
}

}  // namespace

float PeakLevel(const Mono& signal) {
    float peak = 0.0f;
    for (float s : signal) peak = std::max(peak, std::fabs(s));
    return peak;
}

float PeakLevel(const Stereo& signal) { return std::max(PeakLevel(signal.left), PeakLevel(signal.right)); }

float RmsLevel(const Mono& signal) {
    if (signal.empty()) return 0.0f;
    double sum = 0;
    for (float s : signal) sum += static_cast<double>(s) * s;
    return static_cast<float>(std::sqrt(sum / static_cast<double>(signal.size())));
}

float RmsLevel(const Stereo& signal) {
    const float l = RmsLevel(signal.left), r = RmsLevel(signal.right);
    return std::sqrt((l * l + r * r) / 2.0f);
}

double IntegratedLoudness(const Stereo& signal) {
    const std::size_t block = SecondsToFrames(kBlockSeconds);
    const std::size_t hop = block / 4;
    if (signal.Frames() < block) return kAbsoluteGate;
    // 400 ms blocks overlapping by 75%: four hops each.
    const auto hops = WeightedHopSums(signal, hop);
    std::vector<double> blocks;
    for (std::size_t h = 0; h + 4 <= hops.size(); ++h) {
        blocks.push_back((hops[h] + hops[h + 1] + hops[h + 2] + hops[h + 3]) / static_cast<double>(4 * hop));
    }
    auto gatedMean = [&](double gate) {
        double sum = 0;
        int count = 0;
        for (double b : blocks) {
            if (LoudnessOf(b) > gate) {
                sum += b;
                ++count;
            }
        }
        return count ? sum / count : 0.0;
    };
    const double ungated = gatedMean(kAbsoluteGate);
    if (ungated <= 0) return kAbsoluteGate;
    const double relative = LoudnessOf(ungated) + kRelativeGate;
    const double gated = gatedMean(relative);
    return gated <= 0 ? kAbsoluteGate : LoudnessOf(gated);
}

void NormalisePeak(Mono& signal, float peakDb) {
    const float peak = PeakLevel(signal);
    if (peak <= 0) return;
    const float gain = DecibelsToGain(peakDb) / peak;
    for (float& s : signal) s *= gain;
}

void NormalisePeak(Stereo& signal, float peakDb) {
    const float peak = PeakLevel(signal);
    if (peak <= 0) return;
    const float gain = DecibelsToGain(peakDb) / peak;
    for (float& s : signal.left) s *= gain;
    for (float& s : signal.right) s *= gain;
}

void NormaliseLoudness(Stereo& signal, double targetLufs, float ceilingDb) {
    const double loudness = IntegratedLoudness(signal);
    if (loudness > kAbsoluteGate) {
        const auto gain = static_cast<float>(std::pow(10.0, (targetLufs - loudness) / 20.0));
        for (float& s : signal.left) s *= gain;
        for (float& s : signal.right) s *= gain;
    }
    Limit(signal, ceilingDb);
}

void Limit(Stereo& signal, float ceilingDb, float releaseSeconds) {
    const float ceiling = DecibelsToGain(ceilingDb);
    const std::size_t frames = signal.Frames();
    const std::size_t lookAhead = SecondsToFrames(0.002);
    // The gain each frame needs on its own.
    std::vector<float> needed(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const float peak = std::max(std::fabs(signal.left[i]), std::fabs(signal.right[i]));
        needed[i] = peak > ceiling ? ceiling / peak : 1.0f;
    }
    // Minimum over the look-ahead window (monotonic queue), ramped in
    // linearly over the window and released exponentially.
    std::deque<std::size_t> window;
    const float release = 1.0f - std::exp(-1.0f / (releaseSeconds * kSampleRate));
    float gain = 1.0f;
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t ahead = std::min(frames - 1, i + lookAhead);
        const std::size_t first = window.empty() ? i : window.back() + 1;
        for (std::size_t j = first; j <= ahead; ++j) {
            while (!window.empty() && needed[window.back()] >= needed[j]) window.pop_back();
            window.push_back(j);
        }
        while (window.front() < i) window.pop_front();
        const float target = needed[window.front()];
        if (target < gain) {
            const std::size_t distance = window.front() - i + 1;
            gain += (target - gain) / static_cast<float>(distance);
        } else {
            gain += (target - gain) * release;
        }
        gain = std::min(gain, needed[i]);
        signal.left[i] *= gain;
        signal.right[i] *= gain;
    }
}

}  // namespace kr::audio
