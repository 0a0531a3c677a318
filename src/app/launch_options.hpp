#pragma once
// Command-line options: where the game folder is and the test driver's
// controls that make any play-through reproducible.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/device.hpp"

namespace kr {

struct DirectMission {
    int slot = 1;
    int mission = 1;
};

struct LaunchOptions {
    std::filesystem::path gameDir;  // empty: the folder of the executable
    bool headless = false;
    std::optional<double> frameMs;
    std::optional<std::uint64_t> seed;
    std::filesystem::path inputFile;
    std::filesystem::path recordFile;
    long frames = 0;
    std::vector<Screenshot> screenshots;  // --screenshot may be given more than once
    std::filesystem::path stateOut;
    // Start this pilot slot's mission (1-based, as the hangar shows it) once
    // the main menu is reached.
    std::optional<DirectMission> mission;
    bool showHelp = false;
};

// Throws kr::Error with a readable message for bad options.
LaunchOptions ParseLaunchOptions(const std::vector<std::string>& args);
std::string LaunchHelpText();

}  // namespace kr
