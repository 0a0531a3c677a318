#pragma once
// A generated game past its start-up with a pilot in slot 1 and a small test
// mission world, ready for a mission to be built.

#include <string>

#include "app/game.hpp"
#include "mission/mission_start.hpp"
#include "support/mission_world.hpp"
#include "support/screen_driver.hpp"

namespace kr::test {

struct MissionDriver : ScreenDriver {
    MissionDriver() {
        StartToLogo();
        backend.keepEveryFrame = false;
        ProfileStore& p = game.profiles;
        p.ProfileUsed[1] = 1;
        p.ProfileName[1].Assign("ACE");
        p.ProfileShip[1] = 1;
        p.ProfileWeapon[1] = 0;
        game.ActiveProfile = 1;
        WriteSharedMissionFiles(temp);
    }

    // Writes the world and builds it as mission `mission` (0-based).
    void Start(const MissionWorldSpec& world, int mission = 0) {
        WriteMapFolder(temp, world);
        game.CurrentMission = mission;
        game.missionText.MapFolder = world.mapFolder;
        game.missionText.SpawnMinutes = 3;
        game.missionText.RequiredPercent = 60;
        mission::StartMission(game);
    }

    std::string LogText() const { return temp.Read("debugfile.txt"); }
};

}  // namespace kr::test
