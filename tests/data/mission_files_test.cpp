// The mission data files against hand-made ones: the map record byte for
// byte, the text lists and definitions with their number and name rules,
// the placement rules, and refusals that name the file.

#include <gtest/gtest.h>

#include <bit>

#include "data/mission_files.hpp"
#include "engine/error.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

void PutDouble(Bytes& image, std::size_t at, double value) {
    auto bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) image[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

Bytes MapImage() {
    Bytes image(MapRecord::kByteSize, 0);
    image[0] = 1;  // a space map
    const std::string music = "space.wma";
    image[1] = static_cast<std::uint8_t>(music.size());
    std::copy(music.begin(), music.end(), image.begin() + 2);
    image[44] = 7;
    for (std::size_t i = 48; i < 56; ++i) image[i] = 0xEE;  // reserved bytes of any content
    // Placement 3 (offset 56 + 2 * 96): active, type 2, stored scale 1.0.
    const std::size_t p = 56 + 2 * 96;
    image[p] = 0xAA;
    image[p + 32] = 2;
    image[p + 36] = 1;
    PutDouble(image, p + 40, 1.0);
    PutDouble(image, p + 48, 10.0);
    PutDouble(image, p + 56, 5.0);
    PutDouble(image, p + 64, -3.5);
    PutDouble(image, p + 80, 45.0);
    return image;
}

TEST(MapRecord, ReadsEveryFieldAtItsOffsetAndWritesTheSameBytes) {
    Bytes image = MapImage();
    MapRecord map = MapRecordFromBytes(image);
    EXPECT_EQ(map.SpaceLevel, 1);
    EXPECT_EQ(map.MapMusicName.View(), "space.wma");
    EXPECT_EQ(map.SceneryTypeCount, 7);
    const Placement& p = map.Placements[3];
    EXPECT_EQ(p.AuthoringData[0], 0xAA);
    EXPECT_EQ(p.SceneryType, 2);
    EXPECT_EQ(p.Active, 1);
    EXPECT_EQ(p.Scale, 1.0);
    EXPECT_EQ(p.X, 10.0);
    EXPECT_EQ(p.Z, -3.5);
    EXPECT_EQ(p.RotY, 45.0);
    EXPECT_EQ(map.Placements[1000].Active, 0);
    EXPECT_EQ(MapRecordToBytes(map), image);
    EXPECT_EQ(PlacedPosition(p).y, 5.8f) << "placed 0.8 above the stored height";
}

TEST(MapRecord, AShortMapFileIsAnErrorNamingIt) {
    test::TempGameFolder temp;
    Bytes image = MapImage();
    image.resize(MapRecord::kByteSize - 1);
    temp.Write("models/dunes/map.dat", image);
    try {
        ReadMapRecord(temp.folder(), "dunes", "the briefing");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "models\\dunes\\map.dat");
    }
}

TEST(MapRecord, PlacementsOutsideTheSceneryListAreRefusedByEntry) {
    MapRecord map = MapRecordFromBytes(MapImage());
    EXPECT_NO_THROW(CheckPlacementTypes(map, 2, "map.dat"));
    try {
        CheckPlacementTypes(map, 1, "map.dat");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("placement 3"), std::string::npos) << error.what();
    }
    map.Placements[3].Active = 0;
    EXPECT_NO_THROW(CheckPlacementTypes(map, 0, "map.dat")) << "inactive placements are not looked at";
}

TEST(PlacementRules, CannonsScaleByMissionAndOthersByTheirStoredScale) {
    EXPECT_FLOAT_EQ(PlacedScale("!cannon.tvm", 3.0, 0), 0.6f);
    EXPECT_FLOAT_EQ(PlacedScale("!cannon.tvm", 3.0, 5), 0.6f);
    EXPECT_FLOAT_EQ(PlacedScale("!cannon.tvm", 3.0, 6), 1.2f);
    EXPECT_FLOAT_EQ(PlacedScale("tree11.tvm", 1.0, 0), 0.9f);
}

TEST(PlacementRules, SpinDrawsInOrderAndStillObjectsLoseTheirRotation) {
    Random reference(11), drawn(11);
    Placement p;
    p.RotX = p.RotY = p.RotZ = 90;
    DrawSpin(p, drawn);
    int r = reference(100);
    if (r < 30) {
        EXPECT_EQ(p.RotX + p.RotY + p.RotZ, 0);
    } else {
        EXPECT_DOUBLE_EQ(p.RotX, reference(260) / 100000.0 + 0.0001);
        EXPECT_DOUBLE_EQ(p.RotZ, reference(260) / 100000.0 + 0.0001);
        EXPECT_DOUBLE_EQ(p.RotY, reference(260) / 100000.0 + 0.0001);
    }
    EXPECT_EQ(drawn(1000000), reference(1000000)) << "the same number of draws";
    Random rates(3);
    for (int i = 0; i < 200; ++i) {
        int rate = DrawTurnRate(4, rates);
        EXPECT_GE(rate, -2);
        EXPECT_LE(rate, 4);
    }
    EXPECT_EQ(DrawTurnRate(0, rates), 1);
}

