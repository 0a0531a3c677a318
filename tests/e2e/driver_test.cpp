// The game run as a player or a script runs it: the real executable over a
// freshly generated game folder.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "data/profiles.hpp"
#include "support/generated_game.hpp"
#include "support/mission_world.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string failure = test::FillGameFolder(temp.Path(""));
        ASSERT_TRUE(failure.empty()) << failure;
    }

    test::ProcessResult Game(const std::string& args) {
        return test::RunCommand(std::string(KR_GAME_EXE) + " --game-dir " + test::Quote(temp.Path("").string()) +
                                " " + args);
    }

    nlohmann::json State(const std::string& args) {
        auto run = Game(args + " --state-out " + test::Quote(temp.Path("state.json").string()));
        EXPECT_EQ(run.exitCode, 0) << run.output;
        std::ifstream in(temp.Path("state.json"));
        return nlohmann::json::parse(in);
    }

    test::TempGameFolder temp;
};

TEST_F(DriverTest, HeadlessRunStopsAfterItsFramesWithTheState) {
    auto state = State("--headless --frames 10");
    EXPECT_EQ(state["ScreenId"], 0);
    EXPECT_EQ(state["PresentedFrames"], 10);
    EXPECT_EQ(state["ActiveProfile"], 1);
    EXPECT_EQ(state["Settings"]["Language"], "english");
    EXPECT_EQ(state["Settings"]["ScreenWidth"], 1024);
    EXPECT_DOUBLE_EQ(state["ClockMs"].get<double>(), 160.0);
    EXPECT_DOUBLE_EQ(State("--headless --frames 4 --frame-ms 25")["ClockMs"].get<double>(), 100.0);
}

TEST_F(DriverTest, MissingOrShortSettingsFileStopsWithItsName) {
    std::ofstream(temp.Path("config.dat"), std::ios::binary | std::ios::trunc) << std::string(47, 'x');
    auto shortFile = Game("--headless --frames 3");
    EXPECT_NE(shortFile.exitCode, 0);
    EXPECT_NE(shortFile.output.find("config.dat"), std::string::npos) << shortFile.output;
    std::filesystem::remove(temp.Path("config.dat"));
    auto missing = Game("--headless --frames 3");
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.output.find("config.dat"), std::string::npos) << missing.output;
}

TEST_F(DriverTest, HelpListsEveryOptionAndBadOptionsAreRefused) {
    auto help = Game("--help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--headless", "--frame-ms", "--seed", "--input", "--record", "--frames",
                               "--screenshot", "--state-out", "--game-dir", "--mission"}) {
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    }
    auto unknown = Game("--fly");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("--fly"), std::string::npos);
    EXPECT_NE(Game("--frames -3").exitCode, 0);
    EXPECT_NE(Game("--headless --screenshot 3:x.png").exitCode, 0);
    EXPECT_EQ(Game("--mission 1").exitCode, 2);
    EXPECT_EQ(Game("--mission 1:0").exitCode, 2);
}

TEST_F(DriverTest, BrokenInputFileIsReportedWithItsLine) {
    std::ofstream(temp.Path("in.txt")) << "frame 2\nkey down 999\n";
    auto run = Game("--headless --frames 3 --input " + test::Quote(temp.Path("in.txt").string()));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find("line 2"), std::string::npos) << run.output;
}

TEST_F(DriverTest, ScriptedInputReachesTheGame) {
    std::ofstream(temp.Path("in.txt")) << "frame 3\nmouse 290 240\nframe 4\ndt 20\n";
    auto state = State("--headless --frames 6 --input " + test::Quote(temp.Path("in.txt").string()));
    EXPECT_DOUBLE_EQ(state["ClockMs"].get<double>(), 3 * 16.0 + 3 * 20.0);
}

