#include "gameplay/shots.hpp"

#include <cmath>
#include <string>

#include "app/game.hpp"
#include "app/sound.hpp"
#include "mission/emitters.hpp"
#include "mission/model_setup.hpp"

namespace kr::gameplay {

namespace {

constexpr int kShotSound = 25;
constexpr int kPlayerShotPrecision = 3;
constexpr int kEnemyShotPrecision = 1;

template <typename Pool>
int FirstFree(const Pool& pool, int last) {
    for (int n = 1; n <= last; ++n)
        if (pool[n].Active == 0) return n;
    return 0;
}

// A template exists for models 1..24 once the mission is built; others make nothing.
bool HasTemplate(const Game& game, int model) {
    return model >= 1 && model <= mission::kShotTemplates && game.mission.ShotTemplate[model].IsValid();
}

// Shots are never hit by segment tests themselves.
scene::Mesh CloneShot(Game& game, int model, int record, const glm::vec3& at, int precision) {
    scene::Mesh mesh = game.mission.ShotTemplate[model].Clone("gracz_naboj" + std::to_string(record));
    mesh.SetPosition(at);
    mesh.Show();
    mission::SetHittable(mesh, false, precision);
    return mesh;
}

mission::EmitterRecipe RocketTrail() {
    mission::EmitterRecipe r;
    r.count = 20;
    r.power = 100;
    r.lifetime = 0.03;
    r.launch = 3;
    r.colour = {0.5f, 0.4f, 0.4f, 0.1f};
    r.spread = {2, 2, 2};
    r.boxFrom = r.boxTo = {1, 0, 0};
    r.sprite = "fireparticle";
    r.size = 1;
    r.sizeChanges = true;
    r.endScale = {5, 5, 5};
    r.direction = {-1, 0, 0};
    r.looping = true;
    return r;
}

int MakeTrail(Game& game, const glm::vec3& at) {
    particles::ParticleSystem& particles = game.engine->scene().particles();
    const int e = mission::BuildEmitter(particles, RocketTrail()).index;
    particles.SetEmitting(e, true);
    particles.SetPosition(e, at);
    return e;
}

void DestroyEmitter(Game& game, std::int32_t& emitter) {
    particles::ParticleSystem& particles = game.engine->scene().particles();
    if (emitter != 0 && particles.Exists(emitter)) particles.DestroyEmitter(emitter);
    emitter = 0;
}

void DestroyMesh(scene::Mesh& mesh) {
    if (mesh.IsValid()) mesh.Destroy();
    mesh = {};
}

}  // namespace

int CreatePlayerShot(Game& game, const PlayerShotSpec& spec) {
    Player& player = game.player;
    const int n = FirstFree(player.Shots, kPlayerShots - 1);
    if (n == 0 || !HasTemplate(game, spec.model)) return 0;
    const glm::vec3 ship = player.ShipMesh.Position();
    const glm::vec3 at{ship.x + 50 + static_cast<float>(spec.dx), ship.y, ship.z + static_cast<float>(spec.dz)};
    PlayerShot& shot = player.Shots[n];
    shot.Mesh = CloneShot(game, spec.model, n, at, kPlayerShotPrecision);
    shot.Active = 1;
    shot.Vx = spec.vx;
    shot.Vz = spec.vz;
    shot.Damage = spec.damage;
    shot.Kind = static_cast<std::uint8_t>(spec.kind);
    if (spec.model == kRocketModel) player.ShotEmitters[n] = MakeTrail(game, at);
    return n;
}

void RemovePlayerShot(Game& game, int record) {
    PlayerShot& shot = game.player.Shots[record];
    if (shot.Kind != 0) DestroyEmitter(game, game.player.ShotEmitters[record]);
    shot.Active = 0;
    shot.Vx = 0;
    DestroyMesh(shot.Mesh);
}

int CreateEnemyShot(Game& game, int model, const glm::vec3& at, double vz, double damage, double vx) {
    mission::MissionState& m = game.mission;
    const int n = FirstFree(m.EnemyShots, kEnemyShots);
    if (n == 0 || !HasTemplate(game, model)) return 0;
    EnemyShot& shot = m.EnemyShots[n];
    shot.Mesh = CloneShot(game, model, n, {at.x, at.y, at.z - 40}, kEnemyShotPrecision);
    shot.Active = 1;
    shot.Vx = vx;
    shot.Vz = vz;
    shot.Damage = static_cast<std::int32_t>(std::lrint(damage));
    return n;
}

void RemoveEnemyShot(Game& game, int record) {
    EnemyShot& shot = game.mission.EnemyShots[record];
    shot.Active = 0;
    shot.Vx = 0;
    DestroyMesh(shot.Mesh);
}

void EnemyFire(Game& game, int slot, const glm::vec3& at, double base) {
    const int model = game.mission.Enemies[slot].ShotModel + mission::kAlienShotBase;
    const double damage = game.random(5) + 5 + game.CurrentMission;
    CreateEnemyShot(game, model, at, 0.8 * base, damage);
    PlaySound(game, kShotSound);
}

}  // namespace kr::gameplay
