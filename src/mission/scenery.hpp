#pragma once
// Turns a mission's data files into engine objects: the scenery list into
// hidden templates, the map's placements into visible copies, the enemy type
// list into hidden enemy templates.

#include <string>

namespace kr {
struct Game;
}

namespace kr::mission {

// Scenery list, map record and placements, then the enemy types.
void ReadMap(Game& game);

void BuildSceneryTemplate(Game& game, int k, const std::string& name);
void PlaceScenery(Game& game, int i);
void BuildEnemyType(Game& game, int t, const std::string& name);

}  // namespace kr::mission
