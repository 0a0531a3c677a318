// The menu scene's content as the game uses it: the backdrop holds floors
// under every ship and the welder however far it has turned and fills the
// menu camera's view; the welders are skinned, loop and weld at their ship;
// the sphere pictures wrap round without a seam; the sphere map follows the
// engine's own sphere; the viewer shows what the game shows.

#include <gtest/gtest.h>

#include "support/generated_game.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"
#include "engine/image/image.hpp"
#include "engine/model/geometry.hpp"
#include "engine/model/glb.hpp"
#include "engine/model/pose.hpp"
#include "engine/scene/environment.hpp"
#include "engine/scene/geometry.hpp"
#include "menu_scene/menu_layout.hpp"
#include "menu_scene/welder_model.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"
#include "toolkit/model_check.hpp"
#include "toolkit/sphere_map.hpp"

namespace kr::makedata::menu_scene::test {
namespace {

// ---- the sphere map against the engine's sphere ------------------------------------------

TEST(SphereMap, LandsEveryCornerAndFacetCentreOnTheEnginesSphere) {
    for (auto [slices, stacks] : {std::pair{8, 8}, std::pair{6, 6}, std::pair{5, 3}}) {
        const toolkit::SphereMap map(slices, stacks);
        const scene::Geometry sphere = scene::MakeSphere(1.0f, slices, stacks);
        const auto& p = sphere.primitives.at(0);
        for (const auto& v : p.vertices) {
            if (std::abs(v.position.y) > 0.999f) continue;  // a pole has no one uv
            const glm::vec3 d = map.Direction(v.uv);
            EXPECT_LT(glm::length(d - glm::normalize(v.position)), 1e-4f) << slices << "x" << stacks;
        }
        // The centre of every drawn triangle, in uv and in space: this is
        // where the split of each quad shows.
        for (std::size_t i = 0; i + 2 < p.indices.size(); i += 3) {
            const auto& a = p.vertices[p.indices[i]];
            const auto& b = p.vertices[p.indices[i + 1]];
            const auto& c = p.vertices[p.indices[i + 2]];
            const glm::vec3 centre = (a.position + b.position + c.position) / 3.0f;
            if (glm::length(glm::cross(b.position - a.position, c.position - a.position)) < 1e-6f) continue;
            const glm::vec2 uv = (a.uv + b.uv + c.uv) / 3.0f;
            EXPECT_LT(glm::length(map.Direction(uv) - glm::normalize(centre)), 1e-4f) << "triangle " << i / 3;
            EXPECT_LT(glm::length(map.Uv(centre) - uv), 1e-4f) << "triangle " << i / 3;
        }
    }
}

TEST(SphereMap, UvAndDirectionUndoEachOther) {
    const toolkit::SphereMap map(8, 8);
    for (int i = 0; i < 500; ++i) {
        const float t = static_cast<float>(i);
        const glm::vec3 d = glm::normalize(glm::vec3(std::sin(t * 1.7f), std::cos(t * 0.61f) * 0.98f, std::sin(t * 2.3f + 1)));
        EXPECT_LT(glm::length(map.Direction(map.Uv(d)) - d), 1e-3f) << i;
    }
    // u wraps: 1.25 is 0.25.
    EXPECT_LT(glm::length(map.Direction({1.25f, 0.4f}) - map.Direction({0.25f, 0.4f})), 1e-6f);
    EXPECT_THROW(toolkit::SphereMap(2, 8), Error);
    EXPECT_THROW(toolkit::SphereMap(8, 1), Error);
}

// ---- the generated files ---------------------------------------------------------------------

class MenuSceneFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new kr::test::TempGameFolder();
        root_ = kr::test::GeneratedFolderOr(*folder_, output_, made_);
        game_ = new GameFolder(root_);
    }
    static void TearDownTestSuite() {
        delete game_;
        game_ = nullptr;
        delete folder_;
        folder_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(made_) << output_; }

    // Names as the game gives them ('\\' between folders), found the way the
    // game finds them, whatever the letter case on disk.
    static Bytes Read(const std::string& name) { return game_->ReadAll(name); }
    static std::string PathOf(const std::string& name) { return game_->Resolve(name).string(); }
    static model::Model Model(const std::string& relative) { return model::LoadGlb(Read(relative), relative); }
    static image::MipChain Picture(const std::string& relative) {
        return image::DecodeImage(Read(relative), relative);
    }

    static kr::test::TempGameFolder* folder_;
    static std::filesystem::path root_;
    static GameFolder* game_;
    static bool made_;
    static std::string output_;
};

