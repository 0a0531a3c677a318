#include "data/profiles.hpp"

#include <string>
#include <type_traits>

#include "data/binary_io.hpp"
#include "engine/error.hpp"

namespace kr {

namespace {

template <typename T, std::size_t N>
void WriteTable(ByteWriter& out, const OneBasedArray<T, N>& table) {
    for (const T& value : table) {
        if constexpr (std::is_same_v<T, std::uint8_t>) {
            out.U8(value);
        } else {
            out.I32(value);
        }
    }
}

template <typename T, std::size_t N>
void ReadTable(ByteReader& in, OneBasedArray<T, N>& table) {
    for (T& value : table) {
        if constexpr (std::is_same_v<T, std::uint8_t>) {
            value = in.U8();
        } else {
            value = in.I32();
        }
    }
}

int FirstEmptySlot(const ProfileStore& store) {
    for (int slot = 1; slot <= kProfileSlots; ++slot) {
        if (store.ProfileUsed[slot] == 0) return slot;
    }
    throw Error("no free pilot slot: all " + std::to_string(kProfileSlots) + " are in use");
}

void ResetSlot(ProfileStore& store, int slot) {
    store.ProfilePlayTime[slot] = 0;
    store.ProfileScore[slot] = 0;
    store.ProfileMoney[slot] = 0;
    store.ProfileMission[slot] = 0;
    store.ProfileDifficulty[slot] = 0;
    store.ProfileWeapon[slot] = 0;
    for (std::int32_t& upgrade : store.ProfileUpgrades[slot]) upgrade = 0;
    store.ProfileSpareA[slot] = 0;
    store.ProfileSpareB[slot] = 0;
    store.ProfileSpareC[slot] = 0;
    store.ProfileSpareD[slot] = 0;
    store.ProfileShip[slot] = ProfileStore::kNewPilotShip;
    store.ProfileShipLevel[slot] = 0;
    store.ProfileGameDone[slot] = 0;
}

}  // namespace

Bytes ProfileStoreToBytes(const ProfileStore& store) {
    ByteWriter out(ProfileStore::kByteSize);
    WriteTable(out, store.ProfileUsed);
    for (const auto& name : store.ProfileName) out.Text(name);
    out.Raw(store.PaddingAfterNames);
    WriteTable(out, store.ProfileScore);
    WriteTable(out, store.ProfileMoney);
    WriteTable(out, store.ProfilePlayTime);
    WriteTable(out, store.ProfileWeapon);
    out.Raw(store.PaddingAfterWeapons);
    for (const auto& upgrades : store.ProfileUpgrades) WriteTable(out, upgrades);
    WriteTable(out, store.ProfileSpareA);
    WriteTable(out, store.ProfileSpareB);
    WriteTable(out, store.ProfileSpareC);
    WriteTable(out, store.ProfileSpareD);
    WriteTable(out, store.ProfileShip);
    WriteTable(out, store.ProfileShipLevel);
    WriteTable(out, store.ProfileGameDone);
    WriteTable(out, store.ProfileMission);
    WriteTable(out, store.ProfileDifficulty);
    out.Raw(store.PaddingAtEnd);
    return out.Take();
}

ProfileStore ProfileStoreFromBytes(std::span<const std::uint8_t> image) {
    ByteReader in(image, ProfileStore::kByteSize, "profile store");
    ProfileStore store;
    ReadTable(in, store.ProfileUsed);
    for (auto& name : store.ProfileName) in.Text(name);
    in.Raw(store.PaddingAfterNames);
    ReadTable(in, store.ProfileScore);
    ReadTable(in, store.ProfileMoney);
    ReadTable(in, store.ProfilePlayTime);
    ReadTable(in, store.ProfileWeapon);
    in.Raw(store.PaddingAfterWeapons);
    for (auto& upgrades : store.ProfileUpgrades) ReadTable(in, upgrades);
    ReadTable(in, store.ProfileSpareA);
    ReadTable(in, store.ProfileSpareB);
    ReadTable(in, store.ProfileSpareC);
    ReadTable(in, store.ProfileSpareD);
    ReadTable(in, store.ProfileShip);
    ReadTable(in, store.ProfileShipLevel);
    ReadTable(in, store.ProfileGameDone);
    ReadTable(in, store.ProfileMission);
    ReadTable(in, store.ProfileDifficulty);
    in.Raw(store.PaddingAtEnd);
    return store;
}

int LoadProfiles(const GameFolder& folder, int activeProfile, ProfileStore& store) {
    ProfileStore loaded =
        ProfileStoreFromBytes(folder.ReadPrefix(kProfileStoreFile, ProfileStore::kByteSize));
    for (std::int32_t& ship : loaded.ProfileShip) {
        if (ship == 0) ship = ProfileStore::kLoadedShipForZero;
    }
    int currentMission = loaded.ProfileMission[activeProfile];
    store = loaded;
    return currentMission;
}

std::string ProfilesMarkerLine(Random& random) {
    std::string line(kProfilesMarker);
    line += kProfilesMarkerBlock1;
    line += std::to_string(random(100));
    line += kProfilesMarkerBlock2;
    line += "\r\n";
    return line;
}

void SaveProfiles(const GameFolder& folder, Random& random, const ProfileStore& store) {
    folder.WriteAtomic(kProfileStoreFile, ProfileStoreToBytes(store));
    folder.WriteAtomic(kProfilesMarkerFile, ProfilesMarkerLine(random));
}

void CreateProfile(const GameFolder& folder, Random& random, ProfileStore& store,
                   std::string_view name, int& activeProfile, int& currentMission) {
    int slot = FirstEmptySlot(store);
    ProfileStore updated = store;
    updated.ProfileUsed[slot] = 1;
    updated.ProfileName[slot].Assign(name);
    ResetSlot(updated, slot);
    SaveProfiles(folder, random, updated);
    store = updated;
    currentMission = 0;
    activeProfile = slot;
}

}  // namespace kr
