// Weapon sounds. The main gun fires every 185 ms at its fastest and each
// shot restarts its sound, so the gun sounds are front-loaded and short.

#include <cmath>

#include "audio/envelopes.hpp"
#include "audio/sfx_tools.hpp"
#include "audio/sound_effects.hpp"

namespace kr::audio::sfx {
namespace {

Mono Zap(float fromHz, float toHz, float tau, double seconds, float decay) {
    const Mono saw = Tone(Waveform::Saw, seconds, Slide(fromHz, toHz, tau), Hit(0.001f, decay));
    const Mono square = Tone(Waveform::Square, seconds, Slide(fromHz * 1.01f, toHz * 1.01f, tau), Hit(0.001f, decay), 0.3f);
    return Filtered(Mix({{saw, 0.6f}, {square, 0.4f}}), FilterMode::LowPass, Slide(9000.0f, 1500.0f, decay), 0.3f);
}

Mono Thump(float fromHz, float toHz, double seconds, float decay) {
    return Tone(Waveform::Sine, seconds, Slide(fromHz, toHz, decay * 0.4f), Hit(0.001f, decay));
}

}  // namespace

Stereo DefaultGun() {
    const Mono zap = Zap(2200.0f, 280.0f, 0.05f, 0.28, 0.07f);
    const Mono sub = Thump(320.0f, 110.0f, 0.2, 0.05f);
    const Mono click = NoiseBand(0.03, 101, FilterMode::HighPass, Constant(3000.0f), 0.1f, Hit(0.0005f, 0.005f));
    return ToStereo(Finish(Mix({{zap, 1.0f}, {sub, 0.5f}, {click, 0.4f}})));
}

Stereo LaserGun() {
    const Mono zap = Zap(3000.0f, 500.0f, 0.04f, 0.22, 0.06f);
    const Mono ring = Tone(Waveform::Sine, 0.22, Slide(4200.0f, 1800.0f, 0.05f), Hit(0.001f, 0.04f));
    const Mono sub = Thump(260.0f, 120.0f, 0.15, 0.04f);
    return ToStereo(Finish(Mix({{zap, 1.0f}, {ring, 0.3f}, {sub, 0.45f}})));
}

Stereo PlasmaGun() {
    // A bubbling, wobbling blob of a shot.
    const double seconds = 0.3;
    auto wobble = [](float t) { return Glide(900.0f, 160.0f, t, 0.07f) * (1.0f + 0.15f * std::sin(t * 2.0f * 3.14159f * 38.0f)); };
    const Mono body = FmTone(seconds, wobble, 1.5f, Slide(4.0f, 0.5f, 0.05f), Hit(0.002f, 0.08f));
    const Mono square = Filtered(Tone(Waveform::Square, seconds, wobble, Hit(0.002f, 0.07f), 0.4f), FilterMode::LowPass,
                                 Slide(4000.0f, 400.0f, 0.06f), 0.7f);
    const Mono hiss = NoiseBand(0.15, 111, FilterMode::BandPass, Slide(6000.0f, 1500.0f, 0.04f), 0.3f, Hit(0.001f, 0.03f));
    return ToStereo(Finish(Mix({{body, 0.7f}, {square, 0.5f}, {hiss, 0.3f}}), 1.3f));
}

Stereo GaussGun() {
    // A hard electric crack with a metallic ring and a heavy push.
    const double seconds = 0.32;
    const Mono crack = NoiseBand(seconds, 121, FilterMode::HighPass, Slide(8000.0f, 2000.0f, 0.03f), 0.2f, Hit(0.0005f, 0.025f));
    const Mono ring = Ring(seconds, 1850.0f, {1.0f, 1.58f, 2.31f, 3.07f}, 0.06f);
    const Mono charge = Tone(Waveform::Saw, 0.05, Slide(600.0f, 3000.0f, 0.02f), Hit(0.01f, 0.02f));
    const Mono push = Thump(180.0f, 55.0f, seconds, 0.08f);
    const Mono zap = Zap(5000.0f, 300.0f, 0.03f, seconds, 0.05f);
    return ToStereo(Finish(Mix({{charge, 0.2f}, {crack, 0.7f, 0.02}, {ring, 0.25f, 0.02}, {push, 0.8f, 0.02}, {zap, 0.4f, 0.02}}), 1.5f));
}

Stereo MachineGun() {
    // One round: a sharp noise burst on a short low punch.
    const double seconds = 0.16;
    const Mono blast = NoiseBand(seconds, 131, FilterMode::LowPass, Slide(7000.0f, 800.0f, 0.02f), 0.15f, Hit(0.0005f, 0.03f));
    const Mono punch = Thump(200.0f, 60.0f, seconds, 0.04f);
    const Mono click = NoiseBand(0.02, 132, FilterMode::HighPass, Constant(5000.0f), 0.1f, Hit(0.0002f, 0.003f));
    const Mono mech = Ring(seconds, 2300.0f, {1.0f, 1.7f, 2.9f}, 0.015f);
    return ToStereo(Finish(Mix({{blast, 1.0f}, {punch, 0.9f}, {click, 0.5f}, {mech, 0.15f}}), 2.0f));
}

Stereo EnemyShot() {
    // An acid "pew": a square dropping fast, ring-modulated for grit.
    const double seconds = 0.24;
    const Mono square = Tone(Waveform::Square, seconds, Slide(1400.0f, 180.0f, 0.045f), Hit(0.001f, 0.06f), 0.35f);
    const Mono fm = FmTone(seconds, Slide(1100.0f, 150.0f, 0.05f), 2.7f, Slide(6.0f, 1.0f, 0.05f), Hit(0.001f, 0.05f));
    const Mono shaped = Filtered(Mix({{square, 0.5f}, {fm, 0.5f}}), FilterMode::BandPass, Slide(3000.0f, 700.0f, 0.05f), 0.4f);
    return ToStereo(Finish(shaped, 1.5f));
}

Stereo HomingRocket() {
    // Ignition thump, a roaring exhaust and a whistle that climbs as it locks on.
    const double seconds = 1.0;
    const Mono ignition = Thump(150.0f, 45.0f, seconds, 0.12f);
    const Mono roar = NoiseBand(seconds, 141, FilterMode::BandPass, Slide(600.0f, 2200.0f, 0.3f), 0.3f,
                                [](float t) { return std::min(1.0f, t / 0.02f) * ExpDecay(t, 0.35f); });
    const Mono whistle = Tone(Waveform::Triangle, seconds, Slide(500.0f, 1500.0f, 0.35f), Times(Hit(0.08f, 0.3f), Constant(1.0f)));
    const Mono hiss = NoiseBand(seconds, 142, FilterMode::HighPass, Constant(5000.0f), 0.1f, Hit(0.01f, 0.25f));
    return Finish(WithRoom(Mix({{ignition, 0.8f}, {roar, 0.9f}, {whistle, 0.2f}, {hiss, 0.25f}}), 0.2f, 0.5f, 0.5), 1.4f);
}

Stereo StraightRocket() {
    // A harder launch blast that fades into a falling roar.
    const double seconds = 0.85;
    const Mono blast = NoiseBand(seconds, 151, FilterMode::LowPass, Slide(8000.0f, 700.0f, 0.15f), 0.2f, Hit(0.001f, 0.2f));
    const Mono punch = Thump(120.0f, 40.0f, seconds, 0.15f);
    const Mono roar = NoiseBand(seconds, 152, FilterMode::BandPass, Slide(1800.0f, 400.0f, 0.4f), 0.4f, Hit(0.02f, 0.3f));
    return Finish(WithRoom(Mix({{blast, 0.8f}, {punch, 1.0f}, {roar, 0.6f}}), 0.2f, 0.5f, 0.5), 1.6f);
}

Stereo GroundCannon() {
    // A deep, distant artillery boom.
    const double seconds = 1.0;
    const Mono boom = Thump(90.0f, 34.0f, seconds, 0.25f);
    const Mono blast = NoiseBand(seconds, 161, FilterMode::LowPass, Slide(3500.0f, 250.0f, 0.12f), 0.1f, Hit(0.001f, 0.22f));
    const Mono crack = NoiseBand(0.05, 162, FilterMode::HighPass, Constant(2500.0f), 0.1f, Hit(0.0005f, 0.008f));
    return Finish(WithRoom(Mix({{boom, 1.0f}, {blast, 0.7f}, {crack, 0.3f}}), 0.3f, 0.75f, 0.8), 2.0f);
}

}  // namespace kr::audio::sfx
