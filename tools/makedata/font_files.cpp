#include "font_files.hpp"

#include <array>
#include <utility>

#include "engine/fonts.hpp"

namespace kr::makedata {

void WriteFontFiles(OutputFolder& out, const Sources& sources) {
    struct Source {
        const char* family;
        bool bold;
        const char* file;
    };
    static constexpr std::array<Source, 4> kFonts = {{
        {"Astron Boy", false, "play/Play-Regular.ttf"},
        {"Astron Boy", true, "play/Play-Bold.ttf"},
        {"Arial", false, "liberation2/LiberationSans-Regular.ttf"},
        {"Arial", true, "liberation2/LiberationSans-Bold.ttf"},
    }};
    for (const auto& font : kFonts) {
        out.Write(FontFileFor(font.family, font.bold), ReadSourceFile(sources.fonts / font.file));
    }
}

}  // namespace kr::makedata
