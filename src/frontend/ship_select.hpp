#pragma once
// The ship selection: the carousel of the five ships seen from above,
// turned with the two arrows; the ship facing the viewer is the pilot's,
// confirmed by a click on the selection window.

namespace kr {
struct Game;
}

namespace kr::frontend {

// The ship whose heading window holds `angle` (degrees, 0..360), 0 for none.
int ShipFacing(double angle);

void ShipSelectScreen(Game& game);

}  // namespace kr::frontend
