#include "app/application.hpp"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/error_handler.hpp"
#include "app/game.hpp"
#include "app/direct_mission.hpp"
#include "app/launch_options.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "app/state_dump.hpp"
#include "engine/error.hpp"
#include "engine/gl/gl_backend.hpp"
#include "engine/headless/headless_backend.hpp"

namespace kr {

namespace {

std::filesystem::path GameDirectory(const LaunchOptions& options, const std::string& executablePath) {
    if (!options.gameDir.empty()) return options.gameDir;
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(executablePath);
    return self.parent_path();
}

DriverOptions DriverFrom(const LaunchOptions& options) {
    DriverOptions driver;
    driver.fixedFrameMs = options.frameMs;
    if (!options.inputFile.empty()) driver.script = InputScript::Load(options.inputFile);
    driver.recordPath = options.recordFile;
    driver.screenshots = options.screenshots;
    driver.maxFrames = options.frames;
    return driver;
}

std::uint64_t SeedFrom(const LaunchOptions& options) {
    if (options.seed) return *options.seed;
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

std::unique_ptr<Backend> MakeBackend(const LaunchOptions& options) {
    if (options.headless) return std::make_unique<HeadlessBackend>();
    return std::make_unique<gl::GlBackend>("KRAVELLON");
}

// The game proper, once the back-end exists.
int RunGame(const LaunchOptions& options, Backend& backend, const std::filesystem::path& gameDir) {
    Device device(backend, DriverFrom(options));
    Game game(device, GameFolder(gameDir), SeedFrom(options));
    int exitCode = 0;
    try {
        FormCreate(game);
        ScreenTable screens;
        std::optional<DirectMission> direct = options.mission;
        for (;;) {
            IdleDispatch(game, screens);
            if (direct && game.ScreenId == screen_id::MainMenu) {
                StartMissionDirectly(game, direct->slot, direct->mission);
                direct.reset();
            }
        }
    } catch (const StopRequested& stop) {
        exitCode = stop.exitCode;
    } catch (const std::exception& error) {
        return HandleCriticalError(error.what(), &device.log(), &backend);
    }
    if (!options.stateOut.empty()) WriteGameState(game, options.stateOut);
    return exitCode;
}

}  // namespace

int RunApplication(const std::vector<std::string>& args, const std::string& executablePath) {
    LaunchOptions options;
    try {
        options = ParseLaunchOptions(args);
    } catch (const Error& error) {
        std::fprintf(stderr, "kravellon: %s\n", error.what());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(LaunchHelpText().c_str(), stdout);
        return 0;
    }
    std::unique_ptr<Backend> backend;
    try {
        backend = MakeBackend(options);
        return RunGame(options, *backend, GameDirectory(options, executablePath));
    } catch (const std::exception& error) {
        return HandleCriticalError(error.what(), nullptr, backend.get());
    }
}

}  // namespace kr
