// Menu and interface sounds: short, crisp and dry, so that they never smear
// into each other when the pointer moves quickly.

#include <algorithm>
#include <cmath>

#include "audio/envelopes.hpp"
#include "audio/sfx_tools.hpp"
#include "audio/sound_effects.hpp"

namespace kr::audio::sfx {

Stereo Hover() {
    const Mono tick = Tone(Waveform::Sine, 0.05, Slide(3200.0f, 2400.0f, 0.01f), Hit(0.0005f, 0.009f));
    const Mono body = Tone(Waveform::Triangle, 0.05, Constant(1200.0f), Hit(0.001f, 0.012f));
    const Mono air = NoiseBand(0.03, 11, FilterMode::HighPass, Constant(6000.0f), 0.1f, Hit(0.0003f, 0.004f));
    return ToStereo(Finish(Mix({{tick, 0.6f}, {body, 0.5f}, {air, 0.3f}})));
}

Stereo Confirm() {
    const Mono click = NoiseBand(0.03, 21, FilterMode::BandPass, Constant(3500.0f), 0.3f, Hit(0.0003f, 0.005f));
    const Mono low = Tone(Waveform::Square, 0.09, Constant(880.0f), Hit(0.001f, 0.03f, 0.02f), 0.3f);
    const Mono high = Tone(Waveform::Square, 0.16, Constant(1318.5f), Hit(0.001f, 0.05f, 0.02f), 0.3f);
    const Mono thump = Tone(Waveform::Sine, 0.08, Slide(220.0f, 90.0f, 0.02f), Hit(0.001f, 0.025f));
    const Mono tones = Filtered(Mix({{low, 0.5f}, {high, 0.5f, 0.045}}), FilterMode::LowPass, Constant(5000.0f), 0.1f);
    return ToStereo(Finish(Mix({{click, 0.8f}, {tones, 1.0f}, {thump, 0.7f}})));
}

Stereo Back() {
    const Mono sweep = Tone(Waveform::Sine, 0.22, Slide(1600.0f, 380.0f, 0.06f), Hit(0.002f, 0.06f));
    const Mono edge = Tone(Waveform::Square, 0.22, Slide(800.0f, 190.0f, 0.06f), Hit(0.002f, 0.04f), 0.25f);
    const Mono swish = NoiseBand(0.2, 31, FilterMode::BandPass, Slide(5000.0f, 900.0f, 0.05f), 0.4f, Hit(0.004f, 0.04f));
    const Mono soft = Filtered(edge, FilterMode::LowPass, Constant(2500.0f), 0.0f);
    return ToStereo(Finish(Mix({{sweep, 0.8f}, {soft, 0.25f}, {swish, 0.5f}})));
}

Stereo OptionChange() {
    const Mono first = Tone(Waveform::Square, 0.04, Constant(1046.5f), Hit(0.0005f, 0.012f), 0.4f);
    const Mono second = Tone(Waveform::Square, 0.07, Constant(1568.0f), Hit(0.0005f, 0.02f), 0.4f);
    const Mono click = NoiseBand(0.02, 41, FilterMode::HighPass, Constant(4000.0f), 0.1f, Hit(0.0003f, 0.003f));
    const Mono tones = Filtered(Mix({{first, 0.6f}, {second, 0.6f, 0.035}}), FilterMode::LowPass, Constant(4500.0f), 0.2f);
    return ToStereo(Finish(Mix({{tones, 1.0f}, {click, 0.5f}, {click, 0.4f, 0.035}})));
}

Stereo Alarm() {
    // Two "wee-woo" cycles of a hard two-tone siren.
    const double cycle = 0.36;
    auto siren = [cycle](float t) {
        const float within = std::fmod(t, static_cast<float>(cycle));
        return within < cycle / 2 ? 880.0f : 660.0f;
    };
    auto gate = [cycle](float t) {
        const float within = std::fmod(t, static_cast<float>(cycle / 2));
        return std::min(1.0f, within * 400.0f) * std::min(1.0f, (static_cast<float>(cycle / 2) - within) * 200.0f);
    };
    const double seconds = cycle * 2;
    const Mono square = Tone(Waveform::Square, seconds, siren, gate, 0.5f);
    const Mono saw = Tone(Waveform::Saw, seconds, [&](float t) { return siren(t) * 1.006f; }, gate);
    const Mono body = Filtered(Mix({{square, 0.6f}, {saw, 0.4f}}), FilterMode::LowPass, Constant(2500.0f), 0.3f);
    const Mono drone = Tone(Waveform::Sine, seconds, [&](float t) { return siren(t) / 2; }, gate);
    return FinishSteady(ToStereo(Mix({{body, 0.6f}, {drone, 0.4f}})));
}

Stereo Loading() {
    // A power-up hum that rises while data blips tick over it.
    const double seconds = 2.6;
    auto swell = [](float t) { return std::min(1.0f, t / 1.6f) * (t > 2.2f ? std::max(0.0f, (2.6f - t) / 0.4f) : 1.0f); };
    const Mono hum = Filtered(Tone(Waveform::Saw, seconds, Slide(55.0f, 110.0f, 0.9f), swell), FilterMode::LowPass,
                              Slide(200.0f, 2400.0f, 0.8f), 0.5f);
    const Mono fifth = Filtered(Tone(Waveform::Saw, seconds, Slide(82.4f, 164.8f, 0.9f), swell), FilterMode::LowPass,
                                Slide(200.0f, 1800.0f, 0.8f), 0.3f);
    auto blipLevel = [](float t) {
        const float step = std::fmod(t, 0.125f);
        return t < 2.2f && t > 0.3f ? std::exp(-step / 0.02f) : 0.0f;
    };
    auto blipPitch = [](float t) {
        static constexpr float kPitches[8] = {1760.0f, 2637.0f, 2093.0f, 3136.0f, 1760.0f, 2349.0f, 2637.0f, 3520.0f};
        return kPitches[static_cast<int>(t / 0.125f) % 8];
    };
    const Mono blips = Tone(Waveform::Sine, seconds, blipPitch, blipLevel);
    const Mono air = NoiseBand(seconds, 51, FilterMode::BandPass, Slide(300.0f, 6000.0f, 1.2f), 0.4f, swell);
    const Mono dry = Mix({{hum, 0.6f}, {fifth, 0.4f}, {blips, 0.18f}, {air, 0.15f}});
    return Finish(WithRoom(dry, 0.3f, 0.7f, 0.8));
}

}  // namespace kr::audio::sfx
