// Costs of a mission's world: building it (StartMission) and taking it down
// (EndMission) headless on the shipped missions, one wave of enemies, and one
// frame of a crowded fight.

#include <benchmark/benchmark.h>

#include <chrono>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "engine/headless/headless_backend.hpp"
#include "gameplay/mission_frame.hpp"
#include "gameplay/shots.hpp"
#include "mission/scenery.hpp"
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

// Every placement in use, spread along the first 2000 units ahead.
void FillPlacements(Game& game) {
    mission::MissionState& m = game.mission;
    const Placement model = m.Map.Placements[1];
    for (int i = 1; i <= kMapPlacements; ++i) {
        if (m.Map.Placements[i].Active != 0) continue;
        Placement& p = m.Map.Placements[i];
        p = model;
        p.X = -500 + (i * 37) % 2500;
        p.Z = -900 + (i * 53) % 1800;
        mission::PlaceScenery(game, i);
    }
}

// 20 live enemies with every emitter on, 99 enemy shots and 99 player shots
// that stay in the field, and an invulnerable ship so the fight goes on.
void Crowd(Game& game) {
    mission::MissionState& m = game.mission;
    particles::ParticleSystem& particles = game.engine->scene().particles();
    for (int slot = 1; slot <= mission::kEnemySlots; ++slot) {
        mission::CreateEnemy(game, slot, 1 + slot % m.EnemyTypeCount, 300 + slot * 35, -400 + slot * 40, 0, 0);
        mission::Enemy& enemy = m.Enemies[slot];
        enemy.HitPoints = 1e9;
        for (const EmitterRef& e : enemy.Emitters) particles.SetEmitting(e.index, true);
    }
    for (int n = 1; n < kPlayerShots; ++n) {
        const int record = gameplay::CreatePlayerShot(game, {1 + n % 4, 0, 10, 0, 0, 0, 0});
        game.player.Shots[record].Mesh.SetPosition({static_cast<float>(-300 + n * 7), 150, -700.0f});
    }
    for (int n = 1; n <= kEnemyShots; ++n) {
        const int record = gameplay::CreateEnemyShot(game, 11, {static_cast<float>(n * 9), 150, 700}, 0, 5, 0);
        m.EnemyShots[record].Vx = 0;
    }
    m.Invulnerable = 1;
}

void MissionFrameLogic(benchmark::State& state) {
    BenchGame bench(0);
    Game& game = bench.game;
    mission::StartMission(game);
    FillPlacements(game);
    Crowd(game);
    for (auto _ : state) {
        game.mission.WaveTimer = 0;
        gameplay::MissionFrame(game);
    }
    std::size_t live = 0;
    for (const mission::Enemy& enemy : game.mission.Enemies)
        for (const EmitterRef& e : enemy.Emitters) live += game.engine->scene().particles().LiveParticles(e.index);
    state.counters["enemy_particles"] = static_cast<double>(live);
}
BENCHMARK(MissionFrameLogic)->Unit(benchmark::kMicrosecond)->Iterations(300);

}  // namespace
}  // namespace kr
