#pragma once
// The pilot selection: the five profile slots with each pilot's progress;
// pick, create, delete, start (to the hangar) or go back.

namespace kr {
struct Game;
}

namespace kr::frontend {

void PilotSelectScreen(Game& game);
// The active pilot's start: its mission, briefing and ship pictures, then
// the hangar.
void StartPilot(Game& game);

}  // namespace kr::frontend
