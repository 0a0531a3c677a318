#include "gameplay/world_render.hpp"

#include "app/game.hpp"

namespace kr::gameplay {

namespace {

constexpr float kSceneryShownWithin = 2000;

void GlowPass(Game& game) {
    Engine& engine = *game.engine;
    scene::Scene& scene = engine.scene();
    engine.BeginGlowSurface();
    RenderIfValid(scene, game.player.ShieldMesh);
    if (game.random(10) < 8) RenderIfValid(scene, game.player.ShieldBeam);
    RenderEnemyShots(game);
    RenderPlayerShots(game);
    scene.RenderParticles();
    if (game.mission.Invulnerable != 0) RenderIfValid(scene, game.player.ShipMesh);
    engine.EndGlowSurface();
}

void MainPass(Game& game) {
    Engine& engine = *game.engine;
    scene::Scene& scene = engine.scene();
    engine.Clear(false);
    scene.RenderSky();
    if (game.mission.Map.SpaceLevel == 0) scene.RenderLandscape();
    if (game.mission.Invulnerable == 0) RenderIfValid(scene, game.player.ShipMesh);
    RenderIfValid(scene, game.player.ShieldMesh);
    if (game.random(10) < 5) RenderIfValid(scene, game.player.ShieldBeam);
    RenderEnemyShots(game);
    RenderScenery(game, true);
    if (game.mission.BossPhase != 0) RenderIfValid(scene, game.mission.BossActor);
    RenderEnemies(game);
    RenderPlayerShots(game);
    scene.RenderParticles();
}

}  // namespace

void RenderIfValid(scene::Scene& scene, const scene::ObjectRef& object) {
    if (object.IsValid()) scene.Render(object);
}

void RenderEnemyShots(Game& game) {
    for (const EnemyShot& shot : game.mission.EnemyShots)
        if (shot.Active != 0) RenderIfValid(game.engine->scene(), shot.Mesh);
}

void RenderPlayerShots(Game& game) {
    for (const PlayerShot& shot : game.player.Shots)
        if (shot.Active != 0) RenderIfValid(game.engine->scene(), shot.Mesh);
}

void RenderScenery(Game& game, bool cullFar) {
    mission::MissionState& m = game.mission;
    scene::Scene& scene = game.engine->scene();
    for (int i = 1; i <= kMapPlacements; ++i) {
        if (m.Map.Placements[i].Active == 0 || !m.SceneryMesh[i].IsValid()) continue;
        scene::Mesh& mesh = m.SceneryMesh[i];
        if (cullFar) mesh.SetEnabled(mesh.DistanceTo(game.player.ShipMesh) < kSceneryShownWithin);
        scene.Render(mesh);
    }
}

void RenderEnemies(Game& game) {
    scene::Scene& scene = game.engine->scene();
    for (const mission::Enemy& enemy : game.mission.Enemies) {
        if (enemy.Active == 0) continue;
        RenderIfValid(scene, enemy.Mesh);
        if (enemy.PowerupFlag != 0) RenderIfValid(scene, enemy.PowerupActor);
    }
}

void DrawMissionWorld(Game& game) {
    Engine& engine = *game.engine;
    GlowPass(game);
    MainPass(game);
    if (game.settings.GlowEnabled == 1) engine.scene().RenderGlowParts();
    engine.ApplyGlow();
}

}  // namespace kr::gameplay
