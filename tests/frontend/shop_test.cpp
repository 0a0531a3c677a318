// The shop under the pointer: prices at their limits, buying once, the gun
// change, the pointing bands and the description read only when needed.

#include <gtest/gtest.h>

#include <fstream>

#include "app/game.hpp"
#include "data/profiles.hpp"
#include "frontend/shop.hpp"
#include "support/screen_driver.hpp"

namespace kr {
namespace {

// The middle of upgrade `item`'s pointing band, and of gun g's icon.
std::pair<int, int> UpgradeAt(int item) {
    int row = item <= 6 ? 0 : item <= 12 ? 1 : 2;
    int j = item - 6 * row;
    static constexpr int kBandTop[] = {300, 400, 470};
    return {70 * j + 62, kBandTop[row] + 32};
}
std::pair<int, int> GunAt(int g) { return {196 + 70 * (g - 1), 212}; }

struct Shop : ::testing::Test, test::ScreenDriver {
    Shop() {
        StartToLogo();
        backend.keepEveryFrame = false;
        game.profiles.ProfileUsed[1] = 1;
        game.profiles.ProfileShip[1] = 1;
        game.ActiveProfile = 1;
        // What the pilot selection's start puts in place for the hangar.
        game.engine->LoadTexture("graphics\\ship1.dds", "shiplogo", -1, -1, -327764);
        game.ScreenId = screen_id::Shop;
        MouseAt(900, 50);
        Frames(2);
    }
    int& Money() { return game.profiles.ProfileMoney[1]; }
    std::int32_t Owned(int item) { return game.profiles.ProfileUpgrades[1][item]; }
    void Click(std::pair<int, int> at) { ClickAt(at.first, at.second); }
};

TEST_F(Shop, FortyCreditsBuyItemsThreeAndFourButNotFifteen) {
    Money() = 40;
    Click(UpgradeAt(15));
    EXPECT_EQ(Owned(15), 0);
    EXPECT_EQ(Money(), 40);
    Click(UpgradeAt(3));
    EXPECT_EQ(Owned(3), 1);
    EXPECT_EQ(Money(), 0);
    Money() = 40;
    Click(UpgradeAt(4));
    EXPECT_EQ(Owned(4), 1);
    Money() = 41;
    Click(UpgradeAt(15));
    EXPECT_EQ(Owned(15), 1);
    EXPECT_EQ(Money(), 1);
}

TEST_F(Shop, ChangingTheGunNeedsTwoCreditsAndCostsOne) {
    Money() = 1;
    Click(GunAt(3));
    EXPECT_EQ(game.profiles.ProfileWeapon[1], 0);
    Money() = 2;
    Click(GunAt(3));
    EXPECT_EQ(game.profiles.ProfileWeapon[1], 2);
    EXPECT_EQ(Money(), 1);
}

TEST_F(Shop, HoldingBuysOnceAndTheMountedGunCostsNothing) {
    Money() = 1000;
    auto [x, y] = UpgradeAt(7);
    MouseAt(x, y);
    Button(true);
    Frames(30);
    EXPECT_EQ(Owned(7), 1);
    EXPECT_EQ(Money(), 500);
    auto gun = GunAt(1);
    MouseAt(gun.first, gun.second);
    Frames(30);
    Button(false);
    Frames(2);
    EXPECT_EQ(Money(), 500) << "gun 1 is mounted already";
}

TEST_F(Shop, RowsBAndCArePointedTenPixelsAboveTheirIcons) {
    Money() = 1000;
    for (int y : {465, 470}) {  // below row B's band, above row C's: nothing
        ClickAt(132, y);
        EXPECT_EQ(Owned(7), 0) << y;
        EXPECT_EQ(Owned(13), 0) << y;
    }
    ClickAt(132, 402);
    EXPECT_EQ(Owned(7), 1);
    EXPECT_EQ(game.shopText.ShopTextItem, 11);
    ClickAt(132, 472);
    EXPECT_EQ(Owned(13), 1);
    EXPECT_EQ(game.shopText.ShopTextItem, 17);
}

TEST_F(Shop, TheDescriptionIsReadAgainOnlyForAnotherItem) {
    auto [x, y] = UpgradeAt(1);
    MouseAt(x, y);
    Frames(2);
    ASSERT_EQ(game.shopText.ShopTextItem, 5);
    std::string name(game.shopText.Name.View());
    EXPECT_TRUE(FrameSays(name));
    // A changed file is not read while the same item stays pointed at.
    std::ofstream(temp.Path("Lang/english_shop.dat"), std::ios::binary | std::ios::trunc)
        << "shop\r\nItem 1\r\nCHANGED\r\na\r\nb\r\nc\r\n";
    Frames(3);
    EXPECT_EQ(game.shopText.Name.View(), name);
    auto gun = GunAt(1);  // another item: the file is read again
    MouseAt(gun.first, gun.second);
    Frames(2);
    EXPECT_EQ(game.shopText.Name.View(), "CHANGED");
}

TEST_F(Shop, TheBackButtonSavesWhatWasBought) {
    Money() = 100;
    Click(UpgradeAt(2));
    MouseAt(780, 670);
    Frames(2);
    Bytes stored = temp.folder().ReadAll(kProfileStoreFile);
    EXPECT_EQ(stored, ProfileStoreToBytes(game.profiles));
    EXPECT_EQ(stored[232], 70) << "money of slot 1: 100 - 30";
    EXPECT_EQ(stored[280 + 4], 1) << "upgrade 2 of slot 1";
    ClickAt(780, 670);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
}

TEST_F(Shop, TheAnimationChangesItsPictureEveryHalfSecond) {
    int before = game.shop.ShopAnimFrame;
    Frames(32);  // 512 ms
    EXPECT_EQ(game.shop.ShopAnimFrame, before % 4 + 1);
    EXPECT_TRUE(game.engine->textures().Has("krav"));
}

}  // namespace
}  // namespace kr
