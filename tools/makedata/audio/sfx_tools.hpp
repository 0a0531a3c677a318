#pragma once
// Building blocks of the sound effects: layers whose pitch, cutoff and
// level follow curves of time, and the finishing step every effect shares.

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "audio/filters.hpp"
#include "audio/oscillators.hpp"
#include "audio/signal.hpp"

namespace kr::audio::sfx {

// A value as a function of seconds since the layer's start.
using Curve = std::function<float(float t)>;

Curve Constant(float value);
// from -> to, exponentially with time constant tau.
Curve Slide(float from, float to, float tau);
// A linear ramp from -> to over `seconds`, then held.
Curve Ramp(float from, float to, float seconds);
// Level envelope: linear attack, optional hold, exponential decay.
Curve Hit(float attack, float decayTau, float hold = 0.0f);
// Product of two curves.
Curve Times(Curve a, Curve b);

// An oscillator following a pitch curve and a level curve.
Mono Tone(Waveform waveform, double seconds, Curve hz, Curve level, float pulseWidth = 0.5f);
// A sine carrier phase-modulated by a sine: `ratio` and a modulation index curve.
Mono FmTone(double seconds, Curve hz, float ratio, Curve index, Curve level);
// Seeded white noise through a filter whose cutoff follows a curve.
Mono NoiseBand(double seconds, std::uint64_t seed, FilterMode mode, Curve cutoffHz, float resonance, Curve level);
// Inharmonic struck-metal partials: base * ratios, each decaying.
Mono Ring(double seconds, float baseHz, std::initializer_list<float> ratios, float decayTau);
// Sparse crackles: random impulses through a band-pass, thinning out with time.
Mono Crackle(double seconds, std::uint64_t seed, float perSecond, float decayTau);

// Filters a signal, the cutoff following a curve.
Mono Filtered(const Mono& signal, FilterMode mode, Curve cutoffHz, float resonance);

// Sum of layers, each with a gain.
struct Layer {
    const Mono& signal;
    float gain = 1.0f;
    double delaySeconds = 0.0;
};
Mono Mix(std::initializer_list<Layer> layers);

// The common end of every effect: saturation, a short fade against clicks
// at the end and the peak brought to -3 dBFS.
inline constexpr float kEffectPeakDb = -3.0f;
Mono Finish(Mono signal, float drive = 0.0f);
Stereo Finish(Stereo signal, float drive = 0.0f);

// Effects that hold a steady tone (a siren, an arpeggio, a sustained chord)
// have little crest: at a -3 dBFS peak they would sound several LU louder
// than the rest. These are finished as above and then turned down to this
// loudness as the game plays them (a mono effect on both sides).
inline constexpr double kSteadyEffectLufs = -14.0;
Stereo FinishSteady(Stereo signal, float drive = 0.0f);

// A mono effect placed in a stereo room: dry centre plus a reverb tail.
Stereo WithRoom(const Mono& dry, float wet, float roomSize, double tailSeconds);

}  // namespace kr::audio::sfx
