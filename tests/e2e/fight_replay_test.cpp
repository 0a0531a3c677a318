// A real fight in the shipped first mission, scripted, recorded and replayed:
// the replay must end in exactly the same state, shot for shot.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "data/profiles.hpp"
#include "support/generated_game.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

// Past the title to the main menu, then fire at will and weave left and right.
std::string FightScript() {
    std::string script =
        "frame 2\nbutton 1 down\nframe 3\nbutton 1 up\nframe 120\nkey down 28\nframe 122\nkey up 28\n"
        "frame 420\nbutton 1 down\nframe 422\nbutton 1 up\nframe 500\nkey down 57\n";
    for (int frame = 520, n = 0; frame < 1400; frame += 90, ++n) {
        const int key = n % 2 == 0 ? 30 : 32;
        script += "frame " + std::to_string(frame) + "\nkey down " + std::to_string(key) + "\n";
        script += "frame " + std::to_string(frame + 40) + "\nkey up " + std::to_string(key) + "\n";
    }
    return script;
}

class FightReplay : public ::testing::Test {
protected:
    void SetUp() override {
        std::string failure = test::FillGameFolder(temp.Path(""));
        ASSERT_TRUE(failure.empty()) << failure;
        ProfileStore store;
        store.ProfileUsed[1] = 1;
        store.ProfileName[1].Assign("ACE");
        store.ProfileShip[1] = 1;
        temp.Write("Graphics/i_spec7.dds", ProfileStoreToBytes(store));
    }
    test::ProcessResult Run(const std::string& input, const std::string& extra, const std::string& state) {
        return test::RunCommand(std::string(KR_GAME_EXE) + " --game-dir " + test::Quote(temp.Path("").string()) +
                                " --headless --seed 11 --frame-ms 16 --frames 1500 --mission 1:1 --input " +
                                test::Quote(temp.Path(input).string()) + " " + extra + " --state-out " +
                                test::Quote(temp.Path(state).string()));
    }
    test::TempGameFolder temp;
};

TEST_F(FightReplay, ARecordedFightReplaysToTheSameState) {
    std::ofstream(temp.Path("script.txt")) << FightScript();
    auto live = Run("script.txt", "--record " + test::Quote(temp.Path("rec.txt").string()), "live.json");
    ASSERT_EQ(live.exitCode, 0) << live.output;
    const std::string liveState = temp.Read("live.json");
    auto replay = Run("rec.txt", "", "replay.json");
    ASSERT_EQ(replay.exitCode, 0) << replay.output;
    EXPECT_EQ(liveState, temp.Read("replay.json"));

    const nlohmann::json state = nlohmann::json::parse(liveState);
    const nlohmann::json& mission = state["Mission"];
    EXPECT_GT(mission["EnemiesCreated"].get<int>(), 5) << "waves came";
    EXPECT_GT(mission["MissionScore"].get<int>(), 0) << "the gun hit something";
    EXPECT_GT(state["Player"]["GunHeat"].get<double>(), 0);
}

}  // namespace
}  // namespace kr
