#pragma once
// The player's ship of a mission: mesh, wear skins, engine flames, damage
// smoke and fire, engine glow and explosion flash lights.

namespace kr {
struct Game;
}

namespace kr::mission {

void BuildPlayerShip(Game& game);
// Shows the skin of the pilot's ship level (0..4; other levels change nothing).
void ApplyShipSkin(Game& game);

}  // namespace kr::mission
