#include "data/profiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "byte_image.hpp"
#include "engine/error.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

using test::PutI32;
using test::PutText;

constexpr const char* kStorePath = "Graphics/i_spec7.dds";

// Every field of every slot holds a value derived from its slot, written at
// the offsets of the stored layout; padding and name tails keep the pattern.
Bytes SampleStoreImage() {
    Bytes image = test::PatternImage(ProfileStore::kByteSize);
    for (int i = 1; i <= 5; ++i) {
        std::size_t s = static_cast<std::size_t>(i - 1);
        image[0 + s] = static_cast<std::uint8_t>(i % 2);
        PutText(image, 5 + 41 * s, "pilot" + std::to_string(i));
        PutI32(image, 212 + 4 * s, -1000 * i);
        PutI32(image, 232 + 4 * s, 2000 * i);
        PutI32(image, 252 + 4 * s, 3000 * i);
        image[272 + s] = static_cast<std::uint8_t>(i - 1);
        for (int k = 1; k <= 15; ++k) {
            PutI32(image, 280 + 60 * s + 4 * static_cast<std::size_t>(k - 1), 100 * i + k);
        }
        PutI32(image, 580 + 4 * s, 5800 + i);
        PutI32(image, 600 + 4 * s, 6000 + i);
        PutI32(image, 620 + 4 * s, 6200 + i);
        PutI32(image, 640 + 4 * s, 6400 + i);
        PutI32(image, 660 + 4 * s, i + 1);
        PutI32(image, 680 + 4 * s, i - 1);
        image[700 + s] = static_cast<std::uint8_t>(70 + i);
        image[705 + s] = static_cast<std::uint8_t>(i * 2);
        image[710 + s] = static_cast<std::uint8_t>(71 + i);
    }
    return image;
}

ProfileStore EmptyStore() { return ProfileStoreFromBytes(Bytes(ProfileStore::kByteSize, 0)); }

TEST(ProfileStore, ReadsEveryFieldOfEverySlotAtItsOffset) {
    ProfileStore store = ProfileStoreFromBytes(SampleStoreImage());
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE("slot " + std::to_string(i));
        EXPECT_EQ(store.ProfileUsed[i], i % 2);
        EXPECT_EQ(store.ProfileName[i].View(), "pilot" + std::to_string(i));
        EXPECT_EQ(store.ProfileScore[i], -1000 * i);
        EXPECT_EQ(store.ProfileMoney[i], 2000 * i);
        EXPECT_EQ(store.ProfilePlayTime[i], 3000 * i);
        EXPECT_EQ(store.ProfileWeapon[i], i - 1);
        for (int k = 1; k <= 15; ++k) EXPECT_EQ(store.ProfileUpgrades[i][k], 100 * i + k);
        EXPECT_EQ(store.ProfileSpareA[i], 5800 + i);
        EXPECT_EQ(store.ProfileSpareB[i], 6000 + i);
        EXPECT_EQ(store.ProfileSpareC[i], 6200 + i);
        EXPECT_EQ(store.ProfileSpareD[i], 6400 + i);
        EXPECT_EQ(store.ProfileShip[i], i + 1);
        EXPECT_EQ(store.ProfileShipLevel[i], i - 1);
        EXPECT_EQ(store.ProfileGameDone[i], 70 + i);
        EXPECT_EQ(store.ProfileMission[i], i * 2);
        EXPECT_EQ(store.ProfileDifficulty[i], 71 + i);
    }
}

TEST(ProfileStore, RoundTripIsByteExact) {
    Bytes image = SampleStoreImage();
    EXPECT_EQ(ProfileStoreToBytes(ProfileStoreFromBytes(image)), image);
}

TEST(ProfileStore, SlotAndUpgradeNumbersOutsideTheTablesThrow) {
    ProfileStore store = EmptyStore();
    EXPECT_THROW(store.ProfileUsed[0], Error);
    EXPECT_THROW(store.ProfileMoney[6], Error);
    EXPECT_THROW(store.ProfileUpgrades[1][0], Error);
    EXPECT_THROW(store.ProfileUpgrades[1][16], Error);
    EXPECT_NO_THROW(store.ProfileUpgrades[5][15] = 1);
}

