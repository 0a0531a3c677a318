// Draws a known picture through the windowed back-end and saves it, for the
// rendering tests that check its pixels.
//   kr_gl_probe GAME_DIR OUT.png [ANTIALIAS_SAMPLES]   2D quads, blending and text
//   kr_gl_probe --3d GAME_DIR OUT.png                  lit meshes, fog, glow, particles

#include <cstdio>
#include <exception>
#include <string>

#include "engine/engine.hpp"
#include "engine/gl/gl_backend.hpp"

namespace {

// A grey box lit from the left by a point light, a plate lit from above by a
// green directional light, a far box in fog, a bright sphere drawn into the
// glow surface, and a row of particles.
void Draw3d(kr::Engine& engine) {
    kr::scene::Scene& scene = engine.scene();
    scene.SetCamera({0, 0, 0}, {100, 0, 0});
    scene.SetAmbient({0.05f, 0.05f, 0.05f, 1});
    scene.CreatePointLight("key", {60, 0, 60}, {1, 1, 1, 1}, 400);
    scene.CreateDirectionalLight("overhead", {0, -1, 0}, {0, 0.8f, 0, 1});
    scene.fog() = {true, {0.2f, 0.2f, 0.3f, 1}, kr::scene::FogMode::Linear, true, 150, 400, 0};
    kr::scene::Mesh box = scene.CreateMesh("box");
    box.MakeBox(20, 20, 20);
    box.SetPosition({100, 0, 25});
    box.SetRotation({0, 45, 0});
    box.SetLightingMode(4);
    kr::scene::Mesh plate = scene.CreateMesh("plate");
    plate.MakeBox(60, 4, 60);
    plate.SetPosition({200, -45, 60});
    plate.SetLightingMode(2);
    kr::scene::Mesh far = scene.CreateMesh("far");
    far.MakeBox(40, 40, 40);
    far.SetPosition({380, 90, -160});
    far.SetLightingMode(0);
    kr::scene::Mesh sun = scene.CreateMesh("sun");
    sun.MakeSphere(8, 16, 12);
    sun.SetPosition({100, 0, -30});
    sun.SetLightingMode(0);
    sun.SetColour({1, 0.3f, 0.1f, 1});
    kr::particles::ParticleSystem& particles = scene.particles();
    int spark = particles.CreateEmitter(0, 5);
    particles.SetPosition(spark, {100, -30, 0});
    particles.SetPowerAndLifetime(spark, 1000, 10);
    particles.SetColour(spark, {0, 1, 0, 1});
    particles.SetBlending(spark, 1);
    particles.SetSprite(spark, "", 10, false, {10, 10, 10});
    particles.SetEmitting(spark, true);
    engine.SetGlowColour({1, 1, 1, 1}, 2, 0);
    for (int frame = 0; frame < 2; ++frame) {
        scene.UpdateParticles(16);
        engine.Clear();
        engine.BeginGlowSurface();
        scene.Render(sun);
        engine.EndGlowSurface();
        scene.RenderAll();
        scene.RenderParticles();
        engine.ApplyGlow();
        engine.Present();
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool threeD = argc > 1 && std::string(argv[1]) == "--3d";
    if (threeD) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: kr_gl_probe GAME_DIR OUT.png [SAMPLES]\n");
        return 2;
    }
    try {
        kr::gl::GlBackend backend("probe");
        kr::DriverOptions options;
        options.fixedFrameMs = 16;
        options.screenshots.push_back({2, argv[2]});
        kr::Device device(backend, options);
        kr::GameFolder folder(argv[1]);
        kr::Engine engine(device, folder);
        kr::DisplayMode mode;
        mode.samples = argc > 3 ? std::stoi(argv[3]) : 0;
        engine.InitDisplay(mode);

        kr::image::Image checker(2, 2);
        const std::uint8_t colours[4][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}};
        for (int i = 0; i < 4; ++i) std::copy(colours[i], colours[i] + 4, &checker.rgba[i * 4]);
        kr::image::MipChain picture;
        picture.levels.push_back(checker);
        if (threeD) {
            Draw3d(engine);
            return 0;
        }
        int texture = engine.textures().Add("checker", picture);
        int font = engine.CreateFont("Font42", "Astron Boy", 42, true);

        for (int frame = 0; frame < 2; ++frame) {
            engine.Clear();
            engine.Begin2D();
            engine.DrawFilledBox(0, 0, 1024, 768, kr::Corners::All({0.02f, 0.03f, 0.06f, 1}));
            engine.DrawTexture(texture, 100, 100, 300, 300);
            engine.DrawTexture(texture, 700, 100, 500, 300);  // mirrored
            engine.DrawFilledBox(100, 400, 300, 500, kr::Corners::All({1, 1, 1, 0.5f}));
            engine.End2D();
            engine.BeginText();
            engine.DrawText("KRAVELLON", 400, 600, {1, 1, 1, 1}, font);
            engine.EndText();
            engine.Present();
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kr_gl_probe: %s\n", error.what());
        return 1;
    }
}
