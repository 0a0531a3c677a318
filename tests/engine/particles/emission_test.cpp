// When emitters release particles and how long those live.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "particle_test_support.hpp"

namespace kr::particles {
namespace {

using test::StillEmitter;

class EmissionTest : public ::testing::Test {
protected:
    std::size_t After(int emitter, int frames, double frameMs) {
        for (int i = 0; i < frames; ++i) system.Update(frameMs);
        return system.LiveParticles(emitter);
    }

    ParticleSystem system;
};

TEST_F(EmissionTest, StreamsAtPowerPerSecondOnlyWhileSwitchedOn) {
    int emitter = StillEmitter(system, 500, 100.0, 0.5);
    EXPECT_TRUE(system.IsLooping(emitter));
    EXPECT_EQ(After(emitter, 5, 100.0), 0u);  // silent until switched on

    system.SetEmitting(emitter, true);
    EXPECT_EQ(After(emitter, 5, 100.0), 50u);
    system.SetEmitting(emitter, false);
    std::size_t fading = After(emitter, 1, 100.0);
    EXPECT_GT(fading, 0u);  // the living ones live out their time
    EXPECT_LT(fading, 50u);
    EXPECT_EQ(After(emitter, 5, 100.0), 0u);
    system.SetEmitting(emitter, true);
    EXPECT_EQ(After(emitter, 1, 100.0), 10u);

    // A fraction of a particle is carried between frames.
    int slow = StillEmitter(system, 10, 2.0, 60.0);
    system.SetEmitting(slow, true);
    EXPECT_EQ(After(slow, 100, 10.0), 2u);
}

TEST_F(EmissionTest, ParticleIsGoneOnceItsLifetimeHasPassed) {
    int emitter = StillEmitter(system, 3, 0.0, 0.25);
    test::Burst(system, emitter);
    EXPECT_EQ(After(emitter, 1, 249.0), 3u);
    EXPECT_EQ(After(emitter, 1, 1.0), 0u);
}

TEST_F(EmissionTest, PowerAndLifetimeChangesReachLivingFlamesAtOnce) {
    int flame = StillEmitter(system, 150, 200.0, 0.1);
    system.SetEmitting(flame, true);
    EXPECT_NEAR(static_cast<double>(After(flame, 30, 16.0)), 20.0, 1.0);
    system.SetPowerAndLifetime(flame, 2.0, 0.01);  // pulled back: almost off
    EXPECT_LE(After(flame, 1, 16.0), 1u);
    system.SetPowerAndLifetime(flame, 140.0, 0.1);
    EXPECT_NEAR(static_cast<double>(After(flame, 10, 16.0)), 14.0, 1.0);
}

TEST_F(EmissionTest, OneShotEmitterBurstsItsCountEachTimeItIsSwitchedOn) {
    int explosion = StillEmitter(system, 10, 30.0, 1.2);
    test::Burst(system, explosion);
    EXPECT_EQ(system.LiveParticles(explosion), 10u);  // all at once, not at the rate
    EXPECT_EQ(After(explosion, 100, 16.0), 0u);       // and not again by itself

    system.SetEmitting(explosion, true);
    system.SetEmitting(explosion, true);  // a repeated switch is still one burst
    EXPECT_EQ(After(explosion, 1, 16.0), 10u);
    EXPECT_EQ(After(explosion, 1, 1200.0), 0u);
}

TEST_F(EmissionTest, EndingTheLoopFinishesWithOneBurstAndLoopingResumes) {
    int smoke = StillEmitter(system, 5, 1000.0, 1.0);
    system.SetEmitting(smoke, true);
    ASSERT_EQ(After(smoke, 1, 10.0), 5u);
    system.SetLooping(smoke, false);
    EXPECT_EQ(After(smoke, 1, 10.0), 5u);   // the burst waits for free slots
    EXPECT_EQ(After(smoke, 1, 985.0), 5u);  // the streamed ones expire, the burst moves in
    EXPECT_EQ(After(smoke, 1, 999.0), 5u);
    EXPECT_EQ(After(smoke, 1, 1.0), 0u);
    EXPECT_EQ(After(smoke, 3, 1000.0), 0u);
    EXPECT_TRUE(system.IsEmitting(smoke));

    system.SetLooping(smoke, true);
    EXPECT_EQ(After(smoke, 1, 16.0), 5u);
}

TEST_F(EmissionTest, LiveCountNeverExceedsTheCountAndDegenerateEmittersStayEmpty) {
    int streaming = StillEmitter(system, 20, 120.0, 3.4);
    int bursting = StillEmitter(system, 5, 30.0, 0.5);
    int empty = StillEmitter(system, 0, 100.0, 1.0);
    int instant = StillEmitter(system, 10, 100.0, 0.0);
    system.SetEmitting(streaming, true);
    system.SetEmitting(empty, true);
    system.SetEmitting(instant, true);
    system.SetLooping(bursting, false);
    for (int round = 0; round < 20; ++round)
        for (double ms : {16.0, 500.0, 3.0, 1000.0, 0.0, 33.0}) {
            if (round % 3 == 0) system.SetEmitting(bursting, true);
            system.Update(ms);
            ASSERT_LE(system.LiveParticles(streaming), 20u);
            ASSERT_LE(system.LiveParticles(bursting), 5u);
        }
    EXPECT_EQ(system.LiveParticles(streaming), 20u);
    EXPECT_EQ(system.LiveParticles(empty) + system.LiveParticles(instant), 0u);
}

// x of each particle of a moving trail after 500 ms, run in frames of `frameMs`.
std::vector<float> TrailAfterHalfASecond(double frameMs) {
    ParticleSystem system;
    int emitter = StillEmitter(system, 150, 200.0, 0.1);
    system.SetDirection(emitter, true, {-50.0f, 0.0f, 0.0f});
    system.SetEmitting(emitter, true);
    system.Update(0.0);
    for (double t = frameMs; t <= 500.0; t += frameMs) {
        system.SetPosition(emitter, {0.2f * static_cast<float>(t), 0.0f, 0.0f});
        system.Update(frameMs);
    }
    std::vector<float> xs;
    for (const Billboard& b : test::BillboardsOf(system, emitter)) xs.push_back(b.position.x);
    std::sort(xs.begin(), xs.end());
    return xs;
}

TEST(LongFrameTest, OneLongFrameLeavesTheSameTrailAsManyShortOnes) {
    std::vector<float> many = TrailAfterHalfASecond(10.0);
    std::vector<float> one = TrailAfterHalfASecond(500.0);
    ASSERT_EQ(many.size(), 20u);
    ASSERT_EQ(one.size(), many.size());
    for (std::size_t i = 0; i < one.size(); ++i) EXPECT_NEAR(one[i], many[i], 1e-2f) << i;
}

TEST(LongFrameTest, HugeFrameStaysBoundedAndFinite) {
    ParticleSystem system;
    int star = StillEmitter(system, 1, 80.0, 30.0);
    system.SetDirection(star, true, {-100.0f, 0.0f, 0.0f});
    system.SetSpread(star, {1.0f, 1.0f, 1.0f});
    system.SetEmitting(star, true);
    system.Update(1.0e9);
    system.Update(500.0);
    auto billboards = test::BillboardsOf(system, star);
    ASSERT_EQ(billboards.size(), 1u);
    EXPECT_TRUE(std::isfinite(billboards[0].position.x) && std::isfinite(billboards[0].colour.a));
}

}  // namespace
}  // namespace kr::particles
