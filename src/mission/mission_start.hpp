#pragma once
// The life of a mission's world: StartMission restarts the engine, builds
// the world and switches to the gameplay screen; EndMission clears it and
// returns to the hangar.

namespace kr {
struct Game;
}

namespace kr::mission {

void StartMission(Game& game);
// The construction steps, each announced in the engine log.
void BuildMission(Game& game);
void EndMission(Game& game);

// One frame with the loading picture and its caption, centred.
void ShowLoadingPicture(Game& game);

}  // namespace kr::mission
