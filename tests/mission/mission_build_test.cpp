// Building a mission's world from its files and taking it down again: the
// log of the construction, scenery placement, the player's ship, the
// weapons chosen by the pilot, and nothing left over between missions.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/mission_driver.hpp"

namespace kr {
namespace {

struct MissionBuild : ::testing::Test, test::MissionDriver {
    static test::MissionWorldSpec World() {
        test::MissionWorldSpec world;
        world.placements = {test::ActivePlacement(1, 500, 300, 1.0), test::ActivePlacement(2, 800, -300, 4.0),
                            Placement{}, test::ActivePlacement(1, 1200, 600, 2.0)};
        return world;
    }
    int ValidScenery() const {
        int n = 0;
        for (const scene::Mesh& mesh : game.mission.SceneryMesh) n += mesh.IsValid() ? 1 : 0;
        return n;
    }
};

TEST_F(MissionBuild, WritesEveryConstructionStepToTheLogInOrder) {
    Start(World());
    const std::string log = LogText();
    std::size_t at = 0;
    for (const char* line :
         {"KRAVELLON : Loading particles...", "KRAVELLON : Loading map...", "KRAVELLON : Generating landscape...",
          "KRAVELLON : Creating powerups...", "KRAVELLON : Creating shield...", "KRAVELLON : Creating weapons...",
          "KRAVELLON : Loading textures...", "KRAVELLON: Creating level BIG BOSS....",
          "KRAVELLON: Creating level BIG BOSS weapon slot....", "KRAVELLON: Creating level BIG BOSS visual effects...",
          "KRAVELLON : Creating ambient...", "KRAVELLON : Creating players ship..."}) {
        const std::size_t found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " missing or out of order";
        at = found + 1;
    }
    EXPECT_EQ(game.ScreenId, screen_id::Mission);
}

TEST_F(MissionBuild, PlacesSceneryByTheRulesOfTheMap) {
    Start(World());
    const mission::MissionState& m = game.mission;
    EXPECT_EQ(ValidScenery(), 3) << "the inactive placement makes nothing";
    const scene::Mesh& rock = m.SceneryMesh[1];
    EXPECT_EQ(rock.Name(), "rock.tvm");
    EXPECT_TRUE(rock.IsEnabled());
    EXPECT_FLOAT_EQ(rock.Position().y, 0.8f);
    EXPECT_FLOAT_EQ(rock.Scale().x, 0.9f);
    EXPECT_FLOAT_EQ(rock.Rotation().y, 30.0f) << "a ground map keeps the stored turn";
    EXPECT_EQ(m.SceneryMesh[2].Name(), "!cannon.tvm");
    EXPECT_FLOAT_EQ(m.SceneryMesh[2].Scale().x, 0.6f) << "cannons are small in the first missions";
    EXPECT_FALSE(m.SceneryTemplate[1].IsEnabled()) << "templates stay hidden";
}

TEST_F(MissionBuild, CannonsGrowFromTheSeventhMission) {
    test::WriteSharedMissionFiles(temp, 7);  // the seventh mission's boss
    temp.Write("Graphics/loa7.dds", test::SmallDds(90));  // and its briefing picture
    Start(World(), 6);
    EXPECT_FLOAT_EQ(game.mission.SceneryMesh[2].Scale().x, 1.2f);
}

TEST_F(MissionBuild, SpaceMapsSpinTheirSceneryAndNeedNoHeightMap) {
    test::MissionWorldSpec world = World();
    world.spaceLevel = 1;
    test::WriteMapFolder(temp, world);
    std::filesystem::remove(temp.Path("models/testmap/ground/heightmap.jpg"));
    Start(world);
    EXPECT_FALSE(game.engine->scene().landscape().IsGenerated());
    for (int i : {1, 2, 4}) {
        const Placement& p = game.mission.Map.Placements[i];
        for (double rate : {p.RotX, p.RotY, p.RotZ}) {
            EXPECT_GE(rate, 0.0) << i;
            EXPECT_LT(rate, 0.0027) << i;
        }
    }
    EXPECT_TRUE(game.engine->scene().sky().enabled);
}

TEST_F(MissionBuild, GroundMapsGetTheirLandscapeAndSkyBox) {
    Start(World());
    scene::Scene& scene = game.engine->scene();
    EXPECT_TRUE(scene.landscape().IsGenerated());
    EXPECT_TRUE(scene.landscape().IsEnabled());
    EXPECT_EQ(scene.landscape().Position(), glm::vec3(-300, -200, -1200));
    EXPECT_EQ(scene.landscape().Texture(), game.engine->TextureId("ground_testmap"));
    const auto& faces = scene.sky().textures;
    EXPECT_EQ(faces[5], game.engine->TextureId("top")) << "the bottom face shows the top picture";
    EXPECT_EQ(faces[1], game.engine->TextureId("back"));
}

TEST_F(MissionBuild, BuildsThePilotsShipInItsFreshSkin) {
    game.profiles.ProfileShipLevel[1] = 3;
    game.profiles.ProfileShip[1] = 3;
    Start(World());
    const Player& player = game.player;
    EXPECT_EQ(player.ShipMesh.Name(), "Statek_TVM");
    EXPECT_EQ(game.profiles.ProfileShipLevel[1], 0);
    EXPECT_EQ(player.ShipMesh.TextureOf(0), game.engine->TextureId("s0.dds"));
    EXPECT_EQ(player.ShipMesh.Position(), glm::vec3(-200, 10, 0));
    EXPECT_DOUBLE_EQ(player.Agility, 1.0);
    particles::ParticleSystem& particles = game.engine->scene().particles();
    EXPECT_EQ(particles.Position(player.EngineEmitterA.index), particles.Position(player.EngineEmitterB.index))
        << "ship 3's flames share one point";
    EXPECT_TRUE(particles.IsEmitting(player.EngineEmitterA.index));
    EXPECT_FALSE(particles.IsEmitting(player.FireEmitter.index));
    EXPECT_EQ(player.Life, 90);
    EXPECT_EQ(player.Armour, 90);
    EXPECT_EQ(player.GunLevel, 1);
}

TEST_F(MissionBuild, TheEngineFlamesFollowTheShipAndStreamBehindIt) {
    game.profiles.ProfileShip[1] = 1;
    Start(World());
    const Player& player = game.player;
    particles::ParticleSystem& system = game.engine->scene().particles();
    const glm::vec3 before = system.Position(player.EngineEmitterA.index);
    game.player.ShipMesh.SetPosition(game.player.ShipMesh.Position() + glm::vec3(40, 0, -120));
    system.Update(16);
    EXPECT_EQ(system.Position(player.EngineEmitterA.index), before + glm::vec3(40, 0, -120));
    EXPECT_EQ(system.Position(player.EngineEmitterB.index) - system.Position(player.EngineEmitterA.index),
              glm::vec3(0, 0, 22))
        << "ship 1's two nozzles keep their spacing";
    system.Update(100);
    std::vector<particles::Billboard> sprites;
    std::vector<particles::EmitterDraw> draws;
    system.Collect(sprites, draws);
    const auto flame = std::find_if(draws.begin(), draws.end(),
                                    [&](const auto& d) { return d.emitter == player.EngineEmitterA.index; });
    ASSERT_NE(flame, draws.end());
    float tail = 0;
    for (std::size_t i = flame->first; i < flame->first + flame->count; ++i)
        tail = std::max(tail, system.Position(player.EngineEmitterA.index).x - sprites[i].position.x);
    EXPECT_GT(tail, 15.0f) << "the exhaust leaves the nozzle backward as a jet, not a dot";
}

TEST_F(MissionBuild, SmokeAndFireCoverWhatIsBehindThemAndEngineGlowsAddLight) {
    Start(World());
    const Player& player = game.player;
    particles::ParticleSystem& system = game.engine->scene().particles();
    for (const EmitterRef& e : {player.SmokeEmitterB, player.FireEmitter}) system.SetEmitting(e.index, true);
    system.Update(50);
    std::vector<particles::Billboard> sprites;
    std::vector<particles::EmitterDraw> draws;
    system.Collect(sprites, draws);
    auto blendingOf = [&](const EmitterRef& e) {
        const auto draw = std::find_if(draws.begin(), draws.end(), [&](const auto& d) { return d.emitter == e.index; });
        EXPECT_NE(draw, draws.end());
        return draw == draws.end() ? particles::BlendMode::Alpha : draw->blending;
    };
    EXPECT_EQ(blendingOf(player.SmokeEmitterB), particles::BlendMode::Alpha);
    EXPECT_EQ(blendingOf(player.FireEmitter), particles::BlendMode::Alpha);
    EXPECT_EQ(blendingOf(player.EngineEmitterA), particles::BlendMode::Additive);
}

TEST_F(MissionBuild, UpgradesRaiseTheStartingLifeAndArmour) {
    game.profiles.ProfileUpgrades[1][3] = 1;
    game.profiles.ProfileUpgrades[1][4] = 1;
    Start(World());
    EXPECT_EQ(game.player.Life, 100);
    EXPECT_EQ(game.player.Armour, 100);
}

TEST_F(MissionBuild, ThePilotsGunNamesItsSoundAndShots) {
    game.profiles.ProfileWeapon[1] = 3;
    Start(World());
    EXPECT_EQ(game.Sound.Item(0).FileName, "sound\\machinegun.wma");
    EXPECT_EQ(game.mission.ShotTemplate[1].Name(), "naboj_machinegunlv1");
    EXPECT_EQ(game.mission.ShotTemplate[4].Name(), "naboj_machinegunlv4");
    EXPECT_EQ(game.mission.ShotTemplate[5].Name(), "naboj_rakieta");
    EXPECT_FALSE(game.mission.ShotTemplate[6].IsValid()) << "templates 6 to 10 stay empty";
    for (int k = 11; k <= 24; ++k) EXPECT_EQ(game.mission.ShotTemplate[k].Name(), "naboj_shot1") << k;
}

TEST_F(MissionBuild, AHostileMusicNameIsRefusedNamingTheMap) {
    test::MissionWorldSpec world = World();
    world.music = "..\\..\\etc\\passwd";
    try {
        Start(world);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("map.dat"), std::string::npos) << error.what();
    }
}

TEST_F(MissionBuild, APlacementOfAnUnlistedTypeIsRefused) {
    test::MissionWorldSpec world = World();
    world.placements.push_back(test::ActivePlacement(3, 100, 0));
    try {
        Start(world);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("map.dat"), std::string::npos) << error.what();
    }
}

