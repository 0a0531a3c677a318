// Explosions and hits: a low thump for weight, filtered noise for the blast
// and its tail, crackles for debris, metal rings for hits on hulls.

#include <algorithm>
#include <array>
#include <cmath>

#include "audio/envelopes.hpp"
#include "audio/sfx_tools.hpp"
#include "audio/sound_effects.hpp"

namespace kr::audio::sfx {
namespace {

struct ExplosionShape {
    double seconds;
    float thumpHz;      // where the thump starts; it falls to 40% of it
    float thumpDecay;
    float brightHz;     // the blast's first cutoff
    float tailTau;      // how long the rumble rings
    float crackles;     // debris per second at the start
    std::uint64_t seed;
};

constexpr std::array<ExplosionShape, 4> kExplosions = {{
    {1.4, 110.0f, 0.18f, 6000.0f, 0.35f, 60.0f, 201},  // small and sharp
    {1.8, 90.0f, 0.25f, 4500.0f, 0.5f, 80.0f, 202},    // medium
    {2.2, 75.0f, 0.3f, 3500.0f, 0.65f, 110.0f, 203},   // large, darker
    {2.6, 65.0f, 0.4f, 5000.0f, 0.8f, 140.0f, 204},    // the biggest: rocket hits on the boss
}};

Mono ExplosionCore(const ExplosionShape& s) {
    const Mono thump = Tone(Waveform::Sine, s.seconds, Slide(s.thumpHz, s.thumpHz * 0.4f, s.thumpDecay * 0.4f),
                            Hit(0.002f, s.thumpDecay));
    const Mono blast = NoiseBand(s.seconds, s.seed, FilterMode::LowPass, Slide(s.brightHz, 180.0f, s.tailTau * 0.4f), 0.15f,
                                 [&](float t) { return std::min(1.0f, t / 0.004f) * ExpDecay(t, s.tailTau); });
    const Mono rumble = NoiseBand(s.seconds, s.seed + 10, FilterMode::LowPass, Constant(160.0f), 0.3f,
                                  Hit(0.02f, s.tailTau * 1.3f));
    const Mono crackle = Crackle(s.seconds, s.seed + 20, s.crackles * 40.0f, s.tailTau * 0.7f);
    const Mono crack = NoiseBand(0.2, s.seed + 30, FilterMode::HighPass, Slide(1500.0f, 600.0f, 0.05f), 0.1f,
                                 Hit(0.0005f, 0.03f));
    return Mix({{thump, 1.0f}, {blast, 0.9f}, {rumble, 1.2f}, {crack, 0.5f}, {crackle, 0.25f, 0.03}});
}

}  // namespace

Stereo Explosion(int variant) {
    const ExplosionShape& shape = kExplosions[static_cast<std::size_t>(std::clamp(variant, 0, 3))];
    // Two decorrelated cores make a wide blast.
    ExplosionShape other = shape;
    other.seed += 100;
    Stereo out;
    out.left = ExplosionCore(shape);
    out.right = ExplosionCore(other);
    const Mono centre = Tone(Waveform::Sine, shape.seconds, Slide(shape.thumpHz, shape.thumpHz * 0.4f, shape.thumpDecay * 0.4f),
                             Hit(0.002f, shape.thumpDecay));
    MixInto(out.left, centre, 0, 0.5f);
    MixInto(out.right, centre, 0, 0.5f);
    return Finish(out, 1.8f);
}

Stereo ExplosiveHit() {
    const double seconds = 0.7;
    const Mono thump = Tone(Waveform::Sine, seconds, Slide(140.0f, 50.0f, 0.04f), Hit(0.001f, 0.12f));
    const Mono blast = NoiseBand(seconds, 211, FilterMode::LowPass, Slide(7000.0f, 400.0f, 0.06f), 0.2f, Hit(0.001f, 0.12f));
    const Mono crackle = Crackle(seconds, 212, 3000.0f, 0.15f);
    return ToStereo(Finish(Mix({{thump, 1.0f}, {blast, 0.9f}, {crackle, 0.3f}}), 2.0f));
}

Stereo Hit(int variant) {
    struct HitShape {
        float ringHz;
        float ringTau;
        float noiseHz;
        float thudHz;
        std::uint64_t seed;
    };
    static constexpr std::array<HitShape, 4> kHits = {{
        {820.0f, 0.08f, 3000.0f, 160.0f, 221},
        {1130.0f, 0.06f, 4200.0f, 190.0f, 222},
        {640.0f, 0.1f, 2500.0f, 140.0f, 223},
        {1450.0f, 0.05f, 5000.0f, 210.0f, 224},
    }};
    const HitShape& s = kHits[static_cast<std::size_t>(std::clamp(variant, 0, 3))];
    const double seconds = 0.4;
    const Mono ring = Ring(seconds, s.ringHz, {1.0f, 2.76f, 5.40f, 8.93f}, s.ringTau);
    const Mono crack = NoiseBand(seconds, s.seed, FilterMode::BandPass, Slide(s.noiseHz * 1.5f, s.noiseHz * 0.5f, 0.03f), 0.3f,
                                 Hit(0.0005f, 0.03f));
    const Mono thud = Tone(Waveform::Sine, seconds, Slide(s.thudHz * 1.6f, s.thudHz * 0.6f, 0.03f), Hit(0.001f, 0.05f));
    return ToStereo(Finish(Mix({{ring, 0.35f}, {crack, 0.9f}, {thud, 0.8f}}), 1.6f));
}

Stereo PlayerHit() {
    // Crunchy and close: a heavy distorted thud, hull clang and a burst.
    const double seconds = 0.6;
    const Mono thud = Tone(Waveform::Sine, seconds, Slide(160.0f, 45.0f, 0.05f), Hit(0.001f, 0.15f));
    const Mono grit = Filtered(Tone(Waveform::Saw, seconds, Slide(120.0f, 40.0f, 0.06f), Hit(0.001f, 0.1f)),
                               FilterMode::LowPass, Slide(3000.0f, 300.0f, 0.05f), 0.3f);
    const Mono clang = Ring(seconds, 520.0f, {1.0f, 2.32f, 4.25f, 6.63f}, 0.14f);
    const Mono burst = NoiseBand(seconds, 231, FilterMode::LowPass, Slide(6000.0f, 500.0f, 0.08f), 0.2f, Hit(0.001f, 0.1f));
    return ToStereo(Finish(Mix({{thud, 1.0f}, {grit, 0.6f}, {clang, 0.3f}, {burst, 0.8f}}), 2.5f));
}

}  // namespace kr::audio::sfx
