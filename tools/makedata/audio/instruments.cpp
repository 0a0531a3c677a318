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
    return {.osc = {.wave1 = Waveform::Saw, .wave2 = Waveform::Square, .level2 = 0.5f, .interval2 = -12.0f,
                    .subLevel = 0.25f},
            .filter = {.cutoffHz = 340.0f, .resonance = 0.25f, .envOctaves = 2.6f, .keyTracking = 0.6f,
                       .env = {0.001f, 0.18f, 0.0f, 0.1f}},
            .ampEnv = {0.002f, 0.4f, 0.75f, 0.06f},
            .drive = 1.5f,
            .level = 0.7f};
}

SynthPatch GrowlBass() {
    SynthPatch p = PulseBass();
    p.osc = {.wave1 = Waveform::Saw, .wave2 = Waveform::Square, .level2 = 0.7f, .detuneCents = 11.0f,
             .subLevel = 0.25f};
    p.filter = {.cutoffHz = 450.0f, .resonance = 0.4f, .envOctaves = 3.0f, .keyTracking = 0.6f,
                .env = {0.001f, 0.14f, 0.1f, 0.1f}};
    p.drive = 2.5f;
    return p;
}

SynthPatch SuperSawPad() {
    return {.osc = {.wave1 = Waveform::Saw, .wave2 = Waveform::Saw, .level2 = 0.6f, .interval2 = 12.0f,
                    .detuneCents = 4.0f, .unison = 3, .unisonCents = 14.0f},
            .filter = {.cutoffHz = 2600.0f, .resonance = 0.1f, .envOctaves = 0.8f, .keyTracking = 0.3f,
                       .env = {0.6f, 1.5f, 0.3f, 1.0f}},
            .ampEnv = {0.35f, 1.0f, 0.85f, 1.2f},
            .level = 0.07f};
}

SynthPatch DarkPad() {
    return {.osc = {.wave1 = Waveform::Saw, .wave2 = Waveform::Square, .level2 = 0.5f, .interval2 = -12.0f,
                    .detuneCents = 4.0f, .pulseWidth = 0.3f, .unison = 3, .unisonCents = 14.0f},
            .filter = {.cutoffHz = 1200.0f, .resonance = 0.2f, .envOctaves = 1.2f, .keyTracking = 0.3f,
                       .env = {1.5f, 2.5f, 0.4f, 2.0f}},
            .ampEnv = {0.9f, 1.5f, 0.9f, 2.0f},
            .level = 0.04f};
}

SynthPatch SawLead() {
    return {.osc = {.wave1 = Waveform::Saw, .wave2 = Waveform::Saw, .level2 = 0.8f, .detuneCents = 9.0f},
            .filter = {.cutoffHz = 2400.0f, .resonance = 0.25f, .envOctaves = 1.6f, .keyTracking = 0.5f,
                       .env = {0.005f, 0.35f, 0.35f, 0.3f}},
            .ampEnv = {0.01f, 0.3f, 0.8f, 0.25f},
            .pitch = {.vibratoCents = 18.0f, .vibratoHz = 5.2f, .vibratoDelay = 0.25f, .dropSemitones = 0.6f,
                      .dropSeconds = 0.025f},
            .drive = 1.2f,
            .level = 0.5f};
}

SynthPatch SquareLead() {
    SynthPatch p = SawLead();
    p.osc = {.wave1 = Waveform::Square, .wave2 = Waveform::Triangle, .level2 = 0.9f, .interval2 = 12.0f,
             .detuneCents = 3.0f, .pulseWidth = 0.38f};
    p.filter.cutoffHz = 1900.0f;
    p.filter.envOctaves = 1.0f;
    p.level = 0.45f;
    return p;
}

SynthPatch Pluck() {
    return {.osc = {.wave1 = Waveform::Saw, .wave2 = Waveform::Square, .level2 = 0.5f, .detuneCents = 6.0f},
            .filter = {.cutoffHz = 900.0f, .resonance = 0.35f, .envOctaves = 3.2f, .keyTracking = 0.7f,
                       .env = {0.001f, 0.22f, 0.0f, 0.15f}},
            .ampEnv = {0.001f, 0.5f, 0.0f, 0.2f},
            .level = 0.8f};
}

SynthPatch Brass() {
    return {.osc = {.wave1 = Waveform::Saw, .wave2 = Waveform::Saw, .level2 = 1.0f, .detuneCents = 7.0f, .unison = 2,
                    .unisonCents = 8.0f},
            .filter = {.cutoffHz = 600.0f, .resonance = 0.15f, .envOctaves = 2.0f, .env = {0.08f, 0.5f, 0.35f, 0.3f}},
            .ampEnv = {0.02f, 0.5f, 0.8f, 0.35f},
            .drive = 1.3f,
            .level = 0.4f};
}

}  // namespace patches
}  // namespace kr::audio
