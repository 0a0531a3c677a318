#include "data/language.hpp"

#include <algorithm>
#include <utility>

#include "data/text_lines.hpp"
#include "engine/error.hpp"

namespace kr {

namespace {

// The name of a file in the language folder; `folder` is spelt as the game
// spells it ("Lang" for most, "lang" for the shop).
std::string LanguagePath(std::string_view folder, std::string_view language,
                         std::string_view suffix) {
    std::string name = std::string(folder) + "\\" + std::string(language) + std::string(suffix);
    if (!IsPlainName(language)) {
        throw FileError(Printable(name), "the language name must be a plain name, without folders");
    }
    return name;
}

}  // namespace

std::string LanguageFileName(std::string_view language) {
    return LanguagePath("Lang", language, ".dat");
}

std::string ShopTextFileName(std::string_view language) {
    return LanguagePath("lang", language, "_shop.dat");
}

std::string HelpPageFileName(std::string_view language, int page) {
    return LanguagePath("Lang", language, "_h" + std::to_string(page) + ".dat");
}

std::string MissionTextFileName(std::string_view language, int mission) {
    return LanguagePath("Lang", language, "_m" + std::to_string(mission) + ".dat");
}

std::string HelpPagePicture(int page) {
    return "Graphics\\Help\\" + std::to_string(page) + ".bmp";
}

std::string MissionPicture(int currentMission) {
    return "graphics\\loa" + std::to_string(std::int64_t{currentMission} + 1) + ".dds";
}

void LoadLanguage(const GameFolder& folder, std::string_view language, LangText& texts) {
    LineReader lines = LineReader::Open(folder, LanguageFileName(language));
    lines.Skip();  // header
    int n = 1;
    do {
        lines.Skip();  // label
        texts[n].Assign(lines.Next());
        ++n;
    } while (!lines.AtEnd() && n <= kLangTextCount);
}

void LoadShopText(const GameFolder& folder, std::string_view language, std::uint8_t item,
                  ShopText& shop) {
    LineReader lines = LineReader::Open(folder, ShopTextFileName(language));
    lines.Skip();  // header
    shop.ShopTextItem = item;
    for (int group = 1; group <= item; ++group) {
        lines.Skip();  // label
        shop.Name.Assign(lines.Next());
        for (auto& line : shop.Lines) line.Assign(lines.Next());
    }
}

std::string LoadHelpPage(const GameFolder& folder, std::string_view language, int page,
                         HelpPage& help) {
    LineReader lines = LineReader::Open(folder, HelpPageFileName(language, page));
    HelpPage loaded = help;
    loaded.HelpPageLoaded = 1;
    lines.SkipRequired();
    loaded.Title.Assign(lines.Require());
    lines.SkipRequired();
    loaded.Subtitle.Assign(lines.Require());
    lines.SkipRequired();
    for (auto& line : loaded.Body) line.Assign(lines.Require());
    help = loaded;
    return HelpPagePicture(page);
}

std::string LoadMissionText(const GameFolder& folder, std::string_view language, int mission,
                            int currentMission, MissionText& briefing) {
    LineReader lines = LineReader::Open(folder, MissionTextFileName(language, mission));
    MissionText loaded = briefing;
    lines.SkipRequired();
    loaded.MissionName.Assign(lines.Require());
    for (auto& line : loaded.BriefingLines) {
        lines.SkipRequired();
        line.Assign(lines.Require());
    }
    lines.SkipRequired();
    loaded.SpawnMinutes = lines.RequireWholeNumber();
    lines.SkipRequired();
    loaded.RequiredPercent = lines.RequireWholeNumber();
    lines.SkipRequired();
    loaded.MapFolder = std::string(lines.Require());
    briefing = std::move(loaded);
    return MissionPicture(currentMission);
}

}  // namespace kr
