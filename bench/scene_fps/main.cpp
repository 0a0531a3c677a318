// kr_scene_fps: frames per second of a mission-sized scene drawn the way a
// mission frame draws it: ground, sky, 1000 scenery meshes of which about 100
// are near and shown, 20 enemies, 200 shots, 2000 particles, glow on.
//   kr_scene_fps [--headless] [--frames N] [--width W --height H] [--without PART]... [--screenshot OUT.png]
// PART: ground, sky, glow, particles, scenery, enemies, shots (to find what
// limits the rate).
// Prints the frame rate and where the time goes (recording the frame on the
// CPU versus drawing it).

#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "engine/engine.hpp"
#include "engine/gl/gl_backend.hpp"
#include "engine/headless/headless_backend.hpp"
#include "engine/image/image.hpp"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    bool headless = false;
    std::set<std::string> without;
    std::string screenshot;
    bool With(const char* part) const { return !without.contains(part); }
    int frames = 300;
    int width = 1024, height = 768;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&] { return i + 1 < argc ? std::stoi(argv[++i]) : throw std::runtime_error(arg + " needs a value"); };
        if (arg == "--headless") options.headless = true;
        else if (arg == "--frames") options.frames = value();
        else if (arg == "--width") options.width = value();
        else if (arg == "--height") options.height = value();
        else if (arg == "--without" && i + 1 < argc) options.without.insert(argv[++i]);
        else if (arg == "--screenshot" && i + 1 < argc) options.screenshot = argv[++i];
        else throw std::runtime_error("usage: kr_scene_fps [--headless] [--frames N] [--width W --height H]");
    }
    return options;
}

// Rolling hills with a valley along the flight lane.
kr::image::Image HeightMap() {
    kr::image::Image map(128, 160);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            float h = 90 + 50 * std::sin(x * 0.21f) * std::cos(y * 0.17f) + 30 * std::sin(x * 0.05f + y * 0.09f);
            std::uint8_t* p = map.Pixel(x, y);
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(std::clamp(h, 0.0f, 255.0f));
            p[3] = 255;
        }
    return map;
}

kr::image::MipChain Texture(float r, float g, float b) {
    kr::image::Image picture(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            float shade = 0.7f + 0.3f * (((x / 8) + (y / 8)) % 2);
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(255 * r * shade);
            p[1] = static_cast<std::uint8_t>(255 * g * shade);
            p[2] = static_cast<std::uint8_t>(255 * b * shade);
            p[3] = 255;
        }
    return kr::image::MipChain{{picture}};
}

struct World {
    std::vector<kr::scene::Mesh> scenery, enemies, shots;
    kr::scene::Mesh ship;
};

World Build(kr::Engine& engine, const std::filesystem::path& folder) {
    kr::scene::Scene& scene = engine.scene();
    std::filesystem::create_directories(folder);
    kr::Bytes png = kr::image::EncodePng(HeightMap());
    std::FILE* out = std::fopen((folder / "height.png").c_str(), "wb");
    std::fwrite(png.data(), 1, png.size(), out);
    std::fclose(out);

    int ground = engine.textures().Add("ground", Texture(0.35f, 0.4f, 0.3f));
    int hull = engine.textures().Add("hull", Texture(0.6f, 0.62f, 0.66f));
    engine.textures().Add("spark", Texture(1, 0.6f, 0.3f));
    for (const char* face : {"front", "back", "left", "right", "top"}) engine.textures().Add(face, Texture(0.1f, 0.12f, 0.2f));
    scene.SetViewFrustum(45, 8000);
    scene.fog() = {true, {0.2f, 0.2f, 0.3f, 1}, kr::scene::FogMode::Linear, true, 2500, 19000, 0};
    scene.SetAmbient({0, 0, 0, 1});
    scene.CreateDirectionalLight("mainlight", {0.2f, -1, 0.5f}, {0.9f, 0.9f, 0.9f, 1});
    scene.CreatePointLight("silniklight", {-265, 10, 0}, {0.8f, 0.8f, 1, 1}, 50);
    scene.CreatePointLight("boomlight", {300, 150, 0}, {1, 0, 0, 1}, 500);
    scene.GenerateLandscape("height.png", 32, 40, 2);
    kr::scene::Landscape& land = scene.landscape();
    land.SetTexture(ground);
    land.SetTiling(4, 4);
    land.SetScale({5, 1, 5});
    land.SetPosition({-300, -200, -1200});
    kr::scene::SkyBox& sky = scene.sky();
    sky.enabled = true;
    const char* faces[6] = {"front", "back", "left", "right", "top", "top"};
    for (int i = 0; i < 6; ++i) sky.textures[static_cast<std::size_t>(i)] = engine.textures().Id(faces[i]);

    World world;
    kr::scene::Mesh rock = scene.CreateMesh("rock");
    rock.MakeSphere(40, 12, 8);
    rock.SetTexture(hull);
    rock.SetLightingMode(2);
    rock.SetCollision(true, true, 1);
    rock.Hide();
    for (int i = 0; i < 1000; ++i) {
        kr::scene::Mesh clone = rock.Clone("rock");
        // The first hundred lie near the ship; the rest wait further on.
        float x = i < 100 ? -1500.0f + static_cast<float>(i % 25) * 140 : 2500.0f + static_cast<float>(i) * 60;
        float z = static_cast<float>((i * 7919) % 1600) - 800;
        clone.SetPosition({x, land.HeightAt(x, z), z});
        clone.SetEnabled(i < 100);
        world.scenery.push_back(clone);
    }
    kr::scene::Mesh enemy = scene.CreateMesh("enemy");
    enemy.MakeSphere(30, 24, 16);
    enemy.SetTexture(hull);
    enemy.SetLightingMode(4);
    enemy.SetGlow(true);
    enemy.Hide();
    for (int i = 0; i < 20; ++i) {
        kr::scene::Mesh clone = enemy.Clone("Przeciwnik");
        clone.SetPosition({static_cast<float>(i % 5) * 250, 190, static_cast<float>(i / 5) * 160 - 240});
        clone.Show();
        world.enemies.push_back(clone);
    }
    kr::scene::Mesh shot = scene.CreateMesh("naboj");
    shot.MakeBox(20, 3, 3);
    shot.SetLightingMode(1);
    shot.SetColour({1, 1, 1, 0.7f});
    shot.SetAlphaBlend(true);
    shot.Hide();
    for (int i = 0; i < 200; ++i) {
        kr::scene::Mesh clone = shot.Clone("gracz_naboj");
        clone.SetPosition({-150.0f + static_cast<float>(i % 40) * 40, 10, static_cast<float>(i / 40) * 30 - 60});
        clone.Show();
        world.shots.push_back(clone);
    }
    world.ship = scene.CreateMesh("Statek_TVM");
    world.ship.MakeSphere(25, 16, 12);
    world.ship.SetPosition({-200, 10, 0});
    kr::particles::ParticleSystem& particles = scene.particles();
    for (int i = 0; i < 20; ++i) {
        int emitter = particles.CreateEmitter(0, 100);
        particles.SetPosition(emitter, {static_cast<float>(i % 5) * 250, 150, static_cast<float>(i / 5) * 160 - 240});
        particles.SetPowerAndLifetime(emitter, 100, 1);
        particles.SetLaunchSpeed(emitter, 50);
        particles.SetSpread(emitter, {0, 0, 20});
        particles.SetDirection(emitter, true, {-1, 0, 0});
        particles.SetSprite(emitter, "spark", 30, false, {30, 30, 30});
        particles.SetColour(emitter, {0.6f, 0.3f, 0.2f, 1});
        particles.SetBlending(emitter, 2);
        particles.SetEmitting(emitter, true);
    }
    scene.SetCamera({-500, 800, 0}, {0, -110, 0});
    engine.SetGlowColour({1, 1, 1, 1}, 1.4f, 0.8f);
    return world;
}

