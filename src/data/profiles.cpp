#include "data/profiles.hpp"

#include <string>

#include "data/binary_io.hpp"
#include "engine/error.hpp"

namespace kr {

namespace {

// The field order of the profile store, for reading and writing alike.
template <class Io, class Record>
void Fields(Io& io, Record& store) {
    io.Field(store.ProfileUsed);
    io.Field(store.ProfileName);
    io.Field(store.PaddingAfterNames);
    io.Field(store.ProfileScore);
    io.Field(store.ProfileMoney);
    io.Field(store.ProfilePlayTime);
    io.Field(store.ProfileWeapon);
    io.Field(store.PaddingAfterWeapons);
    io.Field(store.ProfileUpgrades);
    io.Field(store.ProfileSpareA);
    io.Field(store.ProfileSpareB);
    io.Field(store.ProfileSpareC);
    io.Field(store.ProfileSpareD);
    io.Field(store.ProfileShip);
    io.Field(store.ProfileShipLevel);
    io.Field(store.ProfileGameDone);
    io.Field(store.ProfileMission);
    io.Field(store.ProfileDifficulty);
    io.Field(store.PaddingAtEnd);
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
    Fields(out, store);
    return out.Take();
}

ProfileStore ProfileStoreFromBytes(std::span<const std::uint8_t> image) {
    ByteReader in(image, ProfileStore::kByteSize, "profile store");
    ProfileStore store;
    Fields(in, store);
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

bool HasEmptySlot(const ProfileStore& store) {
    for (int k = 1; k <= kProfileSlots; ++k)
        if (!store.ProfileUsed[k]) return true;
    return false;
}

bool HasAnyPilot(const ProfileStore& store) {
    for (int k = 1; k <= kProfileSlots; ++k)
        if (store.ProfileUsed[k]) return true;
    return false;
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
