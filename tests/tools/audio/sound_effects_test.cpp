// Sound effects and the level tools: every effect is audible, peaks near
// -3 dBFS, fits what it accompanies and is the same every time.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "audio/effects.hpp"
#include "audio/filters.hpp"
#include "audio/loudness.hpp"
#include "audio/sfx_tools.hpp"
#include "audio/sound_effects.hpp"

namespace kr::audio {
namespace {

TEST(SoundEffects, EveryEffectPeaksAtMostAtMinus3dBAndIsAudible) {
    for (const SoundEffect& effect : SoundEffects()) {
        const Stereo signal = effect.render();
        EXPECT_LE(GainToDecibels(PeakLevel(signal)), -2.95f) << effect.file;
        EXPECT_GT(GainToDecibels(RmsLevel(signal)), -30.0f) << effect.file;
        EXPECT_EQ(signal.left.size(), signal.right.size()) << effect.file;
        // Ends in silence: no click when the sound stops.
        EXPECT_LT(std::fabs(signal.left.back()) + std::fabs(signal.right.back()), 1e-3f) << effect.file;
    }
}

// Loudness as the game plays them (a mono effect on both sides). Effects
// with a sharp attack sit at -3 dBFS; steady ones are levelled by loudness,
// so that none stands out (an alarm once measured -7 LUFS beside -14).
TEST(SoundEffects, NoEffectIsMuchLouderThanTheRest) {
    const std::set<std::string> steady = {"alarm.wav", "powerup.wav", "inv_bgn.wav"};
    for (const SoundEffect& effect : SoundEffects()) {
        const Stereo signal = effect.render();
        const double loudness = IntegratedLoudness(signal);
        if (steady.contains(effect.file)) {
            EXPECT_NEAR(loudness, sfx::kSteadyEffectLufs, 0.05) << effect.file;
        } else {
            EXPECT_NEAR(GainToDecibels(PeakLevel(signal)), sfx::kEffectPeakDb, 0.05f) << effect.file;
            EXPECT_LT(loudness, -11.0) << effect.file;
        }
    }
}

TEST(SoundEffects, LengthsSuitWhatTheyAccompany) {
    // The gun restarts its sound every 185 ms at most; menu sounds are quick.
    const std::map<std::string, double> longest = {
        {"laser.wav", 0.35}, {"laser.wma", 0.35}, {"plasma.wma", 0.35}, {"gauss.wma", 0.35},
        {"machinegun.wma", 0.35}, {"click1.wav", 0.25}, {"click2.wav", 0.1}, {"click3.wav", 0.25},
        {"flash.wav", 0.3}, {"enemyshoot.wav", 0.3}, {"hit.wav", 0.5}, {"load.wma", 5.0},
    };
    for (const SoundEffect& effect : SoundEffects()) {
        const double seconds = FramesToSeconds(effect.render().Frames());
        EXPECT_GT(seconds, 0.03) << effect.file;
        EXPECT_LE(seconds, 5.0) << effect.file;
        if (auto it = longest.find(effect.file); it != longest.end()) {
            EXPECT_LE(seconds, it->second) << effect.file;
        }
    }
}

TEST(SoundEffects, NamesAreUniqueAndFormatsMatchTheirExtension) {
    std::map<std::string, int> seen;
    for (const SoundEffect& effect : SoundEffects()) {
        EXPECT_EQ(++seen[effect.file], 1) << effect.file;
        const bool wma = effect.file.ends_with(".wma");
        EXPECT_EQ(effect.format == SoundFormat::Wma, wma) << effect.file;
    }
    EXPECT_EQ(seen.size(), 31u);
}

TEST(SoundEffects, RenderTheSameSamplesEveryTime) {
    for (const SoundEffect& effect : SoundEffects()) {
        const Stereo a = effect.render(), b = effect.render();
        EXPECT_TRUE(a.left == b.left && a.right == b.right) << effect.file;
    }
}

TEST(SoundEffects, ExplosionsHaveALowThumpAndALongerTailThanHits) {
    for (const char* name : {"exp0.wav", "exp3.wav"}) {
        for (const SoundEffect& effect : SoundEffects()) {
            if (effect.file != name) continue;
            const Stereo blast = effect.render();
            // Most of the first 100 ms sits below 200 Hz.
            Mono head(blast.left.begin(), blast.left.begin() + static_cast<std::ptrdiff_t>(SecondsToFrames(0.1)));
            StateVariableFilter low(FilterMode::LowPass, 200.0f);
            Mono lows(head.size());
            for (std::size_t i = 0; i < head.size(); ++i) lows[i] = low.Process(head[i]);
            EXPECT_GT(RmsLevel(lows), 0.5f * RmsLevel(head)) << name;
            EXPECT_GT(FramesToSeconds(blast.Frames()), 1.0) << name;
        }
    }
}

TEST(Levels, LoudnessOfAKnownSineMatchesTheStandard) {
    // A 1 kHz sine at -20 dBFS in both channels measures -20 LUFS.
    Stereo sine(SecondsToFrames(3.0));
    for (std::size_t i = 0; i < sine.Frames(); ++i) {
        sine.left[i] = sine.right[i] = 0.1f * static_cast<float>(std::sin(2.0 * kPi * 1000.0 * i / kSampleRate));
    }
    EXPECT_NEAR(IntegratedLoudness(sine), -20.0, 0.2);
    EXPECT_EQ(IntegratedLoudness(Stereo(SecondsToFrames(1.0))), -70.0);
    EXPECT_EQ(IntegratedLoudness(Stereo(100)), -70.0);
}

TEST(Levels, NormaliseAndLimitKeepPeaksUnderTheCeiling) {
    Stereo loud(SecondsToFrames(2.0));
    for (std::size_t i = 0; i < loud.Frames(); ++i) {
        const float spike = i % 44100 == 20000 ? 3.0f : 0.0f;
        loud.left[i] = 0.3f * static_cast<float>(std::sin(2.0 * kPi * 220.0 * i / kSampleRate)) + spike;
        loud.right[i] = loud.left[i];
    }
    NormaliseLoudness(loud, -12.0, -1.0f);
    EXPECT_LE(PeakLevel(loud), DecibelsToGain(-1.0f) + 1e-5f);
    EXPECT_NEAR(IntegratedLoudness(loud), -12.0, 1.0);

    Mono quiet = {0.0f, 0.1f, -0.2f};
    NormalisePeak(quiet, -6.0f);
    EXPECT_NEAR(PeakLevel(quiet), DecibelsToGain(-6.0f), 1e-6f);
    Mono silence(10, 0.0f);
    NormalisePeak(silence, -3.0f);
    EXPECT_EQ(PeakLevel(silence), 0.0f);
}

TEST(Effects, DelayEchoesAfterItsTimeAndFades) {
    Stereo impulse(1000);
    impulse.left[0] = impulse.right[0] = 1.0f;
    DelaySettings settings;
    settings.leftSeconds = settings.rightSeconds = 0.1;
    settings.feedback = 0.5f;
    settings.pingPong = false;
    settings.dampingHz = 20000.0f;
    const Stereo echoes = Delay(impulse, settings);
    const std::size_t first = SecondsToFrames(0.1);
    float before = 0.0f;
    for (std::size_t i = 0; i + 2 < first; ++i) before = std::max(before, std::fabs(echoes.left[i]));
    EXPECT_EQ(before, 0.0f);
    float around = 0.0f;
    for (std::size_t i = first - 2; i < first + 30; ++i) around = std::max(around, std::fabs(echoes.left[i]));
    EXPECT_GT(around, 0.3f);
    EXPECT_LT(std::fabs(echoes.left.back()), 1e-3f);
}

TEST(Effects, ReverbTailDecays) {
    Stereo impulse(100);
    impulse.left[0] = 1.0f;
    const Stereo tail = Reverb(impulse, ReverbSettings{0.8f, 0.4f, 4.0});
    const std::size_t second = SecondsToFrames(1.0);
    auto rmsOf = [&](std::size_t from) {
        return RmsLevel(Mono(tail.left.begin() + static_cast<std::ptrdiff_t>(from),
                             tail.left.begin() + static_cast<std::ptrdiff_t>(from + second)));
    };
    EXPECT_GT(rmsOf(0), 0.0f);
    EXPECT_LT(rmsOf(3 * second - 100), 0.5f * rmsOf(0));
}

}  // namespace
}  // namespace kr::audio