TEST(ProfileStore, UntrustedNameLengthIsClamped) {
    Bytes image = SampleStoreImage();
    image[5] = 255;
    ProfileStore store = ProfileStoreFromBytes(image);
    EXPECT_EQ(store.ProfileName[1].Length(), 40u);
    EXPECT_EQ(store.ProfileName[2].View(), "pilot2");
}

TEST(ProfileStore, ShortImageIsRejected) {
    EXPECT_THROW(ProfileStoreFromBytes(Bytes(715, 0)), Error);
}

TEST(ProfilesFile, LoadGivesShipThreeToShipZeroAndReturnsTheActiveMission) {
    test::TempGameFolder game;
    Bytes image(ProfileStore::kByteSize, 0);
    PutI32(image, 664, 2);  // slot 2 keeps ship 2
    image[705] = 4;         // slot 1 at mission 4
    image[706] = 7;         // slot 2 at mission 7
    game.Write(kStorePath, image);

    ProfileStore store;
    EXPECT_EQ(LoadProfiles(game.folder(), 1, store), 4);
    EXPECT_EQ(store.ProfileShip[1], 3);
    EXPECT_EQ(store.ProfileShip[2], 2);
    for (int i = 3; i <= 5; ++i) EXPECT_EQ(store.ProfileShip[i], 3);
    EXPECT_EQ(LoadProfiles(game.folder(), 2, store), 7);
}

TEST(ProfilesFile, BadActiveSlotThrowsAndKeepsTheStore) {
    test::TempGameFolder game;
    game.Write(kStorePath, SampleStoreImage());
    ProfileStore store = EmptyStore();
    EXPECT_THROW(LoadProfiles(game.folder(), 0, store), Error);
    EXPECT_THROW(LoadProfiles(game.folder(), 6, store), Error);
    EXPECT_TRUE(store.ProfileName[1].Empty());
}

TEST(ProfilesFile, MissingOrShortStoreIsAnErrorNamingIt) {
    test::TempGameFolder game;
    ProfileStore store;
    try {
        LoadProfiles(game.folder(), 1, store);
        FAIL() << "no error for a missing store";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Graphics\\i_spec7.dds");
    }
    game.Write(kStorePath, Bytes(700, 0));
    try {
        LoadProfiles(game.folder(), 1, store);
        FAIL() << "no error for a short store";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Graphics\\i_spec7.dds");
    }
}

// The digits between the two constant blocks of a marker line.
std::string MarkerNumber(const std::string& line) {
    std::string head = std::string(kProfilesMarker) + std::string(kProfilesMarkerBlock1);
    std::string tail = std::string(kProfilesMarkerBlock2) + "\r\n";
    EXPECT_TRUE(line.starts_with(head)) << line;
    EXPECT_TRUE(line.ends_with(tail)) << line;
    if (line.size() < head.size() + tail.size()) return {};
    return line.substr(head.size(), line.size() - head.size() - tail.size());
}

TEST(ProfilesFile, SaveWritesTheStoreAndAOneLineMarker) {
    test::TempGameFolder game;
    game.MakeFolder("Graphics");
    Random random(7);
    ProfileStore store = ProfileStoreFromBytes(SampleStoreImage());
    SaveProfiles(game.folder(), random, store);
    EXPECT_EQ(game.ReadBytes(kStorePath), SampleStoreImage());

    std::string line = game.Read("profiles.dat");
    std::string number = MarkerNumber(line);
    ASSERT_GE(number.size(), 1u);
    ASSERT_LE(number.size(), 2u);
    EXPECT_TRUE(std::all_of(number.begin(), number.end(),
                            [](char c) { return c >= '0' && c <= '9'; }))
        << number;
    EXPECT_EQ(line.size(), 24u + 59u + number.size() + 20u + 2u);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
}

TEST(ProfilesFile, RepeatedSavesWriteTheSameStoreButFreshNumbers) {
    test::TempGameFolder game;
    game.MakeFolder("Graphics");
    Random random(11);
    ProfileStore store = ProfileStoreFromBytes(SampleStoreImage());
    std::set<std::string> numbers;
    for (int i = 0; i < 10; ++i) {
        SaveProfiles(game.folder(), random, store);
        EXPECT_EQ(game.ReadBytes(kStorePath), SampleStoreImage());
        numbers.insert(MarkerNumber(game.Read("profiles.dat")));
    }
    EXPECT_GT(numbers.size(), 1u);
    for (const auto& n : numbers) EXPECT_LT(std::stoi(n), 100);
}

