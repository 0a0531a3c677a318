#include "app/launch_options.hpp"

#include <charconv>
#include <cmath>

#include "engine/error.hpp"

namespace kr {

namespace {

template <class T>
T ParseNumber(const std::string& option, const std::string& text) {
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw Error("option " + option + ": '" + text + "' is not a valid number");
    return value;
}

long ParsePositive(const std::string& option, const std::string& text) {
    long value = ParseNumber<long>(option, text);
    if (value < 1) throw Error("option " + option + ": must be 1 or more");
    return value;
}

void ParseScreenshot(LaunchOptions& options, const std::string& text) {
    auto colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size())
        throw Error("option --screenshot: expected N:FILE.png, got '" + text + "'");
    options.screenshots.push_back({ParsePositive("--screenshot", text.substr(0, colon)), text.substr(colon + 1)});
}

DirectMission ParseDirectMission(const std::string& text) {
    auto colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size())
        throw Error("option --mission: expected SLOT:MISSION, got '" + text + "'");
    DirectMission direct{static_cast<int>(ParsePositive("--mission", text.substr(0, colon))),
                         static_cast<int>(ParsePositive("--mission", text.substr(colon + 1)))};
    if (direct.slot > 5) throw Error("option --mission: the pilot slot must be 1..5");
    if (direct.mission > 256) throw Error("option --mission: the mission must be 1..256");
    return direct;
}

}  // namespace

LaunchOptions ParseLaunchOptions(const std::vector<std::string>& args) {
    LaunchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw Error("option " + arg + " needs a value");
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.showHelp = true;
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--game-dir") {
            options.gameDir = value();
        } else if (arg == "--frame-ms") {
            double ms = ParseNumber<double>(arg, value());
            if (!(ms > 0) || !std::isfinite(ms)) throw Error("option --frame-ms: must be above 0");
            options.frameMs = ms;
        } else if (arg == "--seed") {
            options.seed = ParseNumber<std::uint64_t>(arg, value());
        } else if (arg == "--input") {
            options.inputFile = value();
        } else if (arg == "--record") {
            options.recordFile = value();
        } else if (arg == "--frames") {
            options.frames = ParsePositive(arg, value());
        } else if (arg == "--screenshot") {
            ParseScreenshot(options, value());
        } else if (arg == "--mission") {
            options.mission = ParseDirectMission(value());
        } else if (arg == "--state-out") {
            options.stateOut = value();
        } else {
            throw Error("unknown option '" + arg + "' (see --help)");
        }
    }
    if (options.headless && !options.screenshots.empty())
        throw Error("--screenshot needs the windowed back-end; drop --headless");
    return options;
}

std::string LaunchHelpText() {
    return R"(Usage: kravellon [options]

  --game-dir DIR         the game folder (default: the folder of the executable)
  --headless             run without window, GPU or audio device
  --frame-ms MS          fixed frame time in milliseconds; it also drives the timers
  --seed N               seed the random generator with N instead of the clock
  --input FILE           replay input from FILE (see below)
  --record FILE          record the live input, with the real frame times, to FILE
  --frames N             exit 0 after N presented frames
  --screenshot N:FILE    save the N-th presented frame as a PNG (windowed back-end; repeatable)
  --mission S:M          once the main menu is reached, start mission M (1, 2, ...)
                         for the pilot in slot S (1..5)
  --state-out FILE       at exit, write the game state as JSON to FILE
  --help                 show this text

Input files are text, one command a line; '#' starts a comment:
  frame N              following lines apply from the start of presented frame N
  dt MS                frame time of this frame and the next ones
  key down|up CODE     scan code (Escape 1, Enter 28, Space 57, arrows 200/203/205/208)
  mouse X Y            absolute pointer position in layout pixels
  move DX DY           relative pointer motion
  button B down|up     B = 1..4
  wheel D
)";
}

}  // namespace kr