kr::test::TempGameFolder* MenuSceneFiles::folder_ = nullptr;
std::filesystem::path MenuSceneFiles::root_;
GameFolder* MenuSceneFiles::game_ = nullptr;
bool MenuSceneFiles::made_ = false;
std::string MenuSceneFiles::output_;

struct Triangle {
    glm::vec3 a, b, c;
};

std::vector<Triangle> Triangles(const model::Model& m) {
    std::vector<Triangle> out;
    for (const auto& p : model::BakeStatic(m).primitives)
        for (std::size_t i = 0; i + 2 < p.indices.size(); i += 3)
            out.push_back({p.vertices[p.indices[i]].position, p.vertices[p.indices[i + 1]].position,
                           p.vertices[p.indices[i + 2]].position});
    return out;
}

struct Hit {
    float distance;
    glm::vec3 normal;  // the triangle's, unnormalised, in the ray's space
};

// Both faces count: a hit is a hit.
std::optional<Hit> Cast(const std::vector<Triangle>& triangles, glm::vec3 origin, glm::vec3 direction) {
    std::optional<Hit> best;
    for (const Triangle& t : triangles) {
        const glm::vec3 e1 = t.b - t.a, e2 = t.c - t.a;
        const glm::vec3 p = glm::cross(direction, e2);
        const float det = glm::dot(e1, p);
        if (std::abs(det) < 1e-9f) continue;
        const glm::vec3 s = origin - t.a;
        const float u = glm::dot(s, p) / det;
        const glm::vec3 q = glm::cross(s, e1);
        const float v = glm::dot(direction, q) / det;
        const float d = glm::dot(e2, q) / det;
        if (u < 0 || v < 0 || u + v > 1 || d <= 0) continue;
        if (!best || d < best->distance) best = Hit{d, glm::cross(e1, e2)};
    }
    return best;
}

// The backdrop where the game puts it, turned by `degrees` about y.
glm::mat4 BackdropAt(float degrees) {
    Placement turned = kBackdrop;
    turned.rotation.y += degrees;
    return turned.Matrix();
}

// A world ray cast into the backdrop's own space; the distance comes back
// in world units.
std::optional<Hit> CastWorld(const std::vector<Triangle>& triangles, const glm::mat4& world, glm::vec3 origin,
                             glm::vec3 direction) {
    const glm::mat4 inverse = glm::inverse(world);
    const glm::vec3 o = glm::vec3(inverse * glm::vec4(origin, 1));
    const glm::vec3 d = glm::vec3(inverse * glm::vec4(direction, 0));
    std::optional<Hit> hit = Cast(triangles, o, d);
    if (hit) hit->normal = glm::mat3(glm::transpose(inverse)) * hit->normal;
    return hit;  // |d| scales with the inverse, so the ray parameter stays in world units
}

TEST_F(MenuSceneFiles, BackdropIsAStaticMeshWithItsPicturesWithinBudget) {
    const model::Model m = Model("models\\mainmenu\\mainmenu.tvm");
    EXPECT_TRUE(toolkit::ModelProblems(m).empty()) << toolkit::ModelProblems(m).front();
    EXPECT_TRUE(m.skins.empty());
    EXPECT_TRUE(m.animations.empty());
    ASSERT_EQ(m.materials.size(), 3u);
    for (const auto& material : m.materials) {
        ASSERT_GE(material.image, 0) << material.name;
        const auto& picture = m.images.at(static_cast<std::size_t>(material.image));
        const image::MipChain decoded = image::DecodeImage(Bytes(picture.encoded.begin(), picture.encoded.end()), picture.name);
        EXPECT_GE(decoded.levels.at(0).width, 512) << material.name;
    }
    const std::size_t triangles = Triangles(m).size();
    EXPECT_GT(triangles, 8000u);
    EXPECT_LT(triangles, 40000u);
}

TEST_F(MenuSceneFiles, FloorsStayUnderTheShipsAndTheWelderHoweverTheHangarTurns) {
    const std::vector<Triangle> triangles = Triangles(Model("models\\mainmenu\\mainmenu.tvm"));
    struct Standing {
        const char* what;
        glm::vec3 position;
        float lowest;  // how far below it the floor may lie
    };
    const Standing standing[] = {{"ship 1", kShip1, 60},
                                 {"ship 2", kShip2, 60},
                                 {"ship 3", kShip3, 30},
                                 {"ship 3 after the selection", kShip3AfterSelection, 30},
                                 {"welder", kWelder.position, 0.5f}};
    for (float turn = 0; turn < 360; turn += 7.5f) {
        const glm::mat4 world = BackdropAt(turn);
        for (const Standing& s : standing) {
            const auto hit = CastWorld(triangles, world, s.position + glm::vec3(0, 0.25f, 0), {0, -1, 0});
            ASSERT_TRUE(hit) << s.what << " has no floor under it at " << turn << " degrees";
            EXPECT_LE(hit->distance, s.lowest + 0.25f) << s.what << " at " << turn << " degrees";
            EXPECT_GT(glm::normalize(hit->normal).y, 0.99f) << s.what << " stands on a floor facing up";
            // Nothing of the hangar cuts through the middle of a ship.
            const auto above = CastWorld(triangles, world, s.position + glm::vec3(0, 0.5f, 0), {0, 1, 0});
            if (above) {
                EXPECT_GT(above->distance, 10.0f) << s.what << " at " << turn << " degrees";
            }
        }
    }
}

