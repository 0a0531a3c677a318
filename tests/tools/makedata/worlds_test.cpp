// The two mission worlds in the generated game folder, read back through
// the game's own readers: scenery lists and map records, models that load,
// placements along the whole scroll path that sit on the ground and stay
// below the fliers, cannons spaced apart, sky boxes without seams and a
// ground texture that tiles. The game's placements are written out here
// as the game uses them, independently of the generator.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/mission_files.hpp"
#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "engine/scene/landscape.hpp"
#include "toolkit/model_check.hpp"
#include "toolkit/sky_box.hpp"

namespace kr::makedata::test {
namespace {

// The game's landscape arguments and scenery scale.
constexpr int kCellsX = 32, kCellsZ = 40, kPrecision = 2;
const glm::vec3 kGroundScale{5, 1, 5}, kGroundPosition{-300, -200, -1200};
constexpr int kFirstMission = 0;
// The fliers and the band they fight in.
constexpr float kPlayerY = 10.0f;
constexpr float kBand = 900.0f;

struct MapCase {
    const char* folder;
    std::uint8_t spaceLevel;
    const char* music;
    int waveMinutes;
};
const MapCase kDunes{"dunes", 0, "battletheme.wma", 3};
const MapCase kOrbit{"orbit", 1, "orbittheme.wma", 4};

std::optional<GameFolder> Folder() {
    const std::filesystem::path root = KR_GAME_DIR;
    if (!std::filesystem::exists(root / "models" / "dunes" / "map.dat")) return std::nullopt;
    return GameFolder(root);
}

std::vector<const Placement*> Active(const MapRecord& map) {
    std::vector<const Placement*> active;
    for (int i = 1; i <= kMapPlacements; ++i)
        if (map.Placements[i].Active) active.push_back(&map.Placements[i]);
    return active;
}

// Highest and farthest points of a model, in its own units.
struct Reach {
    float top = 0.0f;
    float radius = 0.0f;
};
Reach ReachOf(const model::Model& m) {
    Reach reach;
    for (const auto& mesh : m.meshes)
        for (const auto& p : mesh.primitives)
            for (const auto& v : p.vertices) {
                reach.top = std::max(reach.top, v.position.y);
                reach.radius = std::max(reach.radius, glm::length(v.position));
            }
    return reach;
}

class Worlds : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = Folder();
        if (!folder_) GTEST_SKIP() << "no generated game folder";
    }
    const GameFolder& folder() const { return *folder_; }

    std::vector<std::string> Scenery(const MapCase& map) const { return ReadSceneryList(folder(), map.folder); }
    MapRecord Map(const MapCase& map) const { return ReadMapRecord(folder(), map.folder, "map.dat"); }
    model::Model Model(const MapCase& map, const std::string& name) const {
        const std::string file = SceneryFile(map.folder, name);
        return model::LoadGlb(folder().ReadAll(file), file);
    }
    // Each placement's world scale, as the game gives it.
    float ScaleOf(const std::vector<std::string>& scenery, const Placement& p) const {
        return PlacedScale(scenery[static_cast<std::size_t>(p.SceneryType - 1)], p.Scale, kFirstMission);
    }
    scene::Landscape Ground() const {
        const std::string file = "models\\dunes\\ground\\heightmap.jpg";
        scene::Landscape ground;
        ground.Generate(image::DecodeImage(folder().ReadAll(file), file).levels.front(), kCellsX, kCellsZ, kPrecision);
        ground.SetScale(kGroundScale);
        ground.SetPosition(kGroundPosition);
        return ground;
    }
    image::Image Picture(const std::string& file) const { return image::DecodeImage(folder().ReadAll(file), file).levels.front(); }

private:
    std::optional<GameFolder> folder_;
};

TEST_F(Worlds, ListsAndMapsReadBackThroughTheGameReaders) {
    for (const MapCase& map : {kDunes, kOrbit}) {
        const std::vector<std::string> scenery = Scenery(map);
        EXPECT_GE(scenery.size(), 6u) << map.folder;
        EXPECT_LE(scenery.size(), 12u) << map.folder;
        const MapRecord record = Map(map);
        EXPECT_EQ(record.SpaceLevel, map.spaceLevel) << map.folder;
        EXPECT_EQ(std::string(record.MapMusicName.View()), map.music) << map.folder;
        EXPECT_NO_THROW(CheckPlacementTypes(record, static_cast<int>(scenery.size()), "map.dat")) << map.folder;
        const auto placed = Active(record);
        EXPECT_GE(placed.size(), 400u) << map.folder;
        // Every listed type is used and loads as a sound model.
        std::vector<int> uses(scenery.size(), 0);
        for (const Placement* p : placed) ++uses[static_cast<std::size_t>(p->SceneryType - 1)];
        for (std::size_t k = 0; k < scenery.size(); ++k) {
            EXPECT_GT(uses[k], 0) << map.folder << " " << scenery[k];
            const model::Model m = Model(map, scenery[k]);
            EXPECT_TRUE(toolkit::ModelProblems(m).empty()) << scenery[k];
            EXPECT_FALSE(m.meshes.empty()) << scenery[k];
        }
    }
    const std::vector<std::string> dunes = Scenery(kDunes);
    EXPECT_NE(std::find(dunes.begin(), dunes.end(), std::string(kCannonModel)), dunes.end());
    EXPECT_NE(std::find(dunes.begin(), dunes.end(), "tree11.tvm"), dunes.end());
}

