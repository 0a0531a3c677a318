#include "engine/input_script.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

#include "engine/error.hpp"
#include "engine/overloaded.hpp"

namespace kr {

namespace {

class LineParser {
public:
    LineParser(const std::string& file, int lineNo, std::string_view line)
        : file_(file), lineNo_(lineNo), stream_(std::string(line)) {}

    std::string Word() {
        std::string word;
        if (!(stream_ >> word)) Fail("missing value");
        return word;
    }
    long Integer(long low, long high) {
        std::string word = Word();
        long value = 0;
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (ec != std::errc() || end != word.data() + word.size()) Fail("'" + word + "' is not a whole number");
        if (value < low || value > high)
            Fail(word + " is out of range " + std::to_string(low) + ".." + std::to_string(high));
        return value;
    }
    double Number() {
        std::string word = Word();
        double value = 0;
        auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(value) || value < 0)
            Fail("'" + word + "' is not a frame time in milliseconds");
        return value;
    }
    bool UpDown() {
        std::string word = Word();
        if (word == "down") return true;
        if (word == "up") return false;
        Fail("expected 'down' or 'up', found '" + word + "'");
    }
    void End() {
        std::string rest;
        if (stream_ >> rest) Fail("unexpected '" + rest + "'");
    }
    [[noreturn]] void Fail(const std::string& what) {
        throw FileError(file_, "line " + std::to_string(lineNo_) + ": " + what);
    }

private:
    const std::string& file_;
    int lineNo_;
    std::istringstream stream_;
};

constexpr long kMaxCoordinate = 1000000;

}  // namespace

InputScript InputScript::Parse(std::string_view text, const std::string& fileName) {
    InputScript script;
    ScriptFrame current;
    current.frame = 1;
    auto flush = [&] {
        if (current.dt || !current.events.empty()) script.frames_.push_back(current);
    };
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        LineParser p(fileName, lineNo, line);
        std::istringstream probe{std::string(line)};
        std::string command;
        if (!(probe >> command)) continue;
        p.Word();
        if (command == "frame") {
            long frame = p.Integer(1, 1L << 40);
            if (frame < current.frame) p.Fail("frame numbers must not go back");
            if (frame != current.frame) {
                flush();
                current = ScriptFrame{frame, std::nullopt, {}};
            }
        } else if (command == "dt") {
            current.dt = p.Number();
        } else if (command == "key") {
            bool down = p.UpDown();
            current.events.push_back(KeyEvent{static_cast<int>(p.Integer(1, kScanCodeCount - 1)), down});
        } else if (command == "mouse") {
            int x = static_cast<int>(p.Integer(-kMaxCoordinate, kMaxCoordinate));
            int y = static_cast<int>(p.Integer(-kMaxCoordinate, kMaxCoordinate));
            current.events.push_back(MouseMoveEvent{x, y});
        } else if (command == "move") {
            int dx = static_cast<int>(p.Integer(-kMaxCoordinate, kMaxCoordinate));
            int dy = static_cast<int>(p.Integer(-kMaxCoordinate, kMaxCoordinate));
            current.events.push_back(MouseMotionEvent{dx, dy});
        } else if (command == "button") {
            int button = static_cast<int>(p.Integer(1, kMouseButtonCount));
            current.events.push_back(MouseButtonEvent{button, p.UpDown()});
        } else if (command == "wheel") {
            current.events.push_back(WheelEvent{static_cast<int>(p.Integer(-kMaxCoordinate, kMaxCoordinate))});
        } else {
            p.Fail("unknown command '" + command + "'");
        }
        p.End();
    }
    flush();
    return script;
}

InputScript InputScript::Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(path.string(), "the input file cannot be opened");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Parse(text, path.string());
}

const ScriptFrame* InputScript::At(long frame) const {
    auto it = std::lower_bound(frames_.begin(), frames_.end(), frame,
                               [](const ScriptFrame& f, long n) { return f.frame < n; });
    return it != frames_.end() && it->frame == frame ? &*it : nullptr;
}

std::string FormatEvent(const InputEvent& event) {
    auto updown = [](bool down) { return down ? "down" : "up"; };
    return std::visit(
        Overloaded{
            [&](const KeyEvent& e) { return std::string("key ") + updown(e.down) + " " + std::to_string(e.code); },
            [](const MouseMoveEvent& e) { return "mouse " + std::to_string(e.x) + " " + std::to_string(e.y); },
            [](const MouseMotionEvent& e) { return "move " + std::to_string(e.dx) + " " + std::to_string(e.dy); },
            [&](const MouseButtonEvent& e) {
                return "button " + std::to_string(e.button) + " " + updown(e.down);
            },
            [](const WheelEvent& e) { return "wheel " + std::to_string(e.delta); },
        },
        event);
}

std::string FormatFrameTime(double ms) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, ms);  // shortest exact form
    return std::string(buffer, ec == std::errc() ? end : buffer);
}

InputRecorder::InputRecorder(const std::filesystem::path& path) {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) throw FileError(path.string(), "the record file cannot be created");
    std::fputs("# KRAVELLON input recording\n", file_);
}

InputRecorder::~InputRecorder() {
    if (file_) std::fclose(file_);
}

void InputRecorder::Record(long frame, double dt, const std::vector<InputEvent>& events) {
    bool dtChanged = !lastDt_ || *lastDt_ != dt;
    if (!dtChanged && events.empty()) return;
    std::string text = "frame " + std::to_string(frame) + "\n";
    if (dtChanged) text += "dt " + FormatFrameTime(dt) + "\n";
    for (const auto& event : events) text += FormatEvent(event) + "\n";
    std::fputs(text.c_str(), file_);
    std::fflush(file_);
    lastDt_ = dt;
}

}  // namespace kr
