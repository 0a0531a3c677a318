#include "output_folder.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "engine/error.hpp"

namespace kr::makedata {

OutputFolder::OutputFolder(std::filesystem::path root) : root_(std::move(root)) {
    std::filesystem::create_directories(root_);
}

void OutputFolder::Write(std::string_view name, const Bytes& data) {
    // Folders are matched as the game finds them, whatever their case, so
    // "Graphics\x" and "graphics\y" end up side by side.
    std::filesystem::path path = GameFolder(root_).ResolveForWrite(name);
    std::filesystem::create_directories(path.parent_path());
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && ReadSourceFile(path) == data) {
        ++unchanged_;
        return;
    }
    GameFolder(root_).WriteAtomic(name, data);
    ++written_;
}

void OutputFolder::Write(std::string_view name, std::string_view text) {
    Write(name, Bytes(text.begin(), text.end()));
}

Bytes ReadSourceFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(path.string(), "cannot be opened");
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace kr::makedata