TEST_F(MenuSceneFiles, MenuCameraSeesTheHangarAllRoundAndSpaceThroughTheIris) {
    const std::vector<Triangle> triangles = Triangles(Model("models\\mainmenu\\mainmenu.tvm"));
    scene::Camera camera;
    camera.position = kCamera;
    camera.lookAt = kLookAt;
    camera.farPlane = 8000;
    const glm::mat4 toWorld = glm::inverse(scene::ProjectionMatrix(camera, 4.0f / 3.0f) * scene::ViewMatrix(camera));
    const auto rayAt = [&](float x, float y) {
        const glm::vec4 near = toWorld * glm::vec4(x, y, -1, 1), far = toWorld * glm::vec4(x, y, 1, 1);
        return glm::normalize(glm::vec3(far) / far.w - glm::vec3(near) / near.w);
    };
    // The turning axis, where the iris opens, lies on the screen straight
    // under the look-at point.
    const glm::vec3 axisDown = glm::normalize(glm::vec3(0, -1, 0) * 300.0f + glm::vec3(0, 150, 0) - kCamera);
    for (float turn = 0; turn < 360; turn += 30) {
        const glm::mat4 world = BackdropAt(turn);
        int seen = 0, rays = 0;
        for (int j = 0; j < 12; ++j)
            for (int i = 0; i < 16; ++i, ++rays)
                seen += CastWorld(triangles, world, kCamera, rayAt(-1 + (i + 0.5f) / 8, -1 + (j + 0.5f) / 6)).has_value();
        EXPECT_GT(seen, rays * 9 / 10) << "at " << turn << " degrees";
        EXPECT_FALSE(CastWorld(triangles, world, kCamera, axisDown).has_value()) << "the iris is shut at " << turn;
    }
}

TEST_F(MenuSceneFiles, WeldersAreSkinnedArmsWithALoopingWeld) {
    for (int ship = 1; ship <= kShipCount; ++ship) {
        const std::string file = "models\\mainmenu\\Spawacz_anim" + std::to_string(ship) + ".tva";
        const model::Model m = Model(file);
        EXPECT_TRUE(toolkit::ModelProblems(m).empty()) << file << ": " << toolkit::ModelProblems(m).front();
        ASSERT_EQ(m.skins.size(), 1u) << file;
        EXPECT_EQ(m.skins[0].joints.size(), static_cast<std::size_t>(kWelderJointCount)) << file;
        ASSERT_EQ(m.animations.size(), 1u) << file;
        EXPECT_NEAR(m.animations[0].duration, kWeldLoopSeconds, 1e-4f) << file;
        std::size_t triangles = 0;
        for (const auto& p : model::BakeStatic(m).primitives) triangles += p.indices.size() / 3;
        EXPECT_GT(triangles, 500u) << file;
        EXPECT_LT(triangles, 3000u) << file;
        // The loop closes: the last moment is the first.
        const model::Pose start = model::EvaluatePose(m, 0, 0.0f, false);
        const model::Pose end = model::EvaluatePose(m, 0, m.animations[0].duration, false);
        for (std::size_t n = 0; n < start.world.size(); ++n)
            for (int c = 0; c < 4; ++c)
                EXPECT_LT(glm::length(start.world[n][c] - end.world[n][c]), 1e-3f) << file << " node " << n;
    }
}