struct MapFolder : ::testing::Test {
    test::TempGameFolder temp;
};

TEST_F(MapFolder, TheSceneryListRenamesFlagsAndCutsLongNames) {
    temp.Write("models/dunes/obiekty/lista.dat", "  3  scenery types\r\nflaga.tvm\r\n" + std::string(35, 'r') +
                                                     "\r\ntree11.tvm\r\n");
    std::vector<std::string> names = ReadSceneryList(temp.folder(), "dunes");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "!cannon.tvm");
    EXPECT_EQ(names[1], std::string(30, 'r'));
    EXPECT_EQ(names[2], "tree11.tvm");
    EXPECT_EQ(SceneryFile("dunes", names[0]), "models\\dunes\\obiekty\\!cannon.tvm");
}

TEST_F(MapFolder, TheEnemyTypeCountKeepsItsLow8Bits) {
    temp.Write("models/dunes/ships.dat", "enemy types\r\n260\r\nwasp\r\nhornet\r\nmoth\r\nbeetle\r\nspare\r\n");
    std::vector<std::string> names = ReadEnemyTypeList(temp.folder(), "dunes");
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[3], "beetle");
}

TEST_F(MapFolder, ListsLongerThanTheirTablesAreRefused) {
    std::string scenery = "51\r\n";
    for (int i = 0; i < 51; ++i) scenery += "rock.tvm\r\n";
    temp.Write("models/dunes/obiekty/lista.dat", scenery);
    EXPECT_THROW(ReadSceneryList(temp.folder(), "dunes"), FileError);
    temp.Write("models/dunes/ships.dat", "types\r\n27\r\n");
    EXPECT_THROW(ReadEnemyTypeList(temp.folder(), "dunes"), FileError);
}

TEST_F(MapFolder, NamesThatLeadOutOfTheGameFolderAreRefused) {
    EXPECT_THROW(ReadSceneryList(temp.folder(), ".."), FileError);
    EXPECT_THROW(ReadSceneryList(temp.folder(), "dunes\\..\\.."), FileError);
    EXPECT_THROW(EnemyTypeFile("..\\config", "ships.dat"), FileError);
    EXPECT_THROW(SceneryFile("dunes", "/etc/passwd"), FileError);
    EXPECT_EQ(EnemyTypeFile("wasp", "ships.dat"), "data\\wasp.dat");
}

TEST_F(MapFolder, AnEnemyTypeDefinitionGivesItsValuesByLine) {
    temp.Write("data/wasp.dat",
               "Wasp\r\nfast fighter\r\nscale\r\n 1.5e0 \r\nturn\r\n90\r\nspins\r\n2\r\nrange\r\n0\r\nunused\r\n7\r\n"
               "hit points\r\n120\r\ntrail\r\n1\r\nshot\r\n14\r\nmore lines\r\n");
    EnemyTypeModel model = ReadEnemyTypeModel(temp.folder(), "wasp", "ships.dat");
    EXPECT_DOUBLE_EQ(model.ModelScale, 1.5);
    EXPECT_EQ(model.ModelTurn, 90);
    EnemyTypeDefinition d = ReadEnemyTypeDefinition(temp.folder(), "wasp", "ships.dat");
    EXPECT_EQ(d.Spins, 1);
    EXPECT_EQ(d.SpinRange, 0);
    EXPECT_EQ(d.HitPoints, 120);
    EXPECT_EQ(d.EngineTrail, 1);
    EXPECT_EQ(d.ShotModel, 14);
}

TEST_F(MapFolder, ANonNumberIsAnErrorNamingFileAndLine) {
    temp.Write("data/moth.dat", "a\r\nb\r\nc\r\nbig\r\nturn\r\n0\r\n");
    try {
        ReadEnemyTypeModel(temp.folder(), "moth", "ships.dat");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "data\\moth.dat");
        EXPECT_NE(std::string(error.what()).find("line 4"), std::string::npos) << error.what();
    }
    temp.Write("data/moth.dat", "a\r\nb\r\nc\r\n1.0\r\nturn\r\n");
    EXPECT_THROW(ReadEnemyTypeModel(temp.folder(), "moth", "ships.dat"), FileError) << "the file ends early";
}

}  // namespace
}  // namespace kr
