#pragma once
// A game folder in a fresh temporary directory, removed with the object.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>

#include "engine/game_folder.hpp"

namespace kr::test {

class TempGameFolder {
public:
    TempGameFolder() : root_(UniqueRoot()), folder_(root_) {
        std::filesystem::create_directories(root_);
    }
    ~TempGameFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    const GameFolder& folder() const { return folder_; }
    // `relative` uses '/' between folders.
    std::filesystem::path Path(std::string_view relative) const { return root_ / relative; }

    void Write(std::string_view relative, std::string_view contents) const {
        auto path = Path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    }
    void Write(std::string_view relative, const Bytes& contents) const {
        Write(relative, std::string_view(reinterpret_cast<const char*>(contents.data()),
                                         contents.size()));
    }
    std::string Read(std::string_view relative) const {
        std::ifstream in(Path(relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    Bytes ReadBytes(std::string_view relative) const {
        std::string text = Read(relative);
        return Bytes(text.begin(), text.end());
    }
    void MakeFolder(std::string_view relative) const {
        std::filesystem::create_directories(Path(relative));
    }
    bool Exists(std::string_view relative) const { return std::filesystem::exists(Path(relative)); }
    // Puts a directory where a save writes its temporary file, so that the
    // next save of `relative` fails.
    void BlockSave(std::string_view relative) const {
        std::filesystem::create_directories(Path(std::string(relative) + ".tmp") / "x");
    }

private:
    static std::filesystem::path UniqueRoot() {
        static std::atomic<int> counter{0};
        std::random_device device;
        return std::filesystem::temp_directory_path() /
               ("kr_data_test_" + std::to_string(::getpid()) + "_" +
                std::to_string(counter++) + "_" + std::to_string(device()));
    }

    std::filesystem::path root_;
    GameFolder folder_;
};

}  // namespace kr::test
