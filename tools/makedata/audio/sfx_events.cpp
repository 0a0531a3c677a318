// Event sounds: the logo signature, the boss stinger, powerups and the
// ship abilities. Larger and roomier than the interface sounds.

#include <algorithm>
#include <cmath>

#include "audio/envelopes.hpp"
#include "audio/instruments.hpp"
#include "audio/sfx_tools.hpp"
#include "audio/sound_effects.hpp"
#include "audio/voice.hpp"

namespace kr::audio::sfx {
namespace {

// A held synth chord, one voice per note, all started together.
Mono Chord(const SynthPatch& patch, std::initializer_list<float> notes, double gateSeconds, float velocity) {
    Mono out;
    std::uint64_t seed = 1;
    for (float note : notes) MixInto(out, RenderVoice(patch, NoteRequest{note, velocity, gateSeconds, 1.0f, seed++}), 0);
    return out;
}

}  // namespace

Stereo MakerLogo() {
    // A chime: three FM bell strikes, a fifth and octaves of D, rolled.
    FmPatch bell;
    bell.ratio = 3.5f;
    bell.index = 2.2f;
    bell.indexDecay = 0.5f;
    bell.ampEnv = {0.002f, 2.2f, 0.0f, 0.8f};
    bell.level = 0.5f;
    const Mono low = RenderFm(bell, NoteRequest{62.0f, 0.9f, 1.6, 1.0f, 1});
    const Mono mid = RenderFm(bell, NoteRequest{69.0f, 0.8f, 1.6, 1.0f, 2});
    const Mono high = RenderFm(bell, NoteRequest{74.0f, 0.7f, 1.6, 1.0f, 3});
    const Mono air = NoiseBand(1.2, 61, FilterMode::BandPass, Slide(9000.0f, 3000.0f, 0.4f), 0.3f, Hit(0.005f, 0.25f));
    const Mono sub = Tone(Waveform::Sine, 1.5, Constant(73.4f), Hit(0.01f, 0.5f));
    const Mono dry = Mix({{low, 0.8f}, {mid, 0.6f, 0.07}, {high, 0.5f, 0.14}, {air, 0.12f}, {sub, 0.35f}});
    return Finish(WithRoom(dry, 0.55f, 0.85f, 1.5));
}

Stereo LogoImpact() {
    // A swelling whoosh that lands on a deep boom.
    const double seconds = 3.0;
    const Mono whoosh = NoiseBand(seconds, 71, FilterMode::BandPass, Slide(4000.0f, 250.0f, 0.5f), 0.45f,
                                  [](float t) { return t < 0.08f ? t / 0.08f : ExpDecay(t - 0.08f, 0.45f); });
    const Mono boom = Tone(Waveform::Sine, seconds, Slide(95.0f, 32.0f, 0.25f), Hit(0.003f, 0.8f));
    const Mono body = Filtered(Tone(Waveform::Saw, seconds, Slide(70.0f, 36.0f, 0.3f), Hit(0.003f, 0.4f)),
                               FilterMode::LowPass, Slide(900.0f, 120.0f, 0.2f), 0.2f);
    const Mono dry = Mix({{whoosh, 0.5f}, {boom, 1.0f}, {body, 0.5f}});
    return Finish(WithRoom(dry, 0.4f, 0.9f, 1.5), 1.2f);
}

Stereo BossStinger() {
    // Boom plus a C-minor brass chord that swells and fades.
    SynthPatch brass = patches::Brass();
    brass.osc.detuneCents = 8.0f;
    brass.osc.unisonCents = 10.0f;
    brass.filter = {.cutoffHz = 500.0f, .resonance = 0.2f, .envOctaves = 2.5f, .env = {0.15f, 1.2f, 0.2f, 0.8f}};
    brass.ampEnv = {0.03f, 1.5f, 0.6f, 0.9f};
    brass.drive = 1.5f;
    brass.level = 0.3f;
    const Mono chord = Chord(brass, {36.0f, 48.0f, 51.0f, 55.0f, 60.0f}, 1.3, 1.0f);
    const Mono boom = Tone(Waveform::Sine, 2.0, Slide(110.0f, 38.0f, 0.18f), Hit(0.002f, 0.6f));
    const Mono hitNoise = NoiseBand(1.5, 81, FilterMode::LowPass, Slide(6000.0f, 300.0f, 0.15f), 0.1f, Hit(0.001f, 0.25f));
    const Mono dry = Mix({{chord, 0.8f}, {boom, 1.0f}, {hitNoise, 0.5f}});
    return Finish(WithRoom(dry, 0.45f, 0.85f, 1.8), 1.1f);
}

Stereo Powerup() {
    // A quick rising arpeggio with a sparkle on top.
    static constexpr float kNotes[6] = {72.0f, 76.0f, 79.0f, 84.0f, 88.0f, 91.0f};
    const double step = 0.055;
    auto pitch = [step](float t) {
        const int index = std::min(5, static_cast<int>(t / static_cast<float>(step)));
        return NoteFrequency(kNotes[index]) * (1.0f + 0.004f * std::sin(t * 2.0f * static_cast<float>(kPi) * 18.0f));
    };
    auto level = [](float t) { return t < 0.33f ? 1.0f : ExpDecay(t - 0.33f, 0.12f); };
    const double seconds = 0.8;
    const Mono square = Tone(Waveform::Square, seconds, pitch, level, 0.25f);
    const Mono octave = Tone(Waveform::Triangle, seconds, [&](float t) { return pitch(t) * 2.0f; }, level);
    const Mono sweep = Tone(Waveform::Sine, seconds, Slide(400.0f, 2400.0f, 0.2f), Hit(0.01f, 0.2f));
    const Mono sparkle = NoiseBand(seconds, 91, FilterMode::BandPass, Slide(3000.0f, 11000.0f, 0.3f), 0.6f, Hit(0.1f, 0.2f));
    const Mono tones = Filtered(Mix({{square, 0.5f}, {octave, 0.4f}}), FilterMode::LowPass, Constant(6000.0f), 0.2f);
    return FinishSteady(WithRoom(Mix({{tones, 1.0f}, {sweep, 0.3f}, {sparkle, 0.2f}}), 0.25f, 0.5f, 0.5));
}

Stereo ShieldUp() {
    // A chorused saw chord sweeping up through an opening filter.
    const double seconds = 1.1;
    auto rise = [](float base) { return Slide(base * 0.5f, base, 0.18f); };
    const Mono a = Tone(Waveform::Saw, seconds, rise(220.0f), Hit(0.02f, 0.35f, 0.3f));
    const Mono b = Tone(Waveform::Saw, seconds, rise(330.6f), Hit(0.02f, 0.35f, 0.3f));
    const Mono c = Tone(Waveform::Saw, seconds, rise(441.3f), Hit(0.02f, 0.35f, 0.3f));
    const Mono chord = Filtered(Mix({{a, 0.5f}, {b, 0.4f}, {c, 0.4f}}), FilterMode::LowPass,
                                Slide(300.0f, 5000.0f, 0.25f), 0.5f);
    const Mono shimmer = Tone(Waveform::Sine, seconds, Slide(880.0f, 1760.0f, 0.2f),
                              Times(Hit(0.05f, 0.3f, 0.2f), [](float t) { return 0.6f + 0.4f * std::sin(t * 140.0f); }));
    return FinishSteady(WithRoom(Mix({{chord, 1.0f}, {shimmer, 0.25f}}), 0.35f, 0.6f, 0.8), 1.2f);
}

Stereo ShieldDown() {
    // The same chord falling and closing.
    const double seconds = 0.9;
    auto fall = [](float base) { return Slide(base, base * 0.4f, 0.3f); };
    const Mono a = Tone(Waveform::Saw, seconds, fall(440.0f), Hit(0.005f, 0.25f));
    const Mono b = Tone(Waveform::Saw, seconds, fall(660.0f), Hit(0.005f, 0.25f));
    const Mono chord = Filtered(Mix({{a, 0.5f}, {b, 0.4f}}), FilterMode::LowPass, Slide(5000.0f, 250.0f, 0.25f), 0.5f);
    const Mono blip = Tone(Waveform::Square, 0.2, Slide(1200.0f, 300.0f, 0.05f), Hit(0.002f, 0.05f), 0.3f);
    return Finish(WithRoom(Mix({{chord, 1.0f}, {blip, 0.2f}}), 0.3f, 0.5f, 0.6), 1.2f);
}

}  // namespace kr::audio::sfx
