// The construction sequence of a mission, in its fixed order.

#include <string>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "mission/boss.hpp"
#include "mission/mission_start.hpp"
#include "mission/player_ship.hpp"
#include "mission/projectiles.hpp"
#include "mission/scenery.hpp"
#include "mission/terrain.hpp"

namespace kr::mission {

namespace {

void Announce(Game& game, const char* what) { game.device.log().Write(std::string("KRAVELLON : ") + what); }

void BuildWeapons(Game& game) {
    const std::string word = WeaponWord(game.profiles.ProfileWeapon[game.ActiveProfile]);
    game.Sound.LoadFile(0, "sound\\" + word + ".wma");
    for (int level = 1; level <= 4; ++level) BuildPlayerShot(game, level, word + "lv" + std::to_string(level));
    BuildPlayerShot(game, 5, "rakieta");
    for (PlayerShot& shot : game.player.Shots) shot = PlayerShot{};
    for (int i = 1; i <= kAlienShotModels; ++i) BuildAlienShot(game, i, i + kAlienShotBase, "shot1");
}

void LoadHudTextures(Game& game) {
    Engine& engine = *game.engine;
    engine.LoadTexture("graphics\\lasertlo.bmp", "lasertlo");
    engine.LoadTexture("graphics\\laser.bmp", "laser");
    for (const char* name : {"pas_life", "pas_armo", "pas_tlo", "ico_life", "ico_shield"})
        engine.LoadTexture("graphics\\" + std::string(name) + ".dds", name, -1, -1, colour_key::kOwnAlpha);
}

}  // namespace

void BuildMission(Game& game) {
    game.player.GunLevel = 1;
    Announce(game, "Loading particles...");
    LoadParticleTextures(game);
    Announce(game, "Loading map...");
    ReadMap(game);
    Announce(game, "Generating landscape...");
    BuildTerrain(game);
    Announce(game, "Creating powerups...");
    for (int k = 1; k <= kPowerupKinds; ++k) BuildPowerup(game, k);
    Announce(game, "Creating shield...");
    BuildShield(game);
    Announce(game, "Creating weapons...");
    BuildWeapons(game);
    Announce(game, "Loading textures...");
    LoadHudTextures(game);
    BuildBoss(game);
    Announce(game, "Creating ambient...");
    BuildAmbient(game);
    Announce(game, "Creating players ship...");
    BuildPlayerShip(game);
    game.mission.MouseX = game.mission.PreviousMouseX = 512;
    StopMusic(game, 1);
    game.ScreenId = screen_id::Mission;
}

}  // namespace kr::mission
