#pragma once
// Starting a helper program that lies beside the game: directly, without a
// shell and without arguments, and without waiting for it.

#include <filesystem>
#include <string>
#include <vector>

namespace kr {

class Log;

class ExternalPrograms {
public:
    ExternalPrograms() = default;
    ExternalPrograms(const ExternalPrograms&) = delete;
    ExternalPrograms& operator=(const ExternalPrograms&) = delete;
    ~ExternalPrograms();

    // Starts `program` with the game folder as its working folder. Returns
    // whether it was started; a missing or non-executable program is noted
    // in the log once and otherwise ignored.
    bool Start(const std::filesystem::path& program, const std::filesystem::path& workingFolder, Log& log);
    // How many started programs have not been seen to end yet.
    int Running();

private:
    void ReapFinished();

    std::vector<int> children_;
    std::vector<std::string> reportedMissing_;
};

}  // namespace kr
