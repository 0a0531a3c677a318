// Costs of the CPU-side particle simulation at mission scale: 200 emitters
// with about 2000 live particles advanced by one frame, and the draw list
// gathered from them.

#include <benchmark/benchmark.h>

#include <vector>

#include "engine/particles/particle_system.hpp"

namespace kr::particles {
namespace {

// 200 trails of about 10 live particles each: streaming, spread, moving.
ParticleSystem MissionLoad() {
    ParticleSystem system;
    for (int i = 0; i < 200; ++i) {
        int emitter = system.CreateEmitter(0, 20);
        system.SetPowerAndLifetime(emitter, 100.0, 0.1);
        system.SetLaunchSpeed(emitter, 50.0);
        system.SetSpread(emitter, {0.0f, 0.0f, 20.0f});
        system.SetBox(emitter, true, {-1.0f, 0.0f, 0.0f}, {-0.1f, 0.1f, 0.1f});
        system.SetDirection(emitter, true, {-1.0f, 0.0f, 0.0f});
        system.SetSprite(emitter, "smokeparticle", 60.0f, true, {20.0f, 20.0f, 20.0f});
        system.SetPosition(emitter, {static_cast<float>(i * 5), 150.0f, 0.0f});
        system.SetEmitting(emitter, true);
    }
    for (int frame = 0; frame < 60; ++frame) system.Update(16.0);
    return system;
}

std::size_t LiveTotal(const ParticleSystem& system) {
    std::vector<Billboard> billboards;
    std::vector<EmitterDraw> draws;
    system.Collect(billboards, draws);
    return billboards.size();
}

void UpdateTwoHundredEmitters(benchmark::State& state) {
    ParticleSystem system = MissionLoad();
    for (auto _ : state) system.Update(16.0);
    state.SetLabel(std::to_string(LiveTotal(system)) + " live particles");
}
BENCHMARK(UpdateTwoHundredEmitters)->Unit(benchmark::kMicrosecond);

void CollectDrawList(benchmark::State& state) {
    ParticleSystem system = MissionLoad();
    std::vector<Billboard> billboards;
    std::vector<EmitterDraw> draws;
    for (auto _ : state) {
        system.Collect(billboards, draws);
        benchmark::DoNotOptimize(billboards.data());
    }
    state.SetLabel(std::to_string(billboards.size()) + " billboards");
}
BENCHMARK(CollectDrawList)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kr::particles
