#include "engine/collision/height_field.hpp"

#include <cmath>
#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/collision/triangle_test.hpp"
#include "engine/error.hpp"
#include "shapes.hpp"

namespace kr::collision {
namespace {

using testing::Numbers;

HeightFieldShape RandomShape(int samplesX, int samplesZ, std::uint32_t seed) {
    Numbers numbers(seed);
    HeightFieldShape shape;
    shape.samplesX = samplesX;
    shape.samplesZ = samplesZ;
    shape.cellSize = {160.0f, 120.0f};
    shape.heightScale = 2.0f;
    for (int i = 0; i < samplesX * samplesZ; ++i) shape.heights.push_back(std::floor(numbers.Uniform(0, 256)));
    return shape;
}

// The nearest crossing over every triangle of the field, in the world.
std::optional<Hit> BruteForce(const HeightField& field, const glm::vec3& start, const glm::vec3& end) {
    std::vector<std::uint32_t> indices = HeightFieldIndices(field.SamplesX(), field.SamplesZ());
    auto corner = [&](std::uint32_t index) {
        return field.SamplePoint(static_cast<int>(index % field.SamplesX()), static_cast<int>(index / field.SamplesX()));
    };
    TriangleProbe probe(start, end - start);
    std::optional<Hit> best;
    for (std::uint32_t i = 0; i < indices.size() / 3; ++i) {
        float t = 0.0f;
        if (probe.Cross(corner(indices[3 * i]), corner(indices[3 * i + 1]), corner(indices[3 * i + 2]),
                        best ? best->t : 1.0f, t) &&
            (!best || t < best->t))
            best = Hit{t, start + t * (end - start), i};
    }
    return best;
}

TEST(HeightField, HeightAtFollowsTheDrawnTriangles) {
    HeightFieldShape shape;
    shape.samplesX = 3;
    shape.samplesZ = 2;
    shape.heights = {0, 10, 20,
                     40, 0, 60};
    shape.cellSize = {100.0f, 50.0f};
    shape.heightScale = 0.5f;
    HeightField field(shape, {-300, 7, 1000});
    EXPECT_EQ(field.HeightAt(-300, 1000), 7.0f);
    EXPECT_EQ(field.HeightAt(-200, 1050), 7.0f);
    EXPECT_EQ(field.HeightAt(-100, 1050), 37.0f) << "the far corner is part of the grid";
    // Cell (0, 0) splits along the diagonal from (0, 0) to (1, 1): the two
    // off-diagonal corners never mix.
    EXPECT_FLOAT_EQ(*field.HeightAt(-225, 1012.5f), 7.0f + 0.5f * (0.75f * 10.0f + 0.25f * (0.0f - 10.0f)));
    EXPECT_FLOAT_EQ(*field.HeightAt(-275, 1037.5f), 7.0f + 0.5f * (0.75f * 40.0f + 0.25f * (0.0f - 40.0f)));
    EXPECT_FLOAT_EQ(*field.HeightAt(-250, 1025), 7.0f) << "on the diagonal, between two zero corners";
    EXPECT_FALSE(field.HeightAt(-300.5f, 1000));
    EXPECT_FALSE(field.HeightAt(-250, 1050.5f));
    EXPECT_FALSE(field.HeightAt(std::numeric_limits<float>::quiet_NaN(), 1000));

    field.SetPosition({0, 0, 0});
    EXPECT_EQ(field.HeightAt(100, 50), 0.0f);
    EXPECT_EQ(field.HeightAt(200, 0), 10.0f);
}

TEST(HeightField, VerticalSegmentsLandOnHeightAt) {
    HeightField field(RandomShape(40, 30, 3), {-2000, -200, -1200});
    Numbers numbers(5);
    Aabb bounds = field.Bounds();
    for (int i = 0; i < 500; ++i) {
        float x = numbers.Uniform(bounds.min.x, bounds.max.x), z = numbers.Uniform(bounds.min.z, bounds.max.z);
        auto down = field.Intersect({x, 1000, z}, {x, -1000, z});
        auto up = field.Intersect({x, -1000, z}, {x, 1000, z});
        ASSERT_TRUE(down && up) << x << ", " << z;
        float height = *field.HeightAt(x, z);
        EXPECT_NEAR(down->point.y, height, 1e-3f);
        EXPECT_NEAR(up->point.y, height, 1e-3f);
    }
}

TEST(HeightField, RandomSegmentsHitWhereEveryTriangleTestedInTurnSays) {
    HeightField field(RandomShape(48, 40, 9), {-3000, -200, -1200});
    Numbers numbers(13);
    Aabb bounds = field.Bounds();
    glm::vec3 low = bounds.min - glm::vec3(500, 100, 500), high = bounds.max + glm::vec3(500, 100, 500);
    int hits = 0;
    for (int i = 0; i < 1500; ++i) {
        glm::vec3 start = numbers.Point(low, high);
        // Long and short, steep and shallow, every direction.
        glm::vec3 end = i % 3 == 0 ? numbers.Point(low, high)
                                   : start + numbers.Point({-800, -150, -800}, {800, 150, 800});
        if (i % 7 == 0) end.x = start.x;  // no motion along x
        if (i % 11 == 0) end.z = start.z; // no motion along z
        auto expected = BruteForce(field, start, end);
        auto actual = field.Intersect(start, end);
        ASSERT_EQ(expected.has_value(), actual.has_value()) << "segment " << i;
        if (!expected) continue;
        ++hits;
        EXPECT_NEAR(actual->t, expected->t, 1e-5f) << "segment " << i;
        EXPECT_NEAR(glm::length(actual->point - expected->point), 0.0f, 0.05f) << "segment " << i;
        EXPECT_NEAR(actual->point.y, *field.HeightAt(actual->point.x, actual->point.z), 0.05f);
    }
    EXPECT_GT(hits, 300);
}

TEST(HeightField, HitsMoveWithTheField) {
    HeightField field(RandomShape(20, 20, 21), {0, 0, 0});
    auto before = field.Intersect({500, 2000, 700}, {900, -2000, 600});
    ASSERT_TRUE(before);
    // Scrolled along x as the landscape is every frame.
    field.SetPosition({-0.1f * 16.0f, 0, 0});
    auto after = field.Intersect({500 - 1.6f, 2000, 700}, {900 - 1.6f, -2000, 600});
    ASSERT_TRUE(after);
    EXPECT_NEAR(after->t, before->t, 1e-5f);
    EXPECT_EQ(after->triangle, before->triangle);
    EXPECT_THROW(field.SetPosition({std::numeric_limits<float>::infinity(), 0, 0}), Error);
}

TEST(HeightField, SegmentsAboveBelowOrBesideTheFieldMiss) {
    HeightField field(RandomShape(16, 16, 2), {0, 0, 0});
    float top = field.Bounds().max.y;
    EXPECT_FALSE(field.Intersect({-100, top + 1, 50}, {3000, top + 1, 2000}));
    EXPECT_FALSE(field.Intersect({-500, 100, -10}, {5000, 100, -10})) << "just off the near edge";
    EXPECT_FALSE(field.Intersect({100, -1, 100}, {2000, -1, 1500})) << "under the lowest point";
    EXPECT_FALSE(field.Intersect({100, top + 10, 100}, {100, top + 10, 100}));
    EXPECT_FALSE(field.Intersect({100, 1000, 100}, {100, -1000, 100}, 0.0f));
}

TEST(HeightField, BadShapesAreRefusedNamingTheProblem) {
    HeightFieldShape thin = RandomShape(1, 5, 1);
    EXPECT_THAT([&] { HeightField(thin, {}); }, ::testing::ThrowsMessage<Error>(::testing::HasSubstr("1 x 5 samples")));
    HeightFieldShape short_ = RandomShape(4, 4, 1);
    short_.heights.pop_back();
    EXPECT_THAT([&] { HeightField(short_, {}); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("15 heights for 16 samples")));
    HeightFieldShape flat = RandomShape(4, 4, 1);
    flat.cellSize.y = 0.0f;
    EXPECT_THAT([&] { HeightField(flat, {}); }, ::testing::ThrowsMessage<Error>(::testing::HasSubstr("cell size")));
    HeightFieldShape holey = RandomShape(4, 4, 1);
    holey.heights[5] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_THAT([&] { HeightField(holey, {}); }, ::testing::ThrowsMessage<Error>(::testing::HasSubstr("height 5")));
}

TEST(HeightFieldIndices, ListTwoUpwardTrianglesPerCellRowByRow) {
    std::vector<std::uint32_t> indices = HeightFieldIndices(4, 3);
    ASSERT_EQ(indices.size(), 3u * 2u * 6u);
    EXPECT_THAT(std::vector<std::uint32_t>(indices.begin(), indices.begin() + 6),
                ::testing::ElementsAre(0, 4, 5, 0, 5, 1));
    // The last cell is (2, 1).
    EXPECT_THAT(std::vector<std::uint32_t>(indices.end() - 6, indices.end()),
                ::testing::ElementsAre(6, 10, 11, 6, 11, 7));
    auto at = [](std::uint32_t i) { return glm::vec3(float(i % 4), 0.0f, float(i / 4)); };
    for (std::size_t t = 0; t < indices.size(); t += 3) {
        glm::vec3 normal = glm::cross(at(indices[t + 1]) - at(indices[t]), at(indices[t + 2]) - at(indices[t]));
        EXPECT_GT(normal.y, 0.0f) << "triangle " << t / 3;
    }
    EXPECT_TRUE(HeightFieldIndices(1, 9).empty());
}

}  // namespace
}  // namespace kr::collision
