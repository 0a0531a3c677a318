#pragma once
// Sound effects and music: the catalogue of files by item, its loading at
// start-up, and the one rule for playing an effect.

#include <array>
#include <memory>

#include "app/game.hpp"

namespace kr {

struct CatalogueEntry {
    int index;
    const char* file;  // under the game folder
};

// Music tracks loaded at start-up (track 1 is chosen per mission).
extern const std::array<CatalogueEntry, 4> kMusicCatalogue;
// Sound effects loaded at start-up after "sound\load.wma" (item 2).
extern const std::array<CatalogueEntry, 26> kSoundCatalogue;

// Loads both players: effects, the loading sound (played at once while the
// rest loads), the music. A missing or unreadable file raises Error.
void LoadSoundCatalogue(Game& game);
// Starts decoding the catalogue's files in the background, for
// LoadSoundCatalogue to take up (it decodes them itself when not started).
void StartReadingSounds(Game& game);

// Restarts sound effect n (taken modulo 256) unless effects are switched off.
void PlaySound(Game& game, int n);
// Stops sound effect n unless effects are switched off.
void StopSound(Game& game, int n);

// Starts music track n from its beginning, or stops it; either only while
// music is switched on.
void PlayMusic(Game& game, int n);
void StopMusic(Game& game, int n);
// Starts music track n again once it has stopped (music switched on only):
// the screens that loop a song call it every frame.
void PlayMusicAgainWhenOver(Game& game, int n);

}  // namespace kr
