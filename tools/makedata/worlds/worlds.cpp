#include "worlds/worlds.hpp"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "data/mission_files.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "engine/scene/landscape.hpp"
#include "toolkit/sky_box.hpp"
#include "toolkit/texture_files.hpp"
#include "worlds/dunes_ground.hpp"
#include "worlds/dunes_models.hpp"
#include "worlds/orbit_models.hpp"
#include "worlds/placements.hpp"
#include "worlds/skies.hpp"
#include "worlds/world_frame.hpp"

namespace kr::makedata {
namespace {

using worlds::Placed;
using worlds::SceneryKind;

constexpr int kSkyFaceSize = 512;
constexpr int kHeightMapQuality = 97;
// Scenery under the fight keeps its top this far below the player's ship.
constexpr float kFlierClearance = worlds::kPlayerHeight - 15.0f;

struct SceneryFile {
    SceneryKind kind;
    std::function<model::Model()> build;
    std::string modelFile;  // where the model lies when it is not the listed name
};

std::string Folder(const std::string& map) { return "models\\" + map + "\\"; }

void WriteSky(OutputFolder& out, const std::string& map, const std::function<toolkit::Colour(glm::vec3)>& sky) {
    const std::pair<toolkit::SkyFace, const char*> faces[] = {{toolkit::SkyFace::Front, "front"},
                                                              {toolkit::SkyFace::Left, "left"},
                                                              {toolkit::SkyFace::Right, "right"},
                                                              {toolkit::SkyFace::Back, "back"},
                                                              {toolkit::SkyFace::Top, "top"}};
    for (const auto& [face, name] : faces) {
        const toolkit::Canvas picture = toolkit::PaintSkyFace(face, kSkyFaceSize, sky);
        out.Write(Folder(map) + "ground\\" + name + ".bmp", image::EncodeBmp24(toolkit::ToImage(picture)));
    }
}

// The kind's footprint and height from its model at `scale`: across the
// ground, or in every direction for what spins.
SceneryKind Measured(SceneryKind kind, const model::Model& model, float scale, bool spinning) {
    float reach = 0.0f, top = 0.0f;
    for (const auto& mesh : model.meshes)
        for (const auto& primitive : mesh.primitives)
            for (const auto& vertex : primitive.vertices) {
                const glm::vec3 p = vertex.position * scale;
                reach = std::max(reach, spinning ? glm::length(p) : glm::length(glm::vec2(p.x, p.z)));
                top = std::max(top, p.y);
            }
    kind.radius = spinning ? reach : reach * 0.8f;  // on the ground, neighbours may tuck in a little
    kind.height = spinning ? reach : top;
    return kind;
}

std::string SceneryList(const std::vector<SceneryFile>& files) {
    std::string text = std::to_string(files.size()) + "\r\n";
    for (const auto& file : files) text += file.kind.file + "\r\n";
    return text;
}

// Writes the list and the models; returns the kinds with their sizes
// measured on the models as the game scales them.
std::vector<SceneryKind> WriteScenery(OutputFolder& out, const std::string& map, const std::vector<SceneryFile>& files,
                                      bool spinning) {
    out.Write(Folder(map) + "obiekty\\lista.dat", SceneryList(files));
    std::vector<SceneryKind> kinds;
    for (const auto& file : files) {
        const std::string name = file.modelFile.empty() ? file.kind.file : file.modelFile;
        const model::Model model = file.build();
        out.Write(Folder(map) + "obiekty\\" + name, model::WriteGlb(model));
        const float scale = name == kCannonModel ? worlds::kEarlyCannonScale : worlds::kPlacedScale;
        kinds.push_back(Measured(file.kind, model, scale, spinning));
    }
    return kinds;
}

MapRecord MapOf(std::uint8_t spaceLevel, const std::string& music, int types, const std::vector<Placed>& placed) {
    if (placed.size() > static_cast<std::size_t>(kMapPlacements)) throw Error("map: more placements than the record holds");
    MapRecord map;
    map.SpaceLevel = spaceLevel;
    map.MapMusicName = music;
    map.SceneryTypeCount = types;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        Placement& p = map.Placements[static_cast<int>(i) + 1];
        const Placed& from = placed[i];
        p.SceneryType = from.kind + 1;
        p.Active = 1;
        p.Scale = worlds::kStoredScaleOffset + from.size;
        p.X = from.position.x;
        p.Y = from.position.y;
        p.Z = from.position.z;
        p.RotX = from.rotation.x;
        p.RotY = from.rotation.y;
        p.RotZ = from.rotation.z;
    }
    return map;
}


// The ground as the game will generate it: from the height map as the
// game decodes it.
scene::Landscape GroundOf(const Bytes& heightMapJpeg) {
    const image::MipChain decoded = image::DecodeImage(heightMapJpeg, "heightmap.jpg");
    scene::Landscape ground;
    ground.Generate(decoded.levels.front(), worlds::kLandscapeCellsX, worlds::kLandscapeCellsZ, worlds::kLandscapePrecision);
    ground.SetScale(worlds::kLandscapeScale);
    ground.SetPosition(worlds::kLandscapePosition);
    return ground;
}

void WriteDunes(OutputFolder& out) {
    const std::string map = "dunes";
    const Bytes heightMap = image::EncodeJpeg(worlds::DunesHeightMap(), kHeightMapQuality);
    out.Write(Folder(map) + "ground\\heightmap.jpg", heightMap);
    out.Write(Folder(map) + "ground\\ground.dds", toolkit::EncodeTextureDds(toolkit::ToImage(worlds::DunesSand(512))));
    WriteSky(out, map, [](glm::vec3 d) { return toolkit::FoldedSky(worlds::DuskSky, d, toolkit::Hemisphere::Upper); });

    // Kinds in list order (their sizes are measured on the models); the
    // cannon is listed as "flaga.tvm".
    const std::vector<SceneryFile> files = {
        {{.file = "flaga.tvm", .weight = 0.0f, .minSize = 1.0f, .maxSize = 1.0f}, worlds::GroundCannon, "!cannon.tvm"},
        {{.file = "rock1.tvm", .weight = 3.0f, .minSize = 0.7f, .maxSize = 1.4f}, worlds::Boulders, ""},
        {{.file = "rock2.tvm", .weight = 1.4f, .minSize = 0.8f, .maxSize = 1.2f}, worlds::RockSpire, ""},
        {{.file = "arch.tvm", .weight = 0.5f, .minSize = 0.7f, .maxSize = 1.0f}, worlds::RockArch, ""},
        {{.file = "tree11.tvm", .weight = 2.2f, .minSize = 0.7f, .maxSize = 1.1f}, worlds::Palm, ""},
        {{.file = "ruin.tvm", .weight = 0.7f, .minSize = 0.8f, .maxSize = 1.1f}, worlds::Ruin, ""},
        {{.file = "outpost.tvm", .weight = 0.35f, .minSize = 0.9f, .maxSize = 1.0f}, worlds::Outpost, ""},
        {{.file = "pylon.tvm", .weight = 0.0f, .minSize = 1.0f, .maxSize = 1.0f}, worlds::Pylon, ""},
    };
    const float end = worlds::PathEnd(3);
    worlds::PlacementSet set(WriteScenery(out, map, files, false));
    set.AddSpaced(0, 300.0f, end, 600.0f, 1000.0f, 700.0f, 11u);
    set.AddLine(7, worlds::kPathStart, end + 2000.0f, 1100.0f, 1250.0f, 12u);
    set.Scatter({worlds::kPathStart, end + 1500.0f, 1150.0f, 880, 0.0f, 0.0f, 1e9f, false, 13u});
    const scene::Landscape ground = GroundOf(heightMap);
    set.SetHeights([&](float x, float z) { return ground.HeightAt(x, z); });
    set.DropAbove(kFlierClearance, worlds::kFightHalfWidth + 50.0f);
    out.Write(Folder(map) + "map.dat", MapRecordToBytes(MapOf(0, "battletheme.wma", static_cast<int>(files.size()), set.Sorted())));
}

void WriteOrbit(OutputFolder& out) {
    const std::string map = "orbit";
    out.Write(Folder(map) + "ground\\ground.dds", toolkit::EncodeTextureDds(toolkit::ToImage(worlds::StarDust(256))));
    WriteSky(out, map, [](glm::vec3 d) { return toolkit::FoldedSky(worlds::OrbitSky, d, toolkit::Hemisphere::Lower); });

    const std::vector<SceneryFile> files = {
        {{.file = "asteroid1.tvm", .weight = 3.0f, .minSize = 0.6f, .maxSize = 1.6f}, [] { return worlds::Asteroid(0); }, ""},
        {{.file = "asteroid2.tvm", .weight = 2.0f, .minSize = 0.6f, .maxSize = 1.4f}, [] { return worlds::Asteroid(1); }, ""},
        {{.file = "asteroid3.tvm", .weight = 2.6f, .minSize = 0.5f, .maxSize = 1.5f}, [] { return worlds::Asteroid(2); }, ""},
        {{.file = "freighter.tvm", .weight = 0.22f, .minSize = 0.9f, .maxSize = 1.1f}, worlds::FreighterWreck, ""},
        {{.file = "station.tvm", .weight = 0.18f, .minSize = 0.9f, .maxSize = 1.1f}, worlds::StationModule, ""},
        {{.file = "solar.tvm", .weight = 0.3f, .minSize = 0.8f, .maxSize = 1.1f}, worlds::SolarWreck, ""},
        {{.file = "beacon.tvm", .weight = 0.3f, .minSize = 0.9f, .maxSize = 1.2f}, worlds::Beacon, ""},
    };
    const float end = worlds::PathEnd(4);
    worlds::PlacementSet set(WriteScenery(out, map, files, true));
    set.Scatter({worlds::kPathStart, end + 1500.0f, 1150.0f, 760, -620.0f, -100.0f, -60.0f, true, 21u});
    out.Write(Folder(map) + "map.dat", MapRecordToBytes(MapOf(1, "orbittheme.wma", static_cast<int>(files.size()), set.Sorted())));
}

}  // namespace

void WriteMissionWorlds(OutputFolder& out) {
    WriteDunes(out);
    WriteOrbit(out);
}

}  // namespace kr::makedata
