#include "engine/collision/collision_world.hpp"

#include <cmath>
#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"
#include "shapes.hpp"

namespace kr::collision {
namespace {

using testing::BoxMesh;
using testing::Numbers;

InstanceDesc Placed(std::shared_ptr<const TriangleBvh> geometry, const glm::vec3& at, KindMask kindBits = kind::Mesh) {
    InstanceDesc desc;
    desc.geometry = std::move(geometry);
    desc.world = glm::translate(glm::mat4(1.0f), at);
    desc.kind = kindBits;
    return desc;
}

class CollisionWorldTest : public ::testing::Test {
protected:
    std::shared_ptr<const TriangleBvh> unitBox_ = BoxMesh({-1, -1, -1}, {1, 1, 1});
    CollisionWorld world_;
};

TEST_F(CollisionWorldTest, SegmentThroughABoxNamesItAndTheImpact) {
    world_.Add(Placed(unitBox_, {50, 0, 0}));
    InstanceId box = world_.Add(Placed(unitBox_, {10, 0, 0}));
    auto hit = world_.SegmentQuery({0, 0.5f, 0}, {20, 0.5f, 0}, kind::All);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->id, box);
    EXPECT_EQ(hit->kind, kind::Mesh);
    EXPECT_FLOAT_EQ(hit->point.x, 9.0f);
    EXPECT_FLOAT_EQ(hit->point.y, 0.5f);
    EXPECT_FLOAT_EQ(hit->distance, 9.0f);
    EXPECT_FLOAT_EQ(hit->fraction, 0.45f);
}

TEST_F(CollisionWorldTest, ShortSegmentsAndEmptyWorldsMiss) {
    EXPECT_FALSE(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All));
    world_.Add(Placed(unitBox_, {10, 0, 0}));
    EXPECT_FALSE(world_.SegmentQuery({0, 0, 0}, {8.9f, 0, 0}, kind::All));
    EXPECT_FALSE(world_.SegmentQuery({0, 1.5f, 0}, {20, 1.5f, 0}, kind::All));
}

TEST_F(CollisionWorldTest, TheNearestOfSeveralIsReportedFromEitherEnd) {
    InstanceId near = world_.Add(Placed(unitBox_, {5, 0, 0}));
    world_.Add(Placed(unitBox_, {15, 0.5f, 0}));
    InstanceId far = world_.Add(Placed(unitBox_, {25, 0, 0.5f}));
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {30, 0, 0}, kind::All)->id, near);
    auto back = world_.SegmentQuery({30, 0, 0}, {0, 0, 0}, kind::All);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->id, far);
    EXPECT_FLOAT_EQ(back->distance, 4.0f);
}

TEST_F(CollisionWorldTest, BoxPrecisionHitsTheGapsThatTrianglesLeave) {
    // Two walls far apart: the box around them is mostly empty space.
    testing::Soup walls = testing::BoxSoup({-10, -1, -10}, {-9, 1, 10});
    testing::Soup right = testing::BoxSoup({9, -1, -10}, {10, 1, 10});
    for (std::uint32_t i : right.indices) walls.indices.push_back(i + 8);
    walls.positions.insert(walls.positions.end(), right.positions.begin(), right.positions.end());
    auto sparse = testing::Share(walls);

    InstanceDesc desc = Placed(sparse, {0, 0, 100});
    InstanceId triangles = world_.Add(desc);
    desc.precision = Precision::Box;
    desc.world = glm::translate(glm::mat4(1.0f), {0, 0, -100});
    InstanceId box = world_.Add(desc);

    // Down through the middle: only the box-precision copy stops it.
    EXPECT_FALSE(world_.SegmentQuery({0, 5, 100}, {0, -5, 100}, kind::All));
    auto boxHit = world_.SegmentQuery({0, 5, -100}, {0, -5, -100}, kind::All);
    ASSERT_TRUE(boxHit);
    EXPECT_EQ(boxHit->id, box);
    EXPECT_FLOAT_EQ(boxHit->point.y, 1.0f);
    // A segment starting inside the box meets it at once.
    EXPECT_EQ(world_.SegmentQuery({0, 0, -100}, {0, -5, -100}, kind::All)->distance, 0.0f);

    world_.SetPrecision(triangles, Precision::Box);
    EXPECT_TRUE(world_.SegmentQuery({0, 5, 100}, {0, -5, 100}, kind::All));
    world_.SetPrecision(box, Precision::Triangles);
    EXPECT_FALSE(world_.SegmentQuery({0, 5, -100}, {0, -5, -100}, kind::All));
}

