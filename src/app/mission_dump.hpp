#pragma once
// The fight's state for the test driver's state file: the player's ship and
// shots, the enemy slots, the enemy shots, cooldowns, flags and counters.

#include <nlohmann/json.hpp>

namespace kr {

struct Game;

nlohmann::ordered_json PlayerJson(const Game& game);
// Everything of the mission beyond its construction values.
void AddFightJson(const Game& game, nlohmann::ordered_json& mission);

}  // namespace kr
