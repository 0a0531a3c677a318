#pragma once
// The screen that closes a pilot's game: the final score over the menu
// scene, whether it reaches the high scores, and the button that enters it
// and leads to the table.

namespace kr {
struct Game;
}

namespace kr::gameplay {

void EndOfGameScreen(Game& game);

}  // namespace kr::gameplay
