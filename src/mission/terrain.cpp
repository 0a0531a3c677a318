#include "mission/terrain.hpp"

#include <array>
#include <string>

#include "app/game.hpp"
#include "mission/emitters.hpp"
#include "mission/model_setup.hpp"

namespace kr::mission {

namespace {

std::string GroundFile(const Game& game, const std::string& name) {
    return MapFile(game.mission.MapFolder, "ground\\" + name, "the mission briefing");
}

void BuildLandscape(Game& game, int groundTexture) {
    scene::Scene& scene = game.engine->scene();
    scene.SetLandscapeName("name");
    scene.GenerateLandscape(GroundFile(game, "heightmap.jpg"), 32, 40, 2);
    scene::Landscape& land = scene.landscape();
    land.SetTexture(groundTexture);
    land.SetTiling(4.0f, 4.0f);
    land.SetScale({5.0f, 1.0f, 5.0f});
    land.SetLighting(scene::Lighting::PerVertex);
    land.SetMaterial(Material(game, "std2"));
    land.SetPosition({-300.0f, -200.0f, -1200.0f});
    land.SetEnabled(true);
    game.mission.Landscape = true;
}

constexpr std::array<const char*, 5> kSkyFaces = {"front", "left", "right", "back", "top"};

void BuildSkyBox(Game& game) {
    Engine& engine = *game.engine;
    for (const char* face : kSkyFaces) engine.DeleteTexture(face);
    for (const char* face : kSkyFaces) engine.LoadTexture(GroundFile(game, std::string(face) + ".bmp"), face);
    scene::SkyBox& sky = engine.scene().sky();
    auto id = [&](const char* face) { return engine.TextureId(face); };
    // The bottom face shows the top picture again.
    sky.textures = {id("front"), id("back"), id("left"), id("right"), id("top"), id("top")};
    sky.scale = 4.0f;
    sky.enabled = true;
}

EmitterRecipe StarRecipe() {
    EmitterRecipe r;
    r.count = 1;
    r.colour = {1, 1, 1, 0.1f};
    r.power = 80;
    r.lifetime = 30;
    r.launch = 0;
    r.spread = {1, 1, 1};
    r.boxFrom = {-1, 0, 0};
    r.boxTo = {0, 0, 0};
    r.sprite = "starparticle";
    r.size = 1.0f;
    r.sizeChanges = true;
    r.endScale = {0.01f, 0.01f, 0.01f};
    r.direction = {-100, 0, 0};
    return r;
}

}  // namespace

void BuildTerrain(Game& game) {
    Engine& engine = *game.engine;
    const std::string groundName = "ground_" + game.mission.MapFolder;
    int ground = engine.LoadTexture(GroundFile(game, "ground.dds"), groundName);
    game.mission.Landscape = false;
    if (game.mission.Map.SpaceLevel == 0) BuildLandscape(game, ground);
    BuildSkyBox(game);
}

void BuildAmbient(Game& game) {
    Engine& engine = *game.engine;
    scene::Scene& scene = engine.scene();
    scene.light(scene.CreateDirectionalLight("mainlight", {0.2f, -1.0f, 0.5f}, {0.9f, 0.9f, 0.9f, 1})).enabled = true;
    engine.LoadTexture("graphics\\star.dds", "starparticle", -1, -1, colour_key::kOwnAlpha);
    particles::ParticleSystem& particles = scene.particles();
    game.mission.StarEmitter = BuildEmitter(particles, StarRecipe());
    particles.SetEmitting(game.mission.StarEmitter.index, false);
    particles.SetPosition(game.mission.StarEmitter.index, {1800, -50, 0});
    engine.LoadTexture(GroundFile(game, "ground.dds"), "stars");
}

}  // namespace kr::mission
