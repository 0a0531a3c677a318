#pragma once
// The reusable pieces of a mission: particle sprites, the three powerups,
// the shield and laser beam, and the hidden shot templates.

#include <string>

namespace kr {
struct Game;
}

namespace kr::mission {

void LoadParticleTextures(Game& game);
void BuildPowerup(Game& game, int k);
void BuildShield(Game& game);
// Templates 1..4: the gun's levels; 5: the rocket.
void BuildPlayerShot(Game& game, int k, const std::string& name);
// Template k = i + 10 from alien ship i's shot model and picture.
void BuildAlienShot(Game& game, int i, int k, const std::string& name);

// The gun's word for a shop weapon (0..3); others read as the first.
const char* WeaponWord(int weapon);

}  // namespace kr::mission
