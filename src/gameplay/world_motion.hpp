#pragma once
// What moves in the world besides the player: scenery and ground scrolling
// toward the player, spinning wrecks, and the enemies' flight, the boss's
// approach and tracking, and their removal behind the player.

namespace kr {
struct Game;
}

namespace kr::gameplay {

void MoveScenery(Game& game);
void ScrollLandscape(Game& game);
void MoveEnemies(Game& game);

}  // namespace kr::gameplay
