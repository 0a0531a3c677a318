// How many frames a second a mission draws: the shipped mission given on the
// command line (1 or 2) flown from its start with the gun firing, waves
// arriving and the ship kept alive. bench.sh runs it under Xvfb on the
// software rasteriser, and headless for the CPU side alone.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/game.hpp"
#include "app/huge_pages.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "engine/gl/gl_backend.hpp"
#include "engine/headless/headless_backend.hpp"
#include "gameplay/main_gun.hpp"
#include "mission/mission_start.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void StartMissionFor(kr::Game& game, const kr::ScreenTable& screens, int mission) {
    kr::FormCreate(game);
    kr::FormClick(game);
    while (game.ScreenId != kr::screen_id::Logo) kr::IdleDispatch(game, screens);
    game.profiles.ProfileUsed[1] = 1;
    game.profiles.ProfileShip[1] = 1;
    game.ActiveProfile = 1;
    game.CurrentMission = mission;
    kr::LoadMissionText(game.folder, game.settings.Language.View(), mission + 1, mission, game.missionText);
    kr::mission::StartMission(game);
}

double MissionFramesPerSecond(kr::Game& game, const kr::ScreenTable& screens, int frames) {
    long count = 0;
    auto frame = [&] {
        game.mission.Invulnerable = 1;
        if (++count % 12 == 0)  // the gun's pace at level 3
            for (const auto& shot : kr::gameplay::GunVolley(3)) kr::gameplay::CreatePlayerShot(game, shot);
        kr::IdleDispatch(game, screens);
    };
    for (int i = 0; i < 30; ++i) frame();  // warm-up
    auto start = Clock::now();
    const long before = game.device.PresentedFrames();
    while (game.device.PresentedFrames() - before < frames) frame();
    return frames * 1000.0 / MsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    kr::RestartWithHugePages(argv);  // as the game does
    bool headless = false;
    int mission = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) headless = true;
        else mission = std::atoi(argv[i]);
    }
    try {
        std::unique_ptr<kr::Backend> backend;
        if (headless) backend = std::make_unique<kr::HeadlessBackend>();
        else backend = std::make_unique<kr::gl::GlBackend>("mission fps");
        kr::DriverOptions driver;
        if (headless) driver.fixedFrameMs = 16;
        kr::Device device(*backend, driver);
        kr::Game game(device, kr::GameFolder(KR_GAME_DIR), 1);
        kr::ScreenTable screens;
        StartMissionFor(game, screens, mission - 1);
        const double fps = MissionFramesPerSecond(game, screens, headless ? 600 : 150);
        std::printf("mission %d: %s, %.1f frames/s (%.2f ms a frame), %d enemies made\n", mission,
                    headless ? "headless (CPU side only)" : "gl", fps, 1000.0 / fps, game.mission.EnemiesCreated);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kr_mission_fps: %s\n", error.what());
        return 1;
    }
}
