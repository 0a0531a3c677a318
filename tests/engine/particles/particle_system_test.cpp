// The emitter table of a particle system: numbering, destruction, rejected
// values, the draw list handed to the renderer, reproducible runs.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/error.hpp"
#include "particle_test_support.hpp"

namespace kr::particles {
namespace {

using test::StillEmitter;

template <typename Call>
void ExpectErrorMentioning(Call call, const std::string& fragment) {
    try {
        call();
        ADD_FAILURE() << "no error; expected one mentioning \"" << fragment << "\"";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}

TEST(ParticleSystemTest, DestroyedEmitterDrawsNothingIsNeverRenumberedAndErrorsOnUse) {
    ParticleSystem system;
    int keep = StillEmitter(system, 50, 100.0, 5.0);
    int gone = StillEmitter(system, 50, 100.0, 5.0);
    EXPECT_NE(keep, 0);  // 0 stays free to mean "no emitter"
    system.SetEmitting(keep, true);
    system.SetEmitting(gone, true);
    system.Update(100.0);
    system.DestroyEmitter(gone);
    system.Update(100.0);
    std::vector<Billboard> billboards;
    std::vector<EmitterDraw> draws;
    system.Collect(billboards, draws);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].emitter, keep);
    EXPECT_EQ(billboards.size(), 20u);

    int fresh = system.CreateEmitter(0, 10);
    EXPECT_TRUE(fresh != keep && fresh != gone);
    EXPECT_FALSE(system.Exists(gone));
    EXPECT_EQ(system.EmitterCount(), 2u);

    const std::string number = "emitter " + std::to_string(gone);
    ExpectErrorMentioning([&] { system.SetEmitting(gone, false); }, number);
    ExpectErrorMentioning([&] { system.SetSprite(gone, "fireparticle", 1.0f, true, glm::vec3(1.0f)); }, number);
    ExpectErrorMentioning([&] { system.DestroyEmitter(gone); }, number);
    ExpectErrorMentioning([&] { system.SetLooping(12345, true); }, "emitter 12345");
    ExpectErrorMentioning([&] { system.SetColour(0, kWhite); }, "emitter 0");
}

TEST(ParticleSystemTest, RejectsValuesThatCannotBeSimulated) {
    ParticleSystem system;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ExpectErrorMentioning([&] { system.CreateEmitter(3, 10); }, "kind 3");
    ExpectErrorMentioning([&] { system.CreateEmitter(0, -1); }, "count -1");
    ExpectErrorMentioning([&] { system.CreateEmitter(0, kMaxParticlesPerEmitter + 1); }, "count");
    int emitter = system.CreateEmitter(0, 10);
    ExpectErrorMentioning([&] { system.SetPowerAndLifetime(emitter, -1.0, 1.0); }, "power -1");
    ExpectErrorMentioning([&] { system.SetPowerAndLifetime(emitter, 1.0, nan); }, "lifetime");
    ExpectErrorMentioning([&] { system.SetBlending(emitter, 7); }, "blending mode 7");
    ExpectErrorMentioning([&] { system.SetDirection(emitter, true, {0.0f, INFINITY, 0.0f}); }, "direction");
    ExpectErrorMentioning([&] { system.Update(-16.0); }, "frame time");
}

TEST(ParticleSystemTest, DrawListGroupsBillboardsPerEmitterAndReusesItsStorage) {
    ParticleSystem system;
    int smoke = StillEmitter(system, 20, 100.0, 5.0);
    system.SetSprite(smoke, "smokeparticle", 60.0f, false, glm::vec3(60.0f));
    StillEmitter(system, 20, 100.0, 5.0);  // silent: left out
    int glow = StillEmitter(system, 10, 100.0, 5.0);
    system.SetSprite(glow, "engparticle", 1.0f, false, glm::vec3(1.0f));
    system.SetBlending(glow, 1);
    system.SetPosition(glow, {35.0f, 0.0f, 0.0f});
    system.SetEmitting(smoke, true);
    system.SetEmitting(glow, true);
    system.Update(50.0);

    std::vector<Billboard> billboards(3);
    std::vector<EmitterDraw> draws(3);
    system.Collect(billboards, draws);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].emitter, smoke);
    EXPECT_EQ(draws[0].texture, "smokeparticle");
    EXPECT_EQ(draws[0].blending, BlendMode::Alpha);
    EXPECT_EQ(draws[0].first + draws[0].count, 5u);
    EXPECT_EQ(draws[1].texture, "engparticle");
    EXPECT_EQ(draws[1].blending, BlendMode::Additive);
    EXPECT_EQ(draws[1].first, 5u);
    ASSERT_EQ(billboards.size(), 10u);
    EXPECT_FLOAT_EQ(billboards[5].position.x, 35.0f);

    system.Update(500.0);  // both pools full from here on
    system.Collect(billboards, draws);
    const Billboard* storage = billboards.data();
    for (int i = 0; i < 20; ++i) {
        system.Update(16.0);
        system.Collect(billboards, draws);
    }
    EXPECT_EQ(billboards.size(), 30u);
    EXPECT_EQ(billboards.data(), storage);  // steady frames reuse the storage
}

// A hit enemy trailing smoke, then exploding, on uneven frames.
std::vector<Billboard> ExplosionRun(std::uint64_t seed) {
    ParticleSystem system(seed);
    int smoke = system.CreateEmitter(0, 20);
    system.SetPowerAndLifetime(smoke, 80.0, 1.0);
    system.SetLaunchSpeed(smoke, 50.0);
    system.SetSpread(smoke, {0.0f, 0.0f, 20.0f});
    system.SetBox(smoke, true, {1.0f, 0.0f, 0.0f}, {0.1f, 0.1f, 0.1f});
    system.SetDirection(smoke, true, {1.0f, 0.0f, 0.0f});
    int fire = system.CreateEmitter(0, 10);
    system.SetPowerAndLifetime(fire, 20.0, 1.5);
    system.SetSpread(fire, {20.0f, 15.0f, 20.0f});
    system.SetLooping(fire, false);
    system.SetEmitting(smoke, true);
    for (int frame = 0; frame < 90; ++frame) {
        float x = 800.0f - 3.2f * static_cast<float>(frame);
        system.SetPosition(smoke, {x, 149.0f, 0.0f});
        system.SetPosition(fire, {x - 50.0f, 190.0f, -20.0f});
        if (frame == 60) {
            system.SetEmitting(fire, true);
            system.SetLooping(smoke, false);
        }
        system.Update(frame % 7 == 0 ? 33.0 : 16.0);
    }
    std::vector<Billboard> billboards;
    std::vector<EmitterDraw> draws;
    system.Collect(billboards, draws);
    return billboards;
}

bool Same(const Billboard& a, const Billboard& b) {
    return a.position == b.position && a.size == b.size && a.rotation == b.rotation &&
           a.colour.r == b.colour.r && a.colour.g == b.colour.g && a.colour.b == b.colour.b &&
           a.colour.a == b.colour.a;
}

TEST(ParticleSystemTest, IdenticalRunsGiveIdenticalDrawLists) {
    std::vector<Billboard> first = ExplosionRun(42);
    std::vector<Billboard> second = ExplosionRun(42);
    std::vector<Billboard> reseeded = ExplosionRun(43);
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    ASSERT_EQ(first.size(), reseeded.size());
    bool differs = false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_TRUE(Same(first[i], second[i])) << i;
        differs = differs || !Same(first[i], reseeded[i]);
    }
    EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace kr::particles
