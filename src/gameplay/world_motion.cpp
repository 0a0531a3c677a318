#include "gameplay/world_motion.hpp"

#include <cmath>

#include "app/game.hpp"
#include "gameplay/flight.hpp"
#include "gameplay/combat.hpp"
#include "gameplay/enemy_fire.hpp"
#include "mission/enemies.hpp"

namespace kr::gameplay {

namespace {

constexpr double kScrollPerMs = 0.1;  // 100 units a second
constexpr float kRemovedBehind = -850;
constexpr float kBossHeight = 100;
constexpr const char* kCannonName = "!cannon.tvm";

bool WorldStands(const Game& game) { return game.mission.BossPhase != 0 || game.TimeStop != 0; }

void Spin(scene::Mesh& mesh, const Placement& p, double ft) {
    mesh.RotateX(static_cast<float>(ft * p.RotX));
    mesh.RotateY(static_cast<float>(ft * p.RotY));
    mesh.RotateZ(static_cast<float>(ft * p.RotZ));
}

// Drift away from the edges of the play area, more gently in the first mission.
void Bounce(Game& game, mission::Enemy& enemy) {
    if (enemy.HitPoints <= 0) return;
    const bool first = game.CurrentMission == 0;
    auto drift = [&] { return first ? game.random(8) / 40.0 : game.random(10) / 50.0; };
    if (enemy.Z < -400) enemy.Drift = -drift();
    if (enemy.Z > 400) enemy.Drift = drift();
}

void Fly(Game& game, mission::Enemy& enemy, double ft) {
    if (game.TimeStop == 0) {
        enemy.X -= ft * enemy.Speed;
        Bounce(game, enemy);
        enemy.Z -= ft * enemy.Drift;
    }
    enemy.Mesh.RotateZ(static_cast<float>(-0.5 * enemy.Drift));
    const glm::vec3 at{static_cast<float>(enemy.X), kFlightHeight, static_cast<float>(enemy.Z)};
    enemy.Mesh.SetPosition(at);
    enemy.PowerupActor.SetPosition(at);
}

// The boss comes up to its stand, then follows the player sideways.
void Hover(Game& game, int slot, mission::Enemy& boss, double ft) {
    mission::MissionState& m = game.mission;
    const double stand = game.CurrentMission == 6 ? 300 : 120;
    if (boss.X > stand) boss.X -= ft * boss.Speed;
    else boss.Speed = 0;
    const double shipZ = game.player.ShipMesh.Position().z;
    if (shipZ >= boss.Z) boss.Drift = shipZ - boss.Z < 2 ? 0 : -0.05;
    else boss.Drift = boss.Z - shipZ < 2 ? 0 : 0.05;
    boss.Z -= ft * boss.Drift;
    boss.Mesh.Hide();
    m.BossSlot = slot;
    m.BossActor.Show();
    const float height = game.CurrentMission == 7 ? 50.0f : kBossHeight;
    const glm::vec3 at{static_cast<float>(boss.X), height, static_cast<float>(boss.Z)};
    boss.Mesh.SetPosition(at);
    m.BossActor.SetPosition(at);
}

void PlaceEmitters(Game& game, const mission::Enemy& enemy) {
    particles::ParticleSystem& particles = game.engine->scene().particles();
    const auto x = static_cast<float>(enemy.X), z = static_cast<float>(enemy.Z);
    const glm::vec3 spots[mission::kEnemyEmitters] = {{x, 149, z},          {x, 149, z},          {x - 50, 190, z - 20},
                                                       {x - 50, 190, z - 20}, {x - 50, 195, z - 20}, {x + 20, 150, z},
                                                       {x + 20, 150, z},      {x + 20, 150, z},      {x + 20, 150, z}};
    for (int n = 1; n <= mission::kEnemyEmitters; ++n) {
        const int e = enemy.Emitters[n].index;
        if (particles.Exists(e)) particles.SetPosition(e, spots[n - 1]);
    }
}

void MoveEnemy(Game& game, int slot, double ft) {
    mission::MissionState& m = game.mission;
    mission::Enemy& enemy = m.Enemies[slot];
    if (m.BossPhase != 0) m.BossHitPointsA = static_cast<std::int32_t>(std::lrint(enemy.HitPoints));
    if (enemy.Spins != 0) enemy.Mesh.RotateY(static_cast<float>(ft * enemy.SpinRate / 100));
    enemy.FireTimer = std::max(0.0, enemy.FireTimer - 0.01 * ft);
    EnemyFires(game, slot);
    SufferAndReward(game, slot, ft);
    if (m.BossPhase == 0 || game.TimeStop != 0) Fly(game, enemy, ft);
    else Hover(game, slot, enemy, ft);
    PlaceEmitters(game, enemy);
    if (enemy.Mesh.Position().x < kRemovedBehind) {
        mission::ReleaseEnemyObjects(game, slot);
        enemy.Active = 0;
        return;
    }
    MeetShip(game, slot);
}

}  // namespace

void MoveScenery(Game& game) {
    const double ft = game.engine->FrameTimeMs();
    mission::MissionState& m = game.mission;
    const bool space = m.Map.SpaceLevel != 0, stands = WorldStands(game);
    for (int i = 1; i <= kMapPlacements; ++i) {
        const Placement& p = m.Map.Placements[i];
        scene::Mesh& mesh = m.SceneryMesh[i];
        if (p.Active == 0 || !mesh.IsValid()) continue;
        if (space) Spin(mesh, p, ft);
        if (!stands) mesh.SetPosition(mesh.Position() - glm::vec3(static_cast<float>(kScrollPerMs * ft), 0, 0));
        if (mesh.Name() == kCannonName) CannonFires(game, i);
    }
    for (double& cooldown : m.CannonCooldown)
        if (cooldown > 0) cooldown -= 0.01 * ft;
}

void ScrollLandscape(Game& game) {
    if (game.mission.Map.SpaceLevel != 0 || WorldStands(game)) return;
    const auto step = static_cast<float>(kScrollPerMs * game.engine->FrameTimeMs());
    game.engine->scene().landscape().Move({-step, 0, 0});
}

void MoveEnemies(Game& game) {
    const double ft = game.engine->FrameTimeMs();
    for (int slot = 1; slot <= mission::kEnemySlots; ++slot)
        if (game.mission.Enemies[slot].Active != 0) MoveEnemy(game, slot, ft);
}

}  // namespace kr::gameplay
