#pragma once
// The high-score table over the menu backdrop, with the red light following
// the pointer; back to the menu, or start the score-submitting program.

#include <string>
#include <string_view>

namespace kr {
struct Game;
}

namespace kr::frontend {

// The table's row k as drawn: "k. " and the name, cut to 33 characters.
std::string ScoreRowLabel(int k, std::string_view name);

void TopScoreScreen(Game& game);

}  // namespace kr::frontend
