#include "gameplay/arsenal.hpp"

#include <algorithm>

#include "app/game.hpp"
#include "app/sound.hpp"
#include "gameplay/shots.hpp"

namespace kr::gameplay {

namespace {

constexpr int kEnter = 28;
constexpr int kAbilityOn = 23, kAbilityOff = 24;
constexpr int kHomingSound = 21, kRocketSound = 22;
constexpr double kBlocked = 100;

int Owned(const Game& game, int item) { return game.profiles.ProfileUpgrades[game.ActiveProfile][item]; }
int ShipType(const Game& game) { return game.profiles.ProfileShip[game.ActiveProfile]; }

// Slot s (2..9) cools in entry s - 1; ship type t's ability in entry 8 + t.
double& CooldownOf(Game& game, int selected) {
    const int entry = selected == 0 ? 8 + ShipType(game) : selected - 1;
    return game.mission.WeaponCooldown[static_cast<std::size_t>(std::clamp(entry, 0, mission::kWeaponCooldowns - 1))];
}

void LaunchRocket(Game& game, int kind, double damage) {
    CreatePlayerShot(game, {kRocketModel, kind, damage, 0.1, 0, 0, 0});
    PlaySound(game, kind == 2 ? kHomingSound : kRocketSound);
}

// Every active enemy within `reach` of the ship (all with reach < 0) loses
// `damage`; in the boss stage the boss too.
void Blast(Game& game, double damage, double reach, double shake) {
    mission::MissionState& m = game.mission;
    for (mission::Enemy& enemy : m.Enemies) {
        if (enemy.Active == 0) continue;
        if (reach < 0 || enemy.Mesh.DistanceTo(game.player.ShipMesh) < reach) enemy.HitPoints -= damage;
    }
    m.CameraShake = shake;
    if (m.BossPhase != 0) {
        m.BossHitPointsA -= static_cast<std::int32_t>(damage);
        m.CameraShake = 3;
    }
}

// Returns the cooldown the slot starts.
double FireSecondary(Game& game, int slot) {
    switch (slot) {
        case 9: LaunchRocket(game, 2, 200); return 26;
        case 8: LaunchRocket(game, 1, 200); return 16;
        case 7: LaunchRocket(game, 2, 120); return 25;
        case 6: LaunchRocket(game, 1, 120); return 14;
        case 5: Blast(game, 100, -1, 5); return 54;
        case 4: game.player.ShieldBeam.Show(); return 44;
        case 3: Blast(game, 200, 500, 3); return 42;
        case 2: game.player.ShieldMesh.Show(); return 60;
        default: return 0;
    }
}

void Repair(Player& player) {
    const std::int32_t t = std::min(100 - player.Life, player.Armour);
    player.Life += t;
    player.Armour -= t;
}

// Wrecks stay wrecks: only enemies still alive are struck. The boss's own
// hit points take the blow too, or the next frame's mirror would undo it.
void KillEveryEnemy(Game& game) {
    mission::MissionState& m = game.mission;
    if (m.BossPhase != 0) {
        m.BossHitPointsA -= 60;
        if (m.BossSlot >= 1 && m.BossSlot <= mission::kEnemySlots) m.Enemies[m.BossSlot].HitPoints -= 60;
        m.CameraShake = 3;
        return;
    }
    for (mission::Enemy& enemy : m.Enemies)
        if (enemy.Active != 0 && enemy.HitPoints > mission::kWreck) enemy.HitPoints = -60;
}

double UseAbility(Game& game) {
    mission::MissionState& m = game.mission;
    switch (ShipType(game)) {
        case 1: m.Invulnerable = 1; PlaySound(game, kAbilityOn); return 30;
        case 2:
            game.TimeStop = 1;
            if (m.BossPhase != 0 && m.BossActor.IsValid()) m.BossActor.SetAnimationSpeed(0);
            return 44;
        case 3: m.EnemiesHoldFire = 1; PlaySound(game, kAbilityOn); return 40;
        case 4: KillEveryEnemy(game); return 64;
        case 5: Repair(game.player); PlaySound(game, kAbilityOn); return 35;
        default: return 0;
    }
}

bool Between(double value, double low, double high) { return value > low && value < high; }

}  // namespace

void BlockUnownedWeapons(Game& game) {
    for (int s = 1; s <= 9; ++s)
        if (Owned(game, s + 5) == 0) game.mission.WeaponCooldown[static_cast<std::size_t>(s - 1)] = kBlocked;
}

void UseWeapon(Game& game, int selected) {
    double& cooldown = CooldownOf(game, selected);
    if (cooldown != 0) return;
    const double next = selected == 0 ? UseAbility(game) : FireSecondary(game, selected);
    if (next > 0) cooldown = next;
}

void TriggerSelectedWeapon(Game& game) {
    const bool pulled = game.mouse.MouseButton2 != 0 || game.engine->KeyDown(kEnter) ||
                        (game.JoystickEnabled != 0 && game.engine->JoystickButton(1));
    if (pulled) UseWeapon(game, game.player.SelectedWeapon);
}

void EndTimedEffects(Game& game) {
    mission::MissionState& m = game.mission;
    const auto& c = m.WeaponCooldown;
    Player& player = game.player;
    if (Between(c[11], 13, 23) && m.EnemiesHoldFire == 1) {
        m.EnemiesHoldFire = 0;
        PlaySound(game, kAbilityOff);
    }
    if (Between(c[9], 20, 26) && m.Invulnerable == 1) {
        m.Invulnerable = 0;
        PlaySound(game, kAbilityOff);
    }
    if (Between(c[1], 20, 45) && IsSwitchedOn(player.ShieldMesh)) player.ShieldMesh.Hide();
    if (Between(c[3], 10, 38) && IsSwitchedOn(player.ShieldBeam)) player.ShieldBeam.Hide();
    if (Between(c[10], 25, 35)) {
        if (m.BossPhase != 0 && game.TimeStop != 0 && m.BossActor.IsValid()) m.BossActor.SetAnimationSpeed(1);
        game.TimeStop = 0;
    }
}

void SelectWeaponKeys(Game& game) {
    struct Choice {
        int scanCode, weapon, item;
    };
    static constexpr Choice kChoices[] = {{2, 9, 14}, {3, 8, 13}, {4, 7, 12}, {5, 6, 11}, {6, 5, 10},
                                          {7, 4, 9},  {8, 3, 8},  {9, 2, 7},  {11, 0, 0}};
    for (const Choice& choice : kChoices) {
        if (!game.engine->KeyPressed(choice.scanCode)) continue;
        if (choice.item == 0 || Owned(game, choice.item) >= 1)
            game.player.SelectedWeapon = static_cast<std::uint8_t>(choice.weapon);
    }
}

}  // namespace kr::gameplay
