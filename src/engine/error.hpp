#pragma once
// The one error type raised by failed engine, media and file calls. It ends in
// the application's error handler, which logs it and stops the program.

#include <stdexcept>
#include <string>

namespace kr {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A failure that concerns one file: the message always names it.
class FileError : public Error {
public:
    FileError(const std::string& file, const std::string& what)
        : Error(file + ": " + what), file_(file) {}
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

}  // namespace kr
