#pragma once
// Language files: UTF-8 sources under content/lang become Windows-1250
// files with CR LF line ends under "Lang\".

#include <string>
#include <string_view>

#include "output_folder.hpp"

namespace kr::makedata {

// Converts a UTF-8 source text to the game's bytes; throws naming the file
// and line when a character has no Windows-1250 byte.
std::string ToGameText(std::string_view utf8, const std::string& sourceName);

void WriteLanguageFiles(OutputFolder& out, const Sources& sources);

}  // namespace kr::makedata