TEST_F(Worlds, SceneryKeepsComingAlongTheWholeScrollPath) {
    for (const MapCase& map : {kDunes, kOrbit}) {
        std::vector<double> xs;
        const MapRecord record = Map(map);  // the placements point into it
        for (const Placement* p : Active(record)) {
            xs.push_back(p->X);
            EXPECT_LE(std::fabs(p->Z), 1300.0) << map.folder;
        }
        std::sort(xs.begin(), xs.end());
        ASSERT_FALSE(xs.empty());
        EXPECT_LE(xs.front(), -400.0) << map.folder;
        EXPECT_GE(xs.back(), map.waveMinutes * 60.0 * 100.0 + 4000.0) << map.folder;
        double gap = 0.0;
        for (std::size_t i = 1; i < xs.size(); ++i) gap = std::max(gap, xs[i] - xs[i - 1]);
        EXPECT_LE(gap, 250.0) << map.folder;
    }
}

TEST_F(Worlds, DunesSceneryStandsOnTheGroundBelowTheFliers) {
    const scene::Landscape ground = Ground();
    const std::vector<std::string> scenery = Scenery(kDunes);
    std::map<int, float> tops;
    for (std::size_t k = 0; k < scenery.size(); ++k) tops[static_cast<int>(k) + 1] = ReachOf(Model(kDunes, scenery[k])).top;
    const MapRecord record = Map(kDunes);
    for (const Placement* p : Active(record)) {
        const float x = static_cast<float>(p->X), z = static_cast<float>(p->Z);
        EXPECT_NEAR(p->Y, ground.HeightAt(x, z), 1e-3) << x << ", " << z;
        if (std::fabs(z) < kBand) {
            EXPECT_LT(p->Y + 0.8 + tops[p->SceneryType] * ScaleOf(scenery, *p), kPlayerY) << x << ", " << z;
        }
    }
    // The ground under the fight stays well below the player's ship.
    for (float x = -600.0f; x < 26000.0f; x += 40.0f)
        for (float z = -kBand; z <= kBand; z += 40.0f) ASSERT_LT(ground.HeightAt(x, z), -40.0f) << x << ", " << z;
}

TEST_F(Worlds, DunesCannonsComeInTurnAndStandClear) {
    const std::vector<std::string> scenery = Scenery(kDunes);
    std::vector<const Placement*> cannons, others;
    const MapRecord record = Map(kDunes);
    for (const Placement* p : Active(record))
        (scenery[static_cast<std::size_t>(p->SceneryType - 1)] == kCannonModel ? cannons : others).push_back(p);
    ASSERT_GE(cannons.size(), 18u);
    for (std::size_t i = 1; i < cannons.size(); ++i) {
        const double gap = cannons[i]->X - cannons[i - 1]->X;
        EXPECT_GE(gap, 400.0);
        EXPECT_LE(gap, 1200.0);
    }
    for (const Placement* c : cannons) {
        EXPECT_LE(std::fabs(c->Z), 800.0);  // within the guns' reach of the fight
        for (const Placement* o : others) EXPECT_GT(std::hypot(c->X - o->X, c->Z - o->Z), 60.0);
    }
}

TEST_F(Worlds, OrbitSceneryDriftsBelowTheFightInEveryOrientation) {
    const std::vector<std::string> scenery = Scenery(kOrbit);
    std::map<int, float> radii;
    for (std::size_t k = 0; k < scenery.size(); ++k) radii[static_cast<int>(k) + 1] = ReachOf(Model(kOrbit, scenery[k])).radius;
    int turned = 0;
    const MapRecord record = Map(kOrbit);
    const auto placed = Active(record);
    for (const Placement* p : placed) {
        // Spinning, any point of it may come to the top.
        EXPECT_LT(p->Y + 0.8 + radii[p->SceneryType] * ScaleOf(scenery, *p), -50.0);
        EXPECT_GT(p->Y, -900.0);
        if (p->RotX != 0.0 && p->RotZ != 0.0) ++turned;
    }
    EXPECT_GT(turned * 2, static_cast<int>(placed.size()));
}

