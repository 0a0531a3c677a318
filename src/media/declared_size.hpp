#pragma once
// Sound files whose header states the whole file's size (RIFF/WAVE, ASF):
// a file cut short is refused before decoding, since the decoders would
// otherwise play the part that is left without complaint.

#include <filesystem>
#include <optional>
#include <string>

#include "engine/game_folder.hpp"

namespace kr::media {

// The file size a header declares; nullopt for other kinds of file or a
// header that leaves the size open (streamed recordings).
std::optional<std::uint64_t> DeclaredFileSize(const Bytes& header);

// Throws FileError naming `name` when the file is shorter than its header says.
void CheckNotTruncated(const std::filesystem::path& path, const std::string& name);

}  // namespace kr::media
