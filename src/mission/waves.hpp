#pragma once
// The wave generator: a clear lane, a type, a formation, and its members.

#include <vector>

#include <glm/vec2.hpp>

namespace kr {
struct Game;
}

namespace kr::mission {

inline constexpr int kFormations = 8;

// True when scenery or ground lies across the lane an enemy at (x, z) would
// fly down (tested at z and 150 to either side).
bool SpawnBlocked(Game& game, double x, double z);

// The members of formation g (0..7) led from (x0, z0), in creation order.
std::vector<glm::dvec2> FormationMembers(int g, double x0, double z0);

// One wave, or in the boss stage the boss once.
void SpawnWave(Game& game);

}  // namespace kr::mission