TEST(ProfilesFile, FailedSaveKeepsTheOldStore) {
    test::TempGameFolder game;
    game.Write(kStorePath, SampleStoreImage());
    game.BlockSave(kStorePath);
    Random random;
    EXPECT_THROW(SaveProfiles(game.folder(), random, EmptyStore()), FileError);
    EXPECT_EQ(game.ReadBytes(kStorePath), SampleStoreImage());
    EXPECT_FALSE(game.Exists("profiles.dat"));
}

class CreateProfileTest : public ::testing::Test {
protected:
    void SetUp() override { game.MakeFolder("Graphics"); }

    test::TempGameFolder game;
    Random random{3};
    ProfileStore store = ProfileStoreFromBytes(SampleStoreImage());  // slots 1, 3, 5 used
    int activeProfile = 5;
    int currentMission = 9;
};

TEST_F(CreateProfileTest, FillsTheLowestEmptySlotWithAFreshPilot) {
    CreateProfile(game.folder(), random, store, "Nova", activeProfile, currentMission);
    EXPECT_EQ(activeProfile, 2);
    EXPECT_EQ(currentMission, 0);
    EXPECT_EQ(store.ProfileUsed[2], 1);
    EXPECT_EQ(store.ProfileName[2].View(), "Nova");
    EXPECT_EQ(store.ProfileScore[2], 0);
    EXPECT_EQ(store.ProfileMoney[2], 0);
    EXPECT_EQ(store.ProfilePlayTime[2], 0);
    EXPECT_EQ(store.ProfileWeapon[2], 0);
    for (int k = 1; k <= 15; ++k) EXPECT_EQ(store.ProfileUpgrades[2][k], 0);
    EXPECT_EQ(store.ProfileSpareA[2], 0);
    EXPECT_EQ(store.ProfileSpareB[2], 0);
    EXPECT_EQ(store.ProfileSpareC[2], 0);
    EXPECT_EQ(store.ProfileSpareD[2], 0);
    EXPECT_EQ(store.ProfileShip[2], 1);
    EXPECT_EQ(store.ProfileShipLevel[2], 0);
    EXPECT_EQ(store.ProfileGameDone[2], 0);
    EXPECT_EQ(store.ProfileMission[2], 0);
    EXPECT_EQ(store.ProfileDifficulty[2], 0);
    // The other slots are untouched, and the result is on disk.
    ProfileStore before = ProfileStoreFromBytes(SampleStoreImage());
    EXPECT_EQ(store.ProfileMoney[4], before.ProfileMoney[4]);
    EXPECT_EQ(store.ProfileName[3].View(), "pilot3");
    EXPECT_EQ(game.ReadBytes(kStorePath), ProfileStoreToBytes(store));
    EXPECT_TRUE(game.Exists("profiles.dat"));
}

TEST_F(CreateProfileTest, LongNameIsCutToFortyCharacters) {
    std::string name(45, 'n');
    name[39] = 'Z';
    CreateProfile(game.folder(), random, store, name, activeProfile, currentMission);
    EXPECT_EQ(store.ProfileName[2].View(), name.substr(0, 40));
}

TEST_F(CreateProfileTest, FullStoreThrowsAndChangesNothing) {
    for (int i = 1; i <= 5; ++i) store.ProfileUsed[i] = 1;
    Bytes before = ProfileStoreToBytes(store);
    EXPECT_THROW(CreateProfile(game.folder(), random, store, "Six", activeProfile, currentMission),
                 Error);
    EXPECT_EQ(ProfileStoreToBytes(store), before);
    EXPECT_EQ(activeProfile, 5);
    EXPECT_EQ(currentMission, 9);
    EXPECT_FALSE(game.Exists(kStorePath));
}

TEST_F(CreateProfileTest, FailedSaveLeavesThePilotsAsTheyWere) {
    game.BlockSave(kStorePath);
    Bytes before = ProfileStoreToBytes(store);
    EXPECT_THROW(CreateProfile(game.folder(), random, store, "Nova", activeProfile, currentMission),
                 FileError);
    EXPECT_EQ(ProfileStoreToBytes(store), before);
    EXPECT_EQ(activeProfile, 5);
    EXPECT_EQ(currentMission, 9);
}

}  // namespace
}  // namespace kr
