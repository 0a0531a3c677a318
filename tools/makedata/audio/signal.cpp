#include "audio/signal.hpp"

#include <algorithm>

namespace kr::audio {

void MixInto(Mono& target, const Mono& source, std::size_t offset, float gain) {
    if (target.size() < offset + source.size()) target.resize(offset + source.size(), 0.0f);
    for (std::size_t i = 0; i < source.size(); ++i) target[offset + i] += source[i] * gain;
}

void MixInto(Stereo& target, const Stereo& source, std::size_t offset, float gain) {
    MixInto(target.left, source.left, offset, gain);
    MixInto(target.right, source.right, offset, gain);
}

void MixPanned(Stereo& target, const Mono& source, std::size_t offset, float gain, float pan) {
    const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * kPi / 4.0;
    MixInto(target.left, source, offset, gain * static_cast<float>(std::cos(angle) * std::sqrt(2.0)));
    MixInto(target.right, source, offset, gain * static_cast<float>(std::sin(angle) * std::sqrt(2.0)));
}

Stereo ToStereo(const Mono& source) {
    Stereo out;
    out.left = source;
    out.right = source;
    return out;
}

void FadeIn(Mono& signal, double seconds) {
    const std::size_t n = std::min(signal.size(), SecondsToFrames(seconds));
    for (std::size_t i = 0; i < n; ++i) signal[i] *= static_cast<float>(i) / static_cast<float>(n);
}

void FadeOut(Mono& signal, double seconds) {
    const std::size_t n = std::min(signal.size(), SecondsToFrames(seconds));
    const std::size_t start = signal.size() - n;
    for (std::size_t i = 0; i < n; ++i) signal[start + i] *= static_cast<float>(n - i) / static_cast<float>(n);
}

void FadeOut(Stereo& signal, double seconds) {
    FadeOut(signal.left, seconds);
    FadeOut(signal.right, seconds);
}

}  // namespace kr::audio
