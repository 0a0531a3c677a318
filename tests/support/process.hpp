#pragma once
// Runs a program and collects its exit code and output (stdout and stderr).

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace kr::test {

struct ProcessResult {
    int exitCode = -1;
    std::string output;
};

inline ProcessResult RunCommand(const std::string& command) {
    ProcessResult result;
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
    int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace kr::test
