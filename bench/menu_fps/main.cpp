// How soon the game shows its first logo frame after the process starts
// (the intro skipped at once; the time counts from the kernel's start of the
// process, so the game's restart onto huge pages is included), and how many frames a second the main menu
// draws. bench.sh runs it under Xvfb on the software rasteriser.

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "app/game.hpp"
#include "app/huge_pages.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "engine/gl/gl_backend.hpp"
#include "engine/headless/headless_backend.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// When this process was started, before any restart (10 ms steps): the
// kernel's start time of the process against the clock since boot.
Clock::time_point ProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {}
    double startedAfterBoot = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    double sinceStart = static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - startedAfterBoot;
    return Clock::now() - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(sinceStart));
}

// Start-up with the intro skipped by a click, up to the first logo frame.
double StartToLogoMs(kr::Game& game, const kr::ScreenTable& screens, Clock::time_point processStart) {
    kr::FormCreate(game);
    kr::FormClick(game);
    while (game.ScreenId != kr::screen_id::Logo) kr::IdleDispatch(game, screens);
    long before = game.device.PresentedFrames();
    while (game.device.PresentedFrames() == before) kr::IdleDispatch(game, screens);
    return MsSince(processStart);
}

double MainMenuFramesPerSecond(kr::Game& game, const kr::ScreenTable& screens, int frames) {
    game.ScreenId = kr::screen_id::MainMenu;
    for (int i = 0; i < 20; ++i) kr::IdleDispatch(game, screens);  // warm-up
    auto start = Clock::now();
    long before = game.device.PresentedFrames();
    while (game.device.PresentedFrames() - before < frames) kr::IdleDispatch(game, screens);
    return frames * 1000.0 / MsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    kr::RestartWithHugePages(argv);  // as the game does
    const auto processStart = ProcessStart();
    bool headless = argc > 1 && std::strcmp(argv[1], "--headless") == 0;
    try {
        std::unique_ptr<kr::Backend> backend;
        if (headless) backend = std::make_unique<kr::HeadlessBackend>();
        else backend = std::make_unique<kr::gl::GlBackend>("menu fps");
        kr::DriverOptions driver;
        if (headless) driver.fixedFrameMs = 16;
        kr::Device device(*backend, driver);
        kr::Game game(device, kr::GameFolder(KR_GAME_DIR), 1);
        kr::ScreenTable screens;
        double startMs = StartToLogoMs(game, screens, processStart);
        double fps = MainMenuFramesPerSecond(game, screens, 200);
        const char* kind = headless ? "headless (CPU side only)" : "gl";
        std::printf("menu: %s, process start to first logo frame %.0f ms; main menu %.1f frames/s (%.2f ms a frame)\n",
                    kind, startMs, fps, 1000.0 / fps);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kr_menu_fps: %s\n", error.what());
        return 1;
    }
}
