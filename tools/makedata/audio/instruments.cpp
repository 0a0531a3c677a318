#include "audio/instruments.hpp"

#include <cmath>

namespace kr::audio {
namespace {

NoteRequest RequestFor(const Note& note, double gateSeconds, std::uint64_t seed) {
    return NoteRequest{note.pitch, note.velocity, gateSeconds, note.brightness, seed};
}

}  // namespace

Instrument SynthInstrument(SynthPatch patch) {
    return [patch](const Note& note, double gate, std::uint64_t seed) {
        return RenderVoice(patch, RequestFor(note, gate, seed));
    };
}

Instrument FmInstrument(FmPatch patch) {
    return [patch](const Note& note, double gate, std::uint64_t seed) {
        return RenderFm(patch, RequestFor(note, gate, seed));
    };
}

Instrument KickInstrument(KickShape shape) {
    return [shape](const Note& note, double, std::uint64_t) { return RenderKick(shape, note.velocity); };
}

Instrument SnareInstrument(SnareShape shape) {
    return [shape](const Note& note, double, std::uint64_t seed) { return RenderSnare(shape, note.velocity, seed); };
}

Instrument ClapInstrument() {
    return [](const Note& note, double, std::uint64_t seed) { return RenderClap(note.velocity, seed); };
}

Instrument HatInstrument(float closedSeconds, float openSeconds) {
    return [=](const Note& note, double, std::uint64_t seed) {
        const bool open = note.velocity >= 1.0f;
        return RenderHat(open ? openSeconds : closedSeconds, open ? 0.8f : note.velocity, seed);
    };
}

Instrument TomInstrument() {
    return [](const Note& note, double, std::uint64_t) {
        return RenderTom(110.0f * std::pow(2.0f, (note.pitch - 60.0f) / 12.0f), note.velocity);
    };
}

Instrument CrashInstrument(float seconds) {
    return [seconds](const Note& note, double, std::uint64_t seed) { return RenderCrash(seconds, note.velocity, seed); };
}

Instrument RiserInstrument() {
    return [](const Note& note, double gate, std::uint64_t seed) {
        return RenderRiser(static_cast<float>(gate), note.velocity, seed);
    };
}

namespace patches {

SynthPatch PulseBass() {
    SynthPatch p;
    p.wave1 = Waveform::Saw;
    p.wave2 = Waveform::Square;
    p.level2 = 0.5f;
    p.interval2 = -12.0f;
    p.cutoffHz = 340.0f;
    p.resonance = 0.25f;
    p.filterEnvOctaves = 2.6f;
    p.keyTracking = 0.6f;
    p.filterEnv = {0.001f, 0.18f, 0.0f, 0.1f};
    p.ampEnv = {0.002f, 0.4f, 0.75f, 0.06f};
    p.subLevel = 0.25f;
    p.drive = 1.5f;
    p.level = 0.7f;
    return p;
}

SynthPatch GrowlBass() {
    SynthPatch p = PulseBass();
    p.level2 = 0.7f;
    p.interval2 = 0.0f;
    p.detuneCents = 11.0f;
    p.cutoffHz = 450.0f;
    p.resonance = 0.4f;
    p.filterEnvOctaves = 3.0f;
    p.filterEnv = {0.001f, 0.14f, 0.1f, 0.1f};
    p.drive = 2.5f;
    return p;
}

SynthPatch SuperSawPad() {
    SynthPatch p;
    p.wave1 = Waveform::Saw;
    p.wave2 = Waveform::Saw;
    p.level2 = 0.6f;
    p.interval2 = 12.0f;
    p.detuneCents = 4.0f;
    p.unison = 3;
    p.unisonCents = 14.0f;
    p.cutoffHz = 2600.0f;
    p.resonance = 0.1f;
    p.keyTracking = 0.3f;
    p.filterEnvOctaves = 0.8f;
    p.filterEnv = {0.6f, 1.5f, 0.3f, 1.0f};
    p.ampEnv = {0.35f, 1.0f, 0.85f, 1.2f};
    p.level = 0.07f;
    return p;
}

SynthPatch DarkPad() {
    SynthPatch p = SuperSawPad();
    p.wave2 = Waveform::Square;
    p.interval2 = -12.0f;
    p.level2 = 0.5f;
    p.pulseWidth = 0.3f;
    p.cutoffHz = 1200.0f;
    p.resonance = 0.2f;
    p.filterEnvOctaves = 1.2f;
    p.filterEnv = {1.5f, 2.5f, 0.4f, 2.0f};
    p.ampEnv = {0.9f, 1.5f, 0.9f, 2.0f};
    p.level = 0.04f;
    return p;
}

SynthPatch SawLead() {
    SynthPatch p;
    p.wave1 = Waveform::Saw;
    p.wave2 = Waveform::Saw;
    p.level2 = 0.8f;
    p.detuneCents = 9.0f;
    p.cutoffHz = 2400.0f;
    p.resonance = 0.25f;
    p.keyTracking = 0.5f;
    p.filterEnvOctaves = 1.6f;
    p.filterEnv = {0.005f, 0.35f, 0.35f, 0.3f};
    p.ampEnv = {0.01f, 0.3f, 0.8f, 0.25f};
    p.vibratoCents = 18.0f;
    p.vibratoHz = 5.2f;
    p.vibratoDelay = 0.25f;
    p.pitchDropSemitones = 0.6f;
    p.pitchDropSeconds = 0.025f;
    p.drive = 1.2f;
    p.level = 0.5f;
    return p;
}

SynthPatch SquareLead() {
    SynthPatch p = SawLead();
    p.wave1 = Waveform::Square;
    p.wave2 = Waveform::Triangle;
    p.level2 = 0.9f;
    p.interval2 = 12.0f;
    p.detuneCents = 3.0f;
    p.pulseWidth = 0.38f;
    p.cutoffHz = 1900.0f;
    p.filterEnvOctaves = 1.0f;
    p.level = 0.45f;
    return p;
}

SynthPatch Pluck() {
    SynthPatch p;
    p.wave1 = Waveform::Saw;
    p.wave2 = Waveform::Square;
    p.level2 = 0.5f;
    p.detuneCents = 6.0f;
    p.cutoffHz = 900.0f;
    p.resonance = 0.35f;
    p.keyTracking = 0.7f;
    p.filterEnvOctaves = 3.2f;
    p.filterEnv = {0.001f, 0.22f, 0.0f, 0.15f};
    p.ampEnv = {0.001f, 0.5f, 0.0f, 0.2f};
    p.level = 0.8f;
    return p;
}

SynthPatch Brass() {
    SynthPatch p;
    p.wave1 = Waveform::Saw;
    p.wave2 = Waveform::Saw;
    p.level2 = 1.0f;
    p.detuneCents = 7.0f;
    p.unison = 2;
    p.unisonCents = 8.0f;
    p.cutoffHz = 600.0f;
    p.resonance = 0.15f;
    p.filterEnvOctaves = 2.0f;
    p.filterEnv = {0.08f, 0.5f, 0.35f, 0.3f};
    p.ampEnv = {0.02f, 0.5f, 0.8f, 0.35f};
    p.drive = 1.3f;
    p.level = 0.4f;
    return p;
}

}  // namespace patches
}  // namespace kr::audio
