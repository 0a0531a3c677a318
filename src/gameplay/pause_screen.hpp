#pragma once
// The pause screen: the mission stands still while the camera circles the
// ship; the player resumes or quits to the hangar.

namespace kr {
struct Game;
}

namespace kr::gameplay {

// Runs its own frames until a choice is clicked. On quitting, the mission
// is ended and ScreenId is the hangar's.
void PauseScreen(Game& game);

}  // namespace kr::gameplay
