#pragma once
// Filters: a state-variable filter (stable while its cutoff moves every
// sample, so envelopes can sweep it), an RBJ biquad for fixed shelves and
// the loudness weighting, and a one-pole smoother.

namespace kr::audio {

enum class FilterMode { LowPass, HighPass, BandPass };

class StateVariableFilter {
public:
    StateVariableFilter(FilterMode mode, float cutoffHz, float resonance = 0.0f);

    // resonance 0 (Q 0.5, no peak) .. 1 (near self-oscillation).
    void Set(float cutoffHz, float resonance);
    void SetCutoff(float cutoffHz) { Set(cutoffHz, resonance_); }
    float Process(float input);

private:
    FilterMode mode_;
    float resonance_ = 0.0f;
    float k_ = 2.0f, a1_ = 0, a2_ = 0, a3_ = 0;
    float ic1_ = 0, ic2_ = 0;
};

class Biquad {
public:
    static Biquad LowPass(double cutoffHz, double q);
    static Biquad HighPass(double cutoffHz, double q);
    static Biquad HighShelf(double cornerHz, double gainDb, double q);
    static Biquad Peak(double centreHz, double gainDb, double q);
    // The two stages of the loudness meter's K-weighting, designed at our
    // sample rate as reference meters design them.
    static Biquad KWeightingShelf();
    static Biquad KWeightingHighPass();

    float Process(float input);

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_, b1_, b2_, a1_, a2_;
    double z1_ = 0, z2_ = 0;
};

// y += (x - y) * coefficient; the coefficient for a time constant in seconds.
class OnePole {
public:
    explicit OnePole(float timeSeconds);
    float Process(float input) { return state_ += (input - state_) * coefficient_; }

private:
    float coefficient_;
    float state_ = 0.0f;
};

}  // namespace kr::audio
