#include "audio/sfx_tools.hpp"

#include <algorithm>
#include <cmath>

#include "audio/effects.hpp"
#include "audio/envelopes.hpp"
#include "audio/loudness.hpp"
#include "engine/random.hpp"

namespace kr::audio::sfx {
namespace {

constexpr int kControlInterval = 8;

float Seconds(std::size_t frame) { return static_cast<float>(FramesToSeconds(frame)); }

}  // namespace

Curve Constant(float value) {
    return [value](float) { return value; };
}

Curve Slide(float from, float to, float tau) {
    return [=](float t) { return Glide(from, to, t, tau); };
}

Curve Ramp(float from, float to, float seconds) {
    return [=](float t) { return t >= seconds ? to : from + (to - from) * t / seconds; };
}

Curve Hit(float attack, float decayTau, float hold) {
    return [=](float t) {
        if (t < attack) return t / attack;
        if (t < attack + hold) return 1.0f;
        return ExpDecay(t - attack - hold, decayTau);
    };
}

Curve Times(Curve a, Curve b) {
    return [a = std::move(a), b = std::move(b)](float t) { return a(t) * b(t); };
}

Mono Tone(Waveform waveform, double seconds, Curve hz, Curve level, float pulseWidth) {
    Oscillator oscillator(waveform, 0.0, pulseWidth);
    Mono out(SecondsToFrames(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = Seconds(i);
        out[i] = oscillator.Next(hz(t)) * level(t);
    }
    return out;
}

Mono FmTone(double seconds, Curve hz, float ratio, Curve index, Curve level) {
    Mono out(SecondsToFrames(seconds));
    double carrier = 0, modulator = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = Seconds(i);
        const double step = 2.0 * kPi * hz(t) / kSampleRate;
        out[i] = static_cast<float>(std::sin(carrier + index(t) * std::sin(modulator))) * level(t);
        carrier += step;
        modulator += step * ratio;
    }
    return out;
}

Mono NoiseBand(double seconds, std::uint64_t seed, FilterMode mode, Curve cutoffHz, float resonance, Curve level) {
    Noise noise(seed);
    StateVariableFilter filter(mode, cutoffHz(0.0f), resonance);
    Mono out(SecondsToFrames(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = Seconds(i);
        if (i % kControlInterval == 0) filter.SetCutoff(cutoffHz(t));
        out[i] = filter.Process(noise.Next()) * level(t);
    }
    return out;
}

Mono Ring(double seconds, float baseHz, std::initializer_list<float> ratios, float decayTau) {
    Mono out(SecondsToFrames(seconds), 0.0f);
    int k = 0;
    for (float ratio : ratios) {
        // Higher partials die sooner, as in struck plates.
        const float tau = decayTau / (1.0f + 0.4f * static_cast<float>(k));
        const double step = 2.0 * kPi * baseHz * ratio / kSampleRate;
        const float gain = 1.0f / (1.0f + 0.5f * static_cast<float>(k));
        for (std::size_t i = 0; i < out.size(); ++i) {
            out[i] += static_cast<float>(std::sin(step * static_cast<double>(i))) * ExpDecay(Seconds(i), tau) * gain;
        }
        ++k;
    }
    return out;
}

Mono Crackle(double seconds, std::uint64_t seed, float perSecond, float decayTau) {
    Random random(seed);
    Mono impulses(SecondsToFrames(seconds), 0.0f);
    const float chance = perSecond / kSampleRate;
    for (std::size_t i = 0; i < impulses.size(); ++i) {
        const float density = chance * ExpDecay(Seconds(i), decayTau);
        if (static_cast<float>(random.NextU32()) / 4294967296.0f < density) {
            impulses[i] = (random.NextU32() & 1 ? 1.0f : -1.0f) * (0.3f + 0.7f * static_cast<float>(random.NextU32()) / 4294967296.0f);
        }
    }
    return Filtered(impulses, FilterMode::BandPass, Constant(2500.0f), 0.5f);
}

Mono Filtered(const Mono& signal, FilterMode mode, Curve cutoffHz, float resonance) {
    StateVariableFilter filter(mode, cutoffHz(0.0f), resonance);
    Mono out(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        if (i % kControlInterval == 0) filter.SetCutoff(cutoffHz(Seconds(i)));
        out[i] = filter.Process(signal[i]);
    }
    return out;
}

Mono Mix(std::initializer_list<Layer> layers) {
    Mono out;
    for (const Layer& layer : layers) MixInto(out, layer.signal, SecondsToFrames(layer.delaySeconds), layer.gain);
    return out;
}

Mono Finish(Mono signal, float drive) {
    Saturate(signal, drive);
    FadeOut(signal, std::min(0.01, FramesToSeconds(signal.size()) / 4));
    NormalisePeak(signal, kEffectPeakDb);
    return signal;
}

Stereo Finish(Stereo signal, float drive) {
    Saturate(signal, drive);
    FadeOut(signal, std::min(0.01, FramesToSeconds(signal.Frames()) / 4));
    NormalisePeak(signal, kEffectPeakDb);
    return signal;
}

Stereo FinishSteady(Stereo signal, float drive) {
    signal = Finish(std::move(signal), drive);
    const double loudness = IntegratedLoudness(signal);
    if (loudness > kSteadyEffectLufs) {
        const auto gain = static_cast<float>(std::pow(10.0, (kSteadyEffectLufs - loudness) / 20.0));
        for (float& s : signal.left) s *= gain;
        for (float& s : signal.right) s *= gain;
    }
    return signal;
}

Stereo WithRoom(const Mono& dry, float wet, float roomSize, double tailSeconds) {
    Stereo placed = ToStereo(dry);
    const Stereo tail = Reverb(placed, ReverbSettings{roomSize, 0.5f, tailSeconds});
    placed.Resize(tail.Frames());
    for (std::size_t i = 0; i < tail.Frames(); ++i) {
        placed.left[i] += tail.left[i] * wet;
        placed.right[i] += tail.right[i] * wet;
    }
    FadeOut(placed, std::min(tailSeconds, 0.5));
    return placed;
}

}  // namespace kr::audio::sfx
