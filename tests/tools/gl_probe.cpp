// Draws a known picture through the windowed back-end and saves it, for the
// rendering test that checks its pixels.
//   kr_gl_probe GAME_DIR OUT.png [ANTIALIAS_SAMPLES]

#include <cstdio>
#include <exception>
#include <string>

#include "engine/engine.hpp"
#include "engine/gl/gl_backend.hpp"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kr_gl_probe GAME_DIR OUT.png [SAMPLES]\n");
        return 2;
    }
    try {
        kr::gl::GlBackend backend("probe");
        kr::DriverOptions options;
        options.fixedFrameMs = 16;
        options.screenshotFrame = 2;
        options.screenshotPath = argv[2];
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
