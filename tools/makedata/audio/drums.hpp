#pragma once
// Drum synthesis: every hit is rendered whole from oscillators and noise.

#include <cstdint>

#include "audio/signal.hpp"

namespace kr::audio {

struct KickShape {
    float startHz = 170.0f;     // pitch at the hit
    float endHz = 46.0f;        // pitch it falls to
    float sweepSeconds = 0.035f;
    float decaySeconds = 0.32f;
    float click = 0.35f;        // level of the beater's noise click
    float drive = 1.8f;
    float level = 0.65f;
};
Mono RenderKick(const KickShape& shape, float velocity);

struct SnareShape {
    float toneHz = 185.0f;       // drum body
    float toneDecay = 0.08f;
    float noiseDecay = 0.18f;    // the wires
    float noiseHz = 4200.0f;     // band centre of the wires
    float toneLevel = 0.5f;
    float noiseLevel = 0.8f;
    float level = 1.6f;
};
Mono RenderSnare(const SnareShape& shape, float velocity, std::uint64_t seed);

// Three quick noise bursts and a short tail, band-passed around 1.2 kHz.
Mono RenderClap(float velocity, std::uint64_t seed);

// Metallic noise: six square waves at inharmonic ratios plus white noise,
// high-passed; `decaySeconds` 0.04 for closed, 0.3+ for open.
Mono RenderHat(float decaySeconds, float velocity, std::uint64_t seed);

// A pitched tom for fills.
Mono RenderTom(float hz, float velocity);

// Crash cymbal: long bright noise with shimmer.
Mono RenderCrash(float seconds, float velocity, std::uint64_t seed);

// Noise rising in pitch and level over `seconds`, for section builds.
Mono RenderRiser(float seconds, float velocity, std::uint64_t seed);

}  // namespace kr::audio
