#pragma once
// The pilot selection: the five profile slots with each pilot's progress;
// pick, create, delete, start (to the hangar) or go back.

namespace kr {
struct Game;
}

namespace kr::frontend {

void PilotSelectScreen(Game& game);

}  // namespace kr::frontend
