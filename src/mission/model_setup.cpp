#include "mission/model_setup.hpp"

#include "app/game.hpp"

namespace kr::mission {

void ApplyShading(const Game& game, scene::ObjectRef& model) {
    model.SetLightingMode(game.settings.LightingLevel == 1 ? 4 : 2);
}

void ApplyModelFlags(const Game& game, scene::ObjectRef& model) { model.SetGlow(game.settings.GlowEnabled == 1); }

void MakeSeeThrough(scene::ObjectRef& object, int alphaReference) {
    object.SetAlphaTest(true, alphaReference, true);
    object.SetAlphaBlend(true);
}

int Material(const Game& game, const char* name) { return game.engine->scene().MaterialId(name); }

}  // namespace kr::mission
