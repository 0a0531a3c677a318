#pragma once
// The game state as JSON, written at exit for the test driver. Keys are the
// names the game's records use.

#include <filesystem>
#include <string>

namespace kr {
struct Game;

std::string GameStateJson(const Game& game);
void WriteGameState(const Game& game, const std::filesystem::path& path);

}  // namespace kr
