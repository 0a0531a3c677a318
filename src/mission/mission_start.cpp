#include "mission/mission_start.hpp"

#include "app/game.hpp"
#include "app/init_engine.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_scene.hpp"
#include "mission/player_ship.hpp"

namespace kr::mission {

namespace {

void StopTimers(Game& game) {
    game.timers.Timer.Disable();
    game.timers.MissionTime.Disable();
}

// Everything a mission starts from; the briefing gives the map and its clock.
void ResetMissionState(Game& game) {
    game.mission = MissionState{};
    MissionState& m = game.mission;
    m.MapFolder = game.missionText.MapFolder;
    m.SpawnMinutes = game.missionText.SpawnMinutes;
    m.RequiredPercent = game.missionText.RequiredPercent;
    game.player = Player{};
    game.player.Life = LifeCeiling(game);
    game.player.Armour = ArmourCeiling(game);
    game.profiles.ProfileShipLevel[game.ActiveProfile] = 0;
    game.TimeStop = 0;
    game.MissionSeconds = 0;
}

// The scene's objects, lights and textures, all of them.
void ClearWorld(Engine& engine, bool textures) {
    scene::Scene& scene = engine.scene();
    scene.DeleteAllMeshes();
    scene.DeleteAllActors();
    scene.DeleteAllLandscapes();
    scene.ResetParticles();
    scene.DeleteAllLights();
    if (textures) engine.textures().DeleteAll();
}

void CreateMissionLight(Game& game) {
    scene::Scene& scene = game.engine->scene();
    scene.light(scene.CreatePointLight("menulight", {0.2f, -1, 0.2f}, {0.7f, 0.65f, 0.65f, 1}, 500)).specular = true;
}

void CentreMouse(Game& game) {
    game.engine->SetMousePosition(512, 368);
    MissionState& m = game.mission;
    m.MouseX = m.PreviousMouseX = 512;
    m.MouseY = m.PreviousMouseY = 368;
    game.MissionSeconds = 0;
}

void SetMissionColours(Game& game) {
    game.mission.GlowColour = {1, 1, 1, 1};
    game.engine->SetGlowColour(game.mission.GlowColour, 1.4f, 0.8f);
    game.engine->scene().SetBackground({0, 0, 0, 0.3f});
}

// The camera over the ship, as the frame loop keeps it.
void PlaceCamera(Game& game) {
    MissionState& m = game.mission;
    m.ScrollDistance = 0;
    const glm::vec3 ship = game.player.ShipMesh.Position();
    const auto scroll = static_cast<float>(m.ScrollDistance);
    game.engine->scene().SetCamera({-500, scroll + 800, -0.05f * ship.z},
                                   {0, 0.3f * ship.x + scroll / 2 - 50, 0.23f * ship.z});
}

void ResetAfterMission(Game& game) {
    MissionState& m = game.mission;
    m.BossPhase = m.BossSpawned = 0;
    m.BossHitPointsA = m.BossHitPointsB = 0;
    m.BossKilled = m.BossFinale = 0;
    for (double& cooldown : m.CannonCooldown) cooldown = 0;
    for (Placement& placement : m.Map.Placements) placement.Active = 0;
    for (Enemy& enemy : m.Enemies) enemy.Active = 0;
    m.Invulnerable = m.EnemiesHoldFire = 0;
    m.WeaponCooldown.fill(0);
    for (EnemyShot& shot : m.EnemyShots) shot.Active = 0;
    for (PlayerShot& shot : game.player.Shots) shot.Active = 0;
    game.briefing.BriefingFade = 0;
    game.briefing.BriefingStep = 0;
    if (m.BossActor.IsValid()) m.BossActor.StopAnimation();
}

}  // namespace

void ShowLoadingPicture(Game& game) {
    Engine& engine = *game.engine;
    const auto w = static_cast<float>(game.settings.ScreenWidth), h = static_cast<float>(game.settings.ScreenHeight);
    engine.Clear();
    engine.Begin2D();
    engine.DrawTexture(engine.TextureId("loading"), w / 2 - 128, h / 2 - 32, w / 2 + 128, h / 2 + 32);
    engine.End2D();
    engine.BeginText();
    const int font = engine.FontId("Font22");
    const std::string_view caption = game.langText[56].View();
    engine.DrawText(caption, w / 2 - engine.MeasureText(caption, font) / 2, h / 2 + 30, {1, 1, 1, 0.5f}, font);
    engine.EndText();
    engine.Present();
}

void StartMission(Game& game) {
    StopTimers(game);
    game.mission.ScrollDistance = 0;
    ShowLoadingPicture(game);
    ResetMissionState(game);
    game.engine->SetCursor("kursor", 32, 32);
    game.engine->ShowCursor(false);
    PlaySound(game, 2);
    StopMusic(game, 0);
    ClearWorld(*game.engine, true);
    InitEngine(game);
    game.engine->scene().ResetParticles();
    BuildMission(game);
    frontend::LoadMenuTextures(game);
    game.engine->SetCursor("kursor", 50, 50);
    game.engine->ShowCursor(false);
    CreateMissionLight(game);
    CentreMouse(game);
    if (game.MusicEnabled != 0) game.Music.LoadFile(1, MapMusicFile(game.mission.Map, game.mission.MapFolder));
    SetMissionColours(game);
    PlaceCamera(game);
    game.engine->FadeIn(2000.0);
    game.engine->CapturePointer(true);
    PlayMusic(game, 1);
    game.ScreenId = screen_id::Mission;
}

void EndMission(Game& game) {
    Engine& engine = *game.engine;
    StopTimers(game);
    engine.LoadTexture("graphics\\arrow_right.dds", "kursor", -1, -1, colour_key::kOwnAlpha);
    ShowLoadingPicture(game);
    ResetAfterMission(game);
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(false);
    PlaySound(game, 2);
    StopMusic(game, 1);
    PlayMusic(game, 0);
    for (int twice = 0; twice < 2; ++twice) engine.DeleteTexture("ground_" + game.mission.MapFolder);
    ClearWorld(engine, false);
    engine.CapturePointer(false);
    frontend::BuildMenuScene(game);
    engine.ShowCursor(true);
    game.GlowColour = {1, 1, 1, 1};
    engine.SetGlowColour(game.GlowColour, 0, 0);
    engine.scene().SetBackground({0, 0, 0, 0.7f});
    StopTimers(game);
    engine.FadeIn(2000.0);
    game.ScreenId = screen_id::Hangar;
}

}  // namespace kr::mission
