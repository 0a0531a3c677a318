#pragma once
// The TrueType files the game ships, read from the system's font packages.

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "engine/game_folder.hpp"

namespace kr::text::testing {

inline const std::string kPlayRegular = "/usr/share/fonts/truetype/play/Play-Regular.ttf";
inline const std::string kPlayBold = "/usr/share/fonts/truetype/play/Play-Bold.ttf";
inline const std::string kSansRegular =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
inline const std::string kSansBold = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
// Has no 'kern' table.
inline const std::string kMonoRegular =
    "/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf";

// Each file is read once per test run.
inline const Bytes& FontBytes(const std::string& path) {
    static std::map<std::string, Bytes> cache;
    auto it = cache.find(path);
    if (it == cache.end()) {
        std::ifstream in(path, std::ios::binary);
        Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        it = cache.emplace(path, std::move(bytes)).first;
    }
    return it->second;
}

}  // namespace kr::text::testing
