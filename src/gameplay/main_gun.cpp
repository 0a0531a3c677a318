#include "gameplay/main_gun.hpp"

#include <algorithm>
#include <array>

#include "app/game.hpp"
#include "app/sound.hpp"

namespace kr::gameplay {

namespace {

constexpr int kSpace = 57;
constexpr int kGunSound = 0;
constexpr double kOverheated = 98;

PlayerShotSpec Bullet(int model, double damage, double vx, double vz, double dx, double dz) {
    return {model, 0, damage, vx, vz, dx, dz};
}

// Pairs: the first offset goes with the first sideways speed.
void AddPair(std::vector<PlayerShotSpec>& volley, int model, double damage, double vx, double vz, double dx,
             double dz) {
    volley.push_back(Bullet(model, damage, vx, -vz, dx, -dz));
    volley.push_back(Bullet(model, damage, vx, vz, dx, dz));
}

std::array<std::vector<PlayerShotSpec>, kTopGunLevel> MakeVolleys() {
    std::array<std::vector<PlayerShotSpec>, kTopGunLevel> v;
    v[0] = {Bullet(1, 15, 0.5, 0, 0, 0)};
    v[1] = {Bullet(2, 20, 0.5, 0, 0, 0)};
    v[2] = {Bullet(3, 25, 0.5, 0, 0, 0)};
    v[3] = {Bullet(4, 30, 0.5, 0, 0, 0)};
    AddPair(v[4], 1, 18, 0.5, 0, 0, 5);
    // Levels 6 and 7 are lopsided: the left shot hits far harder.
    v[5] = {Bullet(2, 4, 0.5, 0, 5, 0), Bullet(1, 30, 0.5, 0, 0, -10), Bullet(1, 4, 0.5, 0, 0, 10)};
    v[6] = {Bullet(3, 5, 0.5, 0, 5, 0), Bullet(2, 35, 0.5, 0, 0, -20), Bullet(2, 5, 0.5, 0, 0, 20)};
    AddPair(v[7], 2, 20, 0.5, 0, 5, 8);
    AddPair(v[7], 1, 4, 0.5, 0.02, -5, 35);
    AddPair(v[8], 3, 20, 0.5, 0, 5, 8);
    AddPair(v[8], 2, 5, 0.5, 0.02, -5, 35);
    AddPair(v[8], 1, 4, 0.4, 0.04, -5, 50);
    v[9] = {Bullet(3, 30, 0.55, 0, 5, 0)};
    AddPair(v[9], 2, 10, 0.5, 0.02, 0, 10);
    AddPair(v[9], 1, 4, 0.4, 0.04, -5, 15);
    AddPair(v[9], 1, 3, 0.3, 0.05, -7, 25);
    return v;
}

bool TriggerHeld(Game& game) {
    return game.mouse.MouseButton1 != 0 || game.engine->KeyDown(kSpace) ||
           (game.JoystickEnabled != 0 && game.engine->JoystickButton(0));
}

void Fire(Game& game, double ft) {
    Player& player = game.player;
    PlaySound(game, kGunSound);
    for (const PlayerShotSpec& shot : GunVolley(player.GunLevel)) CreatePlayerShot(game, shot);
    player.FireDelay = 7.0 * player.GunLevel + 30;
    player.GunHeat += ft * (0.02 * player.GunLevel + 0.1);
}

}  // namespace

const std::vector<PlayerShotSpec>& GunVolley(int level) {
    static const auto volleys = MakeVolleys();
    return volleys[static_cast<std::size_t>(std::clamp(level, 1, kTopGunLevel) - 1)];
}

void MainGunUpkeep(Game& game) {
    Player& player = game.player;
    const double ft = game.engine->FrameTimeMs();
    if (player.FireDelay > 0) player.FireDelay = std::max(0.0, player.FireDelay - 0.2 * ft);
    const bool held = TriggerHeld(game);
    if (player.GunHeat > 0 && !held) player.GunHeat -= 0.03 * ft;
    player.GunHeat = std::clamp(player.GunHeat, 0.0, 100.0);
    if (player.FireDelay == 0 && player.GunHeat < kOverheated && held) Fire(game, ft);
}

}  // namespace kr::gameplay
