#pragma once
// Saving the pilots from the screens. Some screens save on every frame, so a
// save whose bytes equal the last write is skipped.

#include <string_view>

namespace kr {
struct Game;

void SaveProfilesIfChanged(Game& game);
// A new pilot in the lowest empty slot, saved and made the active one.
void CreatePilot(Game& game, std::string_view name);

}  // namespace kr
