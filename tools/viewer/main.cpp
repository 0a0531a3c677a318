// kravellon-viewer: shows model files (".tvm" or ".tva") lit and turning,
// their animations playing, with triangle and bone counts on screen; a
// picture file is shown on a sphere. Objects, camera and lights can be
// placed exactly as the game places them (see --help).

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "engine/engine.hpp"
#include "engine/error.hpp"
#include "engine/gl/gl_backend.hpp"
#include "engine/image/image.hpp"
#include "viewer_options.hpp"

namespace {

using kr::viewer::LightSet;
using kr::viewer::ShownFile;
using kr::viewer::ViewerOptions;

kr::Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw kr::FileError(path.string(), "cannot be opened");
    return kr::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Shown {
    kr::scene::ObjectRef object;
    std::string name;
    bool picture = false;
    int bones = 0;
};

// Any model file loads as an actor: its animation plays when it has one.
Shown LoadModel(kr::scene::Scene& scene, const kr::Bytes& data, const std::string& name) {
    kr::scene::Actor actor = scene.CreateActor(name);
    actor.LoadData(data, name);
    return Shown{actor, name, false, actor.BoneCount()};
}

// A picture on a sphere made as the game makes its spheres, unlit.
Shown LoadPicture(kr::Engine& engine, const kr::Bytes& data, const ShownFile& file, bool alphaBlend) {
    const std::string name = file.path.filename().string();
    kr::image::MipChain picture = kr::image::DecodeImage(data, file.path.string());
    int texture = engine.textures().Add(name, picture);
    kr::scene::Mesh sphere = engine.scene().CreateMesh(name);
    sphere.MakeSphere(file.sphereRadius, file.sphereSlices, file.sphereStacks);
    sphere.SetTexture(texture);
    sphere.SetLightingMode(1);
    sphere.SetDoubleSided(true);
    sphere.SetAlphaBlend(alphaBlend);
    return Shown{sphere, name, true, 0};
}

void Place(kr::scene::ObjectRef& object, const ShownFile& file) {
    object.SetPosition(file.position);
    object.SetRotation(file.rotation);
    object.SetScale(file.scale);
}

struct Sphere {
    glm::vec3 centre{0.0f};
    float radius = 0.01f;
};

// What the automatic camera frames: the placed bounds of every model.
Sphere Framed(const std::vector<Shown>& shown) {
    glm::vec3 low(std::numeric_limits<float>::max());
    glm::vec3 high(-std::numeric_limits<float>::max());
    for (const Shown& s : shown) {
        kr::model::Bounds b = s.object.LocalBounds();
        glm::mat4 world = s.object.WorldMatrix();
        for (int corner = 0; corner < 8; ++corner) {
            glm::vec3 local((corner & 1) ? b.max.x : b.min.x, (corner & 2) ? b.max.y : b.min.y,
                            (corner & 4) ? b.max.z : b.min.z);
            glm::vec3 p = glm::vec3(world * glm::vec4(local, 1.0f));
            low = glm::min(low, p);
            high = glm::max(high, p);
        }
    }
    return Sphere{(low + high) * 0.5f, std::max(glm::length(high - low) * 0.5f, 0.01f)};
}

void ViewerLights(kr::scene::Scene& scene, float radius) {
    scene.SetAmbient({0.18f, 0.19f, 0.22f, 1});
    scene.CreateDirectionalLight("key", {0.4f, -1.0f, 0.6f}, {0.95f, 0.92f, 0.88f, 1});
    scene.CreatePointLight("rim", {-radius * 2, radius, -radius * 2}, {0.85f, 0.2f, 0.15f, 1}, radius * 6);
    scene.CreatePointLight("fill", {radius * 2, -radius, radius * 2}, {0.3f, 0.45f, 0.7f, 1}, radius * 6);
    int material = scene.CreateMaterial("viewer");
    scene.material(material).specular = {0.8f, 0.8f, 0.85f, 1};
    scene.material(material).power = 24;
}

// The menu scene's two lights and its material "std"; the ambient colour
// stays the engine's own, as in the game.
void MenuLights(kr::scene::Scene& scene, float pulse) {
    scene.CreatePointLight("menulight2", {200, 100, 10}, {0.6f, 0.6f, 0.7f, 1}, 3000);
    scene.CreatePointLight("menulight", {250, -100, -10}, {0.8f * pulse, 0, 0, 1}, 3000);
    kr::scene::Material& std = scene.material(scene.CreateMaterial("std"));
    std.ambient = {0.08f, 0.08f, 0.08f, 1};
    std.diffuse = {1, 1, 1, 1};
    std.emissive = {0, 0, 0, 1};
    std.specular = {1, 1, 1, 1};
}

void SetUpView(kr::scene::Scene& scene, const ViewerOptions& options, const Sphere& framed) {
    if (options.camera) {
        scene.SetViewFrustum(45, 8000);
        scene.SetCamera(*options.camera, options.lookAt);
        return;
    }
    scene.SetViewFrustum(45, framed.radius * 20);
    scene.camera().nearPlane = framed.radius * 0.02f;
    scene.SetCamera(framed.centre + glm::vec3(-framed.radius * 2.4f, framed.radius * 1.1f, framed.radius * 0.8f),
                    framed.centre);
}

void SetUpLights(kr::scene::Scene& scene, const ViewerOptions& options, std::vector<Shown>& shown,
                 const Sphere& framed) {
    if (options.lights == LightSet::Menu) MenuLights(scene, options.pulse);
    else ViewerLights(scene, framed.radius);
    int material = scene.MaterialId(options.lights == LightSet::Menu ? "std" : "viewer");
    for (Shown& s : shown) {
        if (s.picture) continue;
        s.object.SetLightingMode(options.perVertex ? 2 : 4);
        s.object.SetMaterial(material);
    }
}

std::vector<std::string> InfoLines(const std::vector<Shown>& shown) {
    std::vector<std::string> lines;
    for (const Shown& s : shown) {
        std::string line = s.name + "   " + std::to_string(s.object.TriangleCount()) + " triangles";
        if (!s.picture) line += "   " + std::to_string(s.bones) + " bones";
        lines.push_back(line);
    }
    return lines;
}

void RenderFrame(kr::Engine& engine, bool glow) {
    kr::scene::Scene& scene = engine.scene();
    if (glow) {
        engine.BeginGlowSurface();
        scene.RenderAll();
        engine.EndGlowSurface();
    }
    engine.Clear();
    scene.RenderAll();
    if (glow) engine.ApplyGlow();
}

int Run(const ViewerOptions& options) {
    kr::gl::GlBackend backend("kravellon-viewer");
    kr::DriverOptions driver;
    if (!options.screenshot.empty()) {
        driver.fixedFrameMs = 16;
        driver.screenshots.push_back({options.screenshotFrame, options.screenshot});
        driver.maxFrames = options.screenshotFrame;
    }
    kr::Device device(backend, driver);
    std::filesystem::path gameDir = options.gameDir;
    if (gameDir.empty()) {
        std::error_code ec;
        gameDir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    }
    kr::GameFolder folder(gameDir);
    kr::Engine engine(device, folder);
    engine.InitDisplay(kr::DisplayMode{});
    int font = engine.CreateFont("Font16", "Astron Boy", 16, true);
    kr::scene::Scene& scene = engine.scene();
    scene.SetBackground(options.lights == LightSet::Menu ? kr::Colour{0, 0, 0, 1} : kr::Colour{0.02f, 0.03f, 0.06f, 1});
    engine.SetGlowColour({0.8f, 0.8f, 0.8f, 1.0f}, 0, 0);

    std::vector<Shown> shown;
    for (const ShownFile& file : options.files) {
        kr::Bytes data = ReadFile(file.path);
        shown.push_back(kr::viewer::IsPictureFile(file.path)
                            ? LoadPicture(engine, data, file, options.alphaBlend)
                            : LoadModel(scene, data, file.path.filename().string()));
        Place(shown.back().object, file);
    }
    Sphere framed = Framed(shown);
    SetUpView(scene, options, framed);
    SetUpLights(scene, options, shown, framed);
    std::vector<std::string> info = InfoLines(shown);
    for (;;) {
        if (options.turn)
            shown.front().object.RotateY(static_cast<float>(engine.FrameTimeMs() * options.turnDegreesPerSecond / 1000.0));
        RenderFrame(engine, options.glow);
        engine.BeginText();
        for (std::size_t i = 0; i < info.size(); ++i)
            engine.DrawText(info[i], 16, 12 + 20.0f * static_cast<float>(i), {0.9f, 0.9f, 0.95f, 1}, font);
        engine.EndText();
        engine.Present();
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        ViewerOptions options = kr::viewer::ParseViewerOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::printf("%s", kr::viewer::ViewerHelp().c_str());
            return 0;
        }
        return Run(options);
    } catch (const kr::StopRequested& stop) {
        return stop.exitCode;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kravellon-viewer: %s\n", error.what());
        return 1;
    }
}
