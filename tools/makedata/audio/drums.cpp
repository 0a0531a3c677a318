#include "audio/drums.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "audio/envelopes.hpp"
#include "audio/filters.hpp"
#include "audio/oscillators.hpp"

namespace kr::audio {

Mono RenderKick(const KickShape& shape, float velocity) {
    const std::size_t frames = SecondsToFrames(shape.decaySeconds * 4.0f);
    Mono out(frames);
    Oscillator body(Waveform::Sine, 0.25);
    Noise noise(99);
    StateVariableFilter clickFilter(FilterMode::HighPass, 1500.0f);
    for (std::size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(FramesToSeconds(i));
        const float hz = Glide(shape.startHz, shape.endHz, t, shape.sweepSeconds);
        float s = body.Next(hz) * ExpDecay(t, shape.decaySeconds) * std::min(1.0f, t * 2000.0f + 0.3f);
        s += clickFilter.Process(noise.Next()) * shape.click * ExpDecay(t, 0.004f);
        out[i] = std::tanh(s * shape.drive) / std::tanh(shape.drive) * shape.level * velocity;
    }
    return out;
}

Mono RenderSnare(const SnareShape& shape, float velocity, std::uint64_t seed) {
    const std::size_t frames = SecondsToFrames(std::max(shape.toneDecay, shape.noiseDecay) * 5.0f);
    Mono out(frames);
    Oscillator low(Waveform::Sine), high(Waveform::Sine);
    Noise noise(seed);
    StateVariableFilter wires(FilterMode::BandPass, shape.noiseHz, 0.2f);
    StateVariableFilter lowCut(FilterMode::HighPass, 900.0f);
    for (std::size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(FramesToSeconds(i));
        const float tone = (low.Next(Glide(shape.toneHz * 1.4f, shape.toneHz, t, 0.01f)) +
                            0.5f * high.Next(shape.toneHz * 1.78f)) * ExpDecay(t, shape.toneDecay);
        const float n = noise.Next();
        const float rattle = (wires.Process(n) * 1.6f + lowCut.Process(n) * 0.5f) * ExpDecay(t, shape.noiseDecay);
        out[i] = (tone * shape.toneLevel + rattle * shape.noiseLevel) * shape.level * velocity;
    }
    return out;
}

Mono RenderClap(float velocity, std::uint64_t seed) {
    const std::size_t frames = SecondsToFrames(0.45);
    Mono out(frames);
    Noise noise(seed);
    StateVariableFilter band(FilterMode::BandPass, 1250.0f, 0.35f);
    constexpr std::array<float, 3> kBursts = {0.0f, 0.011f, 0.023f};
    for (std::size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(FramesToSeconds(i));
        float envelope = 0.0f;
        for (float start : kBursts) {
            if (t >= start) envelope = std::max(envelope, ExpDecay(t - start, 0.006f));
        }
        if (t >= kBursts.back()) envelope = std::max(envelope, 0.8f * ExpDecay(t - kBursts.back(), 0.09f));
        out[i] = band.Process(noise.Next()) * envelope * 7.0f * velocity;
    }
    return out;
}

Mono RenderHat(float decaySeconds, float velocity, std::uint64_t seed) {
    static constexpr std::array<float, 6> kRatios = {2.0f, 3.0f, 4.16f, 5.43f, 6.79f, 8.21f};
    const std::size_t frames = SecondsToFrames(decaySeconds * 5.0f + 0.01f);
    std::vector<Oscillator> metal;
    for (std::size_t k = 0; k < kRatios.size(); ++k) metal.emplace_back(Waveform::Square, 0.1 * static_cast<double>(k));
    Noise noise(seed);
    StateVariableFilter band(FilterMode::BandPass, 10000.0f, 0.3f);
    StateVariableFilter high(FilterMode::HighPass, 7000.0f, 0.1f);
    Mono out(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(FramesToSeconds(i));
        float ring = 0.0f;
        for (std::size_t k = 0; k < kRatios.size(); ++k) ring += metal[k].Next(kRatios[k] * 205.0f);
        const float s = ring * 0.12f + noise.Next() * 0.7f;
        out[i] = high.Process(band.Process(s)) * ExpDecay(t, decaySeconds) * 2.5f * velocity;
    }
    return out;
}

Mono RenderTom(float hz, float velocity) {
    const std::size_t frames = SecondsToFrames(0.6);
    Mono out(frames);
    Oscillator body(Waveform::Sine);
    for (std::size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(FramesToSeconds(i));
        out[i] = std::tanh(1.5f * body.Next(Glide(hz * 1.6f, hz, t, 0.04f))) * ExpDecay(t, 0.16f) * 0.7f * velocity;
    }
    return out;
}

Mono RenderCrash(float seconds, float velocity, std::uint64_t seed) {
    const std::size_t frames = SecondsToFrames(seconds);
    Mono out(frames);
    Noise noise(seed);
    StateVariableFilter high(FilterMode::HighPass, 4500.0f, 0.2f);
    StateVariableFilter shimmer(FilterMode::BandPass, 7800.0f, 0.6f);
    for (std::size_t i = 0; i < frames; ++i) {
        const float t = static_cast<float>(FramesToSeconds(i));
        const float n = noise.Next();
        const float s = high.Process(n) * 0.6f + shimmer.Process(n) * 0.5f;
        out[i] = s * ExpDecay(t, seconds * 0.3f) * std::min(1.0f, t * 500.0f) * 1.2f * velocity;
    }
    FadeOut(out, seconds * 0.2);
    return out;
}

Mono RenderRiser(float seconds, float velocity, std::uint64_t seed) {
    const std::size_t frames = SecondsToFrames(seconds);
    Mono out(frames);
    Noise noise(seed);
    StateVariableFilter band(FilterMode::BandPass, 400.0f, 0.5f);
    for (std::size_t i = 0; i < frames; ++i) {
        const float x = static_cast<float>(i) / static_cast<float>(frames);
        if (i % 16 == 0) band.SetCutoff(300.0f * std::pow(2.0f, 5.0f * x));
        out[i] = band.Process(noise.Next()) * x * x * 3.0f * velocity;
    }
    return out;
}

}  // namespace kr::audio
