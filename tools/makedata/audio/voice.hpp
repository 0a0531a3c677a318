#pragma once
// The subtractive synthesiser voice behind every pitched instrument: two
// oscillators (each a stack of detuned unison copies), a sub oscillator and
// noise into a state-variable filter swept by its own envelope, then an
// amplitude envelope. One call renders one note, tail included.

#include <cstdint>

#include "audio/envelopes.hpp"
#include "audio/filters.hpp"
#include "audio/oscillators.hpp"
#include "audio/signal.hpp"

namespace kr::audio {

// What sounds: two oscillators, each a stack of `unison` copies spread in
// pitch, a sine one octave below and noise.
struct OscillatorSection {
    Waveform wave1 = Waveform::Saw;
    Waveform wave2 = Waveform::Square;
    float level2 = 0.0f;          // second oscillator's level (first is 1)
    float interval2 = 0.0f;       // semitones above the first oscillator
    float detuneCents = 0.0f;     // second oscillator's detune
    float pulseWidth = 0.5f;
    int unison = 1;               // copies of each oscillator
    float unisonCents = 0.0f;     // spread of the copies, outermost to centre
    float subLevel = 0.0f;
    float noiseLevel = 0.0f;
};

// The filter and the envelope that sweeps its cutoff.
struct FilterSection {
    FilterMode mode = FilterMode::LowPass;
    float cutoffHz = 2000.0f;
    float resonance = 0.1f;
    float envOctaves = 0.0f;      // cutoff rise at the envelope's peak
    float keyTracking = 0.5f;     // 1: cutoff follows pitch fully (reference C4)
    AdsrShape env{0.001f, 0.3f, 0.0f, 0.3f};
};

// Pitch movement within a note.
struct PitchSection {
    float vibratoCents = 0.0f;
    float vibratoHz = 5.0f;
    float vibratoDelay = 0.3f;    // seconds before vibrato fades in
    float dropSemitones = 0.0f;   // starts this far off and glides to pitch
    float dropSeconds = 0.03f;
};

// A patch reads as its sections, each written with only what differs from
// the defaults.
struct SynthPatch {
    OscillatorSection osc;
    FilterSection filter;
    AdsrShape ampEnv{0.005f, 0.3f, 0.8f, 0.2f};
    PitchSection pitch;
    float drive = 0.0f;           // saturation after the filter
    float level = 0.3f;           // output scale before velocity
};

struct NoteRequest {
    float midiNote = 60.0f;
    float velocity = 0.8f;        // 0..1
    double gateSeconds = 0.25;    // how long the key is held
    float brightness = 1.0f;      // multiplies the cutoff (automation)
    std::uint64_t seed = 1;       // noise and unison phases
};

Mono RenderVoice(const SynthPatch& patch, const NoteRequest& note);

// An FM bell/electric-piano tone: a sine carrier phase-modulated by a sine
// at `ratio` times its frequency, the modulation index decaying with time.
struct FmPatch {
    float ratio = 3.5f;
    float index = 2.5f;
    float indexDecay = 0.6f;  // seconds
    AdsrShape ampEnv{0.002f, 1.5f, 0.0f, 0.6f};
    float level = 0.3f;
};

Mono RenderFm(const FmPatch& patch, const NoteRequest& note);

}  // namespace kr::audio
