#include "data/text_lines.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "engine/error.hpp"

namespace kr {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const char* blanks = " \t";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

bool IsControlByte(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

bool IsPlainName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '\\' || c == '/' || c == ':' || IsControlByte(c);
    });
}

std::string Printable(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string shown(text.substr(0, kShown));
    std::replace_if(shown.begin(), shown.end(), IsControlByte, '?');
    if (text.size() > kShown) shown += "...";
    return shown;
}

LineReader::LineReader(std::string fileName, Bytes data)
    : fileName_(std::move(fileName)), data_(std::move(data)) {}

LineReader LineReader::Open(const GameFolder& folder, const std::string& name) {
    return LineReader(name, folder.ReadAll(name));
}

std::string_view LineReader::Next() {
    if (AtEnd()) return {};
    const char* begin = reinterpret_cast<const char*>(data_.data()) + position_;
    std::string_view rest(begin, data_.size() - position_);
    std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    position_ += end == std::string_view::npos ? rest.size() : end + 1;
    ++nextLine_;
    if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

std::string_view LineReader::Require() {
    if (AtEnd()) {
        throw FileError(fileName_, "the file ends before line " + std::to_string(nextLine_));
    }
    return Next();
}

std::int32_t LineReader::RequireWholeNumber() {
    int lineNumber = nextLine_;
    std::string_view line = Require();
    std::string_view digits = TrimBlanks(line);
    if (digits.starts_with('+') && !digits.substr(1).starts_with('-')) digits.remove_prefix(1);
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw FileError(fileName_, "line " + std::to_string(lineNumber) +
                                       ": expected a whole number, found \"" +
                                       Printable(line) + "\"");
    }
    return value;
}

std::string_view LineReader::NextWord(int& lineNumber) {
    for (;;) {
        lineNumber = nextLine_;
        std::string_view line = TrimBlanks(Require());
        if (line.empty()) continue;
        return line.substr(0, line.find_first_of(" \t"));
    }
}

void LineReader::NotANumber(int lineNumber, std::string_view word, const char* kind) const {
    throw FileError(fileName_, "line " + std::to_string(lineNumber) + ": expected " + kind + ", found \"" +
                                   Printable(word) + "\"");
}

std::int32_t LineReader::ReadInteger() {
    int lineNumber = 0;
    std::string_view word = NextWord(lineNumber);
    std::string_view digits = word.starts_with('+') ? word.substr(1) : word;
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        NotANumber(lineNumber, word, "a whole number");
    return value;
}

double LineReader::ReadReal() {
    int lineNumber = 0;
    std::string_view word = NextWord(lineNumber);
    std::string_view digits = word.starts_with('+') ? word.substr(1) : word;
    double value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        NotANumber(lineNumber, word, "a number");
    return value;
}

}  // namespace kr
