// Writes the help pages with their banners and the credits strips.

#include "help_credits/help_credits.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <iterator>
#include <thread>

#include "engine/error.hpp"
#include "engine/fonts.hpp"
#include "toolkit/parallel.hpp"
#include "help_credits/banner_art.hpp"
#include "language_files.hpp"

namespace kr::makedata {
namespace {

const char* const kLanguages[] = {"english", "polish"};

void WriteHelpPages(OutputFolder& out, const Sources& sources, const std::string& language) {
    const std::filesystem::path path = sources.content / "help" / (language + ".txt");
    const Bytes source = ReadSourceFile(path);
    const std::string_view utf8(reinterpret_cast<const char*>(source.data()), source.size());
    const std::vector<HelpPageText> pages = ParseHelpSource(utf8, path.string());
    if (pages.size() != static_cast<std::size_t>(kHelpPageCount)) {
        throw FileError(path.string(), "has " + std::to_string(pages.size()) + " pages, the game shows " +
                                           std::to_string(kHelpPageCount));
    }
    for (int n = 1; n <= kHelpPageCount; ++n) {
        const std::string text = ToGameText(HelpPageFile(pages[n - 1], n), path.string());
        out.Write("Lang\\" + language + "_h" + std::to_string(n) + ".dat", text);
    }
}

}  // namespace

void WriteHelpAndCredits(OutputFolder& out, const Sources& sources) {
    for (const char* language : kLanguages) WriteHelpPages(out, sources, language);
    const GameFolder folder(out.root());
    const PictureFonts fonts{folder.ReadAll(FontFileFor("Astron Boy", true)), folder.ReadAll(FontFileFor("Arial", true))};
    // The credits strips first: they are the largest, so the banners fill
    // the other workers meanwhile.
    const int count = static_cast<int>(std::size(kLanguages)) + kHelpPageCount;
    std::vector<MenuPicture> pictures(count);
    std::vector<Bytes> files(count);
    ParallelFor(static_cast<std::size_t>(count), [&](std::size_t i) {
        pictures[i] = i < 2 ? help::CreditsStrip(kLanguages[i], fonts) : help::HelpBanner(static_cast<int>(i) - 1, folder);
        files[i] = EncodeMenuPicture(pictures[i]);
    });
    for (int i = 0; i < count; ++i) out.Write(pictures[i].file, files[i]);
}

}  // namespace kr::makedata
