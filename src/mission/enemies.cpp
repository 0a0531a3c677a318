#include "mission/enemies.hpp"

#include <array>
#include <string>

#include "app/game.hpp"
#include "mission/emitters.hpp"
#include "mission/model_setup.hpp"

namespace kr::mission {

namespace {

constexpr float kEnemyHeight = 190;
constexpr float kBossHeight = 130;

// The nine emitters of an enemy: damage smoke and fire, explosion smoke,
// fire and flash, engine trail, and three burst rings. A lifetime written
// as a fraction takes a draw of 0..0 (always 0) in its numerator.
struct EnemyEmitterRow {
    EmitterRecipe recipe;
    bool drawnLifetime = false;
    double divisor = 1, addend = 0;
    bool placed = false;  // set at the enemy, with the offset
    glm::vec3 offset{0.0f};
};

struct Sprite {
    const char* name;
    float size, endSize;  // world units at birth and at the end of a life
};

EmitterRecipe Row(int count, Colour colour, double power, double lifetime, double launch, glm::vec3 spread,
                  glm::vec3 boxFrom, glm::vec3 boxTo, Sprite sprite, bool directed, glm::vec3 direction,
                  bool looping) {
    EmitterRecipe r;
    r.count = count;
    r.colour = colour;
    r.power = power;
    r.lifetime = lifetime;
    r.launch = launch;
    r.spread = spread;
    r.boxFrom = boxFrom;
    r.boxTo = boxTo;
    r.sprite = sprite.name;
    r.size = sprite.size;
    r.sizeChanges = sprite.endSize != sprite.size;
    r.endScale = {sprite.endSize, sprite.endSize, sprite.endSize};
    r.directed = directed;
    r.direction = direction;
    r.looping = looping;
    return r;
}

// Smoke is dark grey rather than black, so the sprite's shading still shows,
// and a stream is fed no faster than its pool refills, so it has no gaps.
// The explosion is a burst: a flash of the sigil, a fireball flying apart and
// growing, then smoke that billows out and lingers.
const std::array<EnemyEmitterRow, kEnemyEmitters>& EnemyEmitterRows() {
    const glm::vec3 one{1, 1, 1}, minusOne{-1, -1, -1}, tenth{0.1f, 0.1f, 0.1f}, none{0, 0, 0};
    const Colour smoke{0.32f, 0.3f, 0.29f, 0.75f}, blastSmoke{0.34f, 0.32f, 0.31f, 0.7f};
    static const std::array<EnemyEmitterRow, kEnemyEmitters> rows = {{
        {Row(20, smoke, 20, 0, 50, {0, 0, 20}, {1, 0, 0}, tenth, {"smokeparticle", 40, 90}, true, {1, 0, 0}, true),
         true, 2, 0},
        {Row(10, {1, 0.7f, 0.45f, 1}, 60, 0, 14, {0, 0, 20}, {1, 0, 0}, tenth, {"fireparticle", 45, 15}, true,
             {1, 0, 0}, true),
         true, 15, 0},
        {Row(12, blastSmoke, 30, 0, 60, {25, 25, 25}, {20, 20, 20}, {-20, -20, -20}, {"smokeparticle", 60, 180},
             false, none, false),
         true, 2, 0.2},
        {Row(10, {1, 0.7f, 0.45f, 0.9f}, 20, 0, 110, {35, 35, 35}, {10, 10, 10}, {-10, -10, -10},
             {"fireparticle", 50, 150}, false, none, false),
         true, 4, 0.2},
        {Row(2, {0.9f, 0.5f, 0.25f, 0.5f}, 30, 0.3, 0, none, none, none, {"tribalparticle", 40, 220}, false, none, false)},
        {Row(40, {0.4f, 0.5f, 1, 0.1f}, 148, 0.2, 5, {0, 0, 2}, {-1, 0, 0}, {-1, 0, 0}, {"engparticle", 30, 30}, true,
             {-1, 0, 0}, true),
         false, 1, 0, true, {55, 0, 0}},
        {Row(30, {1, 1, 1, 0.1f}, 50, 3, 20, {4, 4, 4}, minusOne, one, {"ringparticle", 2, 2}, false, none, false),
         false, 1, 0, true, {35, 0, 0}},
        {Row(10, {1, 0.8f, 0.8f, 0.1f}, 40, 2, 20, {4, 4, 4}, minusOne, one, {"engparticle", 1, 1}, false, none,
             false),
         false, 1, 0, true, {35, 0, 0}},
        {Row(10, {0.8f, 0.8f, 1, 0.1f}, 30, 3, 20, {4, 4, 4}, minusOne, one, {"engparticle", 1, 1}, false, none,
             false),
         false, 1, 0, true, {35, 0, 0}},
    }};
    return rows;
}

constexpr int kEngineTrail = 6;
constexpr int kFirstRing = 7;

EnemyTypeDefinition BossDefinition(const Game& game) {
    EnemyTypeDefinition d;
    d.Spins = 0;
    d.SpinRange = 0;
    d.HitPoints = BossHitPoints(game);
    d.EngineTrail = 0;
    d.ShotModel = game.CurrentMission + 1;
    return d;
}

EnemyTypeDefinition DefinitionOf(Game& game, int type) {
    if (game.mission.BossPhase != 0) return BossDefinition(game);
    const std::string ships = MapFile(game.mission.MapFolder, "ships.dat", "the mission briefing");
    return ReadEnemyTypeDefinition(game.folder, game.mission.EnemyTypeTemplate[type].Name(), ships);
}

void BuildMesh(Game& game, int slot, int type, double x, double z) {
    Enemy& enemy = game.mission.Enemies[slot];
    const std::string name = "Przeciwnik_" + std::to_string(slot) + "_Sr" + std::to_string(game.random(10000));
    enemy.Mesh = game.mission.EnemyTypeTemplate[type].Clone(name);
    enemy.Mesh.SetMaterial(Material(game, "std"));
    SetHittable(enemy.Mesh, true);
    const float y = game.mission.BossPhase != 0 ? kBossHeight : kEnemyHeight;
    enemy.Mesh.SetPosition({static_cast<float>(x), y, static_cast<float>(z)});
    enemy.Mesh.Show();
}

void BuildCarriedPowerup(Game& game, Enemy& enemy) {
    enemy.PowerupKind = static_cast<std::uint8_t>(game.random(kPowerupKinds) + 1);
    const int kind = enemy.PowerupKind;
    enemy.PowerupActor = game.mission.PowerupTemplate[kind].Clone("przec" + std::to_string(kind) + "powerup");
    enemy.PowerupActor.SetMaterial(Material(game, "std2"));
    enemy.PowerupActor.SetAnimationSpeed(0.08f);
    enemy.PowerupActor.SetGlow(true);
    enemy.PowerupActor.Hide();
    enemy.PowerupActor.SetScale({1.2f, 1.2f, 1.2f});
}

void BuildEmitters(Game& game, Enemy& enemy, bool engineTrail) {
    particles::ParticleSystem& particles = game.engine->scene().particles();
    const glm::vec3 at = enemy.Mesh.Position();
    const auto& rows = EnemyEmitterRows();
    for (int n = 1; n <= kEnemyEmitters; ++n) {
        const EnemyEmitterRow& row = rows[static_cast<std::size_t>(n - 1)];
        EmitterRecipe recipe = row.recipe;
        if (row.drawnLifetime) recipe.lifetime = (game.random(1) + 2) / row.divisor + row.addend;
        if (n == kFirstRing)
            game.engine->LoadTexture("graphics\\ring.dds", "ringparticle", -1, -1, colour_key::kOwnAlpha);
        EmitterRef ref = BuildEmitter(particles, recipe);
        if (row.placed) particles.SetPosition(ref.index, at + row.offset);
        particles.SetEmitting(ref.index, n == kEngineTrail && engineTrail);
        enemy.Emitters[n] = ref;
    }
}

}  // namespace

std::int32_t BossHitPoints(const Game& game) {
    const int difficulty = game.profiles.ProfileDifficulty[game.ActiveProfile];
    return difficulty * 1500 + (game.CurrentMission + 1) * 500 + 1500;
}

int FindFreeEnemySlot(const Game& game) {
    for (int slot = 1; slot < kEnemySlots; ++slot)
        if (game.mission.Enemies[slot].Active == 0) return slot;
    return kEnemySlots;
}

void ReleaseEnemyObjects(Game& game, int slot) {
    Enemy& enemy = game.mission.Enemies[slot];
    if (enemy.Mesh.IsValid()) enemy.Mesh.Destroy();
    if (enemy.PowerupActor.IsValid()) enemy.PowerupActor.Destroy();
    particles::ParticleSystem& particles = game.engine->scene().particles();
    for (EmitterRef& emitter : enemy.Emitters) {
        if (emitter.index != 0 && particles.Exists(emitter.index)) particles.DestroyEmitter(emitter.index);
        emitter = {};
    }
}

void CreateEnemy(Game& game, int slot, int type, double x, double z, double speed, double drift) {
    MissionState& m = game.mission;
    const EnemyTypeDefinition definition = DefinitionOf(game, type);
    ReleaseEnemyObjects(game, slot);
    m.EnemiesCreated += 1;
    Enemy& enemy = m.Enemies[slot];
    enemy = Enemy{};
    enemy.Active = 1;
    enemy.Type = static_cast<std::uint8_t>(type);
    enemy.ShotModel = definition.ShotModel;
    enemy.X = x;
    enemy.Z = z;
    enemy.Speed = speed;
    enemy.Drift = drift;
    enemy.Spins = definition.Spins;
    enemy.SpinRate = DrawTurnRate(definition.SpinRange, game.random);
    if (m.BossPhase != 0) {
        m.BossSlot = slot;
        m.BossHitPointsA = m.BossHitPointsB = definition.HitPoints;
    }
    BuildMesh(game, slot, type, x, z);
    BuildCarriedPowerup(game, enemy);
    enemy.PowerupFlag = 0;
    enemy.HitPoints = definition.HitPoints;
    enemy.Burn = 0;
    BuildEmitters(game, enemy, definition.EngineTrail != 0);
}

}  // namespace kr::mission
