#include "engine/log.hpp"

#include <ctime>
#include <string>

#include "engine/error.hpp"

namespace kr {

Log::~Log() {
    if (file_) std::fclose(file_);
}

void Log::Open(const std::filesystem::path& path) {
    bool reopen = file_ && path == path_;
    if (reopen) return;
    if (file_) std::fclose(file_);
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) throw FileError(path.filename().string(), "the log file cannot be created");
    path_ = path;
}

void Log::Write(std::string_view line) {
    if (!options_.enabled) return;
    std::string text;
    if (options_.timestamps) {
        std::time_t now = std::time(nullptr);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%H:%M:%S ", std::localtime(&now));
        text = stamp;
    }
    text.append(line);
    text += "\r\n";
    if (file_) {
        std::fwrite(text.data(), 1, text.size(), file_);
        std::fflush(file_);
    }
    if (options_.echoToStderr) std::fwrite(text.data(), 1, text.size() - 2, stderr), std::fputc('\n', stderr);
}

void Log::WriteEngine(std::string_view line) {
    if (options_.engineLines) Write(line);
}

}  // namespace kr
