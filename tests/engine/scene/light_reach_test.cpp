#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/scene/light_reach.hpp"

namespace kr::scene {
namespace {

Light Point(glm::vec3 position, float range, Colour colour = {1, 1, 1, 1}) {
    Light light;
    light.kind = LightKind::Point;
    light.position = position;
    light.range = range;
    light.colour = colour;
    return light;
}

Light Sun(glm::vec3 travel) {
    Light light;
    light.kind = LightKind::Directional;
    light.direction = travel;
    light.colour = {0.5f, 0.6f, 0.7f, 1};
    return light;
}

// A cube of side 2 around the origin: its bounding sphere has radius sqrt(3).
const model::Bounds kCube{{-1, -1, -1}, {1, 1, 1}};

glm::mat4 At(glm::vec3 position, float scale = 1) {
    return glm::scale(glm::translate(glm::mat4(1.0f), position), glm::vec3(scale));
}

TEST(LightReach, DirectionsReachEverythingAndPointToTheLight) {
    LightReach reach({Sun({0, -4, 0})});
    ReachingLights lights = reach.For(At({5000, 0, -9000}), kCube);
    ASSERT_EQ(lights.count, 1);
    EXPECT_EQ(lights.position[0], glm::vec4(0, 1, 0, 0));
    EXPECT_EQ(lights.colour[0], glm::vec4(0.5f, 0.6f, 0.7f, 0));
}

TEST(LightReach, PointLightsReachOnlyWhatTouchesTheirRange) {
    LightReach reach({Point({0, 0, 0}, 100)});
    EXPECT_EQ(reach.For(At({101, 0, 0}), kCube).count, 1) << "the mesh's edge is inside the range";
    EXPECT_EQ(reach.For(At({102, 0, 0}), kCube).count, 0);
    EXPECT_EQ(reach.For(At({150, 0, 0}, 30), kCube).count, 1) << "a scaled mesh reaches further";
    ReachingLights lights = reach.For(At({50, 0, 0}), kCube);
    EXPECT_EQ(lights.position[0], glm::vec4(0, 0, 0, 1));
    EXPECT_FLOAT_EQ(lights.colour[0].a, 0.01f) << "the inverse range";
}

TEST(LightReach, LightsThatGiveNoLightAreLeftOut) {
    LightReach reach({Point({0, 0, 0}, 0), Point({0, 0, 0}, 500, {0, 0, 0, 1}), Sun({0, 0, 0}),
                      Point({0, 0, 0}, std::nanf(""))});
    EXPECT_EQ(reach.For(At({0, 0, 0}), kCube).count, 0);
}

TEST(LightReach, AtMostEightInTheirOrder) {
    std::vector<Light> many;
    for (int i = 0; i < 12; ++i) many.push_back(Point({static_cast<float>(i), 0, 0}, 1000));
    many.insert(many.begin() + 1, Point({0, 0, 0}, 1));  // out of reach: skipped, not counted
    ReachingLights lights = LightReach(many).For(At({0, 50, 0}), kCube);
    ASSERT_EQ(lights.count, kMostLightsPerMesh);
    for (int i = 0; i < kMostLightsPerMesh; ++i) EXPECT_EQ(lights.position[static_cast<std::size_t>(i)].x, i);
}

}  // namespace
}  // namespace kr::scene
