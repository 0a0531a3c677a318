#include "mission/emitters.hpp"

#include <string_view>

namespace kr::mission {

namespace {
constexpr int kAdditive = 1;
constexpr int kAlphaBlending = 2;
constexpr std::string_view kCoveringSprites[] = {"smokeparticle", "fireparticle"};
}  // namespace

// Smoke and flames are matter: they cover what lies behind them and keep
// their own colours over bright sand. Engine glows, rings, stars and the
// blast sigil are pure light: they are added and brighten where they overlap.
int BlendingOfSprite(std::string_view sprite) {
    for (std::string_view covering : kCoveringSprites)
        if (sprite == covering) return kAlphaBlending;
    return kAdditive;
}

EmitterRef BuildEmitter(particles::ParticleSystem& particles, const EmitterRecipe& recipe) {
    EmitterRef ref{particles.CreateEmitter(0, recipe.count), recipe.colour};
    const int e = ref.index;
    particles.SetPowerAndLifetime(e, recipe.power, recipe.lifetime);
    particles.SetLaunchSpeed(e, recipe.launch);
    particles.SetBlending(e, BlendingOfSprite(recipe.sprite));
    particles.SetSpread(e, recipe.spread);
    particles.SetBox(e, true, recipe.boxFrom, recipe.boxTo);
    particles.SetColour(e, recipe.colour);
    particles.SetSprite(e, recipe.sprite, recipe.size, recipe.sizeChanges, recipe.endScale);
    particles.SetDirection(e, recipe.directed, recipe.direction);
    particles.SetLooping(e, recipe.looping);
    return ref;
}

}  // namespace kr::mission
