#include "mission/results.hpp"

#include <cmath>
#include <string>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_widgets.hpp"
#include "gameplay/world_render.hpp"
#include "mission/mission_start.hpp"

namespace kr::mission {

namespace {

namespace song {
constexpr int Mission = 1, Results = 3, Boss = 5;
}

constexpr int kCloseSound = 10;
constexpr int kMissions = 2;  // the campaign's length
constexpr std::int32_t kMissionPictureKey = -65536;
constexpr std::int32_t kHangarPictureKey = -327764;
constexpr double kPanelLocked = 250;  // 2.5 s of frame time before a click counts

struct Tally {
    double killPercent = 0;
    bool won = false;
    std::int32_t credits = 1;
};

Tally TallyOf(const Game& game) {
    const MissionState& m = game.mission;
    Tally t;
    t.killPercent = KillPercent(m.EnemiesCreated, m.EnemiesDestroyed);
    t.won = MissionWon(t.killPercent, m.RequiredPercent, game.player.Life);
    t.credits = MissionCredits(t.won, t.killPercent, m.MissionScore, m.PowerupsCollected, m.EnemiesDestroyed);
    return t;
}

void LoadMissionPicture(Game& game) {
    frontend::ReplaceTexture(*game.engine, "loa1", "graphics\\loa" + std::to_string(game.CurrentMission + 1) + ".dds",
                             kMissionPictureKey);
    Engine& engine = *game.engine;
    engine.CapturePointer(false);
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(true);
}

// The camera drifts slowly across the field behind the panel.
void DriftCamera(Game& game, double elapsedMs) {
    const auto drift = static_cast<float>(elapsedMs * 0.02);
    game.engine->scene().SetCamera({-600 + drift * 0.5f, 650, -250 + drift}, {250, 0, drift * 0.5f});
}

// The panel's texts lie on a drop shadow: the shadow first, the text over it.
void DrawText(Game& game, const std::string& text, float x, float y, const char* font, Colour colour) {
    Engine& engine = *game.engine;
    frontend::DrawTextWithCopy(engine, text, x + 2, y + 2, {0, 0, 0, colour.a * 0.6f}, engine.FontId(font), -2, -2,
                               colour);
}

void DrawCentred(Game& game, const std::string& text, int size, float y, Colour colour) {
    const int x = frontend::CentredX(game, size, text, game.settings.ScreenWidth / 2);
    DrawText(game, text, static_cast<float>(x), y, size == 42 ? "Font42" : "Font22", colour);
}

std::string Lang(const Game& game, int n) { return game.langText[n].Str(); }

void DrawPanel(Game& game) {
    Engine& engine = *game.engine;
    const auto cx = static_cast<float>(game.settings.ScreenWidth / 2);
    const auto cy = static_cast<float>(game.settings.ScreenHeight / 2);
    engine.Begin2D();
    engine.DrawFilledBox(cx - 330, cy - 240, cx + 330, cy + 95, Corners::All({0, 0, 0, 0.55f}));
    engine.DrawTexture(engine.TextureId("loa1"), cx - 320, cy - 230, cx + 320, cy + 85, Corners::All({1, 1, 1, 0.3f}));
    engine.DrawTexture(engine.TextureId("p512x256"), cx - 345, cy - 255, cx + 345, cy + 110);
    engine.End2D();
}

void DrawStatistics(Game& game, const Tally& tally) {
    const MissionState& m = game.mission;
    const auto left = static_cast<float>(game.settings.ScreenWidth / 2 - 300);
    const auto cy = static_cast<float>(game.settings.ScreenHeight / 2);
    const Colour line{0.9f, 0.9f, 1, 0.95f};
    game.engine->BeginText();
    DrawCentred(game, std::string(game.missionText.MissionName.View()), 22, cy - 215, {0.8f, 0.8f, 0.9f, 0.9f});
    DrawCentred(game, Lang(game, tally.won ? 63 : 64), 42, cy - 200,
                tally.won ? Colour{0.6f, 1, 0.6f, 1} : Colour{1, 0.45f, 0.4f, 1});
    const std::string ratio = m.BossHitPointsA > 0
                                  ? Lang(game, 116)
                                  : Lang(game, 65) + " " + std::to_string(static_cast<int>(tally.killPercent)) + "% " +
                                        Lang(game, 66) + " " + std::to_string(m.RequiredPercent) + "%.";
    DrawText(game, ratio, left, cy - 140, "Font42", {1, 0.9f, 0.8f, 1});
    DrawText(game, std::to_string(m.EnemiesDestroyed) + " " + Lang(game, 68) + ".", left, cy - 100, "Font22", line);
    DrawText(game, std::to_string(m.MissionScore) + " " + Lang(game, 67) + ".", left, cy - 60, "Font22", line);
    DrawText(game, std::to_string(m.PowerupsCollected) + " " + Lang(game, 69) + ".", left, cy - 20, "Font22", line);
    DrawText(game, Lang(game, 70) + " " + std::to_string(tally.credits) + " " + Lang(game, 71) + ".", left, cy + 40,
             "Font22", {1, 0.85f, 0.4f, 1});
    game.engine->EndText();
}

// The next mission's briefing and picture for the hangar.
void LoadNextBriefing(Game& game) {
    const std::string picture = LoadMissionText(game.folder, game.settings.Language.View(), game.CurrentMission + 1,
                                                game.CurrentMission, game.missionText);
    frontend::ReplaceTexture(*game.engine, "loa1", picture, kHangarPictureKey);
}

}  // namespace

double KillPercent(std::int32_t created, std::int32_t destroyed) {
    const double percent = static_cast<double>(destroyed) / static_cast<double>(created) * 100;
    if (!(percent >= 0)) return 0;  // also 0 / 0
    return percent > 100 ? 100 : percent;
}

bool MissionWon(double killPercent, std::int32_t requiredPercent, std::int32_t life) {
    return killPercent >= requiredPercent && life > 0;
}

std::int32_t MissionCredits(bool won, double killPercent, std::int32_t score, std::int32_t powerups,
                            std::int32_t destroyed) {
    if (!won) return 1;
    const double tally = 2 * killPercent + score / 5.0 + 2.0 * powerups + destroyed;
    return static_cast<std::int32_t>(std::nearbyint(tally)) / 10;
}

void BossFinale(Game& game) {
    Engine& engine = *game.engine;
    MissionState& m = game.mission;
    PlaySound(game, kCloseSound);
    StopMusic(game, song::Mission);
    StopMusic(game, song::Boss);
    LoadMissionPicture(game);
    m.BossActor.SetAnimationSpeed(1);
    m.BossActor.PlayAnimation();
    particles::ParticleSystem& particles = engine.scene().particles();
    if (particles.Exists(m.BossEmitter.index)) particles.SetEmitting(m.BossEmitter.index, true);
    double t = 0, angle = 0;
    while (t <= 35) {
        const glm::vec3 boss = m.BossActor.Position();
        if (particles.Exists(m.BossEmitter.index)) particles.SetPosition(m.BossEmitter.index, boss + glm::vec3(0, 50, 0));
        if (t < 15) {
            angle -= engine.FrameTimeMs() * 0.001;
            auto shake = [&] { return static_cast<float>(game.random(4)); };
            const glm::vec3 eye{boss.x + 520 * static_cast<float>(std::cos(angle)), boss.y + 260,
                                boss.z + 520 * static_cast<float>(std::sin(angle))};
            engine.scene().SetCamera(eye + glm::vec3(shake(), shake(), shake()), boss);
        }
        if (t >= 16) m.BossActor.Hide();  // gone in the flash
        gameplay::DrawMissionWorld(game);
        engine.scene().UpdateParticles(engine.FrameTimeMs());
        if (t >= 15 && t <= 17) {
            engine.Begin2D();
            engine.DrawFilledBox(0, 0, static_cast<float>(game.settings.ScreenWidth),
                                 static_cast<float>(game.settings.ScreenHeight), Corners::All({1, 1, 1, 1}));
            engine.End2D();
        }
        engine.Present();
        PlayMusicAgainWhenOver(game, song::Results);
        t += engine.FrameTimeMs() * 0.03;
    }
    engine.DeleteTexture("loa1");
    StopMusic(game, song::Results);
    StopMusic(game, song::Mission);
    ShowResults(game);
}

void ShowResults(Game& game) {
    Engine& engine = *game.engine;
    PlaySound(game, kCloseSound);
    const Tally tally = TallyOf(game);
    StopMusic(game, song::Mission);
    StopMusic(game, song::Boss);
    PlayMusic(game, song::Results);
    LoadMissionPicture(game);
    double d = kPanelLocked, elapsed = 0;
    for (;;) {
        d -= engine.FrameTimeMs() * 0.1;
        elapsed += engine.FrameTimeMs();
        DriftCamera(game, elapsed);
        gameplay::DrawMissionWorld(game);
        engine.scene().UpdateParticles(engine.FrameTimeMs());
        DrawPanel(game);
        DrawStatistics(game, tally);
        engine.Present();
        PlayMusicAgainWhenOver(game, song::Results);
        ReadMouse(game);
        if (game.mouse.MouseButton1 != 0 && d <= 0) break;
    }
    engine.DeleteTexture("loa1");
    StopMusic(game, song::Results);
    StopMusic(game, song::Mission);
    SettleMission(game);
}

void SettleMission(Game& game) {
    const Tally tally = TallyOf(game);
    ProfileStore& p = game.profiles;
    const int pilot = game.ActiveProfile;
    p.ProfileScore[pilot] += game.mission.MissionScore;
    p.ProfileMoney[pilot] += tally.credits;
    if (tally.won) game.CurrentMission += 1;
    const bool campaignDone = game.CurrentMission >= kMissions;
    SaveProfilesIfChanged(game);
    if (campaignDone) game.CurrentMission = 0;
    LoadNextBriefing(game);
    EndMission(game);
    game.ScreenId = campaignDone ? screen_id::EndOfGame : screen_id::Hangar;
    p.ProfileMission[pilot] = static_cast<std::uint8_t>(game.CurrentMission);
}

}  // namespace kr::mission
