#pragma once
// The hangar between missions: the current mission's briefing line by line,
// the pilot's ship, gun and equipment, and the way to the ship selection,
// the shop, the pilot selection or the launch.

namespace kr {
struct Game;
}

namespace kr::frontend {

void HangarScreen(Game& game);

}  // namespace kr::frontend
