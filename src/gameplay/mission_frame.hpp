#pragma once
// The gameplay screen: one frame of a mission.

namespace kr {
struct Game;
}

namespace kr::gameplay {

// The gameplay screen's handler.
void MissionFrame(Game& game);

}  // namespace kr::gameplay
