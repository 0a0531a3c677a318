#include "mission/scenery.hpp"

#include "app/game.hpp"
#include "mission/model_setup.hpp"

namespace kr::mission {

namespace {

const char* kBriefing = "the mission briefing";

void ReadSceneryList(Game& game) {
    MissionState& m = game.mission;
    const std::vector<std::string> names = kr::ReadSceneryList(game.folder, m.MapFolder);
    m.SceneryTypeCount = static_cast<int>(names.size());
    for (int k = 1; k <= m.SceneryTypeCount; ++k) BuildSceneryTemplate(game, k, names[static_cast<std::size_t>(k - 1)]);
}

void ReadEnemyTypeList(Game& game) {
    MissionState& m = game.mission;
    const std::vector<std::string> names = kr::ReadEnemyTypeList(game.folder, m.MapFolder);
    m.EnemyTypeCount = static_cast<int>(names.size());
    for (int t = 1; t <= m.EnemyTypeCount; ++t) BuildEnemyType(game, t, names[static_cast<std::size_t>(t - 1)]);
}

void PlaceAll(Game& game) {
    MissionState& m = game.mission;
    for (int i = 1; i <= kMapPlacements; ++i) {
        if (m.Map.Placements[i].Active == 0) continue;
        PlaceScenery(game, i);
    }
}

}  // namespace

void BuildSceneryTemplate(Game& game, int k, const std::string& name) {
    scene::Mesh mesh = game.engine->scene().CreateMesh(name);
    game.mission.SceneryTemplate[k] = mesh;
    mesh.Load(SceneryFile(game.mission.MapFolder, name), true, true);
    ApplyShading(game, mesh);
    if (name != "tree11.tvm") ApplyModelFlags(game, mesh);
    mesh.SetMaterial(Material(game, "std"));
    mesh.SetScale({0.3f, 0.3f, 0.3f});
    mesh.SetAlphaTest(true, 100, true);
    SetHittable(mesh, true);
    mesh.Hide();
}

void PlaceScenery(Game& game, int i) {
    MissionState& m = game.mission;
    Placement& placement = m.Map.Placements[i];
    const scene::Mesh& source = m.SceneryTemplate[placement.SceneryType];
    scene::Mesh mesh = source.Clone(source.Name());
    m.SceneryMesh[i] = mesh;
    mesh.Show();
    mesh.SetPosition(PlacedPosition(placement));
    mesh.SetRotation({static_cast<float>(placement.RotX), static_cast<float>(placement.RotY),
                      static_cast<float>(placement.RotZ)});
    const float scale = PlacedScale(source.Name(), placement.Scale, game.CurrentMission);
    mesh.SetScale({scale, scale, scale});
    if (m.Map.SpaceLevel != 0) DrawSpin(placement, game.random);
}

void BuildEnemyType(Game& game, int t, const std::string& name) {
    const std::string ships = MapFile(game.mission.MapFolder, "ships.dat", kBriefing);
    const EnemyTypeModel model = ReadEnemyTypeModel(game.folder, name, ships);
    scene::Mesh mesh = game.engine->scene().CreateMesh(name);
    game.mission.EnemyTypeTemplate[t] = mesh;
    mesh.Load(MapFile(name, name + ".tvm", ships), true, true);
    ApplyShading(game, mesh);
    ApplyModelFlags(game, mesh);
    mesh.SetMaterial(Material(game, "std2"));
    SetHittable(mesh, true);
    mesh.SetPosition({0, -10, 0});
    const auto scale = static_cast<float>(model.ModelScale);
    mesh.SetScale({scale, scale, scale});
    mesh.RotateY(static_cast<float>(model.ModelTurn));
    mesh.Hide();
}

void ReadMap(Game& game) {
    MissionState& m = game.mission;
    ReadSceneryList(game);
    m.Map = ReadMapRecord(game.folder, m.MapFolder, kBriefing);
    CheckPlacementTypes(m.Map, m.SceneryTypeCount, MapFile(m.MapFolder, "map.dat", kBriefing));
    PlaceAll(game);
    ReadEnemyTypeList(game);
}

}  // namespace kr::mission
