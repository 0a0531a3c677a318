#pragma once
// The reason an error gives, without the file name a FileError starts with,
// for messages that name the file themselves.

#include <exception>
#include <string>

#include "engine/error.hpp"

namespace kr::media {

inline std::string ReasonOf(const std::exception& error) {
    std::string text = error.what();
    if (const auto* fileError = dynamic_cast<const FileError*>(&error)) {
        std::string prefix = fileError->file() + ": ";
        if (text.rfind(prefix, 0) == 0) text.erase(0, prefix.size());
    }
    return text;
}

}  // namespace kr::media
