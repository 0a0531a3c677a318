// The ship under keys, joystick and wheel: which input wins, how far the
// ship may go, banking, and what travels with it.

#include <gtest/gtest.h>

#include "support/mission_driver.hpp"

namespace kr {
namespace {

struct Flight : ::testing::Test, test::MissionDriver {
    Flight() {
        test::MissionWorldSpec world;
        world.spaceLevel = 1;
        Start(world);
        Frames(3);
    }
    glm::vec3 Ship() const { return game.player.ShipMesh.Position(); }
    void Hold(std::initializer_list<int> codes) {
        for (int code : codes) Key(code, true);
        Frames(2);
    }
};

TEST_F(Flight, TheShipFliesAtItsHeightAndForwardWinsOverBackward) {
    Hold({31, 17});  // S and W together
    const float x = Ship().x;
    Frames(5);
    EXPECT_GT(Ship().x, x) << "W comes after S";
    EXPECT_FLOAT_EQ(Ship().y, 150.0f);
}

TEST_F(Flight, ArrowsOverrideWasdOnTheirAxis) {
    Hold({32, 203});  // D, then the left arrow
    const float z = Ship().z;
    Frames(5);
    EXPECT_GT(Ship().z, z) << "left is +z";
    EXPECT_LT(game.player.Roll, 0);
}

TEST_F(Flight, ACentredStickHoldsTheShipWhateverTheKeysSay) {
    game.JoystickEnabled = 1;
    backend.controllers = 1;
    game.engine->UseJoystick(true);
    backend.joystick.x = 5000;
    backend.joystick.y = 5000;
    Hold({32});
    Frames(60);
    const glm::vec3 at = Ship();
    Frames(5);
    EXPECT_NEAR(Ship().z, at.z, 0.5f);
    backend.joystick.x = 10000;  // full right: -z
    Frames(5);
    EXPECT_LT(Ship().z, at.z - 5);
}

TEST_F(Flight, ThePlayAreaHoldsTheShipAndTheBossStageMovesItsFront) {
    Hold({17, 203});  // forward and left for a long time
    Frames(200);
    EXPECT_FLOAT_EQ(Ship().x, 300.0f);
    EXPECT_FLOAT_EQ(Ship().z, 400.0f);
    game.mission.BossPhase = 1;
    Frames(1);
    EXPECT_FLOAT_EQ(Ship().x, -180.0f) << "snapped back for the boss";
}

TEST_F(Flight, TheWheelZoomsWithinItsRangeByFrameTime) {
    for (int i = 0; i < 200; ++i) {
        backend.queued.push_back(WheelEvent{-1});
        Frames(1);
    }
    EXPECT_DOUBLE_EQ(game.mission.ScrollDistance, 0.0);
    for (int i = 0; i < 3; ++i) {
        backend.queued.push_back(WheelEvent{5});
        Frames(1);
    }
    EXPECT_LT(game.mission.ScrollDistance, 0.0);
    EXPECT_GE(game.mission.ScrollDistance, -200.0);
    EXPECT_NEAR(std::fmod(-game.mission.ScrollDistance, 24.0), 0.0, 1e-9) << "1.5 x 16 ms per wheel frame";
}

TEST_F(Flight, AShipLeftAloneComesToRestAndStays) {
    Hold({32});  // D
    Key(32, false);
    Frames(100);
    const glm::vec3 at = Ship();
    Frames(300);
    EXPECT_FLOAT_EQ(Ship().x, at.x);
    EXPECT_FLOAT_EQ(Ship().z, at.z);
    EXPECT_DOUBLE_EQ(game.mission.SideSpeed, 0);
    EXPECT_FLOAT_EQ(Ship().y, 150.0f) << "at flight height without ever being steered";
}

TEST_F(Flight, ARollPast360JumpsToNothing) {
    game.player.Roll = 359.99;
    Hold({205});  // right
    EXPECT_LT(std::abs(game.player.Roll), 10.0);
}

TEST_F(Flight, TheShieldAndBeamTravelWithTheShipAndTheShieldCycles) {
    Hold({17});
    Frames(3);
    const glm::vec3 ship = Ship();
    EXPECT_EQ(game.player.ShieldMesh.Position(), ship);
    EXPECT_EQ(game.player.ShieldBeam.Position(), ship + glm::vec3(350, 0, 0));
    for (int i = 0; i < 100; ++i) {
        Frames(1);
        EXPECT_GE(game.player.ShieldValue, 1.0);
        EXPECT_LE(game.player.ShieldValue, 5.5);
    }
}

TEST_F(Flight, TheCameraFollowsTheShip) {
    Hold({203});
    Frames(20);
    const scene::Camera& camera = game.engine->scene().camera();
    EXPECT_FLOAT_EQ(camera.position.z, -0.05f * Ship().z);
    EXPECT_FLOAT_EQ(camera.lookAt.z, 0.23f * Ship().z);
    EXPECT_FLOAT_EQ(camera.position.x, -500.0f);
}

}  // namespace
}  // namespace kr
