#include "audio/envelopes.hpp"

#include <algorithm>

#include "audio/signal.hpp"

namespace kr::audio {
namespace {

// Per-sample factor of an exponential fall by 60 dB in `seconds`.
float FallCoefficient(float seconds) {
    const float samples = std::max(1.0f, seconds * kSampleRate);
    return std::exp(std::log(1e-3f) / samples);
}

}  // namespace

Adsr::Adsr(const AdsrShape& shape)
    : shape_(shape),
      attackStep_(shape.attack <= 0 ? 1.0f : 1.0f / (shape.attack * kSampleRate)),
      decayCoefficient_(FallCoefficient(shape.decay)),
      releaseCoefficient_(FallCoefficient(shape.release)) {}

float Adsr::Next() {
    switch (stage_) {
    case Stage::Attack:
        level_ += attackStep_;
        if (level_ >= 1.0f) {
            level_ = 1.0f;
            stage_ = Stage::Decay;
        }
        break;
    case Stage::Decay:
        level_ = shape_.sustain + (level_ - shape_.sustain) * decayCoefficient_;
        break;
    case Stage::Release:
        level_ *= releaseCoefficient_;
        break;
    }
    return level_;
}

float SmoothStep(float t, float start, float length) {
    if (t <= start) return 0.0f;
    if (t >= start + length) return 1.0f;
    return 0.5f - 0.5f * static_cast<float>(std::cos(kPi * (t - start) / length));
}

}  // namespace kr::audio
