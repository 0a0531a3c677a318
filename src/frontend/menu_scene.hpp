#pragma once
// The 3D backdrop every menu screen shows, and the pictures the menus draw.

namespace kr {
struct Game;
}

namespace kr::frontend {

// Builds the hangar, the welder, the ships, the star sphere, the credits
// logos, the ship carousel, the menu lights and the camera; loads the menu
// pictures and shows the cursor. Run at start-up, after the options restart
// the engine and when a mission returns to the menus.
void BuildMenuScene(Game& game);
// The wear skins "s0.dds" to "s4.dds" of the pilot's ship, replacing any
// loaded before.
void LoadShipSkins(Game& game);
// The welder and the hangar's ship made anew for the pilot's ship, at its
// skin level, where the first build puts them; the old ones are destroyed.
void RebuildPilotShip(Game& game);
// The pictures of every menu screen, by the names the screens draw them by.
void LoadMenuTextures(Game& game);

}  // namespace kr::frontend
