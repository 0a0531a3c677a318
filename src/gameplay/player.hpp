#pragma once
// The player's ship record during a mission.

#include <cstdint>

namespace kr {

struct Player {
    std::int32_t Life = 0;    // 0..100
    std::int32_t Armour = 0;  // 0..100
};

}  // namespace kr
