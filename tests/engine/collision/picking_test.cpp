#include "engine/collision/picking.hpp"

#include <limits>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/collision/collision_world.hpp"
#include "shapes.hpp"

namespace kr::collision {
namespace {

constexpr Viewport kLayout{1024.0f, 768.0f};

// The scene's camera: left-handed, at the origin, looking along +x, up +y.
class PickingTest : public ::testing::Test {
protected:
    PickingTest() {
        auto box = testing::BoxMesh({-10, -10, -10}, {10, 10, 10});
        ahead_ = Add(box, {100, 0, 0});
        left_ = Add(box, {100, 0, 40});
        right_ = Add(box, {100, 0, -40});
        above_ = Add(box, {100, 40, 0});
    }

    InstanceId Add(const std::shared_ptr<const TriangleBvh>& geometry, const glm::vec3& at) {
        InstanceDesc desc;
        desc.geometry = geometry;
        desc.world = glm::translate(glm::mat4(1.0f), at);
        return world_.Add(desc);
    }

    std::optional<WorldHit> PickAt(float x, float y, float maxDistance = 10000.0f) {
        return world_.Pick(x, y, view_, projection_, kLayout, maxDistance, kind::All);
    }

    glm::mat4 view_ = glm::lookAtLH(glm::vec3(0), glm::vec3(1, 0, 0), glm::vec3(0, 1, 0));
    glm::mat4 projection_ = glm::perspectiveLH_NO(glm::radians(60.0f), 1024.0f / 768.0f, 1.0f, 10000.0f);
    CollisionWorld world_;
    InstanceId ahead_, left_, right_, above_;
};

TEST_F(PickingTest, TheCentreOfTheScreenHitsWhatIsStraightAhead) {
    auto hit = PickAt(512, 384);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->id, ahead_);
    EXPECT_NEAR(hit->point.x, 90.0f, 1e-3f);
    EXPECT_NEAR(hit->point.y, 0.0f, 1e-3f);
    EXPECT_NEAR(hit->point.z, 0.0f, 1e-3f);
    EXPECT_NEAR(hit->distance, 89.0f, 1e-3f) << "counted from the near plane";
}

TEST_F(PickingTest, OffCentrePointsHitTheSideTheyShow) {
    // Left-handed: the left of the screen looks toward +z.
    auto left = PickAt(200, 384);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->id, left_);
    EXPECT_GT(left->point.z, 0.0f);
    auto right = PickAt(824, 384);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->id, right_);
    // Layout y grows downward.
    auto top = PickAt(512, 100);
    ASSERT_TRUE(top);
    EXPECT_EQ(top->id, above_);
    EXPECT_FALSE(PickAt(512, 700)) << "nothing below";
}

TEST_F(PickingTest, TheImpactProjectsBackOntoThePickedPoint) {
    for (glm::vec2 pixel : {glm::vec2(200, 384), glm::vec2(517.5f, 390.25f), glm::vec2(800, 370)}) {
        auto hit = PickAt(pixel.x, pixel.y);
        ASSERT_TRUE(hit) << pixel.x << ", " << pixel.y;
        glm::vec4 clip = projection_ * view_ * glm::vec4(hit->point, 1.0f);
        glm::vec2 ndc = glm::vec2(clip) / clip.w;
        EXPECT_NEAR((ndc.x + 1.0f) * 0.5f * kLayout.width, pixel.x, 0.01f);
        EXPECT_NEAR((1.0f - ndc.y) * 0.5f * kLayout.height, pixel.y, 0.01f);
    }
}

TEST_F(PickingTest, MaxDistanceAndMasksLimitThePick) {
    EXPECT_FALSE(PickAt(512, 384, 88.0f));
    EXPECT_TRUE(PickAt(512, 384, 90.0f));
    EXPECT_FALSE(world_.Pick(512, 384, view_, projection_, kLayout, 10000.0f, kind::Animated));
}

TEST_F(PickingTest, ARightHandedCameraMirrorsTheSides) {
    glm::mat4 view = glm::lookAtRH(glm::vec3(0), glm::vec3(1, 0, 0), glm::vec3(0, 1, 0));
    glm::mat4 projection = glm::perspectiveRH_NO(glm::radians(60.0f), 1024.0f / 768.0f, 1.0f, 10000.0f);
    auto left = world_.Pick(200, 384, view, projection, kLayout, 10000.0f, kind::All);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->id, right_);
}

TEST_F(PickingTest, DegenerateCamerasAndPointsPickNothing) {
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(world_.Pick(512, 384, view_, projection_, Viewport{0, 768}, 1000.0f, kind::All));
    EXPECT_FALSE(world_.Pick(512, 384, view_, glm::mat4(0.0f), kLayout, 1000.0f, kind::All));
    EXPECT_FALSE(world_.Pick(nan, 384, view_, projection_, kLayout, 1000.0f, kind::All));
    EXPECT_FALSE(world_.Pick(512, 384, view_, projection_, kLayout, 0.0f, kind::All));
    EXPECT_FALSE(world_.Pick(512, 384, view_, projection_, kLayout, nan, kind::All));
    // Points outside the viewport are still rays, just off screen.
    EXPECT_TRUE(PickSegment(-100, 2000, view_, projection_, kLayout, 10.0f));
}

TEST(PickSegment, StartsOnTheNearPlaneAndRunsMaxDistanceOut) {
    glm::mat4 view = glm::lookAtLH(glm::vec3(5, 6, 7), glm::vec3(5, 6, 8), glm::vec3(0, 1, 0));
    glm::mat4 projection = glm::perspectiveLH_NO(glm::radians(45.0f), 4.0f / 3.0f, 2.0f, 500.0f);
    auto segment = PickSegment(512, 384, view, projection, kLayout, 300.0f);
    ASSERT_TRUE(segment);
    EXPECT_NEAR(segment->start.z, 9.0f, 1e-4f);
    EXPECT_NEAR(segment->end.z, 309.0f, 1e-3f);
    EXPECT_NEAR(segment->end.x, 5.0f, 1e-4f);
    EXPECT_NEAR(segment->end.y, 6.0f, 1e-4f);
}

}  // namespace
}  // namespace kr::collision
