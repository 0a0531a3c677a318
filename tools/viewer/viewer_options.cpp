#include "viewer_options.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace kr::viewer {

namespace {

std::runtime_error UsageError(const std::string& why) { return std::runtime_error(why + "\n" + ViewerUsage()); }

// Comma-separated finite numbers, exactly `count` of them.
std::vector<float> Numbers(const std::string& option, const std::string& text, std::size_t count) {
    std::vector<float> values;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        float value = 0.0f;
        auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (item.empty() || error != std::errc() || end != item.data() + item.size() || !std::isfinite(value))
            throw UsageError(option + " takes numbers, not \"" + text + "\"");
        values.push_back(value);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (values.size() != count)
        throw UsageError(option + " takes " + std::to_string(count) + " numbers separated by commas, not \"" + text +
                         "\"");
    return values;
}

glm::vec3 Vector(const std::string& option, const std::string& text) {
    std::vector<float> v = Numbers(option, text, 3);
    return {v[0], v[1], v[2]};
}

glm::vec3 ScaleOf(const std::string& text) {
    if (text.find(',') == std::string::npos) return glm::vec3(Numbers("--scale", text, 1)[0]);
    return Vector("--scale", text);
}

void ReadSphere(ShownFile& file, const std::string& text) {
    std::vector<float> v = Numbers("--sphere", text, text.find(',') == std::string::npos ? 1 : 3);
    if (v[0] <= 0.0f) throw UsageError("--sphere needs a radius above 0");
    file.sphereRadius = v[0];
    if (v.size() == 3) {
        if (v[1] < 3 || v[2] < 2 || v[1] > 256 || v[2] > 256 || v[1] != std::floor(v[1]) || v[2] != std::floor(v[2]))
            throw UsageError("--sphere needs 3 to 256 whole slices and 2 to 256 whole stacks");
        file.sphereSlices = static_cast<int>(v[1]);
        file.sphereStacks = static_cast<int>(v[2]);
    }
}

float UnitInterval(const std::string& option, const std::string& text) {
    float value = Numbers(option, text, 1)[0];
    if (value < 0.0f || value > 1.0f) throw UsageError(option + " takes a number from 0 to 1");
    return value;
}

bool IsPlacementOption(const std::string& arg) {
    return arg == "--position" || arg == "--rotation" || arg == "--scale" || arg == "--sphere";
}

bool TakesValue(const std::string& arg) {
    return IsPlacementOption(arg) || arg == "--camera" || arg == "--look-at" || arg == "--lights" ||
           arg == "--pulse" || arg == "--turn" || arg == "--screenshot" || arg == "--frame" || arg == "--game-dir";
}

// Placement options name the file given last before them; given before
// every file they wait for the first one.
struct PendingPlacement {
    std::vector<std::pair<std::string, std::string>> options;
};

void ApplyPlacement(ShownFile& file, const std::string& arg, const std::string& value) {
    if (arg == "--position") file.position = Vector(arg, value);
    if (arg == "--rotation") file.rotation = Vector(arg, value);
    if (arg == "--scale") file.scale = ScaleOf(value);
    if (arg == "--sphere") ReadSphere(file, value);
    if (arg != "--sphere") file.placed = true;
}

void ApplyGlobal(ViewerOptions& options, const std::string& arg, const std::string& value) {
    if (arg == "--camera") options.camera = Vector(arg, value);
    if (arg == "--look-at") options.lookAt = Vector(arg, value);
    if (arg == "--pulse") options.pulse = UnitInterval(arg, value);
    if (arg == "--turn") options.turnDegreesPerSecond = Numbers(arg, value, 1)[0];
    if (arg == "--screenshot") options.screenshot = value;
    if (arg == "--game-dir") options.gameDir = value;
    if (arg == "--frame") {
        float frame = Numbers(arg, value, 1)[0];
        if (frame < 1 || frame > 100000 || frame != std::floor(frame))
            throw UsageError("--frame takes a whole number from 1 to 100000");
        options.screenshotFrame = static_cast<long>(frame);
    }
    if (arg == "--lights") {
        if (value == "menu") options.lights = LightSet::Menu;
        else if (value == "viewer") options.lights = LightSet::Viewer;
        else throw UsageError("--lights takes \"menu\" or \"viewer\", not \"" + value + "\"");
    }
}

bool ApplyFlag(ViewerOptions& options, const std::string& arg) {
    if (arg == "--no-turn") options.turn = false;
    else if (arg == "--glow") options.glow = true;
    else if (arg == "--per-vertex") options.perVertex = true;
    else if (arg == "--alpha-blend") options.alphaBlend = true;
    else if (arg == "--help" || arg == "-h") options.help = true;
    else return false;
    return true;
}

}  // namespace

