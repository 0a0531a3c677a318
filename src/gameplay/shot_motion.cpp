#include "gameplay/shot_motion.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "app/game.hpp"
#include "app/sound.hpp"
#include "gameplay/combat.hpp"
#include "gameplay/shots.hpp"

namespace kr::gameplay {

namespace {

constexpr float kPlayerShotsLeave = 500;
constexpr float kEnemyShotsLeave = -500;
constexpr float kShotReach = 30;
constexpr double kHomingReach = 10000;
constexpr int kRocketOnBoss = 8;
constexpr const char* kShipName = "Statek_TVM";
constexpr const char* kShieldName = "Gracz_Shield";
constexpr const char* kNoName = "nic";

void Advance(scene::Mesh& mesh, double vx, double vz, double ft) {
    glm::vec3 at = mesh.Position();
    at.z += static_cast<float>(ft * vz);
    at.x += static_cast<float>(ft * vx);
    mesh.SetPosition(at);
}

bool ShipExposed(const Game& game) {
    return game.mission.Invulnerable == 0 && !IsSwitchedOn(game.player.ShieldMesh);
}

void MoveEnemyShot(Game& game, int n, double ft) {
    EnemyShot& shot = game.mission.EnemyShots[n];
    Advance(shot.Mesh, shot.Vx, shot.Vz, ft);
    const glm::vec3 at = shot.Mesh.Position();
    if (at.x < kEnemyShotsLeave) {
        RemoveEnemyShot(game, n);
        return;
    }
    const glm::vec3 ship = game.player.ShipMesh.Position();
    const bool touches = std::fabs(at.x - ship.x) < kShotReach && std::fabs(at.z - ship.z) < kShotReach;
    if (!touches || !ShipExposed(game)) return;
    TakeShotDamage(game, shot.Damage);
    RemoveEnemyShot(game, n);
}

void Steer(Game& game, PlayerShot& shot) {
    const int target = HomingTarget(game);
    if (target == 0) {
        shot.Vz = 0;
        return;
    }
    shot.Vz = game.mission.Enemies[target].Mesh.Position().z >= shot.Mesh.Position().z ? 0.3 : -0.3;
    shot.Mesh.RotateZ(static_cast<float>(shot.Vz / 1.2));
}

// Which enemy slot a collision names: the boss actor's name in the boss
// stage, an enemy mesh's otherwise. `metEnemy` tells whether any enemy was in play.
int SlotNamed(const Game& game, const std::string& name, bool& metEnemy) {
    const mission::MissionState& m = game.mission;
    metEnemy = false;
    if (name == kShipName || name == kShieldName) return 0;
    for (int slot = 1; slot <= mission::kEnemySlots; ++slot) {
        const mission::Enemy& enemy = m.Enemies[slot];
        if (enemy.Active == 0) continue;
        metEnemy = true;
        const scene::ObjectRef& body = m.BossPhase != 0 ? static_cast<const scene::ObjectRef&>(m.BossActor)
                                                         : static_cast<const scene::ObjectRef&>(enemy.Mesh);
        if (body.IsValid() && body.Name() == name) return slot;
    }
    return 0;
}

void StrikeBoss(Game& game, int n) {
    const PlayerShot shot = game.player.Shots[n];
    RemovePlayerShot(game, n);
    if (shot.Kind != 0) {
        PlaySound(game, kRocketOnBoss);
        game.mission.CameraShake += 5;
    }
}

// The segment tests of a shot at `at`: meshes first, then actors reaching
// higher; in the boss stage a hit on an actor along the first goes to the boss.
void TestHit(Game& game, int n, const glm::vec3& at) {
    scene::Scene& scene = game.engine->scene();
    const glm::vec3 from{at.x + 5, at.y - 5, at.z};
    const glm::vec3 low{at.x + 10, at.y + 5.5f, at.z + 2}, high{at.x + 10, at.y + 15.5f, at.z + 2};
    scene::CollisionResult result = scene.Collide(from, low, scene::hit::Meshes);
    if (!result.hit) result = scene.Collide(from, high, scene::hit::Actors);
    if (!result.hit) return;
    mission::MissionState& m = game.mission;
    bool metEnemy = false;
    int slot = 0;
    std::string name = result.name.empty() ? kNoName : result.name;
    if (m.BossPhase != 0 && scene.Collide(from, low, scene::hit::Actors).hit) {
        slot = m.BossSlot;
        metEnemy = true;
        name = kNoName;
    } else {
        slot = SlotNamed(game, name, metEnemy);
    }
    const PlayerShot shot = game.player.Shots[n];
    if (slot >= 1 && slot <= mission::kEnemySlots) {
        if (m.BossPhase != 0 && game.player.Shots[n].Active != 0) StrikeBoss(game, n);
        HitEnemy(game, slot, shot);
    }
    const bool passes = name == kShipName || name == kShieldName || name == kNoName;
    if (metEnemy && game.player.Shots[n].Active != 0 && !passes) RemovePlayerShot(game, n);
}

void MovePlayerShot(Game& game, int n, double ft) {
    PlayerShot& shot = game.player.Shots[n];
    if (shot.Kind == 2) Steer(game, shot);
    Advance(shot.Mesh, shot.Vx, shot.Vz, ft);
    if (shot.Kind == 0) shot.Mesh.RotateZ(static_cast<float>(0.8 * ft));
    const glm::vec3 at = shot.Mesh.Position();
    particles::ParticleSystem& particles = game.engine->scene().particles();
    const int trail = game.player.ShotEmitters[n];
    if (trail != 0 && particles.Exists(trail)) particles.SetPosition(trail, {at.x - 11, at.y, at.z});
    if (at.x > kPlayerShotsLeave) RemovePlayerShot(game, n);
    else TestHit(game, n, at);
}

}  // namespace

int HomingTarget(const Game& game) {
    const scene::Mesh& ship = game.player.ShipMesh;
    const float shipX = ship.Position().x;
    int best = 0;
    double nearest = kHomingReach;
    for (int slot = 1; slot <= mission::kEnemySlots; ++slot) {
        const mission::Enemy& enemy = game.mission.Enemies[slot];
        if (enemy.Active == 0 || enemy.HitPoints <= 0 || !(enemy.Mesh.Position().x > shipX)) continue;
        const double distance = enemy.Mesh.DistanceTo(ship);
        if (distance < nearest) {
            nearest = distance;
            best = slot;
        }
    }
    return best;
}

void MoveEnemyShots(Game& game) {
    const double ft = game.engine->FrameTimeMs();
    for (int n = 1; n <= kEnemyShots; ++n)
        if (game.mission.EnemyShots[n].Active != 0) MoveEnemyShot(game, n, ft);
}

void MovePlayerShots(Game& game) {
    const double ft = game.engine->FrameTimeMs();
    for (int n = 1; n <= kPlayerShots; ++n)
        if (game.player.Shots[n].Active != 0) MovePlayerShot(game, n, ft);
}

}  // namespace kr::gameplay
