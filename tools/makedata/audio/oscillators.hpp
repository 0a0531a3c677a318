#pragma once
// Band-limited oscillators (polyBLEP edges, so saws and squares do not alias
// into hiss at high notes), a table sine and a seeded noise source. The
// per-sample functions are inline: voices call them millions of times.

#include <array>
#include <cmath>
#include <cstdint>

#include "audio/signal.hpp"
#include "engine/random.hpp"

namespace kr::audio {

enum class Waveform { Sine, Triangle, Saw, Square };

// sin(2 pi phase) for phase in [0, 1), from a table with linear interpolation
// (error below 1e-6: far under 16-bit resolution).
float SineOfPhase(double phase);

// Saturation curve close to tanh, exact at 0, bounded by +-1; cheaper and the
// same on every machine.
inline float SoftClip(float x) {
    if (x > 3.0f) return 1.0f;
    if (x < -3.0f) return -1.0f;
    const float x2 = x * x;
    return x * (27.0f + x2) / (27.0f + 9.0f * x2);
}

class Oscillator {
public:
    explicit Oscillator(Waveform waveform, double startPhase = 0.0, float pulseWidth = 0.5f);

    // One sample at `frequencyHz`, then the phase advances.
    float Next(float frequencyHz) {
        const double step = (frequencyHz < 0 ? -frequencyHz : frequencyHz) * (1.0 / kSampleRate);
        float value;
        switch (waveform_) {
        case Waveform::Sine: value = SineOfPhase(phase_); break;
        case Waveform::Saw: value = static_cast<float>(2.0 * phase_ - 1.0) - PolyBlep(phase_, step); break;
        case Waveform::Square: value = Square(step, pulseWidth_); break;
        default:
            // A leaky integral of the band-limited square (always symmetric:
            // any other duty would integrate into a drifting offset).
            triangleState_ = static_cast<float>(step * 4.0) * Square(step, 0.5f) + triangleState_ * 0.9995f;
            value = triangleState_;
            break;
        }
        phase_ += step;
        if (phase_ >= 1.0) phase_ -= std::floor(phase_);
        return value;
    }
    void SetPulseWidth(float width) { pulseWidth_ = width; }

private:
    // The polynomial correction of a unit step at phase 0, spread over one
    // sample on each side.
    static float PolyBlep(double phase, double step) {
        if (phase < step) {
            const double t = phase / step;
            return static_cast<float>(t + t - t * t - 1.0);
        }
        if (phase > 1.0 - step) {
            const double t = (phase - 1.0) / step;
            return static_cast<float>(t * t + t + t + 1.0);
        }
        return 0.0f;
    }
    float Square(double step, float width) const {
        float value = phase_ < width ? 1.0f : -1.0f;
        if (step <= 0) return value;
        value += PolyBlep(phase_, step);
        double shifted = phase_ - width;
        if (shifted < 0) shifted += 1.0;
        return value - PolyBlep(shifted, step);
    }

    Waveform waveform_;
    double phase_;
    float pulseWidth_;
    float triangleState_ = 0.0f;
};

// White noise in -1..1; the same seed gives the same samples everywhere.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : random_(seed) {}
    float Next() { return static_cast<float>(random_.NextU32()) * (2.0f / 4294967296.0f) - 1.0f; }

private:
    Random random_;
};

}  // namespace kr::audio
