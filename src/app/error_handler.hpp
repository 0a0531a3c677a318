#pragma once
// The last-chance error handler: the critical-error line into the engine
// log, then the message to the player, then a non-zero exit.

#include <ctime>
#include <string>

namespace kr {
class Backend;
class Log;

inline constexpr int kErrorExitCode = 1;

// "KRAVELLON : !!! CRITICAL ERROR !!! ( <date time> : <message> )"
std::string CriticalErrorLine(const std::string& message, std::time_t when);

// Writes the line to the log when it is open, then shows the message (a
// message box or stderr). Returns the exit code to end with.
int HandleCriticalError(const std::string& message, Log* log, Backend* backend);

}  // namespace kr
