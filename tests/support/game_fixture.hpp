#pragma once
// A Game over a test back-end and a temporary game folder holding the files
// the window's creation reads.

#include "app/game.hpp"
#include "support/temp_game_folder.hpp"
#include "support/test_backend.hpp"

namespace kr::test {

inline Settings TestSettings() {
    Settings s;
    s.Language = "english";
    s.ScreenWidth = 1024;
    s.ScreenHeight = 768;
    s.ColourDepth = 32;
    return s;
}

inline void WriteStartupFiles(const TempGameFolder& temp) {
    temp.Write("config.dat", SettingsToBytes(TestSettings()));
    temp.Write("Lang/english.dat", std::string("header\r\nlabel\r\nSELECT PILOT\r\n"));
    temp.Write("Graphics/i_spec6.dds", HighScoresToBytes(HighScores{}));
    temp.Write("Graphics/i_spec7.dds", ProfileStoreToBytes(ProfileStore{}));
}

struct GameFixture {
    explicit GameFixture(DriverOptions options = {})
        : device(backend, std::move(options)), game(device, temp.folder(), 7) {
        WriteStartupFiles(temp);
    }

    TempGameFolder temp;
    TestBackend backend;
    Device device;
    Game game;
};

}  // namespace kr::test
