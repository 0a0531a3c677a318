#pragma once
// Line-by-line reading of the game's text files. A line ends with LF, with or
// without a CR before it; a last line without an end still counts. Bytes are
// handed out as they are, with no code-page conversion.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/game_folder.hpp"

namespace kr {

class LineReader {
public:
    LineReader(std::string fileName, Bytes data);
    // Reads the whole file `name` of the game folder; a missing file raises
    // kr::FileError.
    static LineReader Open(const GameFolder& folder, const std::string& name);

    bool AtEnd() const { return position_ >= data_.size(); }
    // 1-based number of the line the next read returns.
    int NextLineNumber() const { return nextLine_; }
    const std::string& FileName() const { return fileName_; }

    // The next line without its end; an empty line once the file is used up.
    std::string_view Next();
    // The next line; the end of the file is an error naming the file and line.
    std::string_view Require();
    // Next() or Require() for a line whose contents do not matter.
    void Skip() { Next(); }
    void SkipRequired() { Require(); }
    // The next line as a decimal whole number (blanks around it allowed);
    // anything else is an error naming the file and line.
    std::int32_t RequireWholeNumber();
    // A number the way the mission files hold them: blank lines and blanks
    // before it are passed over, the number must end at a blank or the line
    // end, and the rest of its line is skipped. Anything else, or the end of
    // the file, is an error naming the file and line.
    std::int32_t ReadInteger();
    double ReadReal();

private:
    // The first blank-separated word of the next line that is not blank; the
    // rest of that line is skipped. `lineNumber` receives its line.
    std::string_view NextWord(int& lineNumber);
    [[noreturn]] void NotANumber(int lineNumber, std::string_view word, const char* kind) const;

    std::string fileName_;
    Bytes data_;
    std::size_t position_ = 0;
    int nextLine_ = 1;
};

// Control bytes (below 0x20, and 0x7F) have no place in names.
bool IsControlByte(char c);
// A name that stays inside its folder: not empty, not "." or "..", without
// separators, ':' or control bytes.
bool IsPlainName(std::string_view name);
// `text` made fit for an error message: control bytes become '?', and a long
// text is cut.
std::string Printable(std::string_view text);

}  // namespace kr
