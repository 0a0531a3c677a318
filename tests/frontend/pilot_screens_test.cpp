// The pilot screens driven as a player drives them: names typed key by key,
// rows and buttons under the pointer, and what ends up in the profile file.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/game.hpp"
#include "data/profiles.hpp"
#include "frontend/profile_creation.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

constexpr int kA = 30, kB = 48, kC = 46, kE = 18, kSeven = 8;

struct PilotScreens : ::testing::Test, test::ScreenDriver {
    PilotScreens() {
        StartToLogo();
        backend.keepEveryFrame = false;
    }

    void UsePilot(int slot, const char* name) {
        game.profiles.ProfileUsed[slot] = 1;
        game.profiles.ProfileName[slot].Assign(name);
        game.profiles.ProfileShip[slot] = 1;
    }
    // Presses `code` once `at` frames from now and lets it go a frame later.
    void TapLater(long at, int code) {
        Schedule(at, KeyEvent{code, true});
        Schedule(at + 1, KeyEvent{code, false});
    }
    // Opens the name entry from the pilot selection's new-pilot button; the
    // keys typed in it must be scheduled before.
    void PressNewPilot() {
        game.ScreenId = screen_id::PilotSelection;
        MouseAt(780, 230);
        Button(true);
        Schedule(3, MouseButtonEvent{1, false});
        Frames(2);
    }
    Bytes StoredProfiles() { return temp.folder().ReadAll(kProfileStoreFile); }
};

TEST_F(PilotScreens, ANameTypedWithTheKeysBecomesAPilotInTheLowestFreeSlot) {
    UsePilot(1, "FIRST");
    UsePilot(3, "THIRD");
    game.ActiveProfile = 3;
    long at = 5;
    TapLater(at, scan::Enter);  // with an empty name Enter does nothing
    for (int code : {kA, kC, kE, scan::Space, kSeven}) TapLater(at += 10, code);
    TapLater(at + 10, scan::Enter);
    PressNewPilot();

    EXPECT_EQ(game.profiles.ProfileUsed[2], 1);
    EXPECT_EQ(game.profiles.ProfileName[2].View(), "ACE 7");
    EXPECT_EQ(game.ActiveProfile, 2);
    EXPECT_EQ(game.CurrentMission, 0);
    Bytes stored = StoredProfiles();
    EXPECT_EQ(stored, ProfileStoreToBytes(game.profiles));
    // Slot 2's name: a length byte and the characters, 41 bytes after slot 1's.
    ASSERT_GE(stored.size(), 52u);
    EXPECT_EQ(stored[5 + 41], 5);
    EXPECT_EQ(std::string(stored.begin() + 47, stored.begin() + 52), "ACE 7");
    EXPECT_TRUE(game.engine->CursorShown());
}

TEST_F(PilotScreens, SixteenCharactersAtMostAndBackspaceStartsAgain) {
    long at = 5;
    Schedule(at, KeyEvent{kA, true});
    Schedule(at += 200, KeyEvent{kA, false});  // held for 3.2 s: 25 repeats offered
    TapLater(at += 5, kB);                      // past the limit
    TapLater(at += 10, scan::Backspace);
    TapLater(at += 10, kB);
    TapLater(at += 10, scan::Enter);
    PressNewPilot();
    EXPECT_EQ(game.profiles.ProfileName[1].View(), "B");
}

TEST_F(PilotScreens, AHeldKeyRepeatsEvery125Milliseconds) {
    frontend::NameEntry entry;
    Key(kA, true);
    game.engine->Present();  // the key arrives with the next frame
    std::vector<std::size_t> lengths;
    for (int frame = 0; frame < 17; ++frame) {
        frontend::TypeName(game, entry);
        lengths.push_back(entry.NameBuffer.size());
        game.engine->Present();
    }
    // 16 ms frames: typed at frames 0, 8 and 16, i.e. every 128 ms.
    EXPECT_EQ(lengths[0], 1u);
    EXPECT_EQ(lengths[7], 1u);
    EXPECT_EQ(lengths[8], 2u);
    EXPECT_EQ(lengths[15], 2u);
    EXPECT_EQ(lengths[16], 3u);
    EXPECT_EQ(entry.NameBuffer, "AAA");
}

TEST_F(PilotScreens, PlayWithNoPilotAsksForANameBeforeThePilotSelection) {
    ASSERT_FALSE(HasAnyPilot(game.profiles));
    game.ScreenId = screen_id::MainMenu;
    MouseAt(200, 240);
    Button(true);
    Schedule(3, MouseButtonEvent{1, false});
    TapLater(6, kSeven);
    TapLater(16, scan::Enter);
    Frames(2);
    EXPECT_EQ(game.ScreenId, screen_id::PilotSelection);
    EXPECT_EQ(game.profiles.ProfileName[1].View(), "7");
    EXPECT_EQ(game.ActiveProfile, 1);
}