// One mission-like frame: the glow surface, then the main pass, then the
// moves of the frame's logic.
void DrawFrame(kr::Engine& engine, World& world, const Options& options) {
    kr::scene::Scene& scene = engine.scene();
    bool glow = options.With("glow"), shots = options.With("shots"), particles = options.With("particles");
    if (glow) {
        engine.BeginGlowSurface();
        if (shots)
            for (auto& shot : world.shots) scene.Render(shot);
        if (particles) scene.RenderParticles();
        engine.EndGlowSurface();
    }
    engine.Clear();
    if (options.With("sky")) scene.RenderSky();
    if (options.With("ground")) scene.RenderLandscape();
    scene.Render(world.ship);
    if (options.With("scenery"))
        for (auto& mesh : world.scenery)
            if (mesh.IsEnabled()) scene.Render(mesh);
    if (options.With("enemies"))
        for (auto& enemy : world.enemies) scene.Render(enemy);
    if (shots)
        for (auto& shot : world.shots) scene.Render(shot);
    if (particles) scene.RenderParticles();
    if (glow) {
        scene.RenderGlowParts();
        engine.ApplyGlow();
    }
    engine.Present();

    double ms = engine.FrameTimeMs();
    scene.landscape().Move({static_cast<float>(-0.1 * ms), 0, 0});
    for (auto& shot : world.shots) {
        glm::vec3 p = shot.Position();
        shot.SetPosition({p.x > 1500 ? -150.0f : p.x + static_cast<float>(ms), p.y, p.z});
        scene.Collide(p, p + glm::vec3(5, 10, 2), kr::scene::hit::World);
    }
    scene.UpdateParticles(ms);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Options options = Parse(argc, argv);
        std::unique_ptr<kr::Backend> backend;
        if (options.headless) backend = std::make_unique<kr::HeadlessBackend>();
        else backend = std::make_unique<kr::gl::GlBackend>("scene fps");
        kr::DriverOptions driver;
        if (!options.screenshot.empty()) {
            driver.screenshots.push_back({5, options.screenshot});
        }
        kr::Device device(*backend, driver);
        std::filesystem::path folder = std::filesystem::temp_directory_path() / "kr_scene_fps";
        kr::GameFolder game(folder);
        std::filesystem::create_directories(folder);
        kr::Engine engine(device, game);
        kr::DisplayMode mode;
        mode.width = options.width;
        mode.height = options.height;
        engine.InitDisplay(mode);
        World world = Build(engine, folder);
        for (int i = 0; i < 10; ++i) DrawFrame(engine, world, options);  // warm-up: uploads, first particles

        auto start = Clock::now();
        for (int i = 0; i < options.frames; ++i) DrawFrame(engine, world, options);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::size_t meshes = 0;
        for (const auto& command : engine.LastFrame().commands)
            if (auto* pass = std::get_if<kr::SceneCommand>(&command)) meshes += pass->meshes.size();
        std::printf("scene fps: %s %dx%d, %d frames in %.2f s: %.1f frames/s (%.2f ms a frame), %zu mesh draws a frame\n",
                    options.headless ? "headless (CPU side only)" : "gl", options.width, options.height, options.frames,
                    seconds, options.frames / seconds, seconds * 1000 / options.frames, meshes);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kr_scene_fps: %s\n", error.what());
        return 1;
    }
}
