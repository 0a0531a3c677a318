#include "audio/filters.hpp"

#include <algorithm>
#include <cmath>

#include "audio/signal.hpp"

namespace kr::audio {

StateVariableFilter::StateVariableFilter(FilterMode mode, float cutoffHz, float resonance) : mode_(mode) {
    Set(cutoffHz, resonance);
}

void StateVariableFilter::Set(float cutoffHz, float resonance) {
    resonance_ = resonance;
    const float cutoff = std::clamp(cutoffHz, 10.0f, kSampleRate * 0.45f);
    const float g = static_cast<float>(std::tan(kPi * cutoff / kSampleRate));
    k_ = 2.0f - 1.95f * std::clamp(resonance, 0.0f, 1.0f);
    a1_ = 1.0f / (1.0f + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

float StateVariableFilter::Process(float input) {
    const float v3 = input - ic2_;
    const float v1 = a1_ * ic1_ + a2_ * v3;
    const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    switch (mode_) {
    case FilterMode::LowPass: return v2;
    case FilterMode::BandPass: return v1;
    case FilterMode::HighPass: return input - k_ * v1 - v2;
    }
    return v2;
}

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::LowPass(double cutoffHz, double q) {
    const double w = 2 * kPi * cutoffHz / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighPass(double cutoffHz, double q) {
    const double w = 2 * kPi * cutoffHz / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighShelf(double cornerHz, double gainDb, double q) {
    const double a = std::pow(10.0, gainDb / 40.0), w = 2 * kPi * cornerHz / kSampleRate;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w), s = 2 * std::sqrt(a) * alpha;
    return Biquad(a * ((a + 1) + (a - 1) * c + s), -2 * a * ((a - 1) + (a + 1) * c), a * ((a + 1) + (a - 1) * c - s),
                  (a + 1) - (a - 1) * c + s, 2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - s);
}

Biquad Biquad::Peak(double centreHz, double gainDb, double q) {
    const double a = std::pow(10.0, gainDb / 40.0), w = 2 * kPi * centreHz / kSampleRate;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w);
    return Biquad(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

Biquad Biquad::KWeightingShelf() {
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(kPi * f0 / kSampleRate);
    const double vh = std::pow(10.0, gainDb / 20.0), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return Biquad(vh + vb * k / q + k * k, 2.0 * (k * k - vh), vh - vb * k / q + k * k, a0, 2.0 * (k * k - 1.0),
                  1.0 - k / q + k * k);
}

Biquad Biquad::KWeightingHighPass() {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(kPi * f0 / kSampleRate);
    const double a0 = 1.0 + k / q + k * k;
    return Biquad(1.0, -2.0, 1.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0);
}

float Biquad::Process(float input) {
    // Transposed direct form II.
    const double out = b0_ * input + z1_;
    z1_ = b1_ * input - a1_ * out + z2_;
    z2_ = b2_ * input - a2_ * out;
    return static_cast<float>(out);
}

OnePole::OnePole(float timeSeconds)
    : coefficient_(timeSeconds <= 0 ? 1.0f : 1.0f - std::exp(-1.0f / (timeSeconds * kSampleRate))) {}

}  // namespace kr::audio