TEST_F(MissionBuild, EndingReturnsToTheHangarAndASecondMissionStartsClean) {
    Start(World());
    const std::size_t objects = game.engine->scene().ObjectCount();
    const std::size_t emitters = game.engine->scene().particles().EmitterCount();
    game.mission.Enemies[3].Active = 1;
    game.mission.EnemyShots[5].Active = 1;
    game.player.Shots[7].Active = 1;
    mission::EndMission(game);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
    EXPECT_FALSE(game.engine->textures().Has("ground_testmap"));
    EXPECT_TRUE(game.menu.MenuBackdrop.IsValid()) << "the menu scene is back";
    EXPECT_EQ(game.mission.Enemies[3].Active, 0);
    EXPECT_EQ(game.mission.EnemyShots[5].Active, 0);
    EXPECT_EQ(game.player.Shots[7].Active, 0);
    Frames(3);
    Start(World());
    EXPECT_EQ(game.engine->scene().ObjectCount(), objects);
    EXPECT_EQ(game.engine->scene().particles().EmitterCount(), emitters);
    EXPECT_EQ(game.mission.EnemiesCreated, 0);
    mission::EndMission(game);
    Frames(3);
    EXPECT_EQ(game.ScreenId, screen_id::Hangar);
}

TEST_F(MissionBuild, TheLoadingPictureIsCentredOnAnySmallerScreen) {
    game.settings.ScreenWidth = 800;
    game.settings.ScreenHeight = 600;
    mission::ShowLoadingPicture(game);
    const FrameRecord& frame = backend.frames.back();
    bool pictured = false;
    for (const auto& command : frame.commands)
        if (auto* quads = std::get_if<QuadsCommand>(&command))
            for (const Quad2D& q : quads->quads)
                pictured |= q.x1 == 272 && q.x2 == 528 && q.y1 == 268 && q.y2 == 332;
    EXPECT_TRUE(pictured);
    ASSERT_EQ(frame.texts.size(), 1u);
    const float width = game.engine->MeasureText(frame.texts[0].text, game.engine->FontId("Font22"));
    EXPECT_FLOAT_EQ(frame.texts[0].x + width / 2, 400.0f);
    EXPECT_FLOAT_EQ(frame.texts[0].y, 330.0f);
}

}  // namespace
}  // namespace kr
