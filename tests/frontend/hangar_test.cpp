// The hangar driven as a player drives it: the briefing appearing line by
// line, its state kept across the shop, the launch saving the mission.

#include <gtest/gtest.h>

#include "app/game.hpp"
#include "data/profiles.hpp"
#include "support/mission_world.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

struct Hangar : ::testing::Test, test::ScreenDriver {
    Hangar() {
        StartToLogo();
        backend.keepEveryFrame = false;
        game.profiles.ProfileUsed[2] = 1;
        game.profiles.ProfileName[2].Assign("ACE");
        game.profiles.ProfileShip[2] = 1;
        game.profiles.ProfileWeapon[2] = 2;
        game.profiles.ProfileUpgrades[2][3] = 1;
        game.ActiveProfile = 2;
        game.ScreenId = screen_id::PilotSelection;
        ClickAt(780, 670);  // start
        EXPECT_EQ(game.ScreenId, screen_id::Hangar);
        MouseAt(500, 50);
    }
    int FramesFor(double ms) const { return static_cast<int>(ms / 16); }  // whole frames of 16 ms
    bool Drawn(const char* texture) const {
        int id = game.engine->TextureId(texture);
        for (const auto& command : backend.frames.back().commands)
            if (auto* quads = std::get_if<QuadsCommand>(&command))
                for (const Quad2D& quad : quads->quads)
                    if (quad.texture == game.engine->textures().Handle(id)) return true;
        return false;
    }
    std::string Line(int i) const { return std::string(game.missionText.BriefingLines[i + 1].View()); }
};

TEST_F(Hangar, TheBriefingShowsOneLineEveryFiveSecondsThenDropsTheOverlay) {
    game.briefing = {};
    int shown = 0;  // frames of 16 ms since the briefing started
    auto until = [&](double ms) {
        while (shown * 16 < ms) {
            Frames(1);
            ++shown;
        }
    };
    for (int i = 0; i < 8; ++i) {
        until(5000.0 * i + 100);  // a line takes 5000 ms, give or take a frame
        EXPECT_TRUE(FrameSays(Line(i))) << i;
        if (i < 7) {
            EXPECT_FALSE(FrameSays(Line(i + 1))) << i;
        }
        EXPECT_TRUE(Drawn("trans")) << i;
    }
    until(5000.0 * 8 + 100);
    EXPECT_EQ(game.briefing.BriefingStep, 8);
    EXPECT_FALSE(Drawn("trans"));
    EXPECT_TRUE(FrameSays("Mission 1 : " + std::string(game.missionText.MissionName.View())));
    EXPECT_TRUE(FrameSays(std::string(game.langText[94].View()) + " :")) << "gun 2 is text 94";
}

TEST_F(Hangar, TheShopAndBackKeepTheBriefingWhereItWas) {
    Frames(FramesFor(12000));
    double step = game.briefing.BriefingStep;
    ASSERT_EQ(step, 2);
    ClickAt(700, 610);
    EXPECT_EQ(game.ScreenId, screen_id::Shop);
    game.ScreenId = screen_id::Hangar;
    Frames(1);
    EXPECT_EQ(game.briefing.BriefingStep, step);
    EXPECT_TRUE(FrameSays(Line(1)));
}

TEST_F(Hangar, ButtonsSoundEvenWithSoundEffectsOff) {
    game.SoundEnabled = 0;
    ClickAt(500, 610);
    EXPECT_EQ(game.ScreenId, screen_id::ShipSelection);
    EXPECT_GT(game.Sound.Position(19), 0);
}

TEST_F(Hangar, LaunchSavesTheMissionThenBuildsIt) {
    test::WriteSharedMissionFiles(temp);
    test::MissionWorldSpec world;
    world.mapFolder = game.missionText.MapFolder;
    test::WriteMapFolder(temp, world);
    game.CurrentMission = 1;
    ClickAt(870, 610);
    EXPECT_EQ(game.profiles.ProfileMission[2], 1);
    EXPECT_EQ(temp.folder().ReadAll(kProfileStoreFile), ProfileStoreToBytes(game.profiles));
    EXPECT_EQ(game.ScreenId, screen_id::Mission);
    EXPECT_TRUE(game.player.ShipMesh.IsValid());
}

TEST_F(Hangar, BackLeadsToThePilotSelection) {
    ClickAt(200, 610);
    EXPECT_EQ(game.ScreenId, screen_id::PilotSelection);
}

}  // namespace
}  // namespace kr
