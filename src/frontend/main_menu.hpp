#pragma once
// The main menu (ScreenId 100): seven buttons over the turning hangar, the
// title logo pulsing with the red light, and captions shown once a run.

namespace kr {
struct Game;
}

namespace kr::frontend {

void MainMenuScreen(Game& game);

}  // namespace kr::frontend
