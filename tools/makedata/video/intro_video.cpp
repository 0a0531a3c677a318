#include "video/intro_video.hpp"

#include <algorithm>
#include <cmath>

#include "audio/effects.hpp"
#include "audio/instruments.hpp"
#include "audio/loudness.hpp"
#include "audio/sfx_tools.hpp"
#include "audio/sound_effects.hpp"

namespace kr::video {
namespace {

constexpr double kLogoFadeIn = 0.45, kLogoFadeOut = 3.9, kLogoGone = 4.6;
constexpr double kTitleFadeIn = 4.95, kTitleFadeOut = 8.9, kTitleGone = 9.8;

float Ease(double t, double from, double to) { return SmoothStep(static_cast<float>(from), static_cast<float>(to), static_cast<float>(t)); }

// Opacity of a logo shown from `in` (fading up to `hit`) until `out` (fading to `gone`).
float Presence(double t, double in, double hit, double out, double gone) {
    return Ease(t, in, hit + 0.3) * (1.0f - Ease(t, out, gone));
}

// Glow: flares on the hit, settles, and breathes slowly.
float GlowAt(double t, double hit) {
    const double after = t - hit;
    const float flare = after < 0 ? 0.0f : static_cast<float>(0.8 * std::exp(-after / 0.35));
    return 0.75f + flare + 0.08f * static_cast<float>(std::sin(after * 2.4));
}

// Sweep position across the letters between `start` and `start + length`.
float SweepAt(double t, double start, double length) {
    if (t < start || t > start + length) return -1.0f;
    return static_cast<float>((t - start) / length) * 1.4f - 0.2f;
}

// A noise whoosh that rises into `hit` seconds after its start.
audio::Mono Whoosh(double seconds, std::uint64_t seed) {
    using namespace audio::sfx;
    const float s = static_cast<float>(seconds);
    return NoiseBand(seconds, seed, audio::FilterMode::BandPass, [s](float t) { return 200.0f * std::pow(20.0f, t / s); }, 0.5f,
                     [s](float t) { return std::pow(t / s, 2.5f); });
}

// A deep impact: sub boom, a dark blast and a short crack.
audio::Mono Impact(std::uint64_t seed) {
    using namespace audio::sfx;
    const audio::Mono boom = Tone(audio::Waveform::Sine, 2.5, Slide(85.0f, 30.0f, 0.3f), Hit(0.002f, 0.9f));
    const audio::Mono blast = NoiseBand(2.0, seed, audio::FilterMode::LowPass, Slide(5000.0f, 150.0f, 0.12f), 0.1f, Hit(0.001f, 0.35f));
    return Mix({{boom, 1.0f}, {blast, 0.5f}});
}

// A D-minor pad swelling open under the title.
audio::Stereo Swell(double seconds) {
    audio::SynthPatch pad = audio::patches::SuperSawPad();
    pad.ampEnv = {1.2f, 2.0f, 0.9f, 1.2f};
    pad.filter.env = {2.5f, 2.0f, 0.6f, 1.0f};
    pad.filter.envOctaves = 2.0f;
    pad.filter.cutoffHz = 700.0f;
    audio::Mono chord;
    std::uint64_t seed = 1;
    for (float note : {38.0f, 50.0f, 57.0f, 62.0f, 65.0f}) {
        audio::MixInto(chord, audio::RenderVoice(pad, audio::NoteRequest{note, 0.9f, seconds - 1.2, 1.0f, seed++}), 0);
    }
    audio::Stereo wide = audio::ToStereo(chord);
    const audio::Stereo chorus = audio::Chorus(wide, audio::ChorusSettings{});
    for (std::size_t i = 0; i < wide.Frames(); ++i) {
        wide.left[i] += chorus.left[i] * 0.7f;
        wide.right[i] -= chorus.right[i] * 0.7f;
    }
    return wide;
}

}  // namespace

IntroArt MakeIntroArt(const DisplayFont& font) {
    return IntroArt{Backdrop(kIntroWidth, kIntroHeight), MakerLogoArt(kIntroWidth, kIntroHeight, font),
                    TitleArt(kIntroWidth, kIntroHeight, font)};
}

Frame RenderIntroFrame(const IntroArt& art, double t) {
    // The backdrop itself fades in and out with the whole piece.
    Frame frame = art.backdrop;
    const float lights = Ease(t, 0.0, 0.5) * (1.0f - Ease(t, kTitleFadeOut + 0.3, kIntroSeconds - 0.05));
    for (Rgb& p : frame.pixels) p = p * lights;

    const float maker = Presence(t, kLogoFadeIn, kLogoHit, kLogoFadeOut, kLogoGone);
    if (maker > 0.0f) {
        const float scale = 1.0f + 0.04f * (1.0f - Ease(t, kLogoFadeIn, kLogoFadeOut));
        Composite(art.maker, LogoLook{maker, GlowAt(t, kLogoHit), SweepAt(t, 1.3, 1.3), scale}, frame);
    }
    const float title = Presence(t, kTitleFadeIn, kTitleHit, kTitleFadeOut, kTitleGone);
    if (title > 0.0f) {
        const float scale = 1.0f + 0.06f * (1.0f - Ease(t, kTitleFadeIn, kTitleFadeOut));
        Composite(art.title, LogoLook{title, GlowAt(t, kTitleHit), SweepAt(t, 6.1, 1.5), scale}, frame);
    }
    return frame;
}

audio::Stereo IntroSoundtrack() {
    audio::Stereo track(audio::SecondsToFrames(kIntroSeconds));
    auto at = [](double seconds) { return audio::SecondsToFrames(seconds); };
    const double lead = 0.7;  // the whoosh runs this long into each hit
    const audio::Mono whoosh = Whoosh(lead, 301);
    audio::MixPanned(track, whoosh, at(kLogoHit - lead), 0.5f, -0.3f);
    audio::MixPanned(track, whoosh, at(kTitleHit - lead), 0.6f, 0.3f);
    audio::MixPanned(track, Impact(302), at(kLogoHit), 0.9f, 0.0f);
    audio::MixPanned(track, Impact(303), at(kTitleHit), 1.0f, 0.0f);
    audio::MixInto(track, audio::sfx::MakerLogo(), at(kLogoHit), 0.7f);
    audio::MixInto(track, Swell(kIntroSeconds - kTitleHit), at(kTitleHit), 0.8f);
    audio::Stereo room = audio::Reverb(track, audio::ReverbSettings{0.85f, 0.5f, 0.0});
    for (std::size_t i = 0; i < track.Frames(); ++i) {
        track.left[i] += room.left[i] * 0.25f;
        track.right[i] += room.right[i] * 0.25f;
    }
    track.Resize(at(kIntroSeconds));
    audio::FadeOut(track, 0.8);
    audio::NormaliseLoudness(track, -16.0, -1.0f);
    return track;
}

Bytes MakeIntroVideo(const DisplayFont& font) {
    const IntroArt art = MakeIntroArt(font);
    const audio::Stereo soundtrack = IntroSoundtrack();
    VideoFormat format;
    format.width = kIntroWidth;
    format.height = kIntroHeight;
    format.framesPerSecond = kIntroFps;
    format.frameCount = static_cast<int>(kIntroSeconds * kIntroFps);
    return EncodeMpeg(format, [&](int index) { return RenderIntroFrame(art, static_cast<double>(index) / kIntroFps); },
                      soundtrack, "Video\\intro.mpg");
}

}  // namespace kr::video
