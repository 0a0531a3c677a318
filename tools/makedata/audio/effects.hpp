#pragma once
// Whole-buffer effects for tracks and buses: a feedback delay, a chorus and
// a plate-like reverb, each returning the wet signal only so that callers
// choose the send level.

#include "audio/signal.hpp"

namespace kr::audio {

struct DelaySettings {
    double leftSeconds = 0.375;
    double rightSeconds = 0.5;
    float feedback = 0.35f;        // 0..0.95
    float dampingHz = 3500.0f;     // low-pass in the feedback loop
    bool pingPong = true;          // each repeat crosses to the other side
};

// The echoes of `input`; the result runs on until they have faded.
Stereo Delay(const Stereo& input, const DelaySettings& settings);

struct ChorusSettings {
    double delaySeconds = 0.012;
    double depthSeconds = 0.004;
    double rateHz = 0.6;
};

// The modulated copies of `input` (left and right swing in opposite phase).
Stereo Chorus(const Stereo& input, const ChorusSettings& settings);

struct ReverbSettings {
    float roomSize = 0.8f;    // 0..1, longer tail when larger
    float damping = 0.4f;     // 0..1, darker tail when larger
    double tailSeconds = 3.0;  // how far past the input the result runs
};

// A Schroeder-Moorer reverb: parallel damped combs into series all-passes,
// with the right channel's delays spread for width.
Stereo Reverb(const Stereo& input, const ReverbSettings& settings);

// tanh-shaped saturation, level-compensated so quiet signals pass unchanged.
void Saturate(Stereo& signal, float drive);
void Saturate(Mono& signal, float drive);

}  // namespace kr::audio
