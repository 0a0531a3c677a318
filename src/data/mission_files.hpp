#pragma once
// The files that describe a mission's world: the map record with its 1000
// scenery placements, the scenery list, the enemy type list and the enemy
// type definitions, with the rules that turn a placement into an object.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <glm/vec3.hpp>

#include "data/one_based_array.hpp"
#include "data/pascal_string.hpp"
#include "engine/game_folder.hpp"
#include "engine/random.hpp"

namespace kr {

inline constexpr int kMapPlacements = 1000;
inline constexpr int kMaxSceneryTypes = 50;
inline constexpr int kMaxEnemyTypes = 26;

// 96 bytes in the map record.
struct Placement {
    std::array<std::uint8_t, 32> AuthoringData{};  // 0: the editor's own, not read
    std::int32_t SceneryType = 0;                  // 32: 1-based, in scenery-list order
    std::uint8_t Active = 0;                       // 36
    std::array<std::uint8_t, 3> Padding{};         // 37
    double Scale = 0;                              // 40
    double X = 0, Y = 0, Z = 0;                    // 48
    double RotX = 0, RotY = 0, RotZ = 0;           // 72: on space maps, the spin rates
};

// "models\{map}\map.dat": one record of exactly kByteSize bytes.
struct MapRecord {
    static constexpr std::size_t kByteSize = 96056;
    std::uint8_t SpaceLevel = 0;                  // 0: a ground map with a landscape
    PascalString<42> MapMusicName;                // 1: under "music\"
    std::int32_t SceneryTypeCount = 0;            // 44: the editor's; the scenery list rules
    std::array<std::uint8_t, 8> Reserved{};       // 48
    OneBasedArray<Placement, kMapPlacements> Placements;  // 56
};

Bytes MapRecordToBytes(const MapRecord& map);
// Reads the first kByteSize bytes; a shorter image raises kr::Error.
MapRecord MapRecordFromBytes(std::span<const std::uint8_t> image);

// The game paths of a map's files. A map folder or type name that is empty,
// holds a separator, ':' or a control byte, or is "." or "..", raises
// kr::FileError naming `source` (the file it came from).
std::string MapFile(std::string_view mapFolder, std::string_view name, std::string_view source);
std::string SceneryFile(std::string_view mapFolder, std::string_view model);
std::string EnemyTypeFile(std::string_view type, std::string_view source);

// "music\{MapMusicName}"; a name that would leave the music folder raises
// kr::FileError naming the map file.
std::string MapMusicFile(const MapRecord& map, std::string_view mapFolder);

MapRecord ReadMapRecord(const GameFolder& folder, std::string_view mapFolder, std::string_view source);
// Every active placement must name one of the `sceneryTypes` listed types;
// the first that does not raises kr::FileError naming `file` and the entry.
void CheckPlacementTypes(const MapRecord& map, int sceneryTypes, const std::string& file);

// "obiekty\lista.dat": the scenery model names, "flaga.tvm" read as
// "!cannon.tvm", each cut to 30 characters. More than 50 is an error.
std::vector<std::string> ReadSceneryList(const GameFolder& folder, std::string_view mapFolder);
// "ships.dat": the enemy type names (the count's low 8 bits count). More
// than 26 is an error.
std::vector<std::string> ReadEnemyTypeList(const GameFolder& folder, std::string_view mapFolder);

// "data\{type}.dat" as the type loading reads it (lines 1 to 6).
struct EnemyTypeModel {
    double ModelScale = 1;
    std::int32_t ModelTurn = 0;  // degrees about y
};
EnemyTypeModel ReadEnemyTypeModel(const GameFolder& folder, std::string_view type, std::string_view source);

// The same file as enemy creation reads it (lines 1 to 18).
struct EnemyTypeDefinition {
    std::uint8_t Spins = 0;  // 1: enemies of the type keep turning
    std::int32_t SpinRange = 0;
    std::int32_t HitPoints = 0;
    std::int32_t EngineTrail = 0;
    std::int32_t ShotModel = 0;  // 1..14
};
EnemyTypeDefinition ReadEnemyTypeDefinition(const GameFolder& folder, std::string_view type, std::string_view source);

// Placement rules: where the object stands, and its uniform scale (ground
// cannons by mission, the rest their stored scale less 0.1).
inline constexpr std::string_view kCannonModel = "!cannon.tvm";
glm::vec3 PlacedPosition(const Placement& placement);
float PlacedScale(std::string_view model, double storedScale, int currentMission);
// On space maps each active placement, in order, draws whether and how fast
// it spins: 30 in 100 do not; the others get rates about x, z and y in that
// order of drawing.
void DrawSpin(Placement& placement, Random& random);
// A type's turn rate for a new enemy: -R+2 .. R; R = 0 gives 1.
std::int32_t DrawTurnRate(std::int32_t spinRange, Random& random);

}  // namespace kr
