#pragma once
// The game's texts, read from the language folder: the main table of numbered
// texts, shop item descriptions, help pages and mission briefings. Every file
// name starts with the language name (e.g. "english"). Texts are kept as the
// bytes of the file; longer lines are cut to each field's capacity.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/one_based_array.hpp"
#include "data/pascal_string.hpp"
#include "engine/game_folder.hpp"

namespace kr {

inline constexpr int kLangTextCount = 120;

// The main table: texts 1 to 120 of up to 60 characters each.
using LangText = OneBasedArray<PascalString<60>, kLangTextCount>;

// One shop item's description and the number of the item it belongs to.
struct ShopText {
    PascalString<20> Name;
    OneBasedArray<PascalString<40>, 3> Lines;
    std::uint8_t ShopTextItem = 0;
};

// One help page; HelpPageLoaded is set by every load and cleared by the help
// screen when the page changes.
struct HelpPage {
    PascalString<20> Title;
    PascalString<40> Subtitle;
    OneBasedArray<PascalString<55>, 7> Body;
    std::uint8_t HelpPageLoaded = 0;
};

// One mission briefing.
struct MissionText {
    PascalString<40> MissionName;
    OneBasedArray<PascalString<150>, 8> BriefingLines;
    std::int32_t SpawnMinutes = 0;     // minutes of enemy waves
    std::int32_t RequiredPercent = 0;  // kill percentage that wins the mission
    std::string MapFolder;             // map folder under "models\", any length
};

// File names in the game folder. A language name that is empty or holds a
// folder separator, ':' or a control byte raises kr::FileError.
std::string LanguageFileName(std::string_view language);
std::string ShopTextFileName(std::string_view language);
std::string HelpPageFileName(std::string_view language, int page);
std::string MissionTextFileName(std::string_view language, int mission);
// The pictures that go with a help page and with the current mission.
std::string HelpPagePicture(int page);
std::string MissionPicture(int currentMission);

// Fills `texts` from the main file: a header line, then a label line and a
// text line per entry. Entries past the end of the file keep what they held;
// lines past entry 120 are ignored. A file that ends early is no error.
void LoadLanguage(const GameFolder& folder, std::string_view language, LangText& texts);

// Reads the description of shop item `item` (groups of label, name and three
// lines follow a header line). Item 0 reads nothing and keeps the previous
// description; a file that ends early gives empty texts.
void LoadShopText(const GameFolder& folder, std::string_view language, std::uint8_t item,
                  ShopText& shop);

// Reads help page `page` and returns the game path of its picture, which the
// caller loads as the texture "help_tex". A file that ends before line 12 is
// an error; `help` is then left as it was.
std::string LoadHelpPage(const GameFolder& folder, std::string_view language, int page,
                         HelpPage& help);

// Reads the briefing of mission `mission` (1-based) and returns the game path
// of the picture of `currentMission` (0-based), which the caller loads as the
// texture "loa1". A file that ends before line 24, or a non-number where a
// number belongs, is an error; `briefing` is then left as it was.
std::string LoadMissionText(const GameFolder& folder, std::string_view language, int mission,
                            int currentMission, MissionText& briefing);

}  // namespace kr
