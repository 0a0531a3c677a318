// The software renderer the mission pictures are made with: coverage of a
// known triangle, depth order, perspective-correct texturing, facing,
// clipping at the eye, lighting, fog and the supersampling resolve; the
// texture sampler it reads pictures with, drawing whole models with their
// embedded pictures, and finding a sky-box texel from a direction.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"
#include "engine/image/image.hpp"
#include "engine/model/model.hpp"
#include "toolkit/model_render.hpp"
#include "toolkit/rasterizer.hpp"
#include "toolkit/sky_box.hpp"
#include "toolkit/texture_sampler.hpp"

namespace kr::toolkit::test {
namespace {

using glm::vec2;
using glm::vec3;

constexpr int kSize = 64;
const vec3 kBackground{0.0f, 0.0f, 0.25f};

// Looking along +z from 100 units away with a 90 degree view: +x to the
// right, +y up, and at z = 0 one pixel spans 200 / 64 units.
scene::Camera FacingCamera() {
    scene::Camera camera;
    camera.position = {0.0f, 0.0f, -100.0f};
    camera.lookAt = {0.0f, 0.0f, 0.0f};
    camera.fieldOfViewDeg = 90.0f;
    camera.nearPlane = 1.0f;
    camera.farPlane = 1000.0f;
    return camera;
}

Rasterizer Cleared(const scene::Camera& camera = FacingCamera()) {
    Rasterizer r(kSize, kSize, camera);
    r.DrawBackground([](vec3) { return kBackground; });
    return r;
}

Look Flat(vec3 colour) {
    Look look;
    look.colour = glm::vec4(colour, 1.0f);
    look.lit = false;
    look.doubleSided = true;
    return look;
}

// A square at depth z, facing the camera, from `low` to `high` in x and y.
void DrawSquare(Rasterizer& r, vec2 low, vec2 high, float z, const Look& look) {
    const std::array<Corner, 4> corners = {Corner{{low.x, low.y, z}, {0, 0, -1}, {0, 1}}, Corner{{high.x, low.y, z}, {0, 0, -1}, {1, 1}},
                                           Corner{{high.x, high.y, z}, {0, 0, -1}, {1, 0}}, Corner{{low.x, high.y, z}, {0, 0, -1}, {0, 0}}};
    const std::array<std::uint32_t, 6> indices = {0, 1, 2, 0, 2, 3};
    r.DrawTriangles(corners, indices, look);
}

bool Near(vec3 a, vec3 b, float tolerance = 0.02f) { return glm::all(glm::lessThan(glm::abs(a - b), vec3(tolerance))); }

// A picture of four flat quadrants: red, green (top row), blue, white.
image::Image Quadrants(int size) {
    image::Image picture(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool right = x >= size / 2, bottom = y >= size / 2;
            const glm::u8vec4 c = !bottom ? (right ? glm::u8vec4(0, 255, 0, 255) : glm::u8vec4(255, 0, 0, 255))
                                          : (right ? glm::u8vec4(255, 255, 255, 255) : glm::u8vec4(0, 0, 255, 255));
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
        }
    return picture;
}

TEST(Rasterizer, KnownTriangleCoversExactlyItsPixels) {
    Rasterizer r = Cleared();
    // Lower-left half of the square from (-50, -50) to (50, 50): pixels
    // 16..47, split along the diagonal from (16, 16) to (48, 48).
    const std::array<Corner, 3> corners = {Corner{{-50, -50, 0}}, Corner{{50, -50, 0}}, Corner{{-50, 50, 0}}};
    const std::array<std::uint32_t, 3> indices = {0, 1, 2};
    r.DrawTriangles(corners, indices, Flat({1, 0, 0}));
    int covered = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const bool inside = x >= 16 && y < 48 && x < y;
            const bool red = Near(r.ColourAt(x, y), {1, 0, 0});
            covered += red;
            if (x != y) {  // pixels on the long edge may go either way
                EXPECT_EQ(red, inside) << x << ", " << y;
            }
        }
    EXPECT_NEAR(covered, 32 * 32 / 2, 32);
    EXPECT_TRUE(Near(r.ColourAt(20, 44), {1, 0, 0}));
    EXPECT_TRUE(Near(r.ColourAt(44, 20), kBackground));
    // Where a world point lands agrees with what was drawn.
    const vec3 corner = r.Project({-50, -50, 0});
    EXPECT_NEAR(corner.x, 16.0f, 1e-3f);
    EXPECT_NEAR(corner.y, 48.0f, 1e-3f);
    EXPECT_NEAR(corner.z, 100.0f, 1e-2f);
}

TEST(Rasterizer, NearerSurfacesWinWhateverTheDrawingOrder) {
    for (bool nearFirst : {true, false}) {
        Rasterizer r = Cleared();
        const auto nearSquare = [&] { DrawSquare(r, {-40, -40}, {20, 20}, 0.0f, Flat({1, 0, 0})); };
        const auto farSquare = [&] { DrawSquare(r, {-20, -20}, {60, 60}, 50.0f, Flat({0, 1, 0})); };
        if (nearFirst) {
            nearSquare();
            farSquare();
        } else {
            farSquare();
            nearSquare();
        }
        EXPECT_TRUE(Near(r.ColourAt(32, 32), {1, 0, 0})) << nearFirst;  // both cover it
        EXPECT_TRUE(Near(r.ColourAt(41, 22), {0, 1, 0})) << nearFirst;  // only the far one
        EXPECT_TRUE(Near(r.ColourAt(4, 60), kBackground)) << nearFirst;
    }
}

TEST(Rasterizer, TexturedQuadSamplesTheRightTexels) {
    const Texture texture(Quadrants(8), TextureWrap::Clamp);
    Look look = Flat(vec3(1.0f));
    look.texture = &texture;
    Rasterizer r = Cleared();
    DrawSquare(r, {-100, -100}, {100, 100}, 0.0f, look);  // fills the view; v runs down the screen
    EXPECT_TRUE(Near(r.ColourAt(10, 10), {1, 0, 0}));
    EXPECT_TRUE(Near(r.ColourAt(54, 10), {0, 1, 0}));
    EXPECT_TRUE(Near(r.ColourAt(10, 54), {0, 0, 1}));
    EXPECT_TRUE(Near(r.ColourAt(54, 54), {1, 1, 1}));
}

TEST(Rasterizer, TextureCoordinatesFollowPerspective) {
    // A floor running away from the eye: the picture's middle (its top and
    // bottom halves) must meet where the floor's middle projects, well
    // above the middle of the floor's on-screen span.
    const Texture texture(Quadrants(8), TextureWrap::Clamp);
    Look look = Flat(vec3(1.0f));
    look.texture = &texture;
    Rasterizer r = Cleared();
    const std::array<Corner, 4> floor = {Corner{{-30, -40, -60}, {0, 1, 0}, {0, 1}}, Corner{{30, -40, -60}, {0, 1, 0}, {1, 1}},
                                         Corner{{30, -40, 200}, {0, 1, 0}, {1, 0}}, Corner{{-30, -40, 200}, {0, 1, 0}, {0, 0}}};
    const std::array<std::uint32_t, 6> indices = {0, 1, 2, 0, 2, 3};
    r.DrawTriangles(floor, indices, look);
    const float middle = r.Project({-15, -40, 70}).y;
    const float nearEdge = r.Project({-15, -40, -60}).y, farEdge = r.Project({-15, -40, 200}).y;
    ASSERT_GT(middle - farEdge, 2.0f);
    ASSERT_LT(middle - farEdge, (nearEdge - farEdge) * 0.4f);  // well above the span's middle
    const int x = static_cast<int>(r.Project({-15, -40, 70}).x);
    EXPECT_TRUE(Near(r.ColourAt(x, static_cast<int>(middle) - 2), {1, 0, 0}, 0.1f));
    EXPECT_TRUE(Near(r.ColourAt(x, static_cast<int>(middle) + 2), {0, 0, 1}, 0.1f));
}

TEST(Rasterizer, FacesTurnedAwayAreSkippedUnlessDoubleSided) {
    // Corner normals point away from the eye.
    const std::array<Corner, 3> away = {Corner{{-50, -50, 0}, {0, 0, 1}}, Corner{{50, -50, 0}, {0, 0, 1}}, Corner{{0, 50, 0}, {0, 0, 1}}};
    const std::array<std::uint32_t, 3> indices = {0, 1, 2};
    Look look = Flat({1, 0, 0});
    look.doubleSided = false;
    Rasterizer single = Cleared();
    single.DrawTriangles(away, indices, look);
    EXPECT_TRUE(Near(single.ColourAt(32, 32), kBackground));
    look.doubleSided = true;
    Rasterizer both = Cleared();
    both.DrawTriangles(away, indices, look);
    EXPECT_TRUE(Near(both.ColourAt(32, 32), {1, 0, 0}));
}

TEST(Rasterizer, TrianglesReachingBehindTheEyeAreClipped) {
    // A long floor strip from behind the camera to far ahead.
    Rasterizer r = Cleared();
    const std::array<Corner, 4> strip = {Corner{{-20, -30, -500}, {0, 1, 0}}, Corner{{20, -30, -500}, {0, 1, 0}},
                                         Corner{{20, -30, 500}, {0, 1, 0}}, Corner{{-20, -30, 500}, {0, 1, 0}}};
    const std::array<std::uint32_t, 6> indices = {0, 1, 2, 0, 2, 3};
    r.DrawTriangles(strip, indices, Flat({0, 1, 0}));
    EXPECT_TRUE(Near(r.ColourAt(32, 63), {0, 1, 0}));  // under the eye, close by
    EXPECT_TRUE(Near(r.ColourAt(32, 40), {0, 1, 0}));  // further ahead
    EXPECT_TRUE(Near(r.ColourAt(32, 20), kBackground));  // above the horizon
    EXPECT_TRUE(Near(r.ColourAt(2, 40), kBackground));   // beside the strip
}

TEST(Rasterizer, LambertOverAmbientAndFogTowardsTheBackground) {
    Rasterizer r = Cleared();
    r.SetLight({{0, 0, 1}, vec3(0.6f), vec3(0.2f)});  // travelling away from the eye
    Look lit;
    lit.colour = glm::vec4(1.0f);
    DrawSquare(r, {-100, -100}, {0, 100}, 0.0f, lit);  // faces the eye: fully lit
    Look sideways = lit;
    sideways.doubleSided = true;
    const std::array<Corner, 4> turned = {Corner{{10, -20, 0}, {1, 0, 0}}, Corner{{60, -20, 0}, {1, 0, 0}},
                                          Corner{{60, 20, 0}, {1, 0, 0}}, Corner{{10, 20, 0}, {1, 0, 0}}};
    const std::array<std::uint32_t, 6> indices = {0, 1, 2, 0, 2, 3};
    r.DrawTriangles(turned, indices, sideways);
    EXPECT_TRUE(Near(r.ColourAt(10, 32), vec3(0.8f)));
    EXPECT_TRUE(Near(r.ColourAt(48, 32), vec3(0.2f)));  // lit edge-on: ambient only

    Rasterizer fogged = Cleared();
    fogged.SetFog({50.0f, 150.0f, 1.0f});  // the square is 100 deep: half way
    DrawSquare(fogged, {-100, -100}, {100, 100}, 0.0f, Flat({1, 1, 0}));
    EXPECT_TRUE(Near(fogged.ColourAt(32, 32), glm::mix(vec3(1, 1, 0), kBackground, 0.5f)));
}

TEST(Rasterizer, ResolveAveragesBlocksAndCullingKeepsWhatIsInView) {
    Rasterizer r = Cleared();
    DrawSquare(r, {-100, -100}, {0, 100}, 0.0f, Flat({1, 1, 1}));  // left half white
    const Canvas small = r.Resolve(2);
    ASSERT_EQ(small.width(), kSize / 2);
    EXPECT_TRUE(Near(vec3(small.At(5, 5)), vec3(1.0f)));
    EXPECT_TRUE(Near(vec3(small.At(25, 5)), kBackground));
    EXPECT_TRUE(Near(vec3(small.At(16, 5)), kBackground));
    EXPECT_THROW(r.Resolve(3), Error);

    EXPECT_TRUE(r.MayShow({0, 0, 0}, 1.0f));
    EXPECT_TRUE(r.MayShow({0, 0, -150}, 60.0f));   // reaches past the eye into view
    EXPECT_FALSE(r.MayShow({0, 0, -150}, 10.0f));  // behind the eye
    EXPECT_FALSE(r.MayShow({500, 0, 0}, 50.0f));   // far to the right
    EXPECT_FALSE(r.MayShow({0, 0, 2000}, 50.0f));  // beyond the far plane
}

TEST(TextureSampler, BilinearWithinALevelAndBlendsLevelsByDetail) {
    image::Image stripes(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            std::uint8_t* p = stripes.Pixel(x, y);
            p[0] = p[1] = p[2] = x % 2 ? 255 : 0;
            p[3] = 255;
        }
    const Texture repeat(stripes);
    EXPECT_EQ(repeat.levelCount(), 3);
    EXPECT_NEAR(repeat.Sample({0.125f, 0.5f}).r, 0.0f, 1e-4f);   // a texel's centre
    EXPECT_NEAR(repeat.Sample({0.375f, 0.5f}).r, 1.0f, 1e-4f);
    EXPECT_NEAR(repeat.Sample({0.25f, 0.5f}).r, 0.5f, 1e-4f);    // between two
    EXPECT_NEAR(repeat.Sample({0.0f, 0.5f}).r, 0.5f, 1e-4f);     // wraps round to the last
    EXPECT_NEAR(repeat.Sample({5.125f, 0.5f}).r, 0.0f, 1e-4f);   // far repeats
    EXPECT_NEAR(repeat.Sample({0.125f, 0.5f}, 1.0f).r, 0.5f, 1e-2f);  // smaller level: averaged
    EXPECT_NEAR(repeat.Sample({0.125f, 0.5f}, 0.5f).r, 0.25f, 1e-2f);
    const Texture clamp(stripes, TextureWrap::Clamp);
    EXPECT_NEAR(clamp.Sample({0.0f, 0.5f}).r, 0.0f, 1e-4f);      // holds the edge texel
}

model::Model TexturedSquareModel(vec3 nodeOffset) {
    model::Model m;
    model::Primitive p;
    p.vertices = {{{-50, -50, 0}, {0, 0, -1}, {0, 1}}, {{50, -50, 0}, {0, 0, -1}, {1, 1}},
                  {{50, 50, 0}, {0, 0, -1}, {1, 0}}, {{-50, 50, 0}, {0, 0, -1}, {0, 0}}};
    p.indices = {0, 1, 2, 0, 2, 3};
    p.material = 0;
    m.meshes.push_back({"square", {p}});
    model::Material material;
    material.image = 0;
    material.emissive = vec3(0.0f);
    m.materials.push_back(material);
    m.images.push_back({"quadrants", "image/png", image::EncodePng(Quadrants(8))});
    model::Node node;
    node.mesh = 0;
    node.translation = nodeOffset;
    m.nodes.push_back(node);
    m.roots = {0};
    return m;
}

TEST(DrawableModel, DrawsWithItsEmbeddedPictureWherePlaced) {
    const DrawableModel square(TexturedSquareModel({10, 0, 0}));
    EXPECT_NEAR(square.centre().x, 10.0f, 1e-4f);
    EXPECT_NEAR(square.radius(), std::sqrt(2.0f) * 50.0f, 1e-3f);
    Rasterizer r = Cleared();
    r.SetLight({{0, 0, 1}, vec3(0.0f), vec3(1.0f)});  // ambient only: colours as painted
    // Placed 30 units left: the node's 10 to the right leaves it at -20.
    square.Draw(r, glm::translate(glm::mat4(1.0f), vec3(-30, 0, 0)));
    const auto pixel = [&](vec3 at) { return r.ColourAt(static_cast<int>(r.Project(at).x), static_cast<int>(r.Project(at).y)); };
    EXPECT_TRUE(Near(pixel({-60, 40, 0}), {1, 0, 0}));
    EXPECT_TRUE(Near(pixel({20, 40, 0}), {0, 1, 0}));
    EXPECT_TRUE(Near(pixel({-60, -40, 0}), {0, 0, 1}));
    EXPECT_TRUE(Near(pixel({20, -40, 0}), {1, 1, 1}));
    EXPECT_TRUE(Near(pixel({50, 0, 0}), kBackground));
}

TEST(SkyBox, FindsTheFaceAndTexelADirectionIsSeenThrough) {
    for (SkyFace face : kSkyFaces)
        for (vec2 uv : {vec2(0.5f), vec2(0.1f, 0.8f), vec2(0.97f, 0.03f)}) {
            const SkyFacePoint at = SkyFaceAt(SkyDirection(face, uv));
            EXPECT_EQ(at.face, face);
            EXPECT_NEAR(at.uv.x, uv.x, 1e-4f);
            EXPECT_NEAR(at.uv.y, uv.y, 1e-4f);
        }
    EXPECT_EQ(SkyFaceAt({0.2f, 0.9f, 0.1f}).face, SkyFace::Top);
    EXPECT_EQ(SkyFaceAt({-0.9f, 0.2f, 0.1f}).face, SkyFace::Back);
}

}  // namespace
}  // namespace kr::toolkit::test
