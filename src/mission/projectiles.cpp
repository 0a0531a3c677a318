#include "mission/projectiles.hpp"

#include <array>

#include "app/game.hpp"
#include "mission/model_setup.hpp"

namespace kr::mission {

namespace {

constexpr int kRocket = 5;

void LoadAlphaPicture(Game& game, const std::string& file, const std::string& name) {
    game.engine->LoadTexture(file, name, -1, -1, colour_key::kOwnAlpha);
}

void SetUpShot(scene::Mesh& mesh) {
    mesh.SetDoubleSided(true);
    mesh.SetColour({1, 1, 1, 0.7f});
    MakeSeeThrough(mesh, 40);
}

}  // namespace

const char* WeaponWord(int weapon) {
    static constexpr std::array<const char*, 4> kWords = {"laser", "plasma", "gauss", "machinegun"};
    return weapon >= 0 && weapon < 4 ? kWords[static_cast<std::size_t>(weapon)] : kWords[0];
}

void LoadParticleTextures(Game& game) {
    LoadAlphaPicture(game, "graphics\\smoke.dds", "smokeparticle");
    LoadAlphaPicture(game, "graphics\\fire.dds", "fireparticle");
    LoadAlphaPicture(game, "graphics\\tribal.dds", "tribalparticle");
    LoadAlphaPicture(game, "graphics\\eng.dds", "engparticle");
}

void BuildPowerup(Game& game, int k) {
    const std::string n = std::to_string(k);
    scene::Actor actor = game.engine->scene().CreateActor("powerup" + n);
    game.mission.PowerupTemplate[k] = actor;
    actor.Load("models\\powerups\\powerup" + n + ".tva", true, true);
    ApplyShading(game, actor);
    actor.SetGlow(true);
    actor.SetMaterial(Material(game, "std2"));
    SetHittable(actor, true);
    actor.SetPosition({0, 0, 0});
    actor.SetScale({0.5f, 0.5f, 0.5f});
    actor.Hide();
}

void BuildShield(Game& game) {
    Player& player = game.player;
    player.ShieldValue = 1.0;
    for (int n = 1; n <= 5; ++n)
        LoadAlphaPicture(game, "models\\powerups\\shield0" + std::to_string(n) + ".dds", "shield" + std::to_string(n));
    scene::Scene& scene = game.engine->scene();
    player.ShieldMesh = scene.CreateMesh("Gracz_Shield");
    player.ShieldMesh.Load("models\\powerups\\shield.tvm", true, true);
    player.ShieldMesh.SetLightingMode(0);
    player.ShieldMesh.SetGlow(false);
    player.ShieldMesh.SetMaterial(Material(game, "std2"));
    player.ShieldMesh.SetPosition({0, 0, 0});
    player.ShieldMesh.SetScale({0.25f, 0.25f, 0.25f});
    MakeSeeThrough(player.ShieldMesh, 20);
    player.ShieldMesh.Hide();
    SetHittable(player.ShieldMesh, false);

    player.ShieldBeam = scene.CreateMesh("Gracz_Shield");
    player.ShieldBeam.MakeBox(620, 1, 1);
    player.ShieldBeam.SetLightingMode(0);
    player.ShieldBeam.SetGlow(false);
    player.ShieldBeam.SetMaterial(Material(game, "std2"));
    SetHittable(player.ShieldBeam, false);
    player.ShieldBeam.SetPosition({0, 0, 0});
    player.ShieldBeam.Hide();
}

void BuildPlayerShot(Game& game, int k, const std::string& name) {
    scene::Mesh mesh = game.engine->scene().CreateMesh("naboj_" + name);
    game.mission.ShotTemplate[k] = mesh;
    mesh.Load("models\\guns\\" + name + ".tvm", true, true);
    SetHittable(mesh, true);
    mesh.SetPosition({0, 0, 0});
    mesh.SetLightingMode(k == kRocket ? 4 : 1);
    const float scale = k == kRocket ? 0.4f : 1.0f;
    mesh.SetScale({scale, scale, scale});
    SetUpShot(mesh);
    mesh.RotateY(90);
    if (k == kRocket) {
        mesh.RotateX(90);
        mesh.SetMaterial(Material(game, "std2"));
    }
    mesh.Hide();
}

void BuildAlienShot(Game& game, int i, int k, const std::string& name) {
    const std::string folder = "models\\alienship" + std::to_string(i) + "\\";
    scene::Mesh mesh = game.engine->scene().CreateMesh("naboj_" + name);
    game.mission.ShotTemplate[k] = mesh;
    mesh.Load(folder + name + ".tvm", false, true);
    const std::string texture = "txtnaboj_" + std::to_string(i);
    game.engine->LoadTexture(folder + "shot1.bmp", texture, -1, -1, colour_key::kBlack);
    mesh.SetTexture(game.engine->TextureId(texture), -1);
    SetHittable(mesh, true);
    mesh.SetPosition({0, 0, 0});
    mesh.SetLightingMode(1);
    mesh.SetScale({1.5f, 1.5f, 1.6f});
    SetUpShot(mesh);
    mesh.RotateX(90);
    mesh.RotateY(180);
    mesh.RotateZ(90);
    mesh.SetMaterial(Material(game, "std2"));
    mesh.Hide();
}

}  // namespace kr::mission
