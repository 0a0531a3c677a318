// The ship selection: heading windows, the arrows turning the carousel, the
// locked fifth ship and the confirm rebuilding the hangar's ship.

#include <gtest/gtest.h>

#include "app/game.hpp"
#include "frontend/ship_select.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

TEST(ShipWindows, EachHeadingSelectsTheShipFacingTheViewer) {
    const std::pair<double, int> cases[] = {{0, 3},     {338.5, 3}, {18.9, 3}, {19, 0},   {338, 0},  {49, 0},
                                            {68, 1},    {87, 0},    {115, 0},  {134.5, 5}, {154, 0}, {193, 0},
                                            {212, 4},   {231, 0},   {261, 0},  {278, 2},  {295, 0},  {300, 0}};
    for (const auto& [angle, ship] : cases) EXPECT_EQ(frontend::ShipFacing(angle), ship) << angle;
}

struct ShipSelection : ::testing::Test, test::ScreenDriver {
    ShipSelection() {
        StartToLogo();
        backend.keepEveryFrame = false;
        game.profiles.ProfileUsed[1] = 1;
        game.profiles.ProfileShip[1] = 3;
        game.profiles.ProfileShipLevel[1] = 3;
        game.ActiveProfile = 1;
        game.ScreenId = screen_id::ShipSelection;
        MouseAt(900, 100);
        Frames(2);
    }
    void Face(double angle) {
        game.shipSelect.CarouselAngle = angle;
        Frames(1);
    }
};

TEST_F(ShipSelection, TheArrowsTurnTheCarouselToTheNextShip) {
    EXPECT_EQ(game.profiles.ProfileShip[1], 3);
    ClickAt(640, 700);  // right arrow
    Frames(40);
    EXPECT_NEAR(game.shipSelect.CarouselAngle, 68, 1e-6);
    EXPECT_EQ(game.profiles.ProfileShip[1], 1);
    ClickAt(380, 640);  // left arrow
    Frames(40);
    EXPECT_NEAR(game.shipSelect.CarouselAngle, 358.5, 1e-6);
    EXPECT_EQ(game.profiles.ProfileShip[1], 3);
}

TEST_F(ShipSelection, TheFifthShipStaysLockedUntilTheGameIsDone) {
    Face(134.5);
    EXPECT_EQ(game.profiles.ProfileShip[1], 5);
    Frames(1);
    EXPECT_TRUE(FrameSays("                ? ? ?"));
    EXPECT_TRUE(FrameSays(std::string(game.langText[91].View()) + " :  " + std::string(game.langText[90].View())));
    ClickAt(500, 650);
    EXPECT_EQ(game.ScreenId, screen_id::ShipSelection);
    game.profiles.ProfileGameDone[1] = 1;
    Frames(1);
    EXPECT_TRUE(FrameSays("               TRINITY"));
    ClickAt(500, 650);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
}

TEST_F(ShipSelection, ClicksOnTheWindowsEdgesDoNotConfirm) {
    Face(68);
    ClickAt(500, 733);
    ClickAt(500, 605);
    EXPECT_EQ(game.ScreenId, screen_id::ShipSelection);
}

TEST_F(ShipSelection, ConfirmingRebuildsTheHangarShipAtItsFirstSkin) {
    std::size_t objects = game.engine->scene().ObjectCount();
    Face(68);
    ClickAt(500, 650);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
    EXPECT_EQ(game.profiles.ProfileShip[1], 1);
    EXPECT_EQ(game.profiles.ProfileShipLevel[1], 0);
    EXPECT_FALSE(game.menu.SelectionBackdrop.IsEnabled());
    EXPECT_EQ(game.engine->scene().ObjectCount(), objects) << "the old welder and ship are gone";
    EXPECT_EQ(game.menu.MenuShip3.TextureOf(0), game.engine->TextureId("s0.dds"));
    EXPECT_EQ(game.menu.MenuWelder.Name(), "Spawacz");
    EXPECT_TRUE(game.engine->textures().Has("shiplogo"));
}

}  // namespace
}  // namespace kr