TEST_F(MenuSceneFiles, EachWelderWeldsAtItsShipWithASparkOnlyWhileWelding) {
    std::vector<glm::vec3> tips;
    for (int ship = 1; ship <= kShipCount; ++ship) {
        const std::string file = "models\\mainmenu\\Spawacz_anim" + std::to_string(ship) + ".tva";
        const model::Model m = Model(file);
        const auto spark = [&](float seconds) {
            const model::Pose pose = model::EvaluatePose(m, 0, seconds);
            return glm::length(glm::vec3(pose.world[m.skins[0].joints[kSpark]][0]));
        };
        const model::Pose welding = model::EvaluatePose(m, 0, 2.5f);
        const glm::vec3 tip = glm::vec3(kWelder.Matrix() * glm::vec4(model::JointWorldPosition(m, welding, 0, kTip), 1));
        EXPECT_LT(glm::length(tip - kShip3), 16.0f) << file << ": the torch is not at the ship";
        EXPECT_GT(glm::length(tip - kShip3), 3.0f) << file << ": the torch is inside the ship";
        EXPECT_GT(tip.y, kTerraceY + 15.0f) << file;
        for (float s : {1.5f, 2.5f, 3.5f}) EXPECT_GT(spark(s), 0.3f) << file << " at " << s << " s";
        for (float s : {0.2f, 5.5f}) EXPECT_LT(spark(s), 0.01f) << file << " at " << s << " s";
        for (const glm::vec3& other : tips) EXPECT_GT(glm::length(tip - other), 0.5f) << file << " welds where another does";
        tips.push_back(tip);
    }
}

TEST_F(MenuSceneFiles, WeldersStandOnTheDeckThroughoutTheirLoop) {
    for (int ship = 1; ship <= kShipCount; ++ship) {
        const std::string file = "models\\mainmenu\\Spawacz_anim" + std::to_string(ship) + ".tva";
        const model::Model m = Model(file);
        for (float seconds = 0.0f; seconds <= kWeldLoopSeconds; seconds += 0.25f) {
            float lowest = std::numeric_limits<float>::max();
            for (const auto& p : model::SkinnedGeometry(m, model::EvaluatePose(m, 0, seconds)))
                for (const auto& v : p.vertices) lowest = std::min(lowest, v.position.y);
            // The base plate rests on the deck; nothing swings down through it.
            EXPECT_NEAR(lowest, 0.0f, 0.05f) << file << " at " << seconds << " s";
        }
    }
}

struct SpherePicture {
    const char* file;
    int width;
    int height;
};

const SpherePicture kSpherePictures[] = {{"graphics\\night.dds", 2048, 1024},
                                         {"graphics\\crlogo.dds", 1024, 512},
                                         {"graphics\\crlogo2.dds", 1024, 512},
                                         {"graphics\\kravexp.dds", 512, 256}};

float ColumnDifference(const image::Image& p, int a, int b) {
    float sum = 0;
    for (int y = 0; y < p.height; ++y)
        for (int c = 0; c < 4; ++c) sum += std::abs(p.Pixel(a, y)[c] - p.Pixel(b, y)[c]);
    return sum / (p.height * 4.0f);
}

TEST_F(MenuSceneFiles, SpherePicturesHaveEveryMipLevelAndNoSeamWhereUWraps) {
    for (const SpherePicture& s : kSpherePictures) {
        const image::MipChain chain = Picture(s.file);
        ASSERT_FALSE(chain.levels.empty()) << s.file;
        const image::Image& p = chain.levels[0];
        EXPECT_EQ(p.width, s.width) << s.file;
        EXPECT_EQ(p.height, s.height) << s.file;
        EXPECT_EQ(chain.levels.size(), static_cast<std::size_t>(image::FullMipChainLength(p.width, p.height))) << s.file;
        // Across the wrap the picture changes no more than between any two
        // neighbouring columns.
        float typical = 0;
        for (int x = 1; x < p.width; x += p.width / 16) typical = std::max(typical, ColumnDifference(p, x - 1, x));
        EXPECT_LE(ColumnDifference(p, p.width - 1, 0), typical * 1.5f + 1.0f) << s.file;
    }
}

TEST_F(MenuSceneFiles, NightIsDarkSpaceFullOfStars) {
    const image::Image night = Picture("graphics\\night.dds").levels.at(0);
    double sum = 0;
    int stars = 0;
    for (int y = 0; y < night.height; ++y)
        for (int x = 0; x < night.width; ++x) {
            const std::uint8_t* t = night.Pixel(x, y);
            sum += (t[0] + t[1] + t[2]) / 3.0;
            stars += std::min({t[0], t[1], t[2]}) > 170;
            ASSERT_EQ(t[3], 255) << "the sky is opaque";
        }
    EXPECT_LT(sum / (night.width * night.height), 40.0);
    EXPECT_GT(stars, 1000);
}

