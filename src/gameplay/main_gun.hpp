#pragma once
// The main gun: its delay, its heat and the shots of its ten power levels.

#include <vector>

#include "gameplay/shots.hpp"

namespace kr {
struct Game;
}

namespace kr::gameplay {

inline constexpr int kTopGunLevel = 10;

// The shots one trigger pull of `level` (1..10) makes.
const std::vector<PlayerShotSpec>& GunVolley(int level);

// Once a frame: delay and heat run down, and the gun fires while its trigger
// is held, it is ready and not overheated.
void MainGunUpkeep(Game& game);

}  // namespace kr::gameplay
