// kravellon-viewer: shows a model file (".tvm" or ".tva") lit and turning,
// its animation playing, with its triangle and bone counts on screen.
//   kravellon-viewer FILE [--screenshot OUT.png] [--game-dir DIR]

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/engine.hpp"
#include "engine/error.hpp"
#include "engine/gl/gl_backend.hpp"

namespace {

struct Arguments {
    std::filesystem::path file;
    std::filesystem::path screenshot;
    std::filesystem::path gameDir;
};

Arguments Parse(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--screenshot" || arg == "--game-dir") && i + 1 < argc) {
            (arg == "--screenshot" ? args.screenshot : args.gameDir) = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && args.file.empty()) {
            args.file = arg;
        } else {
            throw std::runtime_error("usage: kravellon-viewer FILE [--screenshot OUT.png] [--game-dir DIR]");
        }
    }
    if (args.file.empty()) throw std::runtime_error("usage: kravellon-viewer FILE [--screenshot OUT.png] [--game-dir DIR]");
    if (args.gameDir.empty()) {
        std::error_code ec;
        args.gameDir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    }
    return args;
}

kr::Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw kr::FileError(path.string(), "cannot be opened");
    return kr::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Shown {
    kr::scene::ObjectRef object;
    bool animated = false;
    int bones = 0;
};

// Loads the file as an animated model when it has a skin or an animation.
Shown LoadModel(kr::scene::Scene& scene, const kr::Bytes& data, const std::string& name) {
    kr::scene::Actor actor = scene.CreateActor(name);
    actor.LoadData(data, name);
    Shown shown{actor, false, actor.BoneCount()};
    shown.animated = shown.bones > 0;
    return shown;
}

void LightAround(kr::scene::Scene& scene, float radius) {
    scene.SetAmbient({0.18f, 0.19f, 0.22f, 1});
    scene.CreateDirectionalLight("key", {0.4f, -1.0f, 0.6f}, {0.95f, 0.92f, 0.88f, 1});
    scene.CreatePointLight("rim", {-radius * 2, radius, -radius * 2}, {0.85f, 0.2f, 0.15f, 1}, radius * 6);
    scene.CreatePointLight("fill", {radius * 2, -radius, radius * 2}, {0.3f, 0.45f, 0.7f, 1}, radius * 6);
    int material = scene.CreateMaterial("viewer");
    scene.material(material).specular = {0.8f, 0.8f, 0.85f, 1};
    scene.material(material).power = 24;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Arguments args = Parse(argc, argv);
        kr::Bytes data = ReadFile(args.file);
        kr::gl::GlBackend backend("kravellon-viewer");
        kr::DriverOptions options;
        if (!args.screenshot.empty()) {
            options.fixedFrameMs = 16;
            options.screenshotFrame = 40;
            options.screenshotPath = args.screenshot;
            options.maxFrames = 40;
        }
        kr::Device device(backend, options);
        kr::GameFolder folder(args.gameDir);
        kr::Engine engine(device, folder);
        engine.InitDisplay(kr::DisplayMode{});
        int font = engine.CreateFont("Font16", "Astron Boy", 16, true);
        kr::scene::Scene& scene = engine.scene();
        scene.SetBackground({0.02f, 0.03f, 0.06f, 1});
        Shown shown = LoadModel(scene, data, args.file.filename().string());
        kr::model::Bounds bounds = shown.object.LocalBounds();
        glm::vec3 centre = (bounds.min + bounds.max) * 0.5f;
        float radius = std::max(glm::length(bounds.max - bounds.min) * 0.5f, 0.01f);
        LightAround(scene, radius);
        shown.object.SetLightingMode(4);
        shown.object.SetMaterial(scene.MaterialId("viewer"));
        scene.SetViewFrustum(45, radius * 20);
        scene.camera().nearPlane = radius * 0.02f;
        scene.SetCamera(centre + glm::vec3(-radius * 2.4f, radius * 1.1f, radius * 0.8f), centre);
        std::string info = args.file.filename().string() + "   " + std::to_string(shown.object.TriangleCount()) +
                           " triangles   " + std::to_string(shown.bones) + " bones";
        for (;;) {
            shown.object.RotateY(static_cast<float>(engine.FrameTimeMs() * 0.03));
            engine.Clear();
            scene.RenderAll();
            engine.BeginText();
            engine.DrawText(info, 16, 12, {0.9f, 0.9f, 0.95f, 1}, font);
            engine.EndText();
            engine.Present();
        }
    } catch (const kr::StopRequested& stop) {
        return stop.exitCode;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kravellon-viewer: %s\n", error.what());
        return 1;
    }
}
