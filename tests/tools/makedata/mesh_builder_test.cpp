// Solids, hulls and the mesh builder: closed where promised, facing out,
// normals creased at the crease angle, indices and uvs in range.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"
#include "mesh_checks.hpp"
#include "toolkit/loft.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/polygon.hpp"
#include "toolkit/primitives.hpp"
#include "toolkit/uv_projection.hpp"

namespace kr::toolkit::test {
namespace {

constexpr double kPi = 3.14159265358979;

model::Mesh Build(const Surface& surface, float crease = 40.0f) {
    MeshBuilder builder(crease);
    builder.Add(surface);
    return builder.Build("part");
}

// A ship-like hull: from a nose point through a widening section to a flat
// back.
Surface Hull() {
    LoftShape shape;
    shape.profile = {{0.0f, -0.4f}, {0.8f, -0.3f}, {1.0f, 0.0f}, {0.6f, 0.35f}, {0.0f, 0.5f},
                    {-0.6f, 0.35f}, {-1.0f, 0.0f}, {-0.8f, -0.3f}};
    shape.stations = {{{0, 0, 3}, {0, 0}, {}}, {{0, 0, 1.5f}, {0.7f, 0.7f}, {}}, {{0, 0, 0}, {1, 1}, {}},
                     {{0, 0, -2}, {0.8f, 0.9f}, {}}};
    return Loft(shape);
}

// A swept wing on the right side, to be mirrored onto the left.
Surface RightWing() {
    Surface wing = Extrude({{0, 0}, {2, -1}, {2, -1.4f}, {0, -1.2f}}, 0.1f, 0.03f);
    wing.Rotate(1.5707963f, {1, 0, 0});
    wing.Translate({0.9f, 0, 0});
    return wing;
}

struct NamedSolid {
    std::string name;
    Surface surface;
    double volume;     // expected enclosed volume, 0 when not checked
    double tolerance;  // relative
};

std::vector<NamedSolid> ClosedSolids() {
    std::vector<glm::vec2> lShape = {{0, 0}, {2, 0}, {2, 0.5f}, {0.5f, 0.5f}, {0.5f, 2}, {0, 2}};
    LoftShape tube;
    tube.profile = {{1, 0}, {0.7f, 0.7f}, {0, 1}, {-0.7f, 0.7f}, {-1, 0}, {-0.7f, -0.7f}, {0, -1}, {0.7f, -0.7f}};
    tube.stations = {{{0, 0, 0}, {1, 1}, {}}, {{0, 0.5f, 2}, {0.5f, 0.5f}, {}}, {{0, 1.5f, 3}, {0, 0}, {}}};
    return {
        {"box", Box({2, 3, 4}), 24.0, 1e-5},
        {"sphere", Sphere(1.5f, 32, 16), 4.0 / 3.0 * kPi * 3.375, 0.03},
        {"cylinder", Cylinder(1.0f, 1.0f, 2.0f, 48), kPi * 2.0, 0.01},
        {"frustum", Cylinder(1.0f, 0.5f, 2.0f, 48), kPi * 2.0 / 3.0 * (1 + 0.5 + 0.25), 0.01},
        {"cone", Cone(1.0f, 3.0f, 48), kPi / 3.0 * 3.0, 0.01},
        {"torus", Torus(2.0f, 0.5f, 48, 24), 2 * kPi * kPi * 2.0 * 0.25, 0.02},
        {"capsule", Capsule(0.5f, 2.0f, 32, 8), kPi * 0.25 * 2.0 + 4.0 / 3.0 * kPi * 0.125, 0.02},
        {"extrusion", Extrude(lShape, 1.0f), 1.75, 1e-4},
        {"bevelled extrusion", Extrude(lShape, 1.0f, 0.1f), 0.0, 0.0},
        {"lofted tube with a tip", Loft(tube), 0.0, 0.0},
        {"hull", Hull(), 0.0, 0.0},
        {"mirrored wings", WithMirror(RightWing(), Axis::X), 0.0, 0.0},
    };
}

TEST(ClosedSolids, AreWatertightFaceOutwardsAndHaveTheirVolume) {
    for (const NamedSolid& solid : ClosedSolids()) {
        const model::Mesh mesh = Build(solid.surface);
        EXPECT_EQ(OpenOrInconsistentEdges(mesh), 0) << solid.name;
        const double volume = Volume(mesh);
        EXPECT_GT(volume, 0.0) << solid.name << " faces inwards";
        if (solid.volume > 0.0) {
            EXPECT_NEAR(volume, solid.volume, solid.volume * solid.tolerance) << solid.name;
        }
    }
}

TEST(ClosedSolids, HaveUnitNormalsOnTheOutsideIndicesInRangeAndCountedTriangles) {
    for (const NamedSolid& solid : ClosedSolids()) {
        MeshBuilder builder;
        builder.Add(solid.surface);
        const model::Mesh mesh = builder.Build(solid.name);
        EXPECT_EQ(builder.stats().triangles, TriangleCount(mesh)) << solid.name;
        EXPECT_EQ(builder.stats().vertices, VertexCount(mesh)) << solid.name;
        EXPECT_EQ(builder.stats().degenerate, 0) << solid.name;
        EXPECT_EQ(builder.stats().triangles, solid.surface.TriangleCount()) << solid.name;
        for (const auto& p : mesh.primitives) {
            for (std::uint32_t index : p.indices) ASSERT_LT(index, p.vertices.size()) << solid.name;
            // Every face's corner normals lean the way the face does.
            for (std::size_t i = 0; i < p.indices.size(); i += 3) {
                const glm::vec3 a = p.vertices[p.indices[i]].position;
                const glm::vec3 face = glm::cross(p.vertices[p.indices[i + 1]].position - a, p.vertices[p.indices[i + 2]].position - a);
                for (int k = 0; k < 3; ++k) {
                    const glm::vec3 n = p.vertices[p.indices[i + k]].normal;
                    ASSERT_NEAR(glm::length(n), 1.0f, 1e-4f) << solid.name;
                    ASSERT_GT(glm::dot(n, glm::normalize(face)), 0.0f) << solid.name << " triangle " << i / 3;
                }
            }
        }
    }
}

TEST(ClosedSolids, ConvexOnesHaveNormalsPointingAwayFromTheCentre) {
    const std::vector<std::pair<std::string, Surface>> convex = {
        {"box", Box({1, 2, 3})}, {"sphere", Sphere(1.0f, 16, 8)}, {"cylinder", Cylinder(1, 1, 1, 12)},
        {"cone", Cone(1, 2, 12)}, {"capsule", Capsule(1, 1, 12, 4)}};
    for (const auto& [name, surface] : convex) {
        const model::Mesh mesh = Build(surface);
        for (const auto& p : mesh.primitives)
            for (const auto& v : p.vertices) ASSERT_GT(glm::dot(v.normal, v.position), 0.0f) << name;
    }
}

TEST(ClosedSolids, PrimitiveUvsLieInTheUnitSquare) {
    for (const Surface& s : {Box({1, 1, 1}), Sphere(1, 12, 6), Cylinder(1, 0.5f, 2, 10), Torus(2, 1, 10, 6),
                             Capsule(1, 1, 10, 3), Extrude({{0, 0}, {1, 0}, {0, 1}}, 1, 0.1f)}) {
        for (const Triangle& t : s.triangles())
            for (const Corner& c : t.corners) {
                ASSERT_GE(c.uv.x, 0.0f);
                ASSERT_LE(c.uv.x, 1.0f);
                ASSERT_GE(c.uv.y, 0.0f);
                ASSERT_LE(c.uv.y, 1.0f);
            }
    }
}

TEST(MeshBuilder, CreaseAngleDecidesWhereNormalsSplit) {
    // Two quads sharing an edge, folded by `fold` degrees, with one
    // continuous uv mapping: only the normals can split the shared edge.
    const auto folded = [](float fold) {
        const float a = glm::radians(fold);
        const glm::vec3 p0(0, 0, 0), p1(1, 0, 0), p2(1, 1, 0), p3(0, 1, 0);
        const glm::vec3 p4(1, 1 + std::cos(a), std::sin(a)), p5(0, 1 + std::cos(a), std::sin(a));
        Surface s;
        s.AddQuad({p0, {0, 1}}, {p1, {1, 1}}, {p2, {1, 0.5f}}, {p3, {0, 0.5f}});
        s.AddQuad({p3, {0, 0.5f}}, {p2, {1, 0.5f}}, {p4, {1, 0}}, {p5, {0, 0}});
        return s;
    };
    EXPECT_EQ(VertexCount(Build(folded(30.0f), 40.0f)), 6);
    EXPECT_EQ(VertexCount(Build(folded(50.0f), 40.0f)), 8);
    // Across a smooth fold the shared normal lies between the faces.
    const model::Mesh smooth = Build(folded(30.0f), 40.0f);
    for (const auto& v : smooth.primitives[0].vertices) {
        if (v.position.y == 1.0f) {
            EXPECT_NEAR(glm::degrees(std::acos(v.normal.z)), 15.0f, 0.5f);
        }
    }
}

TEST(MeshBuilder, BoxIsHardEdgedAndSphereSmooth) {
    const model::Mesh box = Build(Box({1, 1, 1}));
    EXPECT_EQ(VertexCount(box), 24);
    for (const auto& v : box.primitives[0].vertices) {
        const glm::vec3 a = glm::abs(v.normal);
        EXPECT_FLOAT_EQ(std::max({a.x, a.y, a.z}), 1.0f);
    }
    // A smooth sphere's normals are its positions' directions.
    const model::Mesh sphere = Build(Sphere(2.0f, 24, 12));
    for (const auto& v : sphere.primitives[0].vertices) {
        EXPECT_GT(glm::dot(v.normal, glm::normalize(v.position)), 0.995f);
    }
}

TEST(MeshBuilder, MaterialSlotsBecomePrimitivesInOrder) {
    MeshBuilder builder;
    builder.Add(Box({1, 1, 1}), 2);
    builder.Add(Sphere(1, 8, 4).Translate({3, 0, 0}), 0);
    const model::Mesh mesh = builder.Build("two");
    ASSERT_EQ(mesh.primitives.size(), 2u);
    EXPECT_EQ(mesh.primitives[0].material, 0);
    EXPECT_EQ(mesh.primitives[1].material, 2);
    EXPECT_EQ(mesh.name, "two");
}

TEST(MeshBuilder, DropsTrianglesWithoutArea) {
    Surface s = Box({1, 1, 1});
    s.AddTriangle({{0, 0, 0}}, {{1, 1, 1}}, {{2, 2, 2}});
    s.AddTriangle({{0, 0, 0}}, {{0, 0, 0}}, {{1, 0, 0}});
    MeshBuilder builder;
    builder.Add(s);
    const model::Mesh mesh = builder.Build("box");
    EXPECT_EQ(builder.stats().degenerate, 2);
    EXPECT_EQ(TriangleCount(mesh), 12);
}

TEST(MeshBuilder, SameInputGivesTheSameMesh) {
    const auto make = [] {
        Surface s = Merged({Hull(), WithMirror(RightWing(), Axis::X)});
        s.Append(Torus(1, 0.2f, 16, 8).Translate({0, 1, 0}));
        ProjectBox(s);
        return Build(s);
    };
    const model::Mesh a = make();
    const model::Mesh b = make();
    ASSERT_EQ(a.primitives.size(), b.primitives.size());
    for (std::size_t i = 0; i < a.primitives.size(); ++i) {
        EXPECT_EQ(a.primitives[i].indices, b.primitives[i].indices);
        ASSERT_EQ(a.primitives[i].vertices.size(), b.primitives[i].vertices.size());
        for (std::size_t v = 0; v < a.primitives[i].vertices.size(); ++v) {
            EXPECT_EQ(a.primitives[i].vertices[v].position, b.primitives[i].vertices[v].position);
            EXPECT_EQ(a.primitives[i].vertices[v].normal, b.primitives[i].vertices[v].normal);
        }
    }
}

TEST(SurfaceTransforms, MirroringKeepsTrianglesFacingOut) {
    Surface box = Box({1, 2, 3});
    box.Translate({2, 0, 0});
    for (Axis axis : {Axis::X, Axis::Y, Axis::Z}) {
        const model::Mesh mirrored = Build(Mirrored(box, axis));
        EXPECT_NEAR(Volume(mirrored), 6.0, 1e-4);
    }
    Surface squashed = Box({1, 1, 1});
    squashed.Transform(glm::scale(glm::mat4(1.0f), glm::vec3(-2, 1, 1)));
    EXPECT_NEAR(Volume(Build(squashed)), 2.0, 1e-5);
    Surface turned = Box({1, 2, 3});
    turned.Rotate(0.7f, {1, 1, 0});
    EXPECT_NEAR(Volume(Build(turned)), 6.0, 1e-4);
}

TEST(Loft, RejectsSectionsThatDoNotMatch) {
    LoftShape shape;
    shape.profile = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    shape.stations = {{{0, 0, 0}, {1, 1}, {}}, {{0, 0, 1}, {1, 1}, {{1, 0}, {0, 1}, {-1, 0}}}};
    EXPECT_THROW(Loft(shape), Error);
    shape.stations.resize(1);
    EXPECT_THROW(Loft(shape), Error);
}

TEST(Loft, PerStationSectionsAndClockwiseProfilesStayClosedAndOutward) {
    LoftShape shape;
    shape.profile = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};  // clockwise
    shape.stations = {{{0, 0, 0}, {1, 1}, {}},
                     {{0.2f, 0, 1}, {1, 0.5f}, {{0, -1}, {-2, 0}, {0, 1}, {2, 0}}},
                     {{0, 0.3f, 2}, {0.5f, 0.5f}, {}}};
    const model::Mesh mesh = Build(Loft(shape));
    EXPECT_EQ(OpenOrInconsistentEdges(mesh), 0);
    EXPECT_GT(Volume(mesh), 0.0);
}

TEST(Loft, OpenEndsLeaveTheSurfaceOpen) {
    LoftShape shape;
    shape.profile = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    shape.stations = {{{0, 0, 0}, {1, 1}, {}}, {{0, 0, 1}, {1, 1}, {}}};
    shape.capEnd = false;
    EXPECT_EQ(OpenOrInconsistentEdges(Build(Loft(shape))), 4);
}

TEST(Polygons, TriangulationCoversConcaveOutlinesOfEitherWinding) {
    std::vector<glm::vec2> star;
    for (int i = 0; i < 10; ++i) {
        const float a = static_cast<float>(i) * 0.6283185f;
        const float r = i % 2 ? 0.4f : 1.0f;
        star.push_back({r * std::cos(a), r * std::sin(a)});
    }
    for (bool reverse : {false, true}) {
        std::vector<glm::vec2> outline = star;
        if (reverse) std::reverse(outline.begin(), outline.end());
        float area = 0.0f;
        const auto triangles = Triangulate(outline);
        EXPECT_EQ(triangles.size(), outline.size() - 2);
        for (const auto& t : triangles) {
            const float a = SignedArea({outline[t[0]], outline[t[1]], outline[t[2]]});
            EXPECT_GT(a, 0.0f);
            area += a;
        }
        EXPECT_NEAR(area, std::abs(SignedArea(outline)), 1e-4f);
    }
    EXPECT_THROW(Triangulate({{0, 0}, {1, 1}}), Error);
    EXPECT_THROW(Triangulate({{0, 0}, {1, 1}, {1, 0}, {0, 1}}), Error);
}

TEST(Polygons, InsetMovesEveryEdgeInByTheDistance) {
    const std::vector<glm::vec2> square = {{0, 0}, {4, 0}, {4, 2}, {0, 2}};
    const auto inner = Inset(square, 0.5f);
    EXPECT_EQ(inner[0], glm::vec2(0.5f, 0.5f));
    EXPECT_EQ(inner[2], glm::vec2(3.5f, 1.5f));
    EXPECT_NEAR(SignedArea(inner), 3.0f, 1e-5f);
}

TEST(UvProjection, BoxAndPlanarMappingsFillTheUnitSquareReadingFromOutside) {
    Surface hull = Merged({Hull(), WithMirror(RightWing(), Axis::X)});
    ProjectBox(hull);
    glm::vec2 lo(1e9f), hi(-1e9f);
    for (const Triangle& t : hull.triangles())
        for (const Corner& c : t.corners) {
            lo = glm::min(lo, c.uv);
            hi = glm::max(hi, c.uv);
        }
    EXPECT_GE(lo.x, 0.0f);
    EXPECT_GE(lo.y, 0.0f);
    EXPECT_LE(hi.x, 1.0f);
    EXPECT_LE(hi.y, 1.0f);
    // On the front (+z) face of a box, u grows to the right (+x) and v
    // downwards (-y).
    Surface box = Box({2, 2, 2});
    ProjectBox(box);
    for (const Triangle& t : box.triangles()) {
        if (AreaVector(t).z <= 0.0f) continue;
        for (const Corner& c : t.corners) {
            EXPECT_FLOAT_EQ(c.uv.x, (c.position.x + 1.0f) * 0.5f);
            EXPECT_FLOAT_EQ(c.uv.y, (1.0f - c.position.y) * 0.5f);
        }
    }
    ProjectPlanar(box, Axis::Y);
    PlaceUv(box, {0.5f, 0.0f}, {1.0f, 0.5f});
    for (const Triangle& t : box.triangles())
        for (const Corner& c : t.corners) {
            EXPECT_GE(c.uv.x, 0.5f);
            EXPECT_LE(c.uv.y, 0.5f);
        }
}

TEST(UvProjection, CylindricalWrapsOnceAroundWithoutSmearingTheSeam) {
    Surface tube = Cylinder(1, 1, 2, 16);
    ProjectCylindrical(tube, Axis::Y);
    for (const Triangle& t : tube.triangles()) {
        float lo = 9, hi = -9;
        for (const Corner& c : t.corners) {
            lo = std::min(lo, c.uv.x);
            hi = std::max(hi, c.uv.x);
            EXPECT_GE(c.uv.x, 0.0f);
            EXPECT_LE(c.uv.x, 1.0f + 1.0f / 16 + 1e-5f);
        }
        EXPECT_LE(hi - lo, 1.0f / 16 + 1e-5f);
    }
}

}  // namespace
}  // namespace kr::toolkit::test
