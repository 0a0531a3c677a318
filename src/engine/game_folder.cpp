#include "engine/game_folder.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <optional>
#include <system_error>
#include <unistd.h>

#include "engine/error.hpp"

namespace kr {
namespace fs = std::filesystem;

namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The entry of `dir` named `part`: exact spelling first, then any spelling.
std::optional<fs::path> FindEntry(const fs::path& dir, const std::string& part) {
    std::error_code ec;
    fs::path exact = dir / part;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (EqualsIgnoreCase(entry.path().filename().string(), part)) return entry.path();
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> SplitGamePath(std::string_view name) {
    std::string text(name);
    if (text.empty()) throw FileError("(empty name)", "no file name given");
    std::replace(text.begin(), text.end(), '\\', '/');
    if (text.front() == '/' || (text.size() > 1 && text[1] == ':'))
        throw FileError(std::string(name), "absolute paths are not allowed");
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos) end = text.size();
        std::string part = text.substr(start, end - start);
        if (part == "..") throw FileError(std::string(name), "path leaves the game folder");
        if (part.find('\0') != std::string::npos)
            throw FileError(std::string(name), "name holds a NUL byte");
        if (!part.empty() && part != ".") parts.push_back(part);
        start = end + 1;
    }
    if (parts.empty()) throw FileError(std::string(name), "no file name given");
    return parts;
}

GameFolder::GameFolder(fs::path root) : root_(std::move(root)) {}

fs::path GameFolder::Resolve(std::string_view name) const {
    fs::path current = root_;
    for (const auto& part : SplitGamePath(name)) {
        auto found = FindEntry(current, part);
        if (!found) throw FileError(std::string(name), "file not found in the game folder");
        current = *found;
    }
    return current;
}

fs::path GameFolder::ResolveForWrite(std::string_view name) const {
    fs::path current = root_;
    bool matching = true;
    for (const auto& part : SplitGamePath(name)) {
        if (matching) {
            if (auto found = FindEntry(current, part)) {
                current = *found;
                continue;
            }
            matching = false;
        }
        current /= part;
    }
    return current;
}

bool GameFolder::Exists(std::string_view name) const {
    try {
        Resolve(name);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

Bytes GameFolder::ReadAll(std::string_view name) const {
    fs::path path = Resolve(name);
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw FileError(std::string(name), "cannot be opened for reading");
    std::streamoff size = in.tellg();
    if (size < 0) throw FileError(std::string(name), "read error");
    Bytes data(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(data.data()), size)) throw FileError(std::string(name), "read error");
    return data;
}

Bytes GameFolder::ReadPrefix(std::string_view name, std::size_t size) const {
    Bytes data = ReadAll(name);
    if (data.size() < size) {
        throw FileError(std::string(name), "file is too short: " + std::to_string(data.size()) +
                                               " bytes, expected " + std::to_string(size));
    }
    data.resize(size);
    return data;
}

void GameFolder::WriteAtomic(std::string_view name, const Bytes& data) const {
    WriteAtomic(name, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

void GameFolder::WriteAtomic(std::string_view name, std::string_view text) const {
    fs::path target = ResolveForWrite(name);
    fs::path temp = target;
    temp += ".tmp";
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) throw FileError(std::string(name), "cannot be opened for writing");
    bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    ok = std::fflush(out) == 0 && ok;
    ok = ::fsync(::fileno(out)) == 0 && ok;  // the bytes reach the disk before the rename
    ok = std::fclose(out) == 0 && ok;
    std::error_code ec;
    if (!ok) {
        fs::remove(temp, ec);
        throw FileError(std::string(name), "write failed");
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw FileError(std::string(name), "cannot replace the file: " + ec.message());
    }
}

}  // namespace kr