TEST_F(CollisionWorldTest, ScaledAndRotatedInstancesAreHitAtTheExactWorldPoint) {
    // Stretched 3 x 0.5 x 2, turned 90 degrees about y, then placed: the box
    // covers x in [98, 102], y in [-0.5, 0.5], z in [-3, 3] in the world.
    glm::mat4 world = glm::translate(glm::mat4(1.0f), {100, 0, 0});
    world = glm::rotate(world, glm::radians(90.0f), {0, 1, 0});
    world = glm::scale(world, {3.0f, 0.5f, 2.0f});
    InstanceDesc desc = Placed(unitBox_, {});
    desc.world = world;
    InstanceId id = world_.Add(desc);

    auto alongX = world_.SegmentQuery({0, 0.25f, 1}, {200, 0.25f, 1}, kind::All);
    ASSERT_TRUE(alongX);
    EXPECT_EQ(alongX->id, id);
    EXPECT_NEAR(alongX->point.x, 98.0f, 1e-4f);
    EXPECT_NEAR(alongX->distance, 98.0f, 1e-4f);
    auto alongZ = world_.SegmentQuery({101, 0.25f, 50}, {101, 0.25f, -50}, kind::All);
    ASSERT_TRUE(alongZ);
    EXPECT_NEAR(alongZ->point.z, 3.0f, 1e-4f);
    EXPECT_NEAR(alongZ->distance, 47.0f, 1e-4f);
    auto diagonal = world_.SegmentQuery({90, 10.5f, 0}, {101, -0.5f, 0}, kind::All);
    ASSERT_TRUE(diagonal);
    EXPECT_NEAR(diagonal->point.x, 100.0f, 1e-4f) << "on the top, not the side";
    EXPECT_NEAR(diagonal->point.y, 0.5f, 1e-4f);
    EXPECT_NEAR(diagonal->distance, 10.0f * std::sqrt(2.0f), 1e-4f);
    EXPECT_FALSE(world_.SegmentQuery({100, 0.75f, -10}, {100, 0.75f, 10}, kind::All)) << "above the flattened top";
    EXPECT_FALSE(world_.SegmentQuery({102.5f, 0, -10}, {102.5f, 0, 10}, kind::All)) << "beside the turned box";

    // The same under box precision: the box turns with the instance.
    world_.SetPrecision(id, Precision::Box);
    auto boxed = world_.SegmentQuery({101, 0.25f, 50}, {101, 0.25f, -50}, kind::All);
    ASSERT_TRUE(boxed);
    EXPECT_NEAR(boxed->point.z, 3.0f, 1e-4f);
}

TEST_F(CollisionWorldTest, DisabledAndRemovedInstancesAreNeverHit) {
    InstanceId front = world_.Add(Placed(unitBox_, {5, 0, 0}));
    InstanceId back = world_.Add(Placed(unitBox_, {10, 0, 0}));
    world_.SetEnabled(front, false);
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All)->id, back);
    world_.Remove(back);
    EXPECT_FALSE(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All));
    EXPECT_FALSE(world_.Contains(back));
    EXPECT_EQ(world_.InstanceCount(), 1u);
    world_.SetEnabled(front, true);
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All)->id, front);

    InstanceDesc disabled = Placed(unitBox_, {2, 0, 0});
    disabled.enabled = false;
    world_.Add(disabled);
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All)->id, front);
}

TEST_F(CollisionWorldTest, StaleHandlesFailLoudlyAndSlotsAreReused) {
    InstanceId first = world_.Add(Placed(unitBox_, {5, 0, 0}));
    world_.Remove(first);
    InstanceId second = world_.Add(Placed(unitBox_, {10, 0, 0}));
    EXPECT_EQ(second.slot, first.slot);
    EXPECT_NE(second, first);
    EXPECT_THAT([&] { world_.SetTransform(first, glm::mat4(1.0f)); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("is not registered")));
    EXPECT_THROW(world_.Remove(first), Error);
    EXPECT_THROW(world_.SetEnabled(InstanceId{}, true), Error);
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All)->id, second);
}

TEST_F(CollisionWorldTest, KindMasksChooseWhatTakesPart) {
    InstanceId mesh = world_.Add(Placed(unitBox_, {5, 0, 0}, kind::Mesh));
    InstanceId actor = world_.Add(Placed(unitBox_, {10, 0, 0}, kind::Animated));
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All)->id, mesh);
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::Animated)->id, actor);
    EXPECT_FALSE(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::Landscape));
    world_.SetKind(mesh, kind::Animated);
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::Animated)->id, mesh);
    EXPECT_FALSE(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::Mesh));
}

