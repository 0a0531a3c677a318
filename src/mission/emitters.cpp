#include "mission/emitters.hpp"

namespace kr::mission {

namespace {
constexpr int kAlphaBlending = 2;
}

EmitterRef BuildEmitter(particles::ParticleSystem& particles, const EmitterRecipe& recipe) {
    EmitterRef ref{particles.CreateEmitter(0, recipe.count), recipe.colour};
    const int e = ref.index;
    particles.SetPowerAndLifetime(e, recipe.power, recipe.lifetime);
    particles.SetLaunchSpeed(e, recipe.launch);
    particles.SetBlending(e, kAlphaBlending);
    particles.SetSpread(e, recipe.spread);
    particles.SetBox(e, true, recipe.boxFrom, recipe.boxTo);
    particles.SetColour(e, recipe.colour);
    particles.SetSprite(e, recipe.sprite, recipe.size, recipe.sizeChanges, recipe.endScale);
    particles.SetDirection(e, recipe.directed, recipe.direction);
    particles.SetLooping(e, recipe.looping);
    return ref;
}

}  // namespace kr::mission