TEST_F(PilotScreens, RowsLightOnlyInsideTheirBands) {
    UsePilot(1, "ONE");
    UsePilot(2, "TWO");
    game.ActiveProfile = 1;
    game.ScreenId = screen_id::PilotSelection;
    for (int y : {310, 400, 500, 600}) {
        MouseAt(400, y);
        Frames(50);  // long enough for any earlier glow to fade
        for (int k = 2; k <= 5; ++k) EXPECT_EQ(game.pilots.RowGlow[k], 0) << "y " << y << " row " << k;
        EXPECT_DOUBLE_EQ(game.pilots.RowGlow[1], 0.7) << "the picked row stays lit";
    }
    MouseAt(400, 350);
    Frames(2);
    EXPECT_DOUBLE_EQ(game.pilots.RowGlow[2], 0.7 - 16 * 0.001);  // lit, then one frame of fading
    EXPECT_EQ(game.ActiveProfile, 1);
    ClickAt(400, 450);
    EXPECT_EQ(game.ActiveProfile, 3);
}

TEST_F(PilotScreens, DeleteClearsThePilotButLeavesItsPurchases) {
    UsePilot(2, "GONE");
    ProfileStore& p = game.profiles;
    p.ProfileMoney[2] = 500;
    p.ProfileWeapon[2] = 3;
    p.ProfileUpgrades[2][4] = 2;
    p.ProfileScore[2] = 1200;
    p.ProfileMission[2] = 1;
    p.ProfileDifficulty[2] = 1;
    p.ProfilePlayTime[2] = 40;
    game.ActiveProfile = 2;
    game.ScreenId = screen_id::PilotSelection;
    ClickAt(780, 300);
    EXPECT_EQ(p.ProfileUsed[2], 0);
    EXPECT_EQ(p.ProfileName[2].View(), "");
    EXPECT_EQ(p.ProfileScore[2], 0);
    EXPECT_EQ(p.ProfileMission[2], 0);
    EXPECT_EQ(p.ProfileDifficulty[2], 0);
    EXPECT_EQ(p.ProfilePlayTime[2], 0);
    EXPECT_EQ(p.ProfileMoney[2], 500);
    EXPECT_EQ(p.ProfileWeapon[2], 3);
    EXPECT_EQ(p.ProfileUpgrades[2][4], 2);
    EXPECT_EQ(StoredProfiles(), ProfileStoreToBytes(p));
    // Start on the now empty slot does nothing.
    ClickAt(780, 670);
    EXPECT_EQ(game.ScreenId, screen_id::PilotSelection);
}

TEST_F(PilotScreens, NewPilotDoesNothingWhenAllSlotsAreUsed) {
    for (int k = 1; k <= 5; ++k) UsePilot(k, "FULL");
    game.ScreenId = screen_id::PilotSelection;
    MouseAt(780, 230);
    Frames(3);
    game.Sound.Stop(19);
    Button(true);
    Frames(3);  // a modal entry would never return here
    Button(false);
    Frames(1);
    EXPECT_EQ(game.Sound.Position(19), 0) << "no sound";
    EXPECT_DOUBLE_EQ(game.pilots.NewGlow, 0.7);
}

TEST_F(PilotScreens, StartTakesThePilotsMissionAndShipToTheHangar) {
    UsePilot(4, "ACE");
    game.profiles.ProfileMission[4] = 1;
    game.profiles.ProfileShip[4] = 2;
    game.profiles.ProfileShipLevel[4] = 3;
    game.ActiveProfile = 4;
    game.briefing.BriefingStep = 5;
    std::ofstream brief(temp.Path("Lang/english_m2.dat"), std::ios::binary);
    brief << "mission 2\r\nTHE SECOND\r\n";
    for (int i = 1; i <= 8; ++i) brief << "line\r\nbriefing " << i << "\r\n";
    brief << "minutes\r\n4\r\npercent\r\n60\r\nmap\r\nspace\r\n";
    brief.close();
    game.ScreenId = screen_id::PilotSelection;
    ClickAt(780, 670);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
    EXPECT_EQ(game.CurrentMission, 1);
    EXPECT_EQ(game.missionText.MissionName.View(), "THE SECOND");
    EXPECT_EQ(game.missionText.SpawnMinutes, 4);
    EXPECT_EQ(game.briefing.BriefingStep, 0);
    Engine& engine = *game.engine;
    EXPECT_TRUE(engine.textures().Has("shiplogo"));
    EXPECT_TRUE(engine.textures().Has("s4.dds"));
    EXPECT_EQ(game.menu.MenuShip3.TextureOf(0), engine.TextureId("s3.dds"));
}

}  // namespace
}  // namespace kr
