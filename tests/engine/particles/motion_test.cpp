// Where particles go and how they look over a life.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include <glm/geometric.hpp>

#include "engine/error.hpp"
#include "particle_test_support.hpp"

namespace kr::particles {
namespace {

using test::BillboardsOf;
using test::StillEmitter;

class MotionTest : public ::testing::Test {
protected:
    // The single particle of a one-particle burst from `from`, `ms` later.
    Billboard Single(int emitter, double ms, glm::vec3 from = glm::vec3(0.0f)) {
        test::Burst(system, emitter, from);
        system.Update(ms);
        auto billboards = BillboardsOf(system, emitter);
        EXPECT_EQ(billboards.size(), 1u);
        return billboards.empty() ? Billboard{} : billboards.front();
    }

    ParticleSystem system;
};

void ExpectNear(glm::vec3 actual, glm::vec3 expected, float tolerance = 1e-3f) {
    EXPECT_LT(glm::length(actual - expected), tolerance)
        << actual.x << ", " << actual.y << ", " << actual.z;
}

TEST_F(MotionTest, ParticlesMoveAlongTheDirectionBySpeedTimesFrameTime) {
    // (2, 0, 0) per second carried, plus 10 per second of launch speed along it.
    int shot = StillEmitter(system, 1, 0.0, 10.0);
    system.SetDirection(shot, true, {2.0f, 0.0f, 0.0f});
    system.SetLaunchSpeed(shot, 10.0);
    ExpectNear(Single(shot, 500.0, {100.0f, 5.0f, -3.0f}).position, {106.0f, 5.0f, -3.0f});

    // A star streaks along -x on its direction alone.
    int star = StillEmitter(system, 1, 80.0, 30.0);
    system.SetDirection(star, true, {-100.0f, 0.0f, 0.0f});
    ExpectNear(Single(star, 10000.0, {1800.0f, -50.0f, 0.0f}).position, {800.0f, -50.0f, 0.0f}, 1e-2f);
}

TEST_F(MotionTest, UndirectedBurstIsARingLeavingInAllDirections) {
    int ring = StillEmitter(system, 30, 50.0, 3.0);
    system.SetDirection(ring, false, glm::vec3(0.0f));
    system.SetLaunchSpeed(ring, 20.0);
    test::Burst(system, ring, {10.0f, 150.0f, 0.0f});
    system.Update(1000.0);
    auto billboards = BillboardsOf(system, ring);
    ASSERT_EQ(billboards.size(), 30u);
    glm::vec3 centre{0.0f};
    for (const Billboard& b : billboards) {
        glm::vec3 away = b.position - glm::vec3(10.0f, 150.0f, 0.0f);
        EXPECT_NEAR(glm::length(away), 20.0f, 1e-3f);
        centre += away / 30.0f;
    }
    EXPECT_LT(glm::length(centre), 10.0f);  // a shell, not a jet
}

TEST_F(MotionTest, BoxAndSpreadPlaceParticlesWithinTheirBounds) {
    int smoke = StillEmitter(system, 60, 0.0, 3.4);
    system.SetSpread(smoke, {0.0f, 0.0f, 20.0f});
    system.SetBox(smoke, true, {-1.0f, 0.0f, 0.0f}, {-0.3f, 0.3f, 0.3f});
    test::Burst(system, smoke);
    system.Update(500.0);
    float lowZ = 1e9f, highZ = -1e9f;
    for (const Billboard& b : BillboardsOf(system, smoke)) {
        EXPECT_TRUE(b.position.x >= -1.0001f && b.position.x <= -0.2999f) << b.position.x;
        EXPECT_TRUE(b.position.y >= -0.0001f && b.position.y <= 0.3001f) << b.position.y;
        EXPECT_LE(std::abs(b.position.z), 0.3f + 10.0f + 1e-3f);
        lowZ = std::min(lowZ, b.position.z);
        highZ = std::max(highZ, b.position.z);
    }
    EXPECT_GT(highZ - lowZ, 5.0f);
}

TEST_F(MotionTest, MovingEmitterLeavesAnEvenTrailWithinOneFrame) {
    int trail = StillEmitter(system, 100, 100.0, 10.0);
    system.SetEmitting(trail, true);
    system.Update(0.0);
    system.SetPosition(trail, {100.0f, 0.0f, 0.0f});
    system.Update(100.0);  // ten particles, one every 10 ms along the way
    std::vector<float> xs;
    for (const Billboard& b : BillboardsOf(system, trail)) xs.push_back(b.position.x);
    std::sort(xs.begin(), xs.end());
    ASSERT_EQ(xs.size(), 10u);
    for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_NEAR(xs[i], 10.0f * static_cast<float>(i + 1), 1e-3f);
}

TEST_F(MotionTest, AttachedEmitterFollowsItsObjectKeepingTheOffset) {
    int smoke = StillEmitter(system, 20, 80.0, 1.2);
    system.SetPosition(smoke, {-224.0f, 14.0f, 0.0f});
    EXPECT_THROW(system.Attach(smoke, 1, 7), Error);  // nothing tells where objects are
    std::map<int, glm::vec3> meshes{{7, {-200.0f, 10.0f, 0.0f}}};
    system.SetObjectLocator([&](int kind, int id) -> std::optional<glm::vec3> {
        if (kind != 1 || !meshes.count(id)) return std::nullopt;
        return meshes[id];
    });
    EXPECT_THROW(system.Attach(smoke, 1, 8), Error);
    system.Attach(smoke, 1, 7);

    meshes[7] = {-100.0f, 150.0f, 40.0f};
    system.SetLooping(smoke, false);
    system.SetEmitting(smoke, true);
    system.Update(16.0);
    ExpectNear(system.Position(smoke), {-124.0f, 154.0f, 40.0f});
    for (const Billboard& b : BillboardsOf(system, smoke)) ExpectNear(b.position, {-124.0f, 154.0f, 40.0f});

    // Placing it anew sets a new offset; once the object is gone it stays put.
    system.SetPosition(smoke, {-100.0f, 150.0f, 0.0f});
    meshes[7] = {0.0f, 150.0f, 40.0f};
    system.Update(16.0);
    ExpectNear(system.Position(smoke), {0.0f, 150.0f, 0.0f});
    meshes.erase(7);
    system.Update(16.0);
    meshes[7] = {500.0f, 0.0f, 0.0f};
    system.Update(16.0);
    ExpectNear(system.Position(smoke), {0.0f, 150.0f, 0.0f});
}

TEST_F(MotionTest, SizeMovesToTheScaleOnlyWithTheFlagAndAlphaFadesOut) {
    int boss = StillEmitter(system, 1, 20.0, 1.0);
    system.SetSprite(boss, "fireparticle", 2.0f, true, {50.0f, 50.0f, 50.0f});
    system.SetColour(boss, {0.6f, 0.3f, 0.2f, 1.0f});
    Billboard growing = Single(boss, 500.0);
    EXPECT_NEAR(growing.size.x, 26.0f, 1e-3f);
    EXPECT_NEAR(growing.size.y, 26.0f, 1e-3f);
    EXPECT_NEAR(growing.colour.a, 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ(growing.colour.r, 0.6f);

    int star = StillEmitter(system, 1, 80.0, 1.0);
    system.SetSprite(star, "starparticle", 1.0f, true, glm::vec3(0.01f));
    system.SetColour(star, {1.0f, 1.0f, 1.0f, 0.1f});
    Billboard shrinking = Single(star, 750.0);
    EXPECT_NEAR(shrinking.size.x, 1.0f - 0.99f * 0.75f, 1e-4f);
    EXPECT_NEAR(shrinking.colour.a, 0.025f, 1e-5f);

    int smoke = StillEmitter(system, 1, 80.0, 1.0);
    system.SetSprite(smoke, "smokeparticle", 60.0f, false, glm::vec3(10.0f));
    EXPECT_EQ(Single(smoke, 900.0).size, glm::vec2(60.0f));
}

}  // namespace
}  // namespace kr::particles
