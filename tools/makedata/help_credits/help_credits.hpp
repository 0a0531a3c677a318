#pragma once
// The help pages ("Lang\<language>_h<n>.dat" with their banner pictures
// "Graphics\Help\<n>.bmp") and the scrolling credits pictures
// "graphics\cr_<language>.bmp".

#include <string>
#include <string_view>
#include <vector>

#include "output_folder.hpp"

namespace kr::makedata {

inline constexpr int kHelpPageCount = 22;

// One help page as written in content/help/<language>.txt (UTF-8).
struct HelpPageText {
    std::string title;     // at most 20 characters
    std::string subtitle;  // at most 40
    std::vector<std::string> body;  // exactly 7 lines of at most 55
};

// Reads "# page N" sections (N = 1, 2, ... in order) from a help source;
// lines before the first section are a header for translators. Throws
// naming `sourceName` and the line for a missing, misnumbered, short or
// too long entry.
std::vector<HelpPageText> ParseHelpSource(std::string_view utf8, const std::string& sourceName);

// The page file's text in UTF-8, laid out the way the game reads it:
// header, title, label, subtitle, label, seven body lines.
std::string HelpPageFile(const HelpPageText& page, int number);

void WriteHelpAndCredits(OutputFolder& out, const Sources& sources);

}  // namespace kr::makedata
