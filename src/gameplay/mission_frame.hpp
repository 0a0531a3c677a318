#pragma once
// The gameplay screen: one frame of a mission.

namespace kr {
struct Game;
}

namespace kr::gameplay {

// The world of the mission as one frame shows it: the glow pass, then sky,
// ground, ship, shield and beam, shots, scenery near the ship, the boss,
// enemies with their powerups, particles, and the glow over all.
void DrawMissionWorld(Game& game);

// The gameplay screen's handler.
void MissionFrame(Game& game);

}  // namespace kr::gameplay
