#include "mission/boss.hpp"

#include <string>

#include "app/game.hpp"
#include "mission/emitters.hpp"
#include "mission/model_setup.hpp"

namespace kr::mission {

namespace {

constexpr glm::vec3 kParked{-1000, -1000, -1000};

std::string BossFile(const Game& game, const char* extension) {
    return "models\\bosses\\boss" + std::to_string(game.CurrentMission + 1) + extension;
}

void BuildBossMesh(Game& game) {
    scene::Mesh mesh = game.engine->scene().CreateMesh("Boss");
    game.mission.EnemyTypeTemplate[kBossType] = mesh;
    mesh.Load(BossFile(game, ".tvM"), true, true);
    ApplyShading(game, mesh);
    ApplyModelFlags(game, mesh);
    mesh.SetMaterial(Material(game, "std2"));
    SetHittable(mesh, true);
    mesh.SetPosition({0, 0, 0});
    mesh.SetScale({0.2f, 0.2f, 0.2f});
    mesh.RotateY(90);
    mesh.Hide();
}

void BuildBossActor(Game& game) {
    scene::Actor actor = game.engine->scene().CreateActor("Boss");
    game.mission.BossActor = actor;
    actor.Load(BossFile(game, ".tva"), true, true);
    ApplyShading(game, actor);
    ApplyModelFlags(game, actor);
    actor.SetMaterial(Material(game, "std2"));
    SetHittable(actor, true);
    actor.SetPosition(kParked);
    actor.SetScale({0.2f, 0.2f, 0.2f});
    actor.RotateY(90);
    actor.SetLooping(true);
    actor.SetAnimationSpeed(1.0f);
    actor.Hide();
}

void BuildBossWeapon(Game& game) {
    scene::Mesh box = game.engine->scene().CreateMesh("BossWeapon");
    game.mission.BossWeapon = box;
    box.MakeBox(25, 25, 25);
    box.SetPosition(kParked);
}

void BuildBossEmitter(Game& game) {
    EmitterRecipe r;
    r.count = 10;
    r.colour = {0.6f, 0.3f, 0.2f, 1};
    r.power = 20;
    r.lifetime = 2.0 / 15;
    r.launch = 14;
    r.spread = {0, 0, 20};
    r.boxFrom = {1, 0, 0};
    r.boxTo = {0.1f, 0.1f, 0.1f};
    r.sprite = "fireparticle";
    r.size = 2;
    r.sizeChanges = true;
    r.endScale = {50, 50, 50};
    r.direction = {1, 0, 0};
    game.mission.BossEmitter = BuildEmitter(game.engine->scene().particles(), r);
}

}  // namespace

void BuildBoss(Game& game) {
    Log& log = game.device.log();
    log.Write("KRAVELLON: Creating level BIG BOSS....");
    BuildBossMesh(game);
    BuildBossActor(game);
    log.Write("KRAVELLON: Creating level BIG BOSS weapon slot....");
    BuildBossWeapon(game);
    log.Write("KRAVELLON: Creating level BIG BOSS visual effects...");
    BuildBossEmitter(game);
}

}  // namespace kr::mission
