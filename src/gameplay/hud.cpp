#include "gameplay/hud.hpp"

#include <algorithm>

#include "app/game.hpp"
#include "gameplay/hud_parts.hpp"

namespace kr::gameplay {

namespace hud {

Screen ScreenOf(const Game& game) {
    return {static_cast<float>(game.settings.ScreenWidth), static_cast<float>(game.settings.ScreenHeight)};
}

void DrawPicture(Engine& engine, std::string_view name, float x1, float y1, float x2, float y2,
                 const Corners& colours) {
    engine.DrawTexture(engine.TextureId(name), x1, y1, x2, y2, colours);
}

Corners ThreeAndOne(Colour three, Colour one) { return {three, three, three, one}; }

}  // namespace hud

namespace {

using hud::DrawPicture;
using hud::Screen;

constexpr double kTitleFadePerMs = 0.00006;

// How far the fight phase has run, in percent; a mission without one is
// shown as run out.
double FightPercent(const Game& game) {
    const double fightSeconds = game.mission.SpawnMinutes * 60.0;
    if (fightSeconds <= 0) return 100;
    return 100.0 * game.MissionSeconds / fightSeconds;
}

void DrawTimeBar(Engine& engine, const Game& game, const Screen& s) {
    const auto p = static_cast<float>(FightPercent(game));
    const float left = s.w - 50, right = s.w + 14;
    const bool runOut = game.MissionSeconds > game.mission.SpawnMinutes * 60;
    DrawPicture(engine, "time_bkg", left, 10, right, 522);
    DrawPicture(engine, "time_fill", left, 15, right, runOut ? 520 : 15 + 5 * p);
    DrawPicture(engine, "time_border", left, 10, right, 522);
    DrawPicture(engine, "time_button", left, 10 + 5 * p, right, 42 + 5 * p);
}

// A world point (x, z) on the radar: forward is up, one pixel per 15 units.
void DrawBlip(Engine& engine, const Screen& s, double x, double z, Colour colour) {
    const auto rx = static_cast<float>(s.w - 125 - z / 15), ry = static_cast<float>(120 - x / 15);
    engine.DrawFilledBox(rx - 1, ry - 1, rx + 1, ry + 1, Corners::All(colour));
}

void DrawRadar(Engine& engine, const Game& game, const Screen& s) {
    DrawPicture(engine, "radar_tlo", s.w - 256, -25, s.w, 231);
    if (game.player.ShipMesh.IsValid()) {
        const glm::vec3 ship = game.player.ShipMesh.Position();
        DrawBlip(engine, s, ship.x, ship.z, {1, 1, 0, 0.8f});
    }
    for (const mission::Enemy& enemy : game.mission.Enemies)
        if (enemy.Active != 0 && enemy.HitPoints > 0) DrawBlip(engine, s, enemy.X, enemy.Z, {1, 0, 0, 0.8f});
}

// The gun's heat grows along the upper track; the lower one stays empty.
void DrawHeatBar(Engine& engine, const Game& game, const Screen& s) {
    const Corners track = hud::ThreeAndOne({0, 0, 0, 1}, kWhite);
    DrawPicture(engine, "lasertlo", 165, s.h - 55, 265, s.h - 61, track);
    DrawPicture(engine, "laser", 165, s.h - 55, 164 + static_cast<float>(game.player.GunHeat), s.h - 61);
    DrawPicture(engine, "lasertlo", 165, s.h - 35, 265, s.h - 41, track);
}

// Both gauges grow upward from the same base line, one pixel per point.
void DrawLifeAndArmour(Engine& engine, const Game& game, const Screen& s) {
    const float base = s.h - 133;
    DrawPicture(engine, "pas_tlo", 32, s.h - 218, 64, s.h - 110);
    DrawPicture(engine, "pas_tlo", 68, s.h - 218, 100, s.h - 110);
    DrawPicture(engine, "pas_life", 32, base, 64, base - static_cast<float>(game.player.Life));
    DrawPicture(engine, "pas_armo", 68, base, 100, base - static_cast<float>(game.player.Armour));
    DrawPicture(engine, "ico_life", 32, s.h - 132, 64, s.h - 100);
    DrawPicture(engine, "ico_shield", 68, s.h - 132, 100, s.h - 100);
}

// The share of the boss's health left, kept inside its backdrop even when
// the starting value is missing.
float BossHealthShare(const mission::MissionState& m) {
    if (m.BossHitPointsB <= 0) return 1;
    return std::clamp(static_cast<float>(m.BossHitPointsA) / static_cast<float>(m.BossHitPointsB), 0.0f, 1.0f);
}

void DrawBossBar(Engine& engine, const Game& game, const Screen& s) {
    const mission::MissionState& m = game.mission;
    if (m.BossPhase == 0 || m.BossHitPointsA < 1) return;
    const float centre = s.w / 2;
    engine.DrawFilledBox(centre - 55, 45, centre + 55, 65, Corners::All({0, 0, 0, 0.5f}));
    const Colour top{1, 0.4f, 0.4f, 0.7f}, bottom{1, 0.4f, 0.4f, 0.65f};
    engine.DrawFilledBox(centre - 50, 50, centre - 50 + 100 * BossHealthShare(m), 60, {top, top, bottom, bottom});
}

void DrawGauges(Game& game, const Screen& s) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    DrawTimeBar(engine, game, s);
    DrawRadar(engine, game, s);
    DrawPicture(engine, "okno1", 20, s.h - 276, 276, s.h - 20);
    hud::DrawWeaponBar(engine, game, s);
    DrawHeatBar(engine, game, s);
    DrawLifeAndArmour(engine, game, s);
    DrawBossBar(engine, game, s);
    engine.End2D();
}

void FadeMissionTitle(Game& game) {
    double& fade = game.mission.TitleFade;
    if (fade <= 0) return;
    fade = std::max(0.0, fade - kTitleFadePerMs * game.engine->FrameTimeMs());
}

}  // namespace

void DrawHud(Game& game) {
    const Screen screen = hud::ScreenOf(game);
    DrawGauges(game, screen);
    game.engine->BeginText();
    hud::DrawTexts(game, screen);
    game.engine->EndText();
    FadeMissionTitle(game);
}

}  // namespace kr::gameplay
