#pragma once
// The shop: the four main guns (one mounted) and fifteen one-time upgrades,
// each described beside the pointer; credits spent on a click.

#include <array>

namespace kr {
struct Game;
}

namespace kr::frontend {

struct ShopUpgrade {
    int price;
    bool priceExclusive;  // the pilot needs more than the price, not just the price
};
// By upgrade item 1..15 (index 0 unused).
extern const std::array<ShopUpgrade, 16> kShopUpgrades;

// Whether `money` pays for upgrade `item`.
bool CanAfford(int item, int money);

void ShopScreen(Game& game);

}  // namespace kr::frontend