ViewerOptions ParseViewerOptions(const std::vector<std::string>& arguments) {
    ViewerOptions options;
    PendingPlacement pending;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (ApplyFlag(options, arg)) continue;
        if (TakesValue(arg)) {
            if (i + 1 >= arguments.size()) throw UsageError(arg + " needs a value");
            const std::string& value = arguments[++i];
            if (!IsPlacementOption(arg)) ApplyGlobal(options, arg, value);
            else if (options.files.empty()) pending.options.emplace_back(arg, value);
            else ApplyPlacement(options.files.back(), arg, value);
            continue;
        }
        if (arg.empty() || arg[0] == '-') throw UsageError("unknown option \"" + arg + "\"");
        options.files.push_back(ShownFile{arg});
        if (options.files.size() == 1)
            for (const auto& [option, value] : pending.options) ApplyPlacement(options.files.front(), option, value);
    }
    if (options.help) return options;
    if (options.files.empty()) throw UsageError("no file to show");
    return options;
}

bool IsPictureFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".dds" || extension == ".bmp" || extension == ".png" || extension == ".jpg" ||
           extension == ".jpeg";
}

std::string ViewerUsage() {
    return "usage: kravellon-viewer FILE [placement] [FILE [placement]...] [--camera X,Y,Z --look-at X,Y,Z] "
           "[--lights viewer|menu] [--screenshot OUT.png] [--game-dir DIR]   (--help for every option)";
}

std::string ViewerHelp() {
    return ViewerUsage() + R"(

Shows model files (".tvm" static mesh, ".tva" animated model: glTF 2.0 binary)
lit and turning, their animation playing, with triangle and bone counts on
screen. A picture file (".dds", ".bmp", ".png", ".jpg") is shown unlit on a
sphere made like the game's spheres, drawn from both sides.

Placement, for the FILE named last before it (before every FILE: the first):
  --position X,Y,Z       where the object stands (default 0,0,0)
  --rotation X,Y,Z       degrees about x, y and z, composed as the game composes
                         them (yaw about y, then pitch about x, then roll about z)
  --scale S | X,Y,Z      scale on all axes, or per axis (default 1)
  --sphere R[,SL,ST]     picture files: sphere radius, slices and stacks
                         (default 100,8,8)

View:
  --camera X,Y,Z         place the camera there (the game's menu: 0,150,0); the
                         view then uses the game's frustum (45 degrees, far 8000)
  --look-at X,Y,Z        the point the camera looks at (default 0,0,0; the
                         game's menu: 20,0,0)
                         Without --camera the camera frames every object.
  --no-turn              keep every object still
  --turn DEG             degrees per second the first FILE turns about y
                         (default 30; the main menu turns its backdrop by 4)
  --lights viewer|menu   viewer (default): key, rim and fill lights;
                         menu: the game's menu scene: "menulight2" at 200,100,10
                         colour 0.6,0.6,0.7 and the red "menulight" at
                         250,-100,-10, both range 3000, material "std" (ambient
                         0.08, diffuse 1, emissive 0, specular 1) on every model
  --pulse P              strength 0..1 of the red "menulight" (default 1)
  --glow                 add the game's glow pass (the frame blurred and added
                         at 0.8), as with the glow setting on
  --per-vertex           light per vertex (the game's low lighting setting)
                         instead of per pixel
  --alpha-blend          draw pictures with alpha blending

Output:
  --screenshot OUT.png   save a frame as PNG and exit
  --frame N              the frame to save (default 40; frames are 16 ms apart)
  --game-dir DIR         the game folder, for the fonts (default: the viewer's
                         own folder)
)";
}

}  // namespace kr::viewer
