#pragma once
// Envelopes: the classic attack-decay-sustain-release shape, advanced one
// sample at a time, and closed-form shapes for one-shot sounds.

#include <cmath>

namespace kr::audio {

struct AdsrShape {
    float attack = 0.005f;   // seconds, linear rise to 1
    float decay = 0.1f;      // seconds for the fall towards sustain to close by 60 dB
    float sustain = 0.7f;    // level held while the gate is open
    float release = 0.1f;    // seconds to fall by 60 dB after the gate closes
};

class Adsr {
public:
    explicit Adsr(const AdsrShape& shape);

    // Releases the envelope from whatever level it has reached.
    void NoteOff() { stage_ = Stage::Release; }
    float Next();
    // True once the release has died away (below -80 dB).
    bool Finished() const { return stage_ == Stage::Release && level_ < 1e-4f; }
    // How long the release takes to fall below -80 dB, in seconds.
    static float TailSeconds(const AdsrShape& shape) { return shape.release * 4.0f / 3.0f + 0.01f; }

private:
    enum class Stage { Attack, Decay, Release };

    AdsrShape shape_;
    Stage stage_ = Stage::Attack;
    float level_ = 0.0f;
    float attackStep_;
    float decayCoefficient_;
    float releaseCoefficient_;
};

// exp(-t / tau): the usual percussive fall.
inline float ExpDecay(float t, float tau) { return std::exp(-t / tau); }

// An exponential glide from `from` to `to` Hz with time constant tau.
inline float Glide(float from, float to, float t, float tau) { return to + (from - to) * std::exp(-t / tau); }

// Raised-cosine rise of 0..1 over `length` seconds starting at `start`.
float SmoothStep(float t, float start, float length);

}  // namespace kr::audio
