#include "language_files.hpp"

#include <algorithm>
#include <vector>

#include "engine/error.hpp"
#include "engine/text/cp1250.hpp"

namespace kr::makedata {

std::string ToGameText(std::string_view utf8, const std::string& sourceName) {
    std::string result;
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t end = utf8.find('\n', pos);
        if (end == std::string_view::npos) end = utf8.size();
        std::string_view line = utf8.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNo;
        try {
            result += text::Utf8ToCp1250(line);
        } catch (const Error& error) {
            throw FileError(sourceName, "line " + std::to_string(lineNo) + ": " + error.what());
        }
        result += "\r\n";
        pos = end + 1;
    }
    return result;
}

void WriteLanguageFiles(OutputFolder& out, const Sources& sources) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(sources.content / "lang")) {
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        Bytes source = ReadSourceFile(path);
        std::string text = ToGameText(std::string_view(reinterpret_cast<const char*>(source.data()), source.size()),
                                      path.string());
        out.Write("Lang\\" + path.stem().string() + ".dat", text);
    }
}

}  // namespace kr::makedata
