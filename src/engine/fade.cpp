#include "engine/fade.hpp"

#include <algorithm>

namespace kr {

void Fade::Start(Mode mode, double durationMs) {
    mode_ = mode;
    duration_ = std::max(0.0, durationMs);
    elapsed_ = 0;
}

float Fade::Veil() const {
    double progress = duration_ > 0 ? std::clamp(elapsed_ / duration_, 0.0, 1.0) : 1.0;
    switch (mode_) {
        case Mode::Out: return static_cast<float>(progress);
        case Mode::In: return static_cast<float>(1.0 - progress);
        case Mode::None: break;
    }
    return 0.0f;
}

void Fade::Advance(double ms) {
    if (mode_ == Mode::None) return;
    elapsed_ += ms;
    if (elapsed_ >= duration_ && mode_ == Mode::In) mode_ = Mode::None;
}

}  // namespace kr
