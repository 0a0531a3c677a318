#pragma once
// Full-screen fades: a black veil that thickens over the fade-out and thins
// over the fade-in, advanced by the frame clock.

namespace kr {

class Fade {
public:
    void StartOut(double durationMs) { Start(Mode::Out, durationMs); }
    void StartIn(double durationMs) { Start(Mode::In, durationMs); }
    // True once a fade-out has fully covered the screen (and when no fade-out runs).
    bool Finished() const { return mode_ != Mode::Out || elapsed_ >= duration_; }
    // Opacity of the veil for the frame being shown.
    float Veil() const;
    void Advance(double ms);

private:
    enum class Mode { None, Out, In };
    void Start(Mode mode, double durationMs);

    Mode mode_ = Mode::None;
    double duration_ = 0;
    double elapsed_ = 0;
};

}  // namespace kr
