#pragma once
// A Game over a test back-end in a private copy of the generated game
// folder: the real start-up files, pictures, models and sounds.

#include <filesystem>

#include "app/game.hpp"
#include "support/temp_game_folder.hpp"
#include "support/process.hpp"
#include "support/test_backend.hpp"

namespace kr::test {

inline void CopyGeneratedGame(const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(KR_GAME_DIR)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with("kravellon") || name == "debugfile.txt") continue;
        fs::copy(entry.path(), to / name, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
}

struct GeneratedGame {
    GeneratedGame() : device(backend, Options()), game(device, temp.folder(), 7) {
        CopyGeneratedGame(temp.Path(""));
        backend.keepEveryFrame = false;
    }
    static DriverOptions Options() {
        DriverOptions options;
        options.fixedFrameMs = 16;
        return options;
    }

    TempGameFolder temp;
    TestBackend backend;
    Device device;
    Game game;
};

}  // namespace kr::test

namespace kr::test {

// Fills `to` with a game folder: a copy of the one generated for this build,
// or a freshly generated one when there is none. Returns makedata's output
// on failure, empty on success.
inline std::string FillGameFolder(const std::filesystem::path& to) {
    if (std::filesystem::exists(std::filesystem::path(KR_GAME_DIR) / "config.dat")) {
        CopyGeneratedGame(to);
        return {};
    }
    auto made = RunCommand(std::string(KR_MAKEDATA) + " --out " + Quote(to.string()));
    return made.exitCode == 0 ? std::string{} : "makedata failed: " + made.output;
}

// The game folder generated for this build (test.sh writes it before the
// tests run); when it is missing, one is generated now under `fallback`.
// Returns where it is; `output` receives makedata's output on failure.
inline std::filesystem::path GeneratedFolderOr(const TempGameFolder& fallback, std::string& output, bool& made) {
    std::filesystem::path built = KR_GAME_DIR;
    made = true;
    if (std::filesystem::exists(built / "config.dat")) return built;
    const auto run = RunCommand(std::string(KR_MAKEDATA) + " --out " + Quote(fallback.Path("").string()));
    made = run.exitCode == 0;
    output = run.output;
    return fallback.Path("");
}

}  // namespace kr::test