// A whole first visit as a player makes it: past the intro, the logo and the
// title, Play with no pilot yet, a name typed key by key and confirmed.
TEST_F(DriverTest, ANewPlayerTypesAPilotNameAndReachesThePilotSelection) {
    std::ofstream script(temp.Path("in.txt"));
    script << "frame 2\nbutton 1 down\nframe 3\nbutton 1 up\n"             // skip the intro
              "frame 120\nkey down 28\nframe 122\nkey up 28\n"             // leave the logo
              "frame 420\nbutton 1 down\nframe 422\nbutton 1 up\n"         // leave the title
              "frame 530\nmouse 200 240\nframe 532\nbutton 1 down\nframe 534\nbutton 1 up\n";
    int frame = 560;
    for (int code : {30, 46, 18, 57, 8}) {  // A C E space 7
        script << "frame " << frame << "\nkey down " << code << "\nframe " << frame + 1 << "\nkey up " << code << "\n";
        frame += 10;
    }
    script << "frame 640\nkey down 28\nframe 642\nkey up 28\n";
    script.close();
    auto state = State("--headless --seed 3 --frames 720 --input " + test::Quote(temp.Path("in.txt").string()));
    EXPECT_EQ(state["ScreenId"], 101);
    EXPECT_EQ(state["ActiveProfile"], 1);
    EXPECT_EQ(state["Profiles"][0]["ProfileName"], "ACE 7");
    EXPECT_EQ(state["Profiles"][0]["ProfileShip"], 1);
    EXPECT_EQ(state["Profiles"][1]["ProfileUsed"], 0);
    std::string stored = temp.Read("Graphics/i_spec7.dds");
    ASSERT_EQ(stored.size(), 716u);
    EXPECT_EQ(stored[0], 1) << "slot 1 used";
    EXPECT_EQ(stored.substr(5, 6), std::string("\x05") + "ACE 7");
    EXPECT_EQ(stored[660], 1) << "the first ship";
}

// The test driver's direct mission start: past the title, the pilot in
// slot 2 flies the second mission without the hangar.
TEST_F(DriverTest, AMissionStartsStraightFromTheMainMenuForAStoredPilot) {
    ProfileStore store;
    store.ProfileUsed[2] = 1;
    store.ProfileName[2].Assign("ACE");
    store.ProfileShip[2] = 4;
    temp.Write("Graphics/i_spec7.dds", ProfileStoreToBytes(store));
    test::WriteSharedMissionFiles(temp);
    test::MissionWorldSpec world;
    world.mapFolder = "orbit";
    world.spaceLevel = 1;
    world.placements = {test::ActivePlacement(1, 600, 200)};
    test::WriteMapFolder(temp, world);
    std::ofstream(temp.Path("in.txt")) << "frame 2\nbutton 1 down\nframe 3\nbutton 1 up\n"
                                          "frame 120\nkey down 28\nframe 122\nkey up 28\n"
                                          "frame 420\nbutton 1 down\nframe 422\nbutton 1 up\n";
    auto state =
        State("--headless --seed 3 --frames 560 --mission 2:2 --input " + test::Quote(temp.Path("in.txt").string()));
    EXPECT_EQ(state["ScreenId"], 200);
    EXPECT_EQ(state["ActiveProfile"], 2);
    EXPECT_EQ(state["CurrentMission"], 1);
    EXPECT_EQ(state["Mission"]["MapFolder"], "orbit");
    EXPECT_EQ(state["Mission"]["SpaceLevel"], 1);
    EXPECT_EQ(state["Mission"]["ActivePlacements"], 1);
    EXPECT_DOUBLE_EQ(state["Player"]["Agility"].get<double>(), 0.75) << "ship 4";
    EXPECT_NE(temp.Read("debugfile.txt").find("KRAVELLON : Creating players ship..."), std::string::npos);
    EXPECT_EQ(Game("--headless --mission 6:1").exitCode, 2) << "there is no sixth slot";
    auto empty = Game("--headless --frames 560 --mission 1:1 --input " + test::Quote(temp.Path("in.txt").string()));
    EXPECT_NE(empty.exitCode, 0);
    EXPECT_NE(empty.output.find("slot 1 holds no pilot"), std::string::npos) << empty.output;
}

}  // namespace
}  // namespace kr