TEST_F(CollisionWorldTest, TheLandscapeTakesPartByKindAndDistance) {
    HeightFieldShape flat;
    flat.samplesX = flat.samplesZ = 11;
    flat.heights.assign(121, 0.0f);
    flat.cellSize = {10.0f, 10.0f};
    world_.SetLandscape(HeightField(flat, {-50, 0, -50}));
    InstanceId box = world_.Add(Placed(unitBox_, {0, 5, 0}));

    auto fromAbove = world_.SegmentQuery({0, 20, 0}, {0, -20, 0}, kind::All);
    ASSERT_TRUE(fromAbove);
    EXPECT_EQ(fromAbove->id, box);
    auto ground = world_.SegmentQuery({0, 20, 0}, {0, -20, 0}, kind::Landscape);
    ASSERT_TRUE(ground);
    EXPECT_FALSE(ground->id.Valid());
    EXPECT_EQ(ground->kind, kind::Landscape);
    EXPECT_FLOAT_EQ(ground->distance, 20.0f);
    // Beside the box, the ground is the nearest.
    auto beside = world_.SegmentQuery({20, 20, 0}, {20, -20, 0}, kind::All);
    ASSERT_TRUE(beside);
    EXPECT_EQ(beside->kind, kind::Landscape);

    // Scrolled away from under the segment.
    world_.Landscape()->SetPosition({-200, 0, -50});
    EXPECT_FALSE(world_.SegmentQuery({20, 20, 0}, {20, -20, 0}, kind::All));
    world_.Landscape()->SetPosition({-50, 0, -50});
    world_.SetLandscapeEnabled(false);
    EXPECT_FALSE(world_.SegmentQuery({20, 20, 0}, {20, -20, 0}, kind::All));
    world_.SetLandscapeEnabled(true);
    world_.ClearLandscape();
    EXPECT_FALSE(world_.SegmentQuery({20, 20, 0}, {20, -20, 0}, kind::All));
}

TEST_F(CollisionWorldTest, EqualDistancesGoToTheLowerSlotWhateverTheOrderOfChanges) {
    InstanceId spare = world_.Add(Placed(unitBox_, {-40, 0, 0}));
    InstanceId first = world_.Add(Placed(unitBox_, {30, 0, 0}));
    InstanceId second = world_.Add(Placed(unitBox_, {10, 0, 0}));
    world_.Remove(spare);
    InstanceId third = world_.Add(Placed(unitBox_, {50, 0, 0}));  // reuses slot 0
    // All three move onto the same spot, the lowest slot last.
    world_.SetTransform(first, glm::translate(glm::mat4(1.0f), {10, 0, 0}));
    world_.SetTransform(third, glm::translate(glm::mat4(1.0f), {10, 0, 0}));
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All)->id, third);
    EXPECT_EQ(world_.SegmentQuery({20, 0, 0}, {0, 0, 0}, kind::All)->id, third);
    world_.Remove(third);
    EXPECT_EQ(world_.SegmentQuery({0, 0, 0}, {20, 0, 0}, kind::All)->id, first);
    (void)second;
}

TEST_F(CollisionWorldTest, BadSegmentsAndMatricesAreHandled) {
    world_.Add(Placed(unitBox_, {5, 0, 0}));
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(world_.SegmentQuery({4, 0, 0}, {4, 0, 0}, kind::All)) << "zero length";
    EXPECT_FALSE(world_.SegmentQuery({nan, 0, 0}, {20, 0, 0}, kind::All));
    EXPECT_FALSE(world_.SegmentQuery({0, 0, 0}, {20, 0, nan}, kind::All));

    // Squashed to nothing or not a number: kept, never hit.
    InstanceDesc flat = Placed(unitBox_, {}, kind::Animated);
    flat.world = glm::scale(glm::mat4(1.0f), {1, 0, 1});
    InstanceId squashed = world_.Add(flat);
    InstanceDesc broken = flat;
    broken.world[3][0] = nan;
    world_.Add(broken);
    EXPECT_FALSE(world_.SegmentQuery({0, 5, 0}, {0, -5, 0}, kind::Animated));
    world_.SetTransform(squashed, glm::mat4(1.0f));
    EXPECT_TRUE(world_.SegmentQuery({0, 5, 0}, {0, -5, 0}, kind::Animated));

    InstanceDesc projective = Placed(unitBox_, {});
    projective.world[2][3] = 1.0f;
    EXPECT_THAT([&] { world_.Add(projective); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("not affine")));
    EXPECT_THROW(world_.Add(InstanceDesc{}), Error);
}

