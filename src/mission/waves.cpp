#include "mission/waves.hpp"

#include <optional>

#include "app/game.hpp"
#include "mission/enemies.hpp"

namespace kr::mission {

namespace {

constexpr int kSearchTries = 20;  // the last try's position is never used
constexpr double kWaveSpeed = 0.2;

bool LaneHit(Game& game, double x, double z) {
    const auto fz = static_cast<float>(z);
    const glm::vec3 from{static_cast<float>(x - 1400), 190.0f, fz};
    const glm::vec3 to{static_cast<float>(x + 500), 190.0f, fz};
    return game.engine->scene().Collide(from, to, scene::hit::World).hit;
}

// A clear lead position, searched with fresh random draws.
std::optional<glm::dvec2> FindClearLead(Game& game) {
    for (int tries = 1; tries <= kSearchTries; ++tries) {
        const double x0 = 850 + game.random(200);
        const int r1 = game.random(300);
        const int r2 = game.random(300);
        const double z0 = r2 - r1 + 1;
        if (SpawnBlocked(game, x0, z0)) continue;
        if (tries == kSearchTries) return std::nullopt;
        return glm::dvec2{x0, z0};
    }
    return std::nullopt;
}

void SpawnBoss(Game& game) {
    MissionState& m = game.mission;
    if (m.BossSpawned != 0) return;
    CreateEnemy(game, FindFreeEnemySlot(game), kBossType, 1000, 0, 0.1, 0);
    m.BossSpawned = 1;
}

}  // namespace

bool SpawnBlocked(Game& game, double x, double z) {
    for (double lane : {z, z - 150, z + 150})
        if (LaneHit(game, x, lane)) return true;
    return false;
}

std::vector<glm::dvec2> FormationMembers(int g, double x0, double z0) {
    const double s = 150;
    switch (g) {
        case 1: return {{x0, z0}, {x0 - s, z0}, {x0 - 2 * s, z0}};
        case 2: return {{x0 - s, z0 - s}, {x0 + s, z0 - s}, {x0, z0}};
        case 3: return {{x0, z0}, {x0 + s, z0 + s}, {x0 + s, z0 - s}};
        case 4: return {{x0, z0}, {x0 - s, z0 - s}, {x0 - s, z0 + s}};
        case 5: return {{x0, z0}};
        case 6: return {{x0 - s, z0 - s}, {x0, z0}, {x0 + s, z0 + s}};
        case 7: return {{x0 + s, z0 - s}, {x0, z0}, {x0 - s, z0 + s}};
        default: return {};
    }
}

void SpawnWave(Game& game) {
    MissionState& m = game.mission;
    if (m.BossPhase != 0) {
        SpawnBoss(game);
        return;
    }
    if (game.MissionSeconds > m.SpawnMinutes * 60) return;
    const std::optional<glm::dvec2> lead = FindClearLead(game);
    if (!lead) return;
    const int d1 = game.random(24);
    const int d2 = game.random(24);
    const double drift = (d1 - d2) / 100.0;
    const int type = game.random(m.EnemyTypeCount) + 1;
    const int g = game.random(kFormations);
    if (m.EnemyTypeCount < 1) return;  // a map without enemy types has no waves
    for (const glm::dvec2& member : FormationMembers(g, lead->x, lead->y))
        CreateEnemy(game, FindFreeEnemySlot(game), type, member.x, member.y, kWaveSpeed, drift);
}

}  // namespace kr::mission
