#include "app/saves.hpp"

#include "app/game.hpp"

namespace kr {

void SaveProfilesIfChanged(Game& game) {
    Bytes bytes = ProfileStoreToBytes(game.profiles);
    if (bytes == game.savedProfiles) return;
    SaveProfiles(game.folder, game.random, game.profiles);
    game.savedProfiles = std::move(bytes);
}

void CreatePilot(Game& game, std::string_view name) {
    CreateProfile(game.folder, game.random, game.profiles, name, game.ActiveProfile, game.CurrentMission);
    game.savedProfiles = ProfileStoreToBytes(game.profiles);
}

}  // namespace kr
