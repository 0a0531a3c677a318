#include <gtest/gtest.h>

#include "engine/error.hpp"
#include "engine/scene/landscape.hpp"

namespace kr::scene {
namespace {

// A ramp: brightness grows along the picture's columns (x), flat along z.
image::Image Ramp(int width, int height) {
    image::Image picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(x * 255 / (width - 1));
            p[3] = 255;
        }
    return picture;
}

TEST(Landscape, HeightsFollowThePictureTheScaleAndThePosition) {
    Landscape land;
    land.Generate(Ramp(64, 16), 4, 2, 1);
    land.SetScale({5, 1, 5});
    land.SetPosition({-300, -200, -1200});
    glm::vec2 extent = land.Extent();
    EXPECT_FLOAT_EQ(extent.x, 4 * kLandscapeCellSize * 5);
    EXPECT_FLOAT_EQ(extent.y, 2 * kLandscapeCellSize * 5);
    EXPECT_NEAR(land.HeightAt(-300, -1000), -200, 1e-3);                  // the dark edge
    EXPECT_NEAR(land.HeightAt(-300 + extent.x, -1000), -200 + 255, 1e-2);  // the bright edge
    EXPECT_NEAR(land.HeightAt(-300 + extent.x / 2, 0), -200 + 127.5, 1.5);
    EXPECT_NEAR(land.HeightAt(1e9f, 0), -200 + 255, 1e-2);  // beyond the field: its edge
    land.SetScale({5, 2, 5});
    EXPECT_NEAR(land.HeightAt(-300 + extent.x, -1000), -200 + 510, 2e-2);
}

TEST(Landscape, HeightIsExactOnTheDrawnTriangles) {
    image::Image bump(3, 3);
    for (auto& byte : bump.rgba) byte = 0;
    bump.Pixel(1, 1)[0] = bump.Pixel(1, 1)[1] = bump.Pixel(1, 1)[2] = 240;
    Landscape land;
    land.Generate(bump, 1, 1, 1);  // 4x4 quads over a 3x3 picture
    const GeometryPtr* chunk = nullptr;
    std::vector<GeometryPtr> chunks;
    land.VisibleChunks({0, 0, 0}, 1e6f, chunks);
    ASSERT_EQ(chunks.size(), 1u);
    chunk = &chunks[0];
    // Every vertex of the drawn chunk lies on the height the field reports.
    for (const auto& v : (*chunk)->primitives[0].vertices) EXPECT_NEAR(land.HeightAt(v.position.x, v.position.z), v.position.y, 1e-3);
    // And inside a triangle the field interpolates on that triangle's plane.
    const auto& p = (*chunk)->primitives[0];
    for (std::size_t t = 0; t < p.indices.size(); t += 3) {
        glm::vec3 a = p.vertices[p.indices[t]].position, b = p.vertices[p.indices[t + 1]].position,
                  c = p.vertices[p.indices[t + 2]].position;
        glm::vec3 centre = (a + b + c) / 3.0f;
        EXPECT_NEAR(land.HeightAt(centre.x, centre.z), centre.y, 1e-3);
    }
}

TEST(Landscape, OnlyChunksNearTheEyeAreDrawn) {
    Landscape land;
    land.Generate(Ramp(32, 32), 10, 10, 1);
    std::vector<GeometryPtr> all, near;
    land.VisibleChunks({1280, 0, 1280}, 1e6f, all);
    land.VisibleChunks({1152, 0, 1152}, 200, near);
    EXPECT_EQ(all.size(), 100u);
    EXPECT_EQ(near.size(), 9u);
    land.Move({-1e6f, 0, 0});
    near.clear();
    land.VisibleChunks({1152, 0, 1152}, 200, near);
    EXPECT_TRUE(near.empty());
}

TEST(Landscape, UnreasonableGridsAreRefused) {
    Landscape land;
    EXPECT_THROW(land.Generate(Ramp(8, 8), 0, 5, 1), Error);
    EXPECT_THROW(land.Generate(Ramp(8, 8), 5, 5, 0), Error);
    EXPECT_THROW(land.Generate(Ramp(8, 8), 5000, 5, 1), Error);
    EXPECT_THROW(land.Generate(image::Image(1, 1), 5, 5, 1), Error);
    EXPECT_FALSE(land.IsGenerated());
}

}  // namespace
}  // namespace kr::scene
