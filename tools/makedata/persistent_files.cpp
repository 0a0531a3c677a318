#include "persistent_files.hpp"

#include <array>

namespace kr::makedata {

Settings FirstRunSettings() {
    Settings s;
    s.Language = "english";
    s.WindowMode = 0;     // in a window
    s.Antialias = 0;      // off: smooth even without a graphics card (the options raise it)
    s.FilterLevel = 2;
    s.GlowEnabled = 1;
    s.LightingLevel = 1;  // per-pixel lighting
    s.DetailLevel = 1;
    s.ScreenWidth = 1024;
    s.ScreenHeight = 768;
    s.ColourDepth = 32;
    s.DisplayParam = 1.0;
    return s;
}

ProfileStore FirstRunProfiles() {
    return ProfileStore{};  // five empty slots
}

// A table worth beating: veteran pilots of the fleet, best first.
HighScores FirstRunHighScores() {
    static constexpr std::array<const char*, kHighScoreEntries> kNames = {
        "Commander Vex", "Ilsa Marrow",  "Kord Branik",  "Nadia Solenne", "Tomas Reyl",
        "Juno Kestrel",  "Arik Dunmore", "Sela Voight",  "Oren Pike",     "Mira Castell",
        "Dax Halloran",  "Lena Orsk",    "Bram Telluride", "Yuki Tanner", "Rook Ashby",
    };
    HighScores scores;
    for (int k = 1; k <= kHighScoreEntries; ++k) {
        scores.HighScoreName[k] = kNames[k - 1];
        scores.HighScoreValue[k] = 150000 - (k - 1) * 9500;
    }
    return scores;
}

void WritePersistentFiles(OutputFolder& out) {
    out.Write(kSettingsFile, SettingsToBytes(FirstRunSettings()));
    out.Write(kProfileStoreFile, ProfileStoreToBytes(FirstRunProfiles()));
    out.Write(kHighScoresFile, HighScoresToBytes(FirstRunHighScores()));
}

}  // namespace kr::makedata
