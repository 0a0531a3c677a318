// Costs of a mission's world: building it (StartMission) and taking it down
// (EndMission) headless on the shipped missions, and one wave of enemies.

#include <benchmark/benchmark.h>

#include <chrono>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "engine/headless/headless_backend.hpp"
#include "mission/enemies.hpp"
#include "mission/mission_start.hpp"
#include "mission/waves.hpp"

namespace kr {
namespace {

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A game past its start-up, with a pilot in slot 1 about to fly `mission`.
struct BenchGame {
    explicit BenchGame(int mission) : device(backend, Options()), game(device, GameFolder(KR_GAME_DIR), 1) {
        FormCreate(game);
        FormClick(game);
        while (game.ScreenId != screen_id::Logo) IdleDispatch(game, screens);
        game.profiles.ProfileUsed[1] = 1;
        game.profiles.ProfileShip[1] = 1;
        game.ActiveProfile = 1;
        game.CurrentMission = mission;
        LoadMissionText(game.folder, game.settings.Language.View(), mission + 1, mission, game.missionText);
    }
    static DriverOptions Options() {
        DriverOptions options;
        options.fixedFrameMs = 16;
        return options;
    }
    HeadlessBackend backend;
    Device device;
    Game game;
    ScreenTable screens;
};

void StartAndEndMission(benchmark::State& state) {
    BenchGame bench(static_cast<int>(state.range(0)));
    double startMs = 0, endMs = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        mission::StartMission(bench.game);
        startMs += MsSince(t0);
        auto t1 = std::chrono::steady_clock::now();
        mission::EndMission(bench.game);
        endMs += MsSince(t1);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["StartMission_ms"] = startMs / n;
    state.counters["EndMission_ms"] = endMs / n;
}
BENCHMARK(StartAndEndMission)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// One wave: the lane search, up to three enemies with their objects and
// emitters. The wave's enemies are removed again untimed.
void SpawnOneWave(benchmark::State& state) {
    BenchGame bench(0);
    Game& game = bench.game;
    mission::StartMission(game);
    for (auto _ : state) {
        mission::SpawnWave(game);
        state.PauseTiming();
        for (int slot = 1; slot <= mission::kEnemySlots; ++slot) {
            mission::ReleaseEnemyObjects(game, slot);
            game.mission.Enemies[slot].Active = 0;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(SpawnOneWave)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kr
