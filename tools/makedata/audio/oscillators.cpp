#include "audio/oscillators.hpp"

#include <cmath>
#include <vector>

namespace kr::audio {
namespace {

constexpr int kSineTableSize = 4096;

const std::vector<float>& SineTable() {
    static const std::vector<float> table = [] {
        std::vector<float> t(kSineTableSize + 1);
        for (int i = 0; i <= kSineTableSize; ++i) t[i] = static_cast<float>(std::sin(2.0 * kPi * i / kSineTableSize));
        return t;
    }();
    return table;
}

}  // namespace

float SineOfPhase(double phase) {
    static const std::vector<float>& table = SineTable();
    const double position = (phase - std::floor(phase)) * kSineTableSize;
    const auto index = static_cast<int>(position);
    const float fraction = static_cast<float>(position - index);
    return table[index] + (table[index + 1] - table[index]) * fraction;
}

Oscillator::Oscillator(Waveform waveform, double startPhase, float pulseWidth)
    : waveform_(waveform), phase_(startPhase - std::floor(startPhase)), pulseWidth_(pulseWidth) {
    // The triangle's integrator starts on the wave, not at 0, so it has no offset to lose.
    triangleState_ = static_cast<float>(phase_ < 0.5 ? -1.0 + 4.0 * phase_ : 3.0 - 4.0 * phase_);
}

}  // namespace kr::audio
