#pragma once
// The game folder: every file the game reads or writes lies below it. Names
// come Windows-style ("Graphics\i_spec7.dds"); they are resolved with '\' as
// the separator, matching letter case exactly first and case-insensitively
// when the exact name is missing. Nothing outside the folder is reachable.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kr {

using Bytes = std::vector<std::uint8_t>;

class GameFolder {
public:
    explicit GameFolder(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }

    // The real path of an existing file or folder; throws FileError when the
    // name is unsafe or nothing matches.
    std::filesystem::path Resolve(std::string_view name) const;
    // Where a file should be written: existing parts of the path are matched
    // as in Resolve, the rest is taken as spelt. Throws for unsafe names.
    std::filesystem::path ResolveForWrite(std::string_view name) const;
    bool Exists(std::string_view name) const;

    Bytes ReadAll(std::string_view name) const;
    // Reads exactly `size` bytes from the start; a shorter file is an error.
    Bytes ReadPrefix(std::string_view name, std::size_t size) const;
    // Writes to a temporary file beside the target and renames it over the
    // target, so a crash mid-save never leaves a torn file.
    void WriteAtomic(std::string_view name, const Bytes& data) const;
    void WriteAtomic(std::string_view name, std::string_view text) const;

private:
    std::filesystem::path root_;
};

// Splits a Windows-style relative name into its parts; throws FileError for
// absolute names, drive letters, empty names and ".." parts.
std::vector<std::string> SplitGamePath(std::string_view name);

}  // namespace kr
