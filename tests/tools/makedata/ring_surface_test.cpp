// Ring surfaces: closed and facing outwards whichever way the rings wind or
// run, tips and caps included; the inside of a cup faces its axis; slots
// land on band and caps; bad rings are refused. And the superellipse.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/error.hpp"
#include "mesh_checks.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/polygon.hpp"
#include "toolkit/ring_surface.hpp"

namespace kr::toolkit::test {
namespace {

constexpr float kTwoPi = 6.28318530717959f;

model::Mesh Build(const Surface& surface) {
    MeshBuilder builder;
    builder.Add(surface);
    return builder.Build("part");
}

// A ring of `sides` points round the z axis at `z`, counter-clockwise seen
// from +z unless `clockwise`.
Ring Round(float radius, float z, int sides, bool clockwise = false) {
    if (radius == 0.0f) return {{0.0f, 0.0f, z}};
    Ring ring;
    for (int j = 0; j < sides; ++j) {
        const float a = kTwoPi * static_cast<float>(clockwise ? -j : j) / static_cast<float>(sides);
        ring.push_back({radius * std::cos(a), radius * std::sin(a), z});
    }
    return ring;
}

TEST(RingSurface, IsClosedAndFacesOutwardsHoweverTheRingsWindOrRun) {
    for (bool clockwise : {false, true})
        for (float direction : {1.0f, -1.0f}) {
            // A nose tip, two sections and a capped back.
            const std::vector<Ring> rings{Round(0, 0, 8, clockwise), Round(1, 2 * direction, 8, clockwise),
                                          Round(1.5f, 5 * direction, 8, clockwise), Round(1, 7 * direction, 8, clockwise)};
            const model::Mesh mesh = Build(RingSurface(rings, true, true));
            EXPECT_EQ(OpenOrInconsistentEdges(mesh), 0) << clockwise << " " << direction;
            EXPECT_GT(Volume(mesh), 0.0) << clockwise << " " << direction;
        }
}

TEST(RingSurface, CapsBothEndsAndTagsBandAndCaps) {
    const Surface s = RingSurface({Round(1, 0, 6), Round(1, 3, 6)}, true, true, {4, 5, 6});
    const model::Mesh mesh = Build(s);
    EXPECT_EQ(OpenOrInconsistentEdges(mesh), 0);
    EXPECT_NEAR(Volume(mesh), 3.0 * 1.5 * std::sqrt(3.0), 1e-3);  // a hexagonal prism
    int band = 0, start = 0, end = 0;
    for (const Triangle& t : s.triangles()) {
        const float z = (t.corners[0].position.z + t.corners[1].position.z + t.corners[2].position.z) / 3.0f;
        if (t.material == 4) ++band;
        if (t.material == 5) {
            ++start;
            EXPECT_FLOAT_EQ(z, 0.0f);
            EXPECT_LT(AreaVector(t).z, 0.0f);
        }
        if (t.material == 6) {
            ++end;
            EXPECT_FLOAT_EQ(z, 3.0f);
            EXPECT_GT(AreaVector(t).z, 0.0f);
        }
    }
    EXPECT_EQ(band, 12);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 4);
}

TEST(RingSurface, TheInsideOfACupFacesItsAxis) {
    // Out along the shell, over the lip, back down inside to a floor.
    const std::vector<Ring> rings{Round(1, 0, 12), Round(1, 4, 12), Round(0.8f, 4, 12), Round(0.8f, 1, 12), Round(0, 1, 12)};
    const Surface cup = RingSurface(rings, true, false);
    const model::Mesh mesh = Build(cup);
    EXPECT_EQ(OpenOrInconsistentEdges(mesh), 0);
    EXPECT_GT(Volume(mesh), 0.0);
    int inner = 0;
    for (const Triangle& t : cup.triangles()) {
        glm::vec3 centre(0.0f);
        for (const Corner& c : t.corners) centre += c.position / 3.0f;
        const float radius = glm::length(glm::vec2(centre));
        const bool innerWall = radius < 0.8f && radius > 0.7f && centre.z > 1.1f && centre.z < 3.9f;
        if (innerWall) {
            ++inner;
            EXPECT_LT(glm::dot(glm::vec2(AreaVector(t)), glm::vec2(centre)), 0.0f);
        }
    }
    EXPECT_EQ(inner, 24);
}

TEST(RingSurface, RefusesRingsItCannotJoin) {
    EXPECT_THROW(RingSurface({Round(1, 0, 6)}, true, true), Error);
    EXPECT_THROW(RingSurface({Round(1, 0, 6), Round(1, 1, 8)}, true, true), Error);
    EXPECT_THROW(RingSurface({Round(0, 0, 6), Round(0, 1, 6)}, true, true), Error);
    EXPECT_THROW(RingSurface({Round(1, 0, 6), {}}, true, true), Error);
}

TEST(SuperEllipse, RunsFromCircleToBoxCounterClockwise) {
    const auto circle = SuperEllipse(16, 2.0f);
    ASSERT_EQ(circle.size(), 16u);
    for (const glm::vec2& p : circle) EXPECT_NEAR(glm::length(p), 1.0f, 1e-5f);
    EXPECT_GT(SignedArea(circle), 0.0f);
    EXPECT_FLOAT_EQ(circle[0].x, 1.0f);
    // At 45 degrees a boxy section reaches far further into the corner than
    // a circle, and a diamond much less.
    EXPECT_GT(SuperEllipse(8, 8.0f)[1].x, 0.9f);
    EXPECT_LT(SuperEllipse(8, 1.0f)[1].x, 0.55f);
}

}  // namespace
}  // namespace kr::toolkit::test
