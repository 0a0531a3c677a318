// Help page texts: parsing the hand-written sources and laying out the
// game's page files.

#include <string>

#include "engine/error.hpp"
#include "engine/text/cp1250.hpp"
#include "help_credits/help_credits.hpp"

namespace kr::makedata {
namespace {

constexpr std::size_t kTitleLength = 20, kSubtitleLength = 40, kBodyLength = 55, kBodyLines = 7;

struct SourceLine {
    std::string text;
    int number;
};

std::vector<SourceLine> SplitLines(std::string_view utf8) {
    std::vector<SourceLine> lines;
    std::size_t pos = 0;
    int number = 0;
    while (pos < utf8.size()) {
        std::size_t end = utf8.find('\n', pos);
        if (end == std::string_view::npos) end = utf8.size();
        std::string_view line = utf8.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back({std::string(line), ++number});
        pos = end + 1;
    }
    return lines;
}

// The line's length in game characters (one byte each once converted).
std::string Checked(const SourceLine& line, std::size_t maxLength, const char* what, const std::string& sourceName) {
    std::string game;
    try {
        game = text::Utf8ToCp1250(line.text);
    } catch (const Error& error) {
        throw FileError(sourceName, "line " + std::to_string(line.number) + ": " + error.what());
    }
    if (game.size() > maxLength) {
        throw FileError(sourceName, "line " + std::to_string(line.number) + ": " + what + " has " +
                                        std::to_string(game.size()) + " characters, at most " +
                                        std::to_string(maxLength) + " fit");
    }
    if (line.text.rfind("# page", 0) == 0) {
        throw FileError(sourceName, "line " + std::to_string(line.number) + ": page ends before its " + what);
    }
    return line.text;
}

}  // namespace

std::vector<HelpPageText> ParseHelpSource(std::string_view utf8, const std::string& sourceName) {
    const std::vector<SourceLine> lines = SplitLines(utf8);
    std::vector<HelpPageText> pages;
    std::size_t i = 0;
    while (i < lines.size() && lines[i].text.rfind("# page", 0) != 0) ++i;
    while (i < lines.size()) {
        const std::string expected = "# page " + std::to_string(pages.size() + 1);
        if (lines[i].text != expected) {
            throw FileError(sourceName, "line " + std::to_string(lines[i].number) + ": expected \"" + expected + "\"");
        }
        if (i + 3 + kBodyLines > lines.size()) {
            throw FileError(sourceName, "line " + std::to_string(lines[i].number) + ": page " +
                                            std::to_string(pages.size() + 1) + " has fewer than 9 lines");
        }
        HelpPageText page;
        page.title = Checked(lines[i + 1], kTitleLength, "title", sourceName);
        page.subtitle = Checked(lines[i + 2], kSubtitleLength, "subtitle", sourceName);
        for (std::size_t b = 0; b < kBodyLines; ++b)
            page.body.push_back(Checked(lines[i + 3 + b], kBodyLength, "body line", sourceName));
        pages.push_back(std::move(page));
        i += 3 + kBodyLines;
        while (i < lines.size() && lines[i].text.empty()) ++i;
    }
    return pages;
}

std::string HelpPageFile(const HelpPageText& page, int number) {
    std::string text = "KRAVELLON help page " + std::to_string(number) + "\n";
    text += page.title + "\n# subtitle\n" + page.subtitle + "\n# text\n";
    for (const std::string& line : page.body) text += line + "\n";
    return text;
}

}  // namespace kr::makedata
