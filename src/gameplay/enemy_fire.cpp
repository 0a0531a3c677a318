#include "gameplay/enemy_fire.hpp"

#include <vector>

#include "app/game.hpp"
#include "app/sound.hpp"
#include "gameplay/shots.hpp"

namespace kr::gameplay {

namespace {

constexpr int kCannonSound = 27;
constexpr double kCannonReach = 1000;
constexpr double kCannonReload = 40;

// One line of a boss volley: where from, the chance k in n (n = 0: always),
// and the base speed: sign x (draw / 100 + add), the draw left out when the
// line has no spread.
struct VolleyLine {
    glm::vec3 offset;
    int k = 0, n = 0;
    double sign = 0, add = 0;
    bool spread = true;
};

VolleyLine Line(glm::vec3 offset, int k, int n, double sign, double add) { return {offset, k, n, sign, add, true}; }
VolleyLine Fixed(glm::vec3 offset, int k, int n, double base) { return {offset, k, n, 1, base, false}; }

struct Volley {
    bool fromActor = false;   // from the actor itself, not its last bone
    std::vector<VolleyLine> lines;
    std::vector<VolleyLine> fromSecondBone;  // lines from the bone before the last
};

Volley VolleyOf(int missionIndex) {
    const glm::vec3 p{-80, -10, 50};
    switch (missionIndex) {
        case 3:
            return {false,
                    {Line(p, 3, 6, 1, 0.1), Line(p, 3, 6, -1, 0.1), Fixed({0, -10, 170}, 0, 0, 0.01)},
                    {Line(p, 3, 6, -1, 0.1), Line(p, 3, 6, 1, 0.1)}};
        case 4: {
            const glm::vec3 q{-90, -10, 50};
            return {false,
                    {Fixed(q, 0, 0, 0), Line(q, 3, 4, -1, 0.05), Line(q, 3, 4, 1, 0.05),
                     Line(q + glm::vec3(0, 0, -10), 3, 4, -1, 0.1), Line(q + glm::vec3(0, 0, 10), 3, 4, 1, 0.1),
                     Line(q + glm::vec3(10, 0, 40), 2, 5, 1, 0.2), Line(q + glm::vec3(10, 0, -40), 2, 5, -1, 0.2)},
                    {}};
        }
        case 7: {
            const glm::vec3 a{70, -10, 50};
            return {true,
                    {Line(a, 3, 5, -1, 0.05), Fixed(a, 4, 5, 0), Line(a, 3, 5, 1, 0.05), Line(a, 3, 5, -1, 0.1),
                     Line(a, 3, 5, 1, 0.1)},
                    {}};
        }
        case 8:
            return {false,
                    {Line(p + glm::vec3(0, 0, -100), 4, 5, -1, 0.05), Fixed(p, 4, 5, 0),
                     Line(p + glm::vec3(0, 0, 100), 4, 5, 1, 0.05), Line(p, 3, 5, -1, 0.1), Line(p, 3, 5, 1, 0.1)},
                    {}};
        default:
            return {false,
                    {Line(p, 3, 4, -1, 0.05), Fixed(p, 0, 0, 0), Line(p, 3, 4, 1, 0.05), Line(p, 3, 4, -1, 0.1),
                     Line(p, 3, 4, 1, 0.1)},
                    {}};
    }
}

// Draws in the order the line reads: its chance first, then its spread.
void FireLine(Game& game, int slot, const glm::vec3& origin, const VolleyLine& line) {
    if (line.n > 0 && !(game.random(line.n) < line.k)) return;
    const double base = line.spread ? line.sign * (game.random(10) / 100.0 + line.add) : line.add;
    EnemyFire(game, slot, origin + line.offset, base);
}

glm::vec3 Bone(const scene::Actor& actor, int fromLast) {
    const int bone = actor.BoneCount() - 1 - fromLast;
    return bone >= 0 ? actor.BonePosition(bone) : actor.Position();
}

}  // namespace

void BossVolley(Game& game, int slot) {
    const scene::Actor& boss = game.mission.BossActor;
    const Volley volley = VolleyOf(game.CurrentMission);
    const glm::vec3 origin = volley.fromActor ? boss.Position() : Bone(boss, 0);
    for (const VolleyLine& line : volley.lines) FireLine(game, slot, origin, line);
    if (volley.fromSecondBone.empty()) return;
    const glm::vec3 second = Bone(boss, 1);
    for (const VolleyLine& line : volley.fromSecondBone) FireLine(game, slot, second, line);
}

void EnemyFires(Game& game, int slot) {
    mission::MissionState& m = game.mission;
    mission::Enemy& enemy = m.Enemies[slot];
    if (enemy.FireTimer != 0 || enemy.HitPoints <= 0 || m.EnemiesHoldFire != 0) return;
    if (m.BossPhase != 0) {
        BossVolley(game, slot);
        enemy.FireTimer = game.CurrentMission < 4 ? game.random(3) + 2 : game.random(5) + 4;
    } else if (game.CurrentMission >= 1) {
        const glm::vec3 at = enemy.Mesh.Position();
        EnemyFire(game, slot, {at.x, at.y - 10, at.z + 30}, 0);
        enemy.FireTimer = game.random(35) + 15;
    }
}

void CannonFires(Game& game, int i) {
    mission::MissionState& m = game.mission;
    const scene::Mesh& cannon = m.SceneryMesh[i];
    if (m.CannonCooldown[i] > 0 || !(cannon.DistanceTo(game.player.ShipMesh) < kCannonReach)) return;
    const glm::vec3 c = cannon.Position();
    const glm::vec3 at{c.x, c.y + 80, c.z + 30};
    const double damage = 2.0 * game.CurrentMission + 20;
    CreateEnemyShot(game, 22, at, 0.2, damage, -0.45);
    CreateEnemyShot(game, 22, at, -0.2, damage, -0.45);
    CreateEnemyShot(game, 24, at, 0, damage, -0.5);
    m.CannonCooldown[i] = kCannonReload;
    PlaySound(game, kCannonSound);
}

}  // namespace kr::gameplay
