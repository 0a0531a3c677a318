#pragma once
// The enemy craft: eight alien designs, each with its own silhouette and
// colours, and the rules the game reads from its type definition. Models
// have the nose towards -z: the type's turn of 90 degrees about y points it
// along -x, towards the player.

#include <cstdint>
#include <string>
#include <vector>

#include "enemies/alien_model.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::enemies {

// The values of a type definition file.
struct EnemyRules {
    double modelScale = 0.2;
    int modelTurn = 90;    // degrees about y
    int spins = 0;         // 1: keeps turning about y
    int spinRange = 0;     // turn rates -R+2 .. R, in hundredths of a degree per ms
    int hitPoints = 10;
    int engineTrail = 0;   // 1: the engine glow trail is on
    int shotModel = 1;     // alien shot model 1..14
};

struct EnemyDesign {
    CraftLook look;
    EnemyRules rules;
    toolkit::Surface body;
};

// Every enemy type, easiest first.
std::vector<EnemyDesign> EnemyDesigns();

}  // namespace kr::makedata::enemies
