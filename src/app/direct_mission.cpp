#include "app/direct_mission.hpp"

#include <string>

#include "app/game.hpp"
#include "frontend/pilot_select.hpp"
#include "mission/mission_start.hpp"

namespace kr {

void StartMissionDirectly(Game& game, int slot, int mission) {
    if (slot < 1 || slot > kProfileSlots || game.profiles.ProfileUsed[slot] == 0)
        throw Error("--mission: pilot slot " + std::to_string(slot) + " holds no pilot");
    game.ActiveProfile = slot;
    game.profiles.ProfileMission[slot] = static_cast<std::uint8_t>(mission - 1);
    frontend::StartPilot(game);
    mission::StartMission(game);
}

}  // namespace kr
