#include "gameplay/mission_frame.hpp"

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "gameplay/arsenal.hpp"
#include "gameplay/combat.hpp"
#include "gameplay/flight.hpp"
#include "gameplay/main_gun.hpp"
#include "gameplay/shot_motion.hpp"
#include "gameplay/mission_clock.hpp"
#include "gameplay/world_motion.hpp"
#include "mission/mission_start.hpp"

namespace kr::gameplay {

namespace {

constexpr float kSceneryShownWithin = 2000;
constexpr int kEscape = 1;
constexpr int kMissionSong = 1;
constexpr int kBossSong = 5;

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

// Scenery far from the ship is switched off, so it is neither drawn nor hit.
void RenderScenery(Game& game) {
    mission::MissionState& m = game.mission;
    scene::Scene& scene = game.engine->scene();
    for (int i = 1; i <= kMapPlacements; ++i) {
        if (m.Map.Placements[i].Active == 0 || !m.SceneryMesh[i].IsValid()) continue;
        scene::Mesh& mesh = m.SceneryMesh[i];
        mesh.SetEnabled(mesh.DistanceTo(game.player.ShipMesh) < kSceneryShownWithin);
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
    RenderScenery(game);
    if (game.mission.BossPhase != 0) RenderIfValid(scene, game.mission.BossActor);
    RenderEnemies(game);
    RenderPlayerShots(game);
    scene.RenderParticles();
}

bool SongEnded(const Game& game, int song) {
    return game.Music.Position(song) >= game.Music.Duration(song);
}

// The mission's song, or the boss's in the boss stage, starts again at its end.
void KeepMusicPlaying(Game& game) {
    if (game.MusicEnabled == 0) return;
    if (game.mission.BossPhase != 0) {
        if (!SongEnded(game, kBossSong)) return;
        StopMusic(game, kBossSong);
        PlayMusic(game, kBossSong);
        StopMusic(game, kMissionSong);
    } else if (SongEnded(game, kMissionSong)) {
        StopMusic(game, kMissionSong);
        PlayMusic(game, kMissionSong);
    }
}

void EnableTimers(Game& game) {
    const double now = game.device.ClockMs();
    game.timers.Timer.Enable(now);
    game.timers.MissionTime.Enable(now);
}

}  // namespace

void DrawMissionWorld(Game& game) {
    Engine& engine = *game.engine;
    GlowPass(game);
    MainPass(game);
    if (game.settings.GlowEnabled == 1) engine.scene().RenderGlowParts();
    engine.ApplyGlow();
}

void MissionFrame(Game& game) {
    Engine& engine = *game.engine;
    EnableTimers(game);
    KeepMusicPlaying(game);
    BlockUnownedWeapons(game);
    DrawMissionWorld(game);
    engine.Present();
    ReadSteering(game);
    Fly(game);
    MainGunUpkeep(game);
    MoveScenery(game);
    ScrollLandscape(game);
    BurnWithLaser(game);
    MoveEnemyShots(game);
    MovePlayerShots(game);
    MoveEnemies(game);
    FadeBoomLight(game);
    engine.scene().UpdateParticles(engine.FrameTimeMs());
    FollowWithCamera(game);
    TriggerSelectedWeapon(game);
    EndTimedEffects(game);
    RunDownCooldowns(game);
    AdvanceWaveTimer(game);
    KeepMissionClock(game);
    SelectWeaponKeys(game);
    DeveloperKeys(game);
    if (game.ScreenId != screen_id::Mission) return;  // the mission was ended
    // Until the pause screen exists, Escape leaves the mission for the hangar.
    if (engine.KeyPressed(kEscape)) {
        FinishMission(game);
        return;
    }
    if (MissionOver(game)) FinishMission(game);
}

}  // namespace kr::gameplay
