#include <gtest/gtest.h>

#include "engine/error.hpp"
#include "media/mixer.hpp"

namespace kr {
namespace {

using media::Gains;
using media::Mixer;
using media::PcmSource;
using media::SampleFeed;

// Stereo frames whose left sample is `base + i / 1024` and right the negative.
std::vector<float> Ramp(int frames, float base) {
    std::vector<float> samples;
    for (int i = 0; i < frames; ++i) {
        float value = base + static_cast<float>(i) / 1024.0f;
        samples.push_back(value);
        samples.push_back(-value);
    }
    return samples;
}

std::vector<float> Render(Mixer& mixer, int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames) * 2, 99.0f);
    mixer.Render(out.data(), frames);
    return out;
}

TEST(Mixer, OutputIsTheExactSumOfItsSourcesWithGainsAndClipping) {
    Mixer mixer(4);
    int a = mixer.Acquire(), b = mixer.Acquire();
    auto rampA = Ramp(300, 0.0f), rampB = Ramp(100, 0.9f);
    mixer.Start(a, std::make_shared<PcmSource>(rampA), 300, Gains{});
    mixer.Start(b, std::make_shared<PcmSource>(rampB), 100, Gains{0.5f, 1.0f});
    auto out = Render(mixer, 400);
    for (int i = 0; i < 400; ++i) {
        float left = i < 300 ? rampA[2 * i] : 0.0f;
        float right = i < 300 ? rampA[2 * i + 1] : 0.0f;
        if (i < 100) {
            left += rampB[2 * i] * 0.5f;
            right += rampB[2 * i + 1];
        }
        ASSERT_EQ(out[2 * i], std::clamp(left, -1.0f, 1.0f)) << i;
        ASSERT_EQ(out[2 * i + 1], std::clamp(right, -1.0f, 1.0f)) << i;
    }
    EXPECT_EQ(out[2 * 99 + 1], -1.0f) << "the sum past -1 is clipped";
    EXPECT_EQ(mixer.Position(a), 300);
    EXPECT_EQ(mixer.Position(b), 100);
}

TEST(Mixer, VolumeAndPanMapOntoSideGains) {
    Gains centre = media::GainsFor(100, 0);
    EXPECT_EQ(centre.left, 1.0f);
    EXPECT_EQ(centre.right, 1.0f);
    Gains half = media::GainsFor(50, 0);
    EXPECT_EQ(half.left, 0.5f);
    Gains right = media::GainsFor(100, 100);
    EXPECT_EQ(right.left, 0.0f);
    EXPECT_EQ(right.right, 1.0f);
    Gains leftish = media::GainsFor(100, -50);
    EXPECT_EQ(leftish.left, 1.0f);
    EXPECT_EQ(leftish.right, 0.5f);
}

TEST(Mixer, RestartPlaysFromTheFirstFrameAndNeverTwiceAtOnce) {
    Mixer mixer(2);
    int c = mixer.Acquire();
    auto ramp = Ramp(1000, 0.0f);
    auto source = std::make_shared<PcmSource>(ramp);
    mixer.Start(c, source, 1000, Gains{});
    Render(mixer, 250);
    mixer.Start(c, source, 1000, Gains{});
    EXPECT_EQ(mixer.Position(c), 0) << "the restart counts from 0 before the audio thread takes it up";
    auto out = Render(mixer, 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(out[2 * i], ramp[2 * i]) << "one copy, from the start";
    EXPECT_EQ(mixer.Position(c), 10);
}

TEST(Mixer, StopSilencesAndRewinds) {
    Mixer mixer(2);
    int c = mixer.Acquire();
    mixer.Start(c, std::make_shared<PcmSource>(Ramp(1000, 0.1f)), 1000, Gains{});
    Render(mixer, 100);
    mixer.Stop(c);
    EXPECT_EQ(mixer.Position(c), 0);
    auto out = Render(mixer, 100);
    for (float sample : out) EXPECT_EQ(sample, 0.0f);
    EXPECT_EQ(mixer.Position(c), 0);
}

TEST(Mixer, AnEndedSourceShorterThanItsLengthIsPaddedWithSilence) {
    Mixer mixer(2);
    int c = mixer.Acquire();
    mixer.Start(c, std::make_shared<PcmSource>(Ramp(10, 0.5f)), 25, Gains{});
    auto out = Render(mixer, 40);
    EXPECT_EQ(out[2 * 9], 0.5f + 9.0f / 1024.0f);
    EXPECT_EQ(out[2 * 10], 0.0f);
    EXPECT_EQ(mixer.Position(c), 25);
}

TEST(Mixer, AStreamThatRunsDryHoldsItsPositionUntilMoreArrives) {
    Mixer mixer(2);
    int c = mixer.Acquire();
    auto feed = std::make_shared<SampleFeed>(64);
    mixer.Start(c, feed, 100, Gains{});
    auto ramp = Ramp(100, 0.0f);
    EXPECT_EQ(feed->Write(ramp.data(), 100), 64) << "no more than the ring holds";
    Render(mixer, 80);
    EXPECT_EQ(mixer.Position(c), 64) << "held where the data ran out";
    feed->Write(ramp.data() + 128, 20);
    auto out = Render(mixer, 10);
    EXPECT_EQ(out[0], ramp[128]);
    EXPECT_EQ(mixer.Position(c), 74);
    Render(mixer, 50);
    EXPECT_EQ(mixer.Position(c), 84);
    feed->MarkEnded();
    Render(mixer, 50);
    EXPECT_EQ(mixer.Position(c), 100) << "after the end the rest is silence";
}

// A source whose destruction is seen: it must outlive its last render.
struct WatchedSource final : media::SoundSource {
    explicit WatchedSource(bool& gone) : gone(gone) {}
    ~WatchedSource() override { gone = true; }
    media::SourceRun Peek(std::int64_t, int wanted) override { return {samples, std::min(wanted, 4), false}; }
    void Consume(int) override {}
    float samples[8] = {};
    bool& gone;
};

TEST(Mixer, ASourceLetGoIsFreedOnlyAfterTheAudioThreadHasLetGoToo) {
    Mixer mixer(2);
    int c = mixer.Acquire();
    bool gone = false;
    mixer.Start(c, std::make_shared<WatchedSource>(gone), 1000, Gains{});
    Render(mixer, 2);
    mixer.Stop(c);
    mixer.Start(c, std::make_shared<PcmSource>(Ramp(4, 0)), 4, Gains{});
    EXPECT_FALSE(gone) << "the audio thread has not yet taken up the stop";
    Render(mixer, 2);
    mixer.Stop(c);  // any later command collects what was retired
    EXPECT_TRUE(gone);
}

TEST(Mixer, ChannelsRunOutClearlyAndAreReusedAfterRelease) {
    Mixer mixer(2);
    int a = mixer.Acquire();
    mixer.Acquire();
    EXPECT_THROW(mixer.Acquire(), Error);
    mixer.Release(a);
    EXPECT_EQ(mixer.Acquire(), a);
}

TEST(Mixer, CommandsBeyondTheQueueAreRefusedNotLost) {
    Mixer mixer(1);
    int c = mixer.Acquire();
    int accepted = 0;
    while (mixer.Stop(c) && accepted < 100000) ++accepted;
    EXPECT_LT(accepted, 100000) << "the queue is bounded";
    Render(mixer, 1);
    EXPECT_TRUE(mixer.Stop(c)) << "room again once the audio thread has caught up";
}

}  // namespace
}  // namespace kr
