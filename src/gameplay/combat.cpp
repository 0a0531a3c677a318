#include "gameplay/combat.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/game.hpp"
#include "app/sound.hpp"
#include "mission/player_ship.hpp"

namespace kr::gameplay {

namespace {

namespace sound {
constexpr int PickUp = 4, FirstBlast = 5, Warning = 11, Crash = 12, FirstHit = 13, ShipHit = 26;
}

namespace text {
constexpr int Kill = 52, Armour = 59, Gun = 60, Recharge = 61;
}

constexpr double kBoomLightRange = 500;
constexpr double kWreckSpeed = 0.3;

int Difficulty(const Game& game) { return game.profiles.ProfileDifficulty[game.ActiveProfile]; }
int Upgrade(const Game& game, int item) { return game.profiles.ProfileUpgrades[game.ActiveProfile][item]; }

void WarnWhenLow(Game& game) {
    if (game.player.Life < 31) PlaySound(game, sound::Warning);
}

void ClampHealth(Player& player) {
    player.Armour = std::max(player.Armour, 0);
    player.Life = std::max(player.Life, 0);
}

void SetEmitting(Game& game, const EmitterRef& emitter, bool on) {
    particles::ParticleSystem& particles = game.engine->scene().particles();
    if (emitter.index != 0 && particles.Exists(emitter.index)) particles.SetEmitting(emitter.index, on);
}

particles::ParticleSystem& Particles(Game& game) { return game.engine->scene().particles(); }

glm::vec3 RandomCorner(Game& game) {
    auto unit = [&] { return static_cast<float>(game.random(3) - 1); };
    const float x = unit(), y = unit(), z = unit();
    return {x, y, z};
}

// Emitter 1 stops looping and throws the last smoke of the wreck about.
void ScatterSmoke(Game& game, const EmitterRef& emitter) {
    const glm::vec3 from = RandomCorner(game), to = RandomCorner(game);
    if (emitter.index == 0 || !Particles(game).Exists(emitter.index)) return;
    particles::ParticleSystem& particles = Particles(game);
    particles.SetLooping(emitter.index, false);
    particles.SetLaunchSpeed(emitter.index, 10);
    particles.SetBox(emitter.index, true, from, to);
}

void DropPowerup(mission::Enemy& enemy) {
    if (enemy.PowerupActor.IsValid()) enemy.PowerupActor.Show();
    enemy.PowerupFlag = 1;
}

// Points for a kill: (draw + base) x the enemy's type.
void ScoreKill(Game& game, const mission::Enemy& enemy, int base) {
    mission::MissionState& m = game.mission;
    PlaySound(game, sound::FirstBlast + game.random(4));
    m.LastKillPoints = (game.random(2) + base) * enemy.Type;
    m.MissionScore += m.LastKillPoints;
}

void Die(Game& game, int slot) {
    mission::MissionState& m = game.mission;
    mission::Enemy& enemy = m.Enemies[slot];
    ScoreKill(game, enemy, 2);
    AddKillMessage(game, game.langText[text::Kill].Str() + " " + std::to_string(m.LastKillPoints));
    ExplodeEnemy(game, slot);
    if (game.random(250) > 4 * game.CurrentMission + 200) {
        DropPowerup(enemy);
        enemy.Drift = 0;
    }
    if (m.BossPhase != 0) m.BossKilled = 1;
}

// Thresholds with gaps: at exactly 65, 50 and 30 nothing changes.
void ShowDamageSmoke(Game& game) {
    const Player& player = game.player;
    const std::int32_t life = player.Life;
    if (life >= 66) {
        SetEmitting(game, player.SmokeEmitterA, false);
        SetEmitting(game, player.SmokeEmitterB, false);
        SetEmitting(game, player.FireEmitter, false);
    }
    if (life < 65) SetEmitting(game, player.SmokeEmitterA, true);
    if (life >= 51) SetEmitting(game, player.SmokeEmitterB, false);
    if (life < 50) SetEmitting(game, player.SmokeEmitterB, true);
    if (life >= 31) SetEmitting(game, player.FireEmitter, false);
    if (life < 30) SetEmitting(game, player.FireEmitter, true);
}

// Clearing a time stop in the boss stage lets the boss move again.
void Recharge(Game& game) {
    mission::MissionState& m = game.mission;
    m.WeaponCooldown.fill(0);
    if (m.BossPhase != 0 && game.TimeStop != 0 && m.BossActor.IsValid()) m.BossActor.SetAnimationSpeed(1);
    m.EnemiesHoldFire = m.Invulnerable = game.TimeStop = 0;
    game.player.ShieldMesh.Hide();
    game.player.ShieldBeam.Hide();
}

void ApplyPowerup(Game& game, int kind) {
    Player& player = game.player;
    const int message = kind == 1 ? text::Armour : kind == 2 ? text::Gun : text::Recharge;
    AddMessage(game, game.langText[message].View(), 1, 0.4, 0.4);
    if (kind == 1) {
        player.Armour = 100;
    } else if (kind == 2) {
        player.GunHeat = 0;
        player.GunLevel = static_cast<std::uint8_t>(std::min(player.GunLevel + 1, 10));
    } else {
        Recharge(game);
    }
}

bool Within(float a, float b, float reach) { return std::fabs(a - b) < reach; }

void PickUp(Game& game, mission::Enemy& enemy) {
    const glm::vec3 ship = game.player.ShipMesh.Position(), at = enemy.Mesh.Position();
    if (enemy.PowerupFlag != 1 || !Within(ship.x, at.x, 50) || !Within(ship.z, at.z, 50)) return;
    PlaySound(game, sound::PickUp);
    enemy.PowerupActor.Hide();
    enemy.PowerupFlag = 0;
    for (int n = 7; n <= 9; ++n) SetEmitting(game, enemy.Emitters[n], false);
    game.mission.PowerupsCollected += 1;
    ApplyPowerup(game, enemy.PowerupKind);
}

void Ram(Game& game, int slot) {
    mission::Enemy& enemy = game.mission.Enemies[slot];
    ScoreKill(game, enemy, 1);
    AddKillMessage(game, "Punkty +" + std::to_string(game.mission.LastKillPoints));
    ExplodeEnemy(game, slot);
    if (game.random(250) >= 201) DropPowerup(enemy);
}

void Crash(Game& game, int slot) {
    Player& player = game.player;
    if (player.Armour < 1) player.Life -= 15;
    else player.Armour = player.Armour + 3 * Upgrade(game, 6) - 20;
    game.mission.HullDamage += 10;
    ApplyWear(game);
    ClampHealth(player);
    ExplodeEnemy(game, slot);
    PlaySound(game, sound::Crash);
    WarnWhenLow(game);
}

}  // namespace

void AddMessage(Game& game, std::string_view text, double red, double green, double blue) {
    mission::MessageLog& log = game.mission.Messages;
    for (int n = 1; n < mission::kMessageLines; ++n) log[n] = log[n + 1];
    log[mission::kMessageLines] = {text, red, green, blue};
}

void AddKillMessage(Game& game, std::string_view text) { AddMessage(game, text, 0.4, 1, 0.4); }

void TakeShotDamage(Game& game, double damage) {
    Player& player = game.player;
    const int d = static_cast<int>(std::lrint(damage)), difficulty = Difficulty(game);
    PlaySound(game, sound::ShipHit);
    if (player.Armour < 1) player.Life -= 4 * difficulty + d + 5;
    else player.Armour = player.Armour + 2 * Upgrade(game, 6) - d - (d + 1) * difficulty;
    game.mission.HullDamage += 10;
    ApplyWear(game);
    ClampHealth(player);
    WarnWhenLow(game);
}

void ApplyWear(Game& game) {
    std::int32_t& level = game.profiles.ProfileShipLevel[game.ActiveProfile];
    const std::int32_t hull = game.mission.HullDamage;
    struct Step {
        std::int32_t below, from, to;
    };
    static constexpr Step kSteps[] = {{1, 10, 30}, {2, 30, 50}, {3, 50, 70}, {4, 70, INT32_MAX}};
    for (const Step& step : kSteps) {
        if (level >= step.below || hull < step.from || hull >= step.to) continue;
        level += 1;
        mission::ApplyShipSkin(game);
    }
}

void ExplodeEnemy(Game& game, int slot) {
    mission::MissionState& m = game.mission;
    mission::Enemy& enemy = m.Enemies[slot];
    scene::Scene& scene = game.engine->scene();
    scene.light(scene.LightIndex("boomlight")).position = enemy.Mesh.Position();
    m.BoomLight = kBoomLightRange;
    m.EnemiesDestroyed += 1;
    enemy.HitPoints = mission::kWreck;
    enemy.Mesh.Hide();
    for (int n : {3, 4, 5}) SetEmitting(game, enemy.Emitters[n], true);
    for (int n : {6, 2}) SetEmitting(game, enemy.Emitters[n], false);
    ScatterSmoke(game, enemy.Emitters[1]);
    enemy.Speed = kWreckSpeed;
    m.CameraShake += 5;
}

void HitEnemy(Game& game, int slot, const PlayerShot& shot) {
    mission::Enemy& enemy = game.mission.Enemies[slot];
    game.mission.MissionScore += Difficulty(game) + 1;
    enemy.Burn += 0.01;
    enemy.HitPoints -= 6 * Upgrade(game, 5) + shot.Damage;
    PlaySound(game, sound::FirstHit + game.random(4));
    if (game.CurrentMission == 0) enemy.SpinRate += 1;
    SetEmitting(game, enemy.Emitters[1], true);
    if (game.random(10) >= 6) SetEmitting(game, enemy.Emitters[2], true);
    enemy.Speed = std::max(enemy.Speed, 0.01);
}

void SufferAndReward(Game& game, int slot, double ft) {
    mission::MissionState& m = game.mission;
    mission::Enemy& enemy = m.Enemies[slot];
    if (m.BossPhase == 0 && enemy.Burn > 0) enemy.HitPoints -= ft * enemy.Burn;
    if (m.BossPhase != 0) {
        SetEmitting(game, enemy.Emitters[1], false);
        SetEmitting(game, enemy.Emitters[2], false);
    }
    if (enemy.HitPoints > mission::kWreck && enemy.HitPoints < 0) Die(game, slot);
    ShowDamageSmoke(game);
    PickUp(game, enemy);
}

void MeetShip(Game& game, int slot) {
    const mission::Enemy& enemy = game.mission.Enemies[slot];
    if (enemy.Active != 1 || enemy.HitPoints <= mission::kWreck) return;
    const Player& player = game.player;
    const float distance = enemy.Mesh.DistanceTo(player.ShipMesh);
    const bool shielded = IsSwitchedOn(player.ShieldMesh);
    if (shielded && distance < 100) Ram(game, slot);
    else if (!shielded && distance < 50 && game.mission.Invulnerable == 0) Crash(game, slot);
}

void BurnWithLaser(Game& game) {
    if (!IsSwitchedOn(game.player.ShieldBeam)) return;
    const double loss = 0.3 * game.engine->FrameTimeMs();
    const float shipZ = game.player.ShipMesh.Position().z;
    for (mission::Enemy& enemy : game.mission.Enemies)
        if (enemy.Active == 1 && Within(enemy.Mesh.Position().z, shipZ, 30)) enemy.HitPoints -= loss;
}

void FadeBoomLight(Game& game) {
    mission::MissionState& m = game.mission;
    if (m.BoomLight <= 0) return;
    scene::Scene& scene = game.engine->scene();
    scene.light(scene.LightIndex("boomlight")).range = static_cast<float>(m.BoomLight);
    m.BoomLight -= 0.8 * game.engine->FrameTimeMs();
}

}  // namespace kr::gameplay
