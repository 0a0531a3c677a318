// Oscillators, filters and envelopes: the building blocks behave as their
// names promise.

#include <gtest/gtest.h>

#include <cmath>

#include "audio/envelopes.hpp"
#include "audio/filters.hpp"
#include "audio/loudness.hpp"
#include "audio/oscillators.hpp"
#include "audio/voice.hpp"

namespace kr::audio {
namespace {

Mono Render(Waveform waveform, float hz, double seconds) {
    Oscillator oscillator(waveform);
    Mono out(SecondsToFrames(seconds));
    for (float& s : out) s = oscillator.Next(hz);
    return out;
}

int RisingZeroCrossings(const Mono& signal) {
    int count = 0;
    for (std::size_t i = 1; i < signal.size(); ++i) count += signal[i - 1] < 0 && signal[i] >= 0;
    return count;
}

Mono Filter(const Mono& in, FilterMode mode, float cutoff) {
    StateVariableFilter filter(mode, cutoff, 0.0f);
    Mono out(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) out[i] = filter.Process(in[i]);
    return out;
}

// RMS of the second half, after the filter has settled.
float SettledRms(const Mono& signal) { return RmsLevel(Mono(signal.begin() + signal.size() / 2, signal.end())); }

TEST(Oscillators, RunAtTheirFrequencyWithinFullScale) {
    for (Waveform waveform : {Waveform::Sine, Waveform::Saw, Waveform::Square, Waveform::Triangle}) {
        const Mono tone = Render(waveform, 441.0f, 1.0);
        EXPECT_NEAR(RisingZeroCrossings(tone), 441, 2) << static_cast<int>(waveform);
        EXPECT_LE(PeakLevel(tone), 1.15f) << static_cast<int>(waveform);
        EXPECT_GT(RmsLevel(tone), 0.3f) << static_cast<int>(waveform);
    }
}

TEST(Oscillators, SineIsPure) {
    const Mono tone = Render(Waveform::Sine, 1000.0f, 0.1);
    for (std::size_t i = 0; i < tone.size(); ++i) {
        ASSERT_NEAR(tone[i], std::sin(2.0 * kPi * 1000.0 * static_cast<double>(i) / kSampleRate), 1e-4) << i;
    }
}

TEST(Oscillators, NoiseRepeatsForASeedAndDiffersBetweenSeeds) {
    Noise a(5), b(5), c(6);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const float x = a.Next();
        ASSERT_EQ(x, b.Next());
        ASSERT_GE(x, -1.0f);
        ASSERT_LT(x, 1.0f);
        differs |= x != c.Next();
    }
    EXPECT_TRUE(differs);
}

TEST(Filters, LowPassKeepsLowTonesAndCutsHighOnes) {
    const Mono low = Render(Waveform::Sine, 100.0f, 0.5), high = Render(Waveform::Sine, 8000.0f, 0.5);
    EXPECT_NEAR(GainToDecibels(SettledRms(Filter(low, FilterMode::LowPass, 500.0f)) / SettledRms(low)), 0.0f, 1.0f);
    EXPECT_LT(GainToDecibels(SettledRms(Filter(high, FilterMode::LowPass, 500.0f)) / SettledRms(high)), -40.0f);
}

TEST(Filters, HighPassAndBandPassDoTheOpposite) {
    const Mono low = Render(Waveform::Sine, 100.0f, 0.5), mid = Render(Waveform::Sine, 1000.0f, 0.5);
    const Mono high = Render(Waveform::Sine, 8000.0f, 0.5);
    EXPECT_LT(GainToDecibels(SettledRms(Filter(low, FilterMode::HighPass, 2000.0f)) / SettledRms(low)), -40.0f);
    EXPECT_NEAR(GainToDecibels(SettledRms(Filter(high, FilterMode::HighPass, 2000.0f)) / SettledRms(high)), 0.0f, 1.0f);
    const float bandMid = SettledRms(Filter(mid, FilterMode::BandPass, 1000.0f));
    EXPECT_GT(bandMid, 4.0f * SettledRms(Filter(high, FilterMode::BandPass, 1000.0f)));
    EXPECT_GT(bandMid, 4.0f * SettledRms(Filter(low, FilterMode::BandPass, 1000.0f)));
}

TEST(Filters, BiquadLowPassMatchesTheStateVariableFilter) {
    Biquad lowPass = Biquad::LowPass(500.0, 0.707);
    const Mono high = Render(Waveform::Sine, 8000.0f, 0.5);
    Mono out(high.size());
    for (std::size_t i = 0; i < high.size(); ++i) out[i] = lowPass.Process(high[i]);
    EXPECT_LT(GainToDecibels(SettledRms(out) / SettledRms(high)), -40.0f);
}

TEST(Envelopes, AdsrRisesHoldsSustainAndReleasesToSilence) {
    const AdsrShape shape{0.01f, 0.05f, 0.6f, 0.1f};
    Adsr envelope(shape);
    float previous = 0.0f;
    const std::size_t attack = SecondsToFrames(shape.attack);
    for (std::size_t i = 0; i < attack; ++i) {
        const float level = envelope.Next();
        ASSERT_GE(level, previous);
        previous = level;
    }
    EXPECT_NEAR(previous, 1.0f, 0.01f);
    float level = 0.0f;
    for (std::size_t i = 0; i < SecondsToFrames(0.3); ++i) level = envelope.Next();
    EXPECT_NEAR(level, shape.sustain, 0.001f);
    envelope.NoteOff();
    for (std::size_t i = 0; i < SecondsToFrames(shape.release); ++i) level = envelope.Next();
    EXPECT_LT(level, shape.sustain * 0.0011f);
    for (std::size_t i = 0; i < SecondsToFrames(Adsr::TailSeconds(shape)); ++i) envelope.Next();
    EXPECT_TRUE(envelope.Finished());
}

TEST(Envelopes, VoiceEndsSoonAfterItsRelease) {
    SynthPatch patch;
    patch.ampEnv = {0.005f, 0.1f, 0.8f, 0.2f};
    const Mono note = RenderVoice(patch, NoteRequest{60.0f, 1.0f, 0.5, 1.0f, 1});
    EXPECT_GE(note.size(), SecondsToFrames(0.5));
    EXPECT_LE(note.size(), SecondsToFrames(0.5 + Adsr::TailSeconds(patch.ampEnv)) + 1);
    EXPECT_LT(std::fabs(note.back()), 1e-3f);
    EXPECT_GT(RmsLevel(note), 0.01f);
}

TEST(Envelopes, BrighterNotesCarryMoreHighs) {
    SynthPatch patch;
    patch.filter.cutoffHz = 400.0f;
    const Mono dark = RenderVoice(patch, NoteRequest{48.0f, 1.0f, 0.5, 1.0f, 1});
    const Mono bright = RenderVoice(patch, NoteRequest{48.0f, 1.0f, 0.5, 8.0f, 1});
    auto highs = [](const Mono& s) { return SettledRms(Filter(s, FilterMode::HighPass, 3000.0f)); };
    EXPECT_GT(highs(bright), 4.0f * highs(dark));
}

}  // namespace
}  // namespace kr::audio
