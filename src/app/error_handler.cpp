#include "app/error_handler.hpp"

#include <cstdio>

#include "engine/backend.hpp"
#include "engine/log.hpp"

namespace kr {

std::string CriticalErrorLine(const std::string& message, std::time_t when) {
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&when));
    return "KRAVELLON : !!! CRITICAL ERROR !!! ( " + std::string(stamp) + " : " + message + " )";
}

int HandleCriticalError(const std::string& message, Log* log, Backend* backend) {
    std::string line = CriticalErrorLine(message, std::time(nullptr));
    if (log && log->IsOpen()) log->Write(line);
    if (backend) {
        backend->ShowError("KRAVELLON", message);
    } else {
        std::fprintf(stderr, "KRAVELLON: %s\n", message.c_str());
    }
    return kErrorExitCode;
}

}  // namespace kr
