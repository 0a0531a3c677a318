#include "app/external_program.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "engine/log.hpp"

extern char** environ;

namespace kr {

ExternalPrograms::~ExternalPrograms() { ReapFinished(); }

// Ended children are collected so none is left as a zombie; the ones still
// running are left to run.
void ExternalPrograms::ReapFinished() {
    std::erase_if(children_, [](int pid) {
        int status = 0;
        return waitpid(pid, &status, WNOHANG) != 0;
    });
}

int ExternalPrograms::Running() {
    ReapFinished();
    return static_cast<int>(children_.size());
}

bool ExternalPrograms::Start(const std::filesystem::path& program, const std::filesystem::path& workingFolder,
                             Log& log) {
    ReapFinished();
    const std::string path = program.string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(program, ec) || access(path.c_str(), X_OK) != 0) {
        if (std::find(reportedMissing_.begin(), reportedMissing_.end(), path) == reportedMissing_.end()) {
            log.Write("KRAVELLON : " + program.filename().string() + " not found, nothing started");
            reportedMissing_.push_back(path);
        }
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    std::string argument0 = program.filename().string();
    char* argv[] = {argument0.data(), nullptr};
    pid_t pid = 0;
    int failed = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        log.Write("KRAVELLON : " + argument0 + " could not be started (" + std::strerror(failed) + ")");
        return false;
    }
    children_.push_back(pid);
    return true;
}

}  // namespace kr
