#pragma once
// The files the game keeps between runs, as shipped for the first run.

#include "data/high_scores.hpp"
#include "data/profiles.hpp"
#include "data/settings.hpp"
#include "output_folder.hpp"

namespace kr::makedata {

Settings FirstRunSettings();
ProfileStore FirstRunProfiles();
HighScores FirstRunHighScores();

void WritePersistentFiles(OutputFolder& out);

}  // namespace kr::makedata
