#pragma once
// Shared set-up for the particle tests: emitters whose particles stand still
// unless a test gives them motion, and read-backs of the draw list.

#include <vector>

#include "engine/particles/particle_system.hpp"

namespace kr::particles::test {

// A silent emitter with no random motion and no emission box.
inline int StillEmitter(ParticleSystem& system, int count, double power, double lifetimeSeconds) {
    int emitter = system.CreateEmitter(0, count);
    system.SetPowerAndLifetime(emitter, power, lifetimeSeconds);
    system.SetDirection(emitter, true, glm::vec3(0.0f));
    return emitter;
}

// Switches a one-shot emitter on at `from` and lets one frame release the burst.
inline void Burst(ParticleSystem& system, int emitter, glm::vec3 from = glm::vec3(0.0f)) {
    system.SetPosition(emitter, from);
    system.SetLooping(emitter, false);
    system.SetEmitting(emitter, true);
    system.Update(16.0);
}

// The billboards one emitter contributes (empty when it draws nothing).
inline std::vector<Billboard> BillboardsOf(const ParticleSystem& system, int emitter) {
    std::vector<Billboard> billboards;
    std::vector<EmitterDraw> draws;
    system.Collect(billboards, draws);
    for (const EmitterDraw& draw : draws)
        if (draw.emitter == emitter) {
            auto first = billboards.begin() + static_cast<std::ptrdiff_t>(draw.first);
            return {first, first + static_cast<std::ptrdiff_t>(draw.count)};
        }
    return {};
}

}  // namespace kr::particles::test
