#include "engine/collision/triangle_bvh.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/collision/triangle_test.hpp"
#include "engine/error.hpp"
#include "shapes.hpp"

namespace kr::collision {
namespace {

using testing::BoxMesh;
using testing::BoxSoup;
using testing::Numbers;
using testing::Soup;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The nearest crossing over every triangle, without a hierarchy.
std::optional<Hit> BruteForce(const Soup& soup, const glm::vec3& start, const glm::vec3& end) {
    TriangleProbe probe(start, end - start);
    std::optional<Hit> best;
    for (std::uint32_t i = 0; i < soup.indices.size() / 3; ++i) {
        float t = 0.0f;
        float limit = best ? best->t : 1.0f;
        if (!probe.Cross(soup.positions[soup.indices[3 * i]], soup.positions[soup.indices[3 * i + 1]],
                         soup.positions[soup.indices[3 * i + 2]], limit, t))
            continue;
        if (best && t == best->t) continue;  // ascending order: the lower number stays
        best = Hit{t, start + t * (end - start), i};
    }
    return best;
}

TEST(TriangleBvh, SegmentThroughABoxHitsTheNearFaceFromEitherSide) {
    auto box = BoxMesh({-1, -1, -1}, {1, 1, 1});
    auto fromLeft = box->Intersect({-5, 0.25f, 0.5f}, {5, 0.25f, 0.5f});
    ASSERT_TRUE(fromLeft);
    EXPECT_FLOAT_EQ(fromLeft->t, 0.4f);
    EXPECT_NEAR(fromLeft->point.x, -1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(fromLeft->point.y, 0.25f);

    // From inside, the far wall is met from behind: back faces count.
    auto fromInside = box->Intersect({0, 0, 0}, {0, 0, 4});
    ASSERT_TRUE(fromInside);
    EXPECT_FLOAT_EQ(fromInside->t, 0.25f);
    EXPECT_FLOAT_EQ(fromInside->point.z, 1.0f);

    auto downward = box->Intersect({0.3f, 9, -0.2f}, {0.3f, -9, -0.2f});
    ASSERT_TRUE(downward);
    EXPECT_NEAR(downward->point.y, 1.0f, 1e-5f);
}

TEST(TriangleBvh, SegmentsThatStopShortOrPassByMiss) {
    auto box = BoxMesh({-1, -1, -1}, {1, 1, 1});
    EXPECT_FALSE(box->Intersect({-5, 0, 0}, {-1.01f, 0, 0}));
    EXPECT_FALSE(box->Intersect({-5, 1.5f, 0}, {5, 1.5f, 0}));
    EXPECT_FALSE(box->Intersect({-5, 0, 0}, {5, 0, 0}, 0.39f)) << "limited to 39% of the way";
    EXPECT_TRUE(box->Intersect({-5, 0, 0}, {5, 0, 0}, 0.4f));
    // Touching the face exactly at the end still counts.
    EXPECT_TRUE(box->Intersect({-5, 0, 0}, {-1, 0, 0}));
}

TEST(TriangleBvh, ZeroLengthAndNonFiniteSegmentsHitNothing) {
    auto box = BoxMesh({-1, -1, -1}, {1, 1, 1});
    EXPECT_FALSE(box->Intersect({1, 0, 0}, {1, 0, 0}));
    EXPECT_FALSE(box->Intersect({kNaN, 0, 0}, {5, 0, 0}));
    EXPECT_FALSE(box->Intersect({-5, 0, 0}, {5, kNaN, 0}));
    float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(box->Intersect({-inf, 0, 0}, {5, 0, 0}));
    EXPECT_FALSE(box->Intersect({-3e38f, 0, 0}, {3e38f, 0, 0})) << "length overflows";
    EXPECT_FALSE(box->Intersect({-5, 0, 0}, {5, 0, 0}, kNaN));
}

TEST(TriangleBvh, MatchesEveryTriangleTestedInTurn) {
    Numbers numbers(7);
    Soup soup;
    for (std::uint32_t i = 0; i < 3000; ++i) {
        glm::vec3 centre = numbers.Point({-50, -50, -50}, {50, 50, 50});
        for (int corner = 0; corner < 3; ++corner) {
            soup.positions.push_back(centre + numbers.Point({-3, -3, -3}, {3, 3, 3}));
            soup.indices.push_back(3 * i + corner);
        }
    }
    TriangleBvh bvh(soup.positions, soup.indices);
    EXPECT_EQ(bvh.TriangleCount(), 3000u);
    int hits = 0;
    for (int i = 0; i < 2000; ++i) {
        glm::vec3 start = numbers.Point({-60, -60, -60}, {60, 60, 60});
        glm::vec3 end = numbers.Point({-60, -60, -60}, {60, 60, 60});
        auto expected = BruteForce(soup, start, end);
        auto actual = bvh.Intersect(start, end);
        ASSERT_EQ(expected.has_value(), actual.has_value()) << "segment " << i;
        if (!expected) continue;
        ++hits;
        EXPECT_EQ(actual->t, expected->t) << "segment " << i;
        EXPECT_EQ(actual->triangle, expected->triangle) << "segment " << i;
    }
    EXPECT_GT(hits, 500) << "the test should often hit";
}

TEST(TriangleBvh, NothingSlipsBetweenTrianglesSharingEdgesAndCorners) {
    // A 16 x 16 grid of quads in the y = 0 plane; segments aimed exactly at
    // shared vertices and edges must hit.
    Soup soup;
    const int n = 16;
    for (int z = 0; z <= n; ++z)
        for (int x = 0; x <= n; ++x) soup.positions.push_back({x * 0.1f, 0.0f, z * 0.1f});
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x) {
            std::uint32_t a = z * (n + 1) + x, b = a + 1, c = a + n + 1, d = c + 1;
            soup.indices.insert(soup.indices.end(), {a, c, d, a, d, b});
        }
    TriangleBvh grid(soup.positions, soup.indices);
    int misses = 0;
    for (int z = 1; z < n; ++z)
        for (int x = 1; x < n; ++x) {
            glm::vec3 vertex = soup.positions[z * (n + 1) + x];
            glm::vec3 edgeMiddle = (vertex + soup.positions[z * (n + 1) + x + 1]) * 0.5f;
            for (glm::vec3 target : {vertex, edgeMiddle}) {
                glm::vec3 tilt(0.37f, 1.0f, -0.21f);
                if (!grid.Intersect(target + tilt, target - tilt)) ++misses;
                if (!grid.Intersect(target - tilt, target + tilt)) ++misses;
            }
        }
    EXPECT_EQ(misses, 0);
}

TEST(TriangleBvh, EqualDistancesGoToTheLowerTriangle) {
    Soup soup = BoxSoup({0, 0, 0}, {1, 1, 1});
    // The same face twice more, after the box.
    soup.indices.insert(soup.indices.end(), {0, 2, 1, 0, 2, 1});
    TriangleBvh bvh(soup.positions, soup.indices);
    auto hit = bvh.Intersect({0.2f, 0.7f, -1}, {0.2f, 0.7f, 1});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->triangle, 0u);
}

TEST(TriangleBvh, BuildsFromPrimitivesNumberingTrianglesInOrder) {
    Soup box = BoxSoup({0, 0, 0}, {1, 1, 1});
    model::Primitive first, second;
    for (const glm::vec3& p : box.positions) {
        first.vertices.push_back({.position = p});
        second.vertices.push_back({.position = p + glm::vec3(10, 0, 0)});
    }
    first.indices = box.indices;
    second.indices = box.indices;
    TriangleBvh bvh(std::vector<model::Primitive>{first, second});
    EXPECT_EQ(bvh.TriangleCount(), 24u);
    EXPECT_EQ(bvh.Bounds().max.x, 11.0f);
    auto hit = bvh.Intersect({20, 0.5f, 0.5f}, {5, 0.5f, 0.5f});
    ASSERT_TRUE(hit);
    EXPECT_GE(hit->triangle, 12u) << "the second primitive's triangles follow the first's";
    EXPECT_FLOAT_EQ(hit->point.x, 11.0f);
}

TEST(TriangleBvh, BadTriangleListsAreRefusedNamingTheProblem) {
    Soup box = BoxSoup({0, 0, 0}, {1, 1, 1});
    std::vector<std::uint32_t> partial(box.indices.begin(), box.indices.begin() + 4);
    EXPECT_THAT([&] { TriangleBvh(box.positions, partial); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("not whole triangles")));
    std::vector<std::uint32_t> pastTheEnd = {0, 1, 8};
    EXPECT_THAT([&] { TriangleBvh(box.positions, pastTheEnd); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("vertex 8 of only 8")));

    // A primitive may not reach into the next one's vertices.
    model::Primitive small, other;
    small.vertices.resize(3);
    small.indices = {0, 1, 3};
    other.vertices.resize(3);
    other.indices = {0, 1, 2};
    EXPECT_THAT([&] { TriangleBvh(std::vector<model::Primitive>{small, other}); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("primitive 0 uses vertex 3")));
}

TEST(TriangleBvh, NonFiniteTrianglesAreNeverHitAndSpoilNothing) {
    Soup soup = BoxSoup({0, 0, 0}, {1, 1, 1});
    soup.positions.push_back({kNaN, 0, 0});
    soup.positions.push_back({std::numeric_limits<float>::infinity(), 0, 0});
    soup.indices.insert(soup.indices.end(), {8, 0, 1, 9, 2, 3});
    TriangleBvh bvh(soup.positions, soup.indices);
    EXPECT_EQ(bvh.Bounds().max.x, 1.0f);
    auto hit = bvh.Intersect({0.5f, 0.5f, -1}, {0.5f, 0.5f, 2});
    ASSERT_TRUE(hit);
    EXPECT_FLOAT_EQ(hit->point.z, 0.0f);
    EXPECT_LT(hit->triangle, 12u);
}

TEST(TriangleBvh, EmptySoupHasNoBoundsAndIsNeverHit) {
    TriangleBvh empty(std::vector<glm::vec3>{}, std::vector<std::uint32_t>{});
    EXPECT_TRUE(empty.Bounds().Empty());
    EXPECT_FALSE(empty.Intersect({0, 0, 0}, {1, 1, 1}));
    EXPECT_FALSE(TriangleBvh().Intersect({0, 0, 0}, {1, 1, 1}));
}

TEST(TriangleBvh, RefitFollowsMovedCornersAndRefusesAnotherVertexCount) {
    Numbers numbers(11);
    Soup soup;
    for (std::uint32_t i = 0; i < 200; ++i) {
        glm::vec3 centre = numbers.Point({-20, -20, -20}, {20, 20, 20});
        for (int corner = 0; corner < 3; ++corner) {
            soup.positions.push_back(centre + numbers.Point({-2, -2, -2}, {2, 2, 2}));
            soup.indices.push_back(3 * i + corner);
        }
    }
    TriangleBvh bvh(soup.positions, soup.indices);
    // Every corner moves differently, as a posed model's would.
    for (glm::vec3& p : soup.positions) p = glm::vec3(p.z * 1.5f, p.x + 7.0f, -p.y);
    bvh.Refit(soup.positions);
    float highest = -1e9f;
    for (const glm::vec3& p : soup.positions) highest = std::max(highest, p.y);
    EXPECT_EQ(bvh.Bounds().max.y, highest);
    for (int i = 0; i < 300; ++i) {
        glm::vec3 start = numbers.Point({-40, -30, -30}, {40, 40, 30});
        glm::vec3 end = numbers.Point({-40, -30, -30}, {40, 40, 30});
        auto expected = BruteForce(soup, start, end);
        auto actual = bvh.Intersect(start, end);
        ASSERT_EQ(expected.has_value(), actual.has_value()) << "segment " << i;
        if (expected) {
            EXPECT_EQ(actual->triangle, expected->triangle);
        }
    }
    soup.positions.pop_back();
    EXPECT_THROW(bvh.Refit(soup.positions), Error);
}

}  // namespace
}  // namespace kr::collision
