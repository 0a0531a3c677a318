#pragma once

#include <string>
#include <vector>

namespace kr {

// Runs the game with the given command-line arguments; returns the exit code.
int RunApplication(const std::vector<std::string>& args, const std::string& executablePath);

}  // namespace kr
