#pragma once
// The test driver's direct start of a mission: the pilot is chosen as the
// pilot selection would, the hangar is skipped.

namespace kr {
struct Game;

// `mission` counts from 1. A slot without a pilot raises kr::Error.
void StartMissionDirectly(Game& game, int slot, int mission);

}  // namespace kr
