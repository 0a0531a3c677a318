#pragma once
// The five pilot profiles: one 716-byte record of parallel tables over the
// slots 1 to 5, stored in "Graphics\i_spec7.dds" (a plain record despite the
// name). Every save also writes the one-line marker "profiles.dat", which
// nothing reads back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "data/one_based_array.hpp"
#include "data/pascal_string.hpp"
#include "engine/game_folder.hpp"
#include "engine/random.hpp"

namespace kr {

inline constexpr const char* kProfileStoreFile = "Graphics\\i_spec7.dds";
inline constexpr const char* kProfilesMarkerFile = "profiles.dat";

inline constexpr int kProfileSlots = 5;
inline constexpr int kProfileUpgrades = 15;

template <typename T>
using PerSlot = OneBasedArray<T, kProfileSlots>;

struct ProfileStore {
    static constexpr std::size_t kByteSize = 716;
    // Ship model given to slots stored with ship 0, and to new pilots.
    static constexpr std::int32_t kLoadedShipForZero = 3;
    static constexpr std::int32_t kNewPilotShip = 1;

    PerSlot<std::uint8_t> ProfileUsed;             // 0
    PerSlot<PascalString<40>> ProfileName;         // 5
    std::array<std::uint8_t, 2> PaddingAfterNames{};  // 210
    PerSlot<std::int32_t> ProfileScore;            // 212
    PerSlot<std::int32_t> ProfileMoney;            // 232
    PerSlot<std::int32_t> ProfilePlayTime;         // 252
    PerSlot<std::uint8_t> ProfileWeapon;           // 272
    std::array<std::uint8_t, 3> PaddingAfterWeapons{};  // 277
    PerSlot<OneBasedArray<std::int32_t, kProfileUpgrades>> ProfileUpgrades;  // 280
    PerSlot<std::int32_t> ProfileSpareA;           // 580
    PerSlot<std::int32_t> ProfileSpareB;           // 600
    PerSlot<std::int32_t> ProfileSpareC;           // 620
    PerSlot<std::int32_t> ProfileSpareD;           // 640
    PerSlot<std::int32_t> ProfileShip;             // 660
    PerSlot<std::int32_t> ProfileShipLevel;        // 680
    PerSlot<std::uint8_t> ProfileGameDone;         // 700
    PerSlot<std::uint8_t> ProfileMission;          // 705
    PerSlot<std::uint8_t> ProfileDifficulty;       // 710
    std::array<std::uint8_t, 1> PaddingAtEnd{};    // 715
};

bool HasEmptySlot(const ProfileStore& store);
bool HasAnyPilot(const ProfileStore& store);

Bytes ProfileStoreToBytes(const ProfileStore& store);
// Reads the first ProfileStore::kByteSize bytes; throws kr::Error when shorter.
ProfileStore ProfileStoreFromBytes(std::span<const std::uint8_t> image);

// Reads the store, gives every slot stored with ship 0 the ship 3, and returns
// the mission of `activeProfile` (1..5), which becomes CurrentMission.
// A missing or short file raises kr::FileError.
int LoadProfiles(const GameFolder& folder, int activeProfile, ProfileStore& store);

// Replaces the store file, then the marker file.
void SaveProfiles(const GameFolder& folder, Random& random, const ProfileStore& store);

// Fills the lowest empty slot with a new pilot called `name` (cut to 40
// characters), saves, and makes it the active pilot at mission 0. Throws
// kr::Error, changing nothing, when all five slots are used.
void CreateProfile(const GameFolder& folder, Random& random, ProfileStore& store,
                   std::string_view name, int& activeProfile, int& currentMission);

// The marker line: "@ZR.KRAVELLON.PROFILES->", a 59-character constant, a
// number 0..99 drawn from `random`, a 20-character constant, CR LF.
inline constexpr std::string_view kProfilesMarker = "@ZR.KRAVELLON.PROFILES->";
inline constexpr std::string_view kProfilesMarkerBlock1 =
    "PILOT.REGISTRY.BLOCK/HANGAR-DECK:ARCHIVE.SEALED.KEEP.INTACT";
inline constexpr std::string_view kProfilesMarkerBlock2 = "<-END.OF.PILOT.LIST~";
static_assert(kProfilesMarker.size() == 24 && kProfilesMarkerBlock1.size() == 59 &&
              kProfilesMarkerBlock2.size() == 20);
std::string ProfilesMarkerLine(Random& random);

}  // namespace kr
