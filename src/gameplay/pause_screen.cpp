#include "gameplay/pause_screen.hpp"

#include <algorithm>
#include <cmath>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_widgets.hpp"
#include "gameplay/world_render.hpp"
#include "mission/mission_start.hpp"

namespace kr::gameplay {

namespace {

namespace song {
constexpr int Mission = 1, Pause = 2, Boss = 5;
}

namespace text {
constexpr int Title = 57, Resume = 58, Quit = 62;
}

struct Pause {
    double OrbitAngle = 0;
    double OrbitExtra = 0;  // further out and lower over space
    double PanelAlpha = 0.9;
    double PanelFadeDelay = 10;
};

void CircleShip(Game& game, const Pause& pause) {
    const glm::vec3 ship = game.player.ShipMesh.Position();
    const auto c = static_cast<float>(std::cos(pause.OrbitAngle)), s = static_cast<float>(std::sin(pause.OrbitAngle));
    const auto reach = static_cast<float>(70 + pause.OrbitExtra);
    game.engine->scene().SetCamera({ship.x + reach * c, ship.y + 200 - static_cast<float>(pause.OrbitExtra), ship.z + reach * s},
                                   {ship.x + 10 * c, ship.y, ship.z + 10 * s});
}

void RenderDroppedPowerups(Game& game) {
    for (const mission::Enemy& enemy : game.mission.Enemies)
        if (enemy.Active == 1 && enemy.PowerupFlag == 1) RenderIfValid(game.engine->scene(), enemy.PowerupActor);
}

// The frozen world, without the enemies' shots.
void DrawStill(Game& game) {
    Engine& engine = *game.engine;
    scene::Scene& scene = engine.scene();
    engine.BeginGlowSurface();
    RenderIfValid(scene, game.player.ShieldMesh);
    RenderDroppedPowerups(game);
    RenderPlayerShots(game);
    scene.RenderParticles();
    engine.EndGlowSurface();
    engine.Clear(false);
    scene.RenderSky();
    if (game.mission.Map.SpaceLevel == 0) scene.RenderLandscape();
    RenderIfValid(scene, game.player.ShipMesh);
    RenderIfValid(scene, game.player.ShieldMesh);
    if (game.mission.BossPhase != 0) RenderIfValid(scene, game.mission.BossActor);
    RenderScenery(game, false);
    RenderEnemies(game);
    RenderPlayerShots(game);
    scene.RenderParticles();
    if (game.settings.GlowEnabled == 1) scene.RenderGlowParts();
    engine.ApplyGlow();
}

bool Between(int value, int low, int high) { return value > low && value < high; }

void DrawChoice(Game& game, int text, int y, bool lit, float alpha) {
    Engine& engine = *game.engine;
    const Colour colour = lit ? Colour{1, 1, 1, alpha} : Colour{1, 0.2f, 0.2f, alpha};
    frontend::DrawCentred(game, game.langText[text].View(), game.settings.ScreenWidth / 2, static_cast<float>(y), colour,
                          22, engine.FontId("Font22"));
}

void DrawPanel(Game& game, const Pause& pause) {
    Engine& engine = *game.engine;
    const int w = game.settings.ScreenWidth, h = game.settings.ScreenHeight;
    const auto a = static_cast<float>(pause.PanelAlpha);
    const auto fw = static_cast<float>(w), fh = static_cast<float>(h);
    engine.Begin2D();
    engine.DrawFilledBox(-1, -1, fw, 70, Corners::All({0, 0, 0, a}));
    engine.DrawFilledBox(-1, fh, fw, fh - 70, Corners::All({0, 0, 0, a}));
    engine.DrawTexture(engine.TextureId("as"), 5, 5, 133, 69, Corners::All({1, 1, 1, a}));
    engine.DrawTexture(engine.TextureId("p256x128"), fw / 2 - 128, fh / 2 + 56, fw / 2 + 128, fh / 2 + 184,
                       Corners::All({1, 1, 1, a}));
    engine.End2D();
    engine.BeginText();
    frontend::DrawCentred(game, game.langText[text::Title].View(), w / 2, fh / 2 + 65, {0.5f, 0.1f, 0.1f, a}, 42,
                          engine.FontId("Font42"));
    const int y = game.mouse.MouseY;
    DrawChoice(game, text::Resume, h / 2 + 110, Between(y, h / 2 + 100, h / 2 + 130), a);
    DrawChoice(game, text::Quit, h / 2 + 140, Between(y, h / 2 + 130, h / 2 + 150), a);
    engine.EndText();
}

// The panel stays while the mouse moves and fades out soon after it stops.
void FadePanel(Game& game, Pause& pause) {
    const double ft = game.engine->FrameTimeMs();
    const MouseReading motion = game.engine->ReadMouse();
    pause.PanelFadeDelay -= 0.02 * ft;
    if (pause.PanelFadeDelay <= 0) pause.PanelAlpha = std::max(0.0, pause.PanelAlpha - 0.001 * ft);
    if (motion.dx != 0 || motion.dy != 0) {
        pause.PanelAlpha = 0.9;
        pause.PanelFadeDelay = 10;
    }
}

void Enter(Game& game) {
    StopMusic(game, song::Mission);
    StopMusic(game, song::Boss);
    PlayMusic(game, song::Pause);
    if (game.mission.BossPhase != 0 && game.mission.BossActor.IsValid()) game.mission.BossActor.SetAnimationSpeed(0);
    Engine& engine = *game.engine;
    engine.CapturePointer(false);
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(true);
}

void Resume(Game& game) {
    Engine& engine = *game.engine;
    engine.ShowCursor(false);
    engine.CapturePointer(true);
    if (game.mission.BossPhase != 0) {
        if (game.mission.BossActor.IsValid()) game.mission.BossActor.SetAnimationSpeed(1);
        PlayMusic(game, song::Boss);
    } else {
        PlayMusic(game, song::Mission);
    }
}

void Quit(Game& game) {
    StopMusic(game, song::Mission);
    StopMusic(game, song::Boss);
    SaveProfilesIfChanged(game);
    game.ScreenId = screen_id::Hangar;
    mission::EndMission(game);
}

}  // namespace

void PauseScreen(Game& game) {
    Engine& engine = *game.engine;
    Pause pause;
    pause.OrbitExtra = game.mission.Map.SpaceLevel != 0 ? 100 : 0;
    Enter(game);
    const int h = game.settings.ScreenHeight;
    for (;;) {
        CircleShip(game, pause);
        DrawStill(game);
        pause.OrbitAngle += 0.00008 * engine.FrameTimeMs();
        DrawPanel(game, pause);
        engine.Present();
        PlayMusicAgainWhenOver(game, song::Pause);
        FadePanel(game, pause);
        ReadMouse(game);
        if (game.mouse.MouseButton1 != 0 && Between(game.mouse.MouseY, h / 2 + 110, h / 2 + 150)) break;
    }
    StopMusic(game, song::Pause);
    if (game.mouse.MouseY <= h / 2 + 130) Resume(game);
    else Quit(game);
}

}  // namespace kr::gameplay
