#pragma once
// Command line of kravellon-viewer: the files to show, where each stands,
// the camera, the lights and the screenshot.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace kr::viewer {

// One file to show and its placement in the world.
struct ShownFile {
    std::filesystem::path path;
    glm::vec3 position{0.0f};
    glm::vec3 rotation{0.0f};  // degrees about x, y, z, composed like the game's objects
    glm::vec3 scale{1.0f};
    bool placed = false;       // a placement option was given for it
    // Pictures are shown on a sphere of this radius and these segments.
    float sphereRadius = 100.0f;
    int sphereSlices = 8;
    int sphereStacks = 8;
};

enum class LightSet {
    Viewer,  // a key, a rim and a fill light: shows the shape from every side
    Menu,    // the lights and material of the game's menu scene
};

struct ViewerOptions {
    std::vector<ShownFile> files;
    std::optional<glm::vec3> camera;
    glm::vec3 lookAt{0.0f};
    bool turn = true;
    float turnDegreesPerSecond = 30.0f;
    LightSet lights = LightSet::Viewer;
    float pulse = 1.0f;  // strength of the menu's red light, 0..1
    bool glow = false;
    bool perVertex = false;
    bool alphaBlend = false;
    std::filesystem::path screenshot;
    long screenshotFrame = 40;
    std::filesystem::path gameDir;
    bool help = false;
};

// Throws std::runtime_error with the reason and the usage line for anything
// it cannot read.
ViewerOptions ParseViewerOptions(const std::vector<std::string>& arguments);

std::string ViewerUsage();
std::string ViewerHelp();

// Pictures (".dds", ".bmp", ".png", ".jpg") are shown on a sphere; anything
// else is read as a model.
bool IsPictureFile(const std::filesystem::path& path);

}  // namespace kr::viewer