// Looks the direction up on whichever face it falls on (the bottom face
// showing the top picture), as the engine draws the box.
glm::vec3 SkyColour(const std::map<toolkit::SkyFace, image::Image>& faces, glm::vec3 d) {
    struct Axes {
        toolkit::SkyFace face;
        glm::vec3 n, u, v;
    };
    static const Axes kAxes[6] = {
        {toolkit::SkyFace::Front, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},  {toolkit::SkyFace::Back, {-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {toolkit::SkyFace::Left, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},    {toolkit::SkyFace::Right, {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
        {toolkit::SkyFace::Top, {0, 1, 0}, {0, 0, -1}, {-1, 0, 0}},   {toolkit::SkyFace::Bottom, {0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
    };
    const Axes* best = &kAxes[0];
    for (const Axes& a : kAxes)
        if (glm::dot(d, a.n) > glm::dot(d, best->n)) best = &a;
    const float along = glm::dot(d, best->n);
    const float s = (glm::dot(d, best->u) / along + 1.0f) * 0.5f, t = (1.0f - glm::dot(d, best->v) / along) * 0.5f;
    const image::Image& picture = faces.at(best->face);
    const int x = std::clamp(static_cast<int>(s * picture.width), 0, picture.width - 1);
    const int y = std::clamp(static_cast<int>(t * picture.height), 0, picture.height - 1);
    const std::uint8_t* texel = picture.Pixel(x, y);
    return glm::vec3(texel[0], texel[1], texel[2]);
}

TEST_F(Worlds, SkyBoxesMeetWithoutSeams) {
    for (const MapCase& map : {kDunes, kOrbit}) {
        const std::string ground = std::string("models\\") + map.folder + "\\ground\\";
        std::map<toolkit::SkyFace, image::Image> faces{{toolkit::SkyFace::Front, Picture(ground + "front.bmp")},
                                                        {toolkit::SkyFace::Back, Picture(ground + "back.bmp")},
                                                        {toolkit::SkyFace::Left, Picture(ground + "left.bmp")},
                                                        {toolkit::SkyFace::Right, Picture(ground + "right.bmp")},
                                                        {toolkit::SkyFace::Top, Picture(ground + "top.bmp")},
                                                        {toolkit::SkyFace::Bottom, Picture(ground + "top.bmp")}};
        // The step from just inside each face's border to just across it,
        // against the step between two texels inside: stars and cloud
        // change from texel to texel, a seam changes far more.
        double across = 0.0, inside = 0.0;
        for (toolkit::SkyFace face : toolkit::kSkyFaces) {
            for (int i = 0; i < 128; ++i) {
                const float along = (static_cast<float>(i) + 0.5f) / 128.0f;
                for (glm::vec2 uv : {glm::vec2(along, 0.0f), glm::vec2(along, 1.0f), glm::vec2(0.0f, along), glm::vec2(1.0f, along)}) {
                    const auto at = [&](float f) { return SkyColour(faces, toolkit::SkyDirection(face, glm::mix(glm::vec2(0.5f), uv, f))); };
                    across += glm::length(at(0.998f) - at(1.002f));
                    inside += glm::length(at(0.994f) - at(0.998f));
                }
            }
        }
        EXPECT_LT(across, inside * 1.5 + 1.0) << map.folder;
    }
}

// Column-to-column change across the wrap against the change inside.
TEST_F(Worlds, GroundTexturesTileAndTheHeightMapFitsTheLandscape) {
    for (const MapCase& map : {kDunes, kOrbit}) {
        const image::Image ground = Picture(std::string("models\\") + map.folder + "\\ground\\ground.dds");
        const auto step = [&](int x0, int y0, int x1, int y1) {
            double sum = 0.0;
            const int n = x0 == x1 ? ground.height : ground.width;
            for (int i = 0; i < n; ++i) {
                const std::uint8_t* a = ground.Pixel(x0 == x1 ? x0 : i, y0 == y1 ? y0 : i);
                const std::uint8_t* b = ground.Pixel(x0 == x1 ? x1 : i, y0 == y1 ? y1 : i);
                for (int c = 0; c < 3; ++c) sum += std::abs(a[c] - b[c]);
            }
            return sum / n;
        };
        const int w = ground.width, h = ground.height;
        const double inside = (step(w / 2, 0, w / 2 + 1, 0) + step(0, h / 2, 0, h / 2 + 1)) / 2.0 + 1.0;
        EXPECT_LT(step(w - 1, 0, 0, 0), inside * 2.0) << map.folder;
        EXPECT_LT(step(0, h - 1, 0, 0), inside * 2.0) << map.folder;
    }
    const image::Image heights = Picture("models\\dunes\\ground\\heightmap.jpg");
    EXPECT_EQ(heights.width, kCellsX * kPrecision * scene::kLandscapeQuadsPerPrecision + 1);
    EXPECT_EQ(heights.height, kCellsZ * kPrecision * scene::kLandscapeQuadsPerPrecision + 1);
}

}  // namespace
}  // namespace kr::makedata::test
