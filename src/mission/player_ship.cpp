#include "mission/player_ship.hpp"

#include <string>

#include "app/game.hpp"
#include "frontend/menu_scene.hpp"
#include "mission/emitters.hpp"
#include "mission/model_setup.hpp"

namespace kr::mission {

namespace {

constexpr glm::vec3 kShipStart{-200, 10, 0};

struct EngineFlame {
    int count;
    Colour colour;
    double power, lifetime, launch;
};

struct ShipEngines {
    double agility;
    EngineFlame a, b;
    glm::vec3 offsetA, offsetB;
};

// Ships 1..5: steering margin and the two engine flames. The launch speed
// carries the exhaust backward, so that the flame streams out as a jet.
constexpr ShipEngines kShipEngines[] = {
    {1.5, {150, {0.5f, 0.8f, 1, 0.1f}, 148, 0.2, 220}, {150, {0.5f, 0.8f, 1, 0.1f}, 148, 0.2, 220}, {-36, 4, -11},
     {-36, 4, 11}},
    {1.15, {50, {0.5f, 0.5f, 0.2f, 0.1f}, 108, 0.05, 300}, {10, {0.7f, 0.7f, 0.6f, 0.1f}, 108, 0.001, 300},
     {-19, -4, -1}, {-19, -4, 1}},
    {1.0, {150, {0.5f, 1, 0.8f, 0.1f}, 148, 0.2, 220}, {100, {0.6f, 1, 0.6f, 0.1f}, 148, 0.2, 220}, {-44, 4, 0},
     {-44, 4, 0}},
    {0.75, {150, {0.8f, 0.4f, 0.4f, 0.1f}, 148, 0.2, 220}, {150, {1, 0.2f, 0.2f, 0.1f}, 148, 0.2, 220}, {-44, 4, 0},
     {-44, 4, 0}},
    {1.9, {150, {0.6f, 0.01f, 0.01f, 0.1f}, 148, 0.2, 280}, {150, {0.6f, 0.01f, 0.01f, 0.1f}, 148, 0.2, 280},
     {-25, 0, -13}, {-25, 0, 13}},
};

int ProfileShip(const Game& game) { return game.profiles.ProfileShip[game.ActiveProfile]; }

EmitterRecipe FlameRecipe(const EngineFlame& flame) {
    EmitterRecipe r;
    r.count = flame.count;
    r.colour = flame.colour;
    r.power = flame.power;
    r.lifetime = flame.lifetime;
    r.launch = flame.launch;
    r.spread = {0, 0, 2};
    r.boxFrom = {-1, 0, 0};
    r.boxTo = {-1, 0, 0};
    r.sprite = "engparticle";
    r.size = 20;
    r.sizeChanges = true;
    r.endScale = {6, 6, 6};  // the jet narrows toward its tip
    r.direction = {-1, 0, 0};
    return r;
}

// Smoke and fire of a damaged ship: silent until the ship is hit. Each is
// fed no faster than its pool allows, so that it streams without gaps; the
// fire streams out past the tail, where the hull does not hide it.
EmitterRecipe DamageRecipe(int count, Colour colour, double power, double lifetime, double launch, glm::vec3 boxTo,
                           const char* sprite, float size, float endSize) {
    EmitterRecipe r;
    r.count = count;
    r.colour = colour;
    r.power = power;
    r.lifetime = lifetime;
    r.launch = launch;
    r.spread = {10, 10, 25};  // billows a little as it streams away
    r.boxFrom = {-1, 0, 0};
    r.boxTo = boxTo;
    r.sprite = sprite;
    r.size = size;
    r.sizeChanges = endSize != size;
    r.endScale = {endSize, endSize, endSize};
    r.direction = {-1, 0, 0};
    return r;
}

EmitterRef BuildFlame(Game& game, const EngineFlame& flame, const glm::vec3& offset) {
    particles::ParticleSystem& particles = game.engine->scene().particles();
    EmitterRef ref = BuildEmitter(particles, FlameRecipe(flame));
    particles.SetEmitting(ref.index, true);
    particles.SetPosition(ref.index, game.player.ShipMesh.Position() + offset);
    game.engine->scene().AttachEmitter(ref.index, game.player.ShipMesh);  // the flame follows the ship
    return ref;
}

void BuildEngineFlames(Game& game, int ship) {
    if (ship < 1 || ship > 5) return;  // no such ship: no flames, agility kept
    const ShipEngines& engines = kShipEngines[ship - 1];
    Player& player = game.player;
    player.Agility = engines.agility;
    player.EngineEmitterA = BuildFlame(game, engines.a, engines.offsetA);
    // The second flame of ship 2 is a spray of sparks.
    if (ship == 2) game.engine->LoadTexture("graphics\\spots.dds", "starparticle", -1, -1, colour_key::kOwnAlpha);
    player.EngineEmitterB = BuildFlame(game, engines.b, engines.offsetB);
}

EmitterRef BuildDamageEmitter(Game& game, const EmitterRecipe& recipe, const glm::vec3& offset, bool emitting) {
    scene::Scene& scene = game.engine->scene();
    EmitterRef ref = BuildEmitter(scene.particles(), recipe);
    scene.particles().SetEmitting(ref.index, emitting);
    scene.particles().SetPosition(ref.index, game.player.ShipMesh.Position() + offset);
    scene.AttachEmitter(ref.index, game.player.ShipMesh);
    return ref;
}

void BuildDamageEmitters(Game& game) {
    Player& player = game.player;
    const Colour smoke{0.32f, 0.3f, 0.29f, 0.75f};  // dark grey: the sprite's shading still shows
    // The first smoke emitter is left as made; the frame loop switches it.
    player.SmokeEmitterA = BuildDamageEmitter(
        game, DamageRecipe(20, smoke, 16, 1.2, 120, {-0.05f, 0.05f, 0.05f}, "smokeparticle", 30, 70), {-24, 4, 0},
        false);
    player.SmokeEmitterB = BuildDamageEmitter(
        game, DamageRecipe(60, smoke, 36, 1.6, 120, {-0.3f, 0.3f, 0.3f}, "smokeparticle", 40, 110), {-24, 4, 0},
        false);
    player.FireEmitter = BuildDamageEmitter(
        game,
        DamageRecipe(10, {1, 0.65f, 0.4f, 1}, 45, 0.2, 300, {-0.1f, 0.1f, 0.1f}, "fireparticle", 34, 14),
        {-4, -4, 0}, false);
}

void BuildShipLights(Game& game) {
    scene::Scene& scene = game.engine->scene();
    scene.light(scene.CreatePointLight("silniklight", {0, 0, 0}, {0.8f, 0.8f, 1, 1}, 50)).enabled = true;
    scene::Light& flash = scene.light(scene.CreatePointLight("boomlight", {-10000, 10000, 10000}, {1, 0, 0, 1}, 0));
    flash.enabled = true;
    flash.specular = false;
}

}  // namespace

void ApplyShipSkin(Game& game) {
    const int level = game.profiles.ProfileShipLevel[game.ActiveProfile];
    if (level < 0 || level > 4) return;
    game.player.ShipMesh.SetTexture(game.engine->TextureId("s" + std::to_string(level) + ".dds"), -1);
}

void BuildPlayerShip(Game& game) {
    const int ship = ProfileShip(game);
    scene::Mesh mesh = game.engine->scene().CreateMesh("Statek_TVM");
    game.player.ShipMesh = mesh;
    mesh.Load("models\\ship" + std::to_string(ship) + "\\fighter.tvm", false, true);
    ApplyShading(game, mesh);
    frontend::LoadShipSkins(game);
    mesh.SetGlow(true);  // the ship glows whatever the glow option says
    mesh.SetMaterial(Material(game, "std2"));
    SetHittable(mesh, true);
    mesh.SetPosition(kShipStart);
    mesh.SetScale({0.18f, 0.18f, 0.18f});
    mesh.RotateY(270);
    ApplyShipSkin(game);
    BuildEngineFlames(game, ship);
    BuildDamageEmitters(game);
    BuildShipLights(game);
}

}  // namespace kr::mission