TEST_F(CollisionWorldTest, RefittedPosedGeometryIsHitWhereItNowIs) {
    testing::Soup pose = testing::BoxSoup({-1, -1, -1}, {1, 1, 1});
    auto posed = std::make_shared<TriangleBvh>(pose.positions, pose.indices);
    InstanceId actor = world_.Add(Placed(posed, {0, 0, 0}, kind::Animated));
    EXPECT_TRUE(world_.SegmentQuery({0, 0, -5}, {0, 0, 5}, kind::All));
    // The arm swings up: every corner 10 higher.
    for (glm::vec3& p : pose.positions) p.y += 10.0f;
    posed->Refit(pose.positions);
    world_.GeometryChanged(actor);
    EXPECT_FALSE(world_.SegmentQuery({0, 0, -5}, {0, 0, 5}, kind::All));
    auto hit = world_.SegmentQuery({0, 10, -5}, {0, 10, 5}, kind::All);
    ASSERT_TRUE(hit);
    EXPECT_FLOAT_EQ(hit->point.z, -1.0f);
}

// Many instances moving, coming and going: the broad phase must never lose
// one. Compared with testing every live instance in turn.
TEST_F(CollisionWorldTest, AgreesWithTestingEveryInstanceWhileThingsMove) {
    Numbers numbers(17);
    std::vector<std::shared_ptr<const TriangleBvh>> shapes;
    for (int i = 0; i < 5; ++i) {
        glm::vec3 half = numbers.Point({0.5f, 0.5f, 0.5f}, {6, 6, 6});
        shapes.push_back(BoxMesh(-half, half));
    }
    struct Placement {
        InstanceId id;
        InstanceDesc desc;
    };
    std::vector<Placement> live;
    auto randomDesc = [&] {
        InstanceDesc desc;
        desc.geometry = shapes[numbers.Below(5)];
        desc.world = glm::translate(glm::mat4(1.0f), numbers.Point({-200, -20, -200}, {200, 20, 200}));
        desc.world = glm::rotate(desc.world, numbers.Uniform(0, 6.28f), glm::normalize(numbers.Point({-1, -1, -1}, {1, 1, 1})));
        desc.world = glm::scale(desc.world, numbers.Point({0.3f, 0.3f, 0.3f}, {3, 3, 3}));
        desc.kind = numbers.Below(3) == 0 ? kind::Animated : kind::Mesh;
        desc.precision = numbers.Below(4) == 0 ? Precision::Box : Precision::Triangles;
        desc.enabled = numbers.Below(8) != 0;
        return desc;
    };
    for (int i = 0; i < 300; ++i) {
        InstanceDesc desc = randomDesc();
        live.push_back({world_.Add(desc), desc});
    }
    for (int frame = 0; frame < 30; ++frame) {
        // Everything scrolls a little, some jump, some come and go.
        for (Placement& p : live) {
            p.desc.world = glm::translate(glm::mat4(1.0f), {-1.6f, 0, 0}) * p.desc.world;
            if (numbers.Below(20) == 0) p.desc.world[3] = glm::vec4(numbers.Point({-200, -20, -200}, {200, 20, 200}), 1);
            world_.SetTransform(p.id, p.desc.world);
        }
        for (int k = 0; k < 5; ++k) {
            std::size_t gone = numbers.Below(static_cast<std::uint32_t>(live.size()));
            world_.Remove(live[gone].id);
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(gone));
            InstanceDesc desc = randomDesc();
            live.push_back({world_.Add(desc), desc});
        }
        for (int q = 0; q < 40; ++q) {
            glm::vec3 a = numbers.Point({-250, -30, -250}, {250, 30, 250});
            glm::vec3 b = a + numbers.Point({-150, -20, -150}, {150, 20, 150});
            KindMask mask = q % 3 == 0 ? kind::Animated : kind::All;
            // Every live instance on its own world.
            std::optional<WorldHit> expected;
            for (const Placement& p : live) {
                if (!p.desc.enabled || !(p.desc.kind & mask)) continue;
                CollisionWorld alone;
                alone.Add(p.desc);
                auto hit = alone.SegmentQuery(a, b, kind::All);
                if (hit && (!expected || hit->fraction < expected->fraction ||
                            (hit->fraction == expected->fraction && p.id.slot < expected->id.slot))) {
                    expected = hit;
                    expected->id = p.id;
                }
            }
            auto actual = world_.SegmentQuery(a, b, mask);
            ASSERT_EQ(expected.has_value(), actual.has_value()) << "frame " << frame << " query " << q;
            if (!expected) continue;
            EXPECT_EQ(actual->id, expected->id) << "frame " << frame << " query " << q;
            EXPECT_EQ(actual->fraction, expected->fraction);
        }
    }
}

}  // namespace
}  // namespace kr::collision
