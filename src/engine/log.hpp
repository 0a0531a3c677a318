#pragma once
// The engine's log file: every line is written and flushed at once, so a
// crash never loses the lines before it.

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace kr {

struct LogOptions {
    bool enabled = true;        // write lines at all
    bool timestamps = false;    // prefix each line with the clock time
    bool engineLines = true;    // lines the engine writes about itself
    bool echoToStderr = false;  // copy each line to the console
};

class Log {
public:
    Log() = default;
    ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // Opens the log file. The first file opened in a run is started afresh;
    // opening the same file again (the engine restarts) appends to it.
    void Open(const std::filesystem::path& path);
    void SetOptions(const LogOptions& options) { options_ = options; }
    bool IsOpen() const { return file_ != nullptr; }

    void Write(std::string_view line);
    // A line about the engine's own work; honours LogOptions::engineLines.
    void WriteEngine(std::string_view line);

private:
    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    LogOptions options_;
};

}  // namespace kr
