#pragma once
// The text files that tell the game about enemy types: a type's definition
// ("data\{type}.dat", a caption line before every value) and a mission's
// list of the types its waves draw from ("models\{map}\ships.dat").

#include <string>
#include <vector>

#include "enemies/enemy_designs.hpp"

namespace kr::makedata::enemies {

// Lines end in CR LF.
std::string EnemyDefinitionText(const std::string& type, const EnemyRules& rules);
std::string EnemyListText(const std::string& map, const std::vector<std::string>& types);

}  // namespace kr::makedata::enemies
