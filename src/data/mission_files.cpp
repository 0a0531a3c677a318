#include "data/mission_files.hpp"

#include "data/binary_io.hpp"
#include "data/text_lines.hpp"

namespace kr {

namespace {

constexpr std::size_t kSceneryNameLimit = 30;

template <class Io, class P>
void PlacementFields(Io& io, P& p) {
    io.Field(p.AuthoringData);
    io.Field(p.SceneryType);
    io.Field(p.Active);
    io.Field(p.Padding);
    for (auto* value : {&p.Scale, &p.X, &p.Y, &p.Z, &p.RotX, &p.RotY, &p.RotZ}) io.Field(*value);
}

// The field order of "map.dat", for reading and writing alike.
template <class Io, class M>
void MapFields(Io& io, M& m) {
    io.Field(m.SpaceLevel);
    io.Field(m.MapMusicName);
    io.Field(m.SceneryTypeCount);
    io.Field(m.Reserved);
    for (auto& placement : m.Placements) PlacementFields(io, placement);
}

std::string RequirePlainName(std::string_view name, std::string_view what, std::string_view source) {
    if (!IsPlainName(name))
        throw FileError(std::string(source), std::string(what) + " \"" + Printable(name) +
                                                 "\" must be a plain name inside the game folder");
    return std::string(name);
}

void RefuseLongList(int count, int limit, const std::string& file, const char* what) {
    if (count > limit)
        throw FileError(file, "lists " + std::to_string(count) + " " + what + ", at most " + std::to_string(limit) +
                                  " fit");
}

}  // namespace

Bytes MapRecordToBytes(const MapRecord& map) {
    ByteWriter out(MapRecord::kByteSize);
    MapFields(out, map);
    return out.Take();
}

MapRecord MapRecordFromBytes(std::span<const std::uint8_t> image) {
    ByteReader in(image, MapRecord::kByteSize, "map");
    MapRecord map;
    MapFields(in, map);
    return map;
}

std::string MapFile(std::string_view mapFolder, std::string_view name, std::string_view source) {
    return "models\\" + RequirePlainName(mapFolder, "the map folder", source) + "\\" + std::string(name);
}

std::string SceneryFile(std::string_view mapFolder, std::string_view model) {
    std::string list = MapFile(mapFolder, "obiekty\\lista.dat", "the mission briefing");
    return MapFile(mapFolder, "obiekty\\" + RequirePlainName(model, "the scenery model", list), list);
}

std::string EnemyTypeFile(std::string_view type, std::string_view source) {
    return "data\\" + RequirePlainName(type, "the enemy type", source) + ".dat";
}

std::string MapMusicFile(const MapRecord& map, std::string_view mapFolder) {
    const std::string file = MapFile(mapFolder, "map.dat", "the mission briefing");
    return "music\\" + RequirePlainName(map.MapMusicName.View(), "the music", file);
}

MapRecord ReadMapRecord(const GameFolder& folder, std::string_view mapFolder, std::string_view source) {
    std::string file = MapFile(mapFolder, "map.dat", source);
    try {
        return MapRecordFromBytes(folder.ReadPrefix(file, MapRecord::kByteSize));
    } catch (const FileError&) {
        throw;
    } catch (const Error& error) {
        throw FileError(file, error.what());
    }
}

void CheckPlacementTypes(const MapRecord& map, int sceneryTypes, const std::string& file) {
    for (int i = 1; i <= kMapPlacements; ++i) {
        const Placement& p = map.Placements[i];
        if (p.Active == 0 || (p.SceneryType >= 1 && p.SceneryType <= sceneryTypes)) continue;
        throw FileError(file, "placement " + std::to_string(i) + " uses scenery type " + std::to_string(p.SceneryType) +
                                  ", but the scenery list holds " + std::to_string(sceneryTypes));
    }
}

std::vector<std::string> ReadSceneryList(const GameFolder& folder, std::string_view mapFolder) {
    std::string file = MapFile(mapFolder, "obiekty\\lista.dat", "the mission briefing");
    LineReader lines = LineReader::Open(folder, file);
    const int count = lines.ReadInteger();
    RefuseLongList(count, kMaxSceneryTypes, file, "scenery types");
    std::vector<std::string> names;
    for (int k = 1; k <= count; ++k) {
        std::string name(lines.Require().substr(0, kSceneryNameLimit));
        names.push_back(name == "flaga.tvm" ? std::string(kCannonModel) : name);
    }
    return names;
}

std::vector<std::string> ReadEnemyTypeList(const GameFolder& folder, std::string_view mapFolder) {
    std::string file = MapFile(mapFolder, "ships.dat", "the mission briefing");
    LineReader lines = LineReader::Open(folder, file);
    lines.SkipRequired();
    const int count = lines.ReadInteger() & 0xFF;
    RefuseLongList(count, kMaxEnemyTypes, file, "enemy types");
    std::vector<std::string> names;
    for (int t = 1; t <= count; ++t) names.emplace_back(lines.Require());
    return names;
}

EnemyTypeModel ReadEnemyTypeModel(const GameFolder& folder, std::string_view type, std::string_view source) {
    LineReader lines = LineReader::Open(folder, EnemyTypeFile(type, source));
    for (int i = 0; i < 3; ++i) lines.SkipRequired();
    EnemyTypeModel model;
    model.ModelScale = lines.ReadReal();
    lines.SkipRequired();
    model.ModelTurn = lines.ReadInteger();
    return model;
}

EnemyTypeDefinition ReadEnemyTypeDefinition(const GameFolder& folder, std::string_view type, std::string_view source) {
    LineReader lines = LineReader::Open(folder, EnemyTypeFile(type, source));
    for (int i = 0; i < 7; ++i) lines.SkipRequired();  // captions, and the model's scale and turn
    EnemyTypeDefinition d;
    d.Spins = lines.ReadInteger() != 0 ? 1 : 0;
    lines.SkipRequired();
    d.SpinRange = lines.ReadInteger();
    lines.SkipRequired();
    lines.ReadInteger();  // read and not used
    lines.SkipRequired();
    d.HitPoints = lines.ReadInteger();
    lines.SkipRequired();
    d.EngineTrail = lines.ReadInteger();
    lines.SkipRequired();
    d.ShotModel = lines.ReadInteger();
    return d;
}

glm::vec3 PlacedPosition(const Placement& placement) {
    return {static_cast<float>(placement.X), static_cast<float>(placement.Y + 0.8), static_cast<float>(placement.Z)};
}

float PlacedScale(std::string_view model, double storedScale, int currentMission) {
    if (model == kCannonModel) return currentMission > 5 ? 1.2f : 0.6f;
    return static_cast<float>(storedScale - 0.1);
}

void DrawSpin(Placement& placement, Random& random) {
    if (random(100) < 30) {
        placement.RotX = placement.RotY = placement.RotZ = 0;
        return;
    }
    placement.RotX = random(260) / 100000.0 + 0.0001;
    placement.RotZ = random(260) / 100000.0 + 0.0001;
    placement.RotY = random(260) / 100000.0 + 0.0001;
}

std::int32_t DrawTurnRate(std::int32_t spinRange, Random& random) {
    int a = random(spinRange);
    int b = random(spinRange);
    return a - b + 1;
}

}  // namespace kr
