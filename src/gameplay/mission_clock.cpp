#include "gameplay/mission_clock.hpp"

#include <algorithm>

#include "app/game.hpp"
#include "app/sound.hpp"
#include "mission/results.hpp"
#include "mission/waves.hpp"

namespace kr::gameplay {

namespace {

namespace key {
constexpr int T = 20, P = 25, N = 49;
}

constexpr double kWaveEvery = 10;  // wave timer units

bool FightSlotsEmpty(const Game& game) {
    for (int slot = 1; slot < mission::kEnemySlots; ++slot)
        if (game.mission.Enemies[slot].Active != 0) return false;
    return true;
}

}  // namespace

void RunDownCooldowns(Game& game) {
    const double ft = game.engine->FrameTimeMs();
    for (double& cooldown : game.mission.WeaponCooldown) cooldown = std::max(0.0, cooldown - 0.0008 * ft);
}

void AdvanceWaveTimer(Game& game) {
    mission::MissionState& m = game.mission;
    if (game.TimeStop != 0) return;
    m.WaveTimer += 0.0035 * game.engine->FrameTimeMs();
    if (m.WaveTimer <= kWaveEvery) return;
    mission::SpawnWave(game);
    m.WaveTimer = 0;
}

void BeginBossPhase(Game& game) {
    mission::MissionState& m = game.mission;
    m.BossPhase = 1;
    game.MissionSeconds = m.SpawnMinutes * 60;
    PlayMusic(game, 5);
    StopMusic(game, 1);
    PlaySound(game, 10);
    particles::ParticleSystem& particles = game.engine->scene().particles();
    if (particles.Exists(m.StarEmitter.index)) particles.SetLaunchSpeed(m.StarEmitter.index, 0);
}

void KeepMissionClock(Game& game) {
    const std::int32_t minutes = game.mission.SpawnMinutes;
    game.MissionSeconds = std::min(game.MissionSeconds, minutes * 61);
    if (game.MissionSeconds > minutes * 60 && game.mission.BossPhase == 0 && FightSlotsEmpty(game))
        BeginBossPhase(game);
}

void DeveloperKeys(Game& game) {
    const Engine& engine = *game.engine;
    if (!engine.KeyDown(key::P)) return;
    mission::MissionState& m = game.mission;
    if (engine.KeyPressed(key::T)) game.MissionSeconds = m.SpawnMinutes * 60 - 4;
    if (engine.KeyPressed(key::N)) {
        m.EnemiesDestroyed = m.EnemiesCreated;
        if (m.BossHitPointsA < 1) mission::BossFinale(game);
        else mission::ShowResults(game);
    }
}

bool MissionOver(const Game& game) { return game.player.Life < 1 || game.mission.BossKilled == 1; }

bool BossDefeated(const Game& game) { return game.mission.BossPhase == 1 && game.mission.BossHitPointsA < 1; }

void FinishMission(Game& game) {
    if (BossDefeated(game)) mission::BossFinale(game);
    else mission::ShowResults(game);
}

}  // namespace kr::gameplay
