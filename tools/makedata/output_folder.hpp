#pragma once
// The game folder being generated. Files are written whole; a file whose
// bytes are unchanged is left untouched, so a rerun is cheap and the
// folder's bytes are the same on every run.

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/game_folder.hpp"

namespace kr::makedata {

class OutputFolder {
public:
    explicit OutputFolder(std::filesystem::path root);

    // `name` uses '\' or '/' as separator, e.g. "Graphics\i_spec7.dds".
    void Write(std::string_view name, const Bytes& data);
    void Write(std::string_view name, std::string_view text);
    const std::filesystem::path& root() const { return root_; }
    int FilesWritten() const { return written_; }
    int FilesUnchanged() const { return unchanged_; }

private:
    std::filesystem::path root_;
    int written_ = 0;
    int unchanged_ = 0;
};

// Paths of the sources the generator reads.
struct Sources {
    std::filesystem::path content;  // the repository's content/ folder
    std::filesystem::path fonts;    // where Debian installs fonts (/usr/share/fonts/truetype)
};

Bytes ReadSourceFile(const std::filesystem::path& path);

}  // namespace kr::makedata