TEST_F(MenuSceneFiles, CreditsAndShieldPicturesGlowOverClearBlack) {
    for (const char* file : {"graphics\\crlogo.dds", "graphics\\crlogo2.dds"}) {
        const image::Image p = Picture(file).levels.at(0);
        double alpha = 0;
        int opaque = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const std::uint8_t* t = p.Pixel(x, y);
                alpha += t[3];
                opaque += t[3] > 230;
                // Clear texels are black: drawn opaque or added they vanish too.
                if (t[3] < 8) {
                    EXPECT_LT(std::max({t[0], t[1], t[2]}), 24) << file << " at " << x << "," << y;
                }
            }
        EXPECT_LT(alpha / (p.width * p.height), 0.35 * 255) << file;
        EXPECT_GT(opaque, 500) << file;
    }
    const image::Image shield = Picture("graphics\\kravexp.dds").levels.at(0);
    double red = 0, blue = 0;
    for (int y = 0; y < shield.height; ++y)
        for (int x = 0; x < shield.width; ++x) {
            const std::uint8_t* t = shield.Pixel(x, y);
            EXPECT_GT(t[3], 30) << "the shield has no holes";
            red += t[0];
            blue += t[2];
        }
    EXPECT_GT(blue, red * 1.5);
}

// ---- the viewer ---------------------------------------------------------------------------

const std::string kUnderXvfb = "ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s '-screen 0 1280x1024x24' ";

TEST(ViewerOptions, HelpNamesEveryPlacementAndViewOption) {
    const auto help = kr::test::RunCommand(kr::test::Quote(KR_VIEWER) + " --help");
    EXPECT_EQ(help.exitCode, 0) << help.output;
    for (const char* option : {"--position", "--rotation", "--scale", "--camera", "--look-at", "--no-turn", "--lights",
                               "--sphere", "--glow", "--screenshot", "--game-dir"})
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    const auto bad = kr::test::RunCommand(kr::test::Quote(KR_VIEWER) + " model.tvm --camera 0,150");
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.output.find("--camera"), std::string::npos) << bad.output;
    const auto unknown = kr::test::RunCommand(kr::test::Quote(KR_VIEWER) + " model.tvm --lights disco");
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_NE(unknown.output.find("disco"), std::string::npos) << unknown.output;
}

TEST(ViewerOptions, RefusesWhatItCannotReadAndNamesTheOption) {
    struct Bad {
        const char* arguments;
        const char* named;
    };
    const Bad bad[] = {{"model.tvm --scale 1,2", "--scale"},       {"model.tvm --sphere 0", "--sphere"},
                       {"sky.dds --sphere 10,2,8", "--sphere"},     {"model.tvm --frame 0", "--frame"},
                       {"model.tvm --pulse 2", "--pulse"},          {"model.tvm --rotation 1,x,3", "--rotation"},
                       {"model.tvm --position", "--position"},      {"model.tvm --bogus", "--bogus"},
                       {"--camera 0,150,0", "no file"}};
    for (const Bad& b : bad) {
        const auto run = kr::test::RunCommand(kr::test::Quote(KR_VIEWER) + " " + b.arguments);
        EXPECT_NE(run.exitCode, 0) << b.arguments;
        EXPECT_NE(run.output.find(b.named), std::string::npos) << b.arguments << ": " << run.output;
        EXPECT_NE(run.output.find("usage:"), std::string::npos) << b.arguments;
    }
}

TEST_F(MenuSceneFiles, ViewerShowsTheBackdropFromTheMenuCamera) {
    if (kr::test::RunCommand("command -v xvfb-run").exitCode != 0) GTEST_SKIP() << "xvfb-run is not installed";
    const std::string dir = root_.string();
    const std::string shot = folder_->Path("menu.png").string();
    const auto run = kr::test::RunCommand(
        kUnderXvfb + kr::test::Quote(KR_VIEWER) + " " + kr::test::Quote(PathOf("models\\mainmenu\\mainmenu.tvm")) +
        " --position 0,0,0 --rotation 90,180,90 --scale 0.9 " + kr::test::Quote(PathOf("graphics\\night.dds")) +
        " --sphere 5000,8,8 --rotation 90,0,0 --camera 0,150,0 --look-at 20,0,0 --no-turn --lights menu --glow" +
        " --frame 3 --screenshot " + kr::test::Quote(shot) + " --game-dir " + kr::test::Quote(dir));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const image::Image p = image::DecodeImage(folder_->folder().ReadAll("menu.png"), "menu.png").levels.at(0);
    int lit = 0, samples = 0;
    for (int y = 40; y < p.height; y += 8)
        for (int x = 0; x < p.width; x += 8, ++samples) lit += p.Pixel(x, y)[0] + p.Pixel(x, y)[1] + p.Pixel(x, y)[2] > 60;
    EXPECT_GT(lit, samples * 3 / 4) << "the hangar does not fill the view";
}

}  // namespace
}  // namespace kr::makedata::menu_scene::test
