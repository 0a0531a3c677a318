#pragma once
// Every audio file of the game folder, encoded: the sound effects and the
// music tracks with the names the game loads them by.

#include <string>
#include <vector>

#include "engine/game_folder.hpp"

namespace kr::audio {

struct AudioFile {
    std::string name;  // game-folder name, e.g. "sound\\laser.wav"
    Bytes bytes;
};

std::vector<AudioFile> MakeSoundEffectFiles();
std::vector<AudioFile> MakeMusicFiles();
// Both of the above; the music is rendered on two threads.
std::vector<AudioFile> MakeAudioFiles();

}  // namespace kr::audio
