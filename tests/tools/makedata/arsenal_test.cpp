// The mission's arsenal in the generated game folder: shot models, the
// rocket, the enemies' bolts, the pickups, the shield and the HUD gauges
// load through the game's readers, keep to the sizes and placements the
// game gives them (shots turned to fly along x, bolts on black, a shield
// round the ship) and grow stronger level by level. Also the sprite cards
// they are built of and the looping of a song that repeats.

#include <gtest/gtest.h>

#include "support/generated_game.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "audio/sequencer.hpp"
#include "engine/game_folder.hpp"
#include "engine/headless/headless_backend.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "engine/scene/transform.hpp"
#include "engine/textures.hpp"
#include "support/temp_game_folder.hpp"
#include "toolkit/model_check.hpp"
#include "toolkit/sprite_cards.hpp"

namespace kr::makedata::test {
namespace {

constexpr std::int32_t kOwnAlpha = -327764;
constexpr std::int32_t kBlack = -16777216;
const char* const kGuns[] = {"laser", "plasma", "gauss", "machinegun"};

struct Box {
    glm::vec3 min{std::numeric_limits<float>::max()};
    glm::vec3 max{std::numeric_limits<float>::lowest()};
    glm::vec3 Size() const { return max - min; }
};

// Bounds of every vertex of the model after `transform`.
Box BoundsAfter(const model::Model& m, const glm::mat4& transform) {
    Box box;
    for (const auto& mesh : m.meshes)
        for (const auto& p : mesh.primitives)
            for (const auto& v : p.vertices) {
                const glm::vec3 q = glm::vec3(transform * glm::vec4(v.position, 1.0f));
                box.min = glm::min(box.min, q);
                box.max = glm::max(box.max, q);
            }
    return box;
}

double SurfaceArea(const model::Model& m) {
    double area = 0.0;
    for (const auto& mesh : m.meshes)
        for (const auto& p : mesh.primitives)
            for (std::size_t i = 0; i + 2 < p.indices.size(); i += 3) {
                const glm::vec3 a = p.vertices[p.indices[i]].position, b = p.vertices[p.indices[i + 1]].position,
                                c = p.vertices[p.indices[i + 2]].position;
                area += 0.5 * glm::length(glm::cross(b - a, c - a));
            }
    return area;
}

glm::mat4 Rotation(glm::vec3 degrees) { return scene::Transform{{0, 0, 0}, degrees, {1, 1, 1}}.Matrix(); }

class Arsenal : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<kr::test::TempGameFolder>();
        std::string output;
        bool made = false;
        game_ = std::make_unique<GameFolder>(kr::test::GeneratedFolderOr(*folder_, output, made));
        ASSERT_TRUE(made) << output;
    }
    static void TearDownTestSuite() {
        game_.reset();
        folder_.reset();
    }

    static model::Model Model(const std::string& name) {
        model::Model m = model::LoadGlb(game_->ReadAll(name), name);
        EXPECT_EQ(toolkit::ModelProblems(m), std::vector<std::string>{}) << name;
        return m;
    }
    static image::Image Picture(const std::string& name, std::int32_t key) {
        image::MipChain chain = image::DecodeImage(game_->ReadAll(name), name);
        image::ApplyColourKey(chain, key);
        return chain.levels.at(0);
    }
    static std::string GunShot(const std::string& gun, int level) {
        return "models\\guns\\" + gun + "lv" + std::to_string(level) + ".tvm";
    }
    static std::string AlienFolder(int kind) { return "models\\alienship" + std::to_string(kind) + "\\"; }

    static std::unique_ptr<kr::test::TempGameFolder> folder_;
    static std::unique_ptr<GameFolder> game_;
};

std::unique_ptr<kr::test::TempGameFolder> Arsenal::folder_;
std::unique_ptr<GameFolder> Arsenal::game_;

TEST_F(Arsenal, GunShotsAreBlendedGlowsThatFlyAlongXAndGrowWithTheirLevel) {
    for (const char* gun : kGuns) {
        double lastArea = 0.0;
        for (int level = 1; level <= 4; ++level) {
            SCOPED_TRACE(GunShot(gun, level));
            const model::Model shot = Model(GunShot(gun, level));
            ASSERT_EQ(shot.images.size(), 1u) << "the shot's glow travels inside its file";
            ASSERT_EQ(shot.materials.size(), 1u);
            EXPECT_EQ(shot.materials[0].alphaMode, model::AlphaMode::Blend);
            // The game turns shot templates 90 degrees about y.
            const glm::vec3 size = BoundsAfter(shot, Rotation({0, 90, 0})).Size();
            EXPECT_GT(size.x, size.z * 1.3f) << "longest along the flight";
            EXPECT_GT(size.x, 20.0f);
            EXPECT_LT(size.x, 90.0f);
            EXPECT_LT(size.z, 40.0f) << "narrower than the gaps of the widest salvo";
            const double area = SurfaceArea(shot);
            EXPECT_GT(area, lastArea) << "each level shows more glow than the one below";
            lastArea = area;
        }
    }
}

TEST_F(Arsenal, TheRocketIsAPaintedMissileWithItsNoseForward) {
    const model::Model rocket = Model("models\\guns\\rakieta.tvm");
    ASSERT_FALSE(rocket.images.empty());
    // The game turns it 90 degrees about y and about x, and draws it at 0.4.
    const glm::mat4 placed = scene::Transform{{0, 0, 0}, {90, 90, 0}, glm::vec3(0.4f)}.Matrix();
    const Box box = BoundsAfter(rocket, placed);
    EXPECT_GT(box.Size().x, 2.0f * box.Size().z);
    EXPECT_NEAR(box.Size().x, 24.0f, 6.0f) << "the trail starts 11 units behind its middle";
    // The nose is the point furthest forward: on the axis, not a fin tip.
    glm::vec3 nose(std::numeric_limits<float>::lowest());
    for (const auto& p : rocket.meshes[0].primitives)
        for (const auto& v : p.vertices) {
            const glm::vec3 q = glm::vec3(placed * glm::vec4(v.position, 1.0f));
            if (q.x > nose.x) nose = q;
        }
    EXPECT_NEAR(nose.y, 0.0f, 0.01f);
    EXPECT_NEAR(nose.z, 0.0f, 0.01f);
}

TEST_F(Arsenal, AlienBoltsGlowOnBlackAndLieFlatAlongTheirFlight) {
    double ordinaryArea = 0.0;
    for (int kind = 1; kind <= 14; ++kind) {
        SCOPED_TRACE(kind);
        const image::Image picture = Picture(AlienFolder(kind) + "shot1.bmp", kBlack);
        EXPECT_EQ(picture.width, 128);
        EXPECT_EQ(picture.height, 64);
        int clear = 0, shown = 0;
        for (std::size_t i = 3; i < picture.rgba.size(); i += 4) (picture.rgba[i] == 0 ? clear : shown)++;
        EXPECT_GT(clear, picture.width * picture.height / 3) << "the glow sits on black";
        EXPECT_GT(shown, picture.width * picture.height / 10);
        for (auto [x, y] : {std::pair{0, 0}, {127, 0}, {0, 63}, {127, 63}}) EXPECT_EQ(picture.Pixel(x, y)[3], 0);

        const model::Model bolt = Model(AlienFolder(kind) + "shot1.tvm");
        // The game turns them X 90, Y 180, Z 90 and scales (1.5, 1.5, 1.6).
        const glm::mat4 placed = scene::Transform{{0, 0, 0}, {90, 180, 90}, {1.5f, 1.5f, 1.6f}}.Matrix();
        const glm::vec3 size = BoundsAfter(bolt, placed).Size();
        EXPECT_GT(size.x, size.z) << "long along the flight";
        EXPECT_GT(size.z, size.y * 0.99f) << "broad side towards the camera above";
        EXPECT_GT(size.x, 20.0f);
        EXPECT_LT(size.x, 60.0f);
        const double area = SurfaceArea(bolt);
        if (kind > 2) ordinaryArea = std::max(ordinaryArea, area);
    }
    for (int boss = 1; boss <= 2; ++boss)
        EXPECT_GT(SurfaceArea(Model(AlienFolder(boss) + "shot1.tvm")), ordinaryArea) << "the bosses' bolts are heavier";
}

TEST_F(Arsenal, PickupsAreDistinctAnimatedModelsThatLoopAndFitTheirDrop) {
    std::vector<std::vector<std::uint8_t>> skins;
    for (int kind = 1; kind <= 3; ++kind) {
        const std::string name = "models\\powerups\\powerup" + std::to_string(kind) + ".tva";
        SCOPED_TRACE(name);
        const model::Model pickup = Model(name);
        ASSERT_EQ(pickup.skins.size(), 1u);
        EXPECT_GE(pickup.skins[0].joints.size(), 2u);
        ASSERT_EQ(pickup.animations.size(), 1u);
        const model::Animation& loop = pickup.animations[0];
        EXPECT_GT(loop.duration, 0.5f);
        for (const model::Sampler& sampler : loop.samplers) {
            const std::size_t width = sampler.values.size() / sampler.times.size();
            for (std::size_t c = 0; c < width; ++c)
                EXPECT_NEAR(std::fabs(sampler.values[c]), std::fabs(sampler.values[sampler.values.size() - width + c]), 1e-3f)
                    << "the last key returns to the first";
        }
        // Carried at 1.2 by enemies, picked up within 50 of them.
        const glm::vec3 size = BoundsAfter(pickup, glm::scale(glm::mat4(1.0f), glm::vec3(1.2f))).Size();
        EXPECT_GT(size.x, 20.0f);
        EXPECT_LT(size.x, 80.0f);
        ASSERT_FALSE(pickup.images.empty());
        skins.push_back(pickup.images[0].encoded);
    }
    EXPECT_NE(skins[0], skins[1]);
    EXPECT_NE(skins[1], skins[2]);
}

TEST_F(Arsenal, TheShieldSurroundsTheShipWithFramesOfTranslucentEnergy) {
    const model::Model shield = Model("models\\powerups\\shield.tvm");
    const model::Model ship = Model("models\\ship1\\fighter.tvm");
    const Box bubble = BoundsAfter(shield, scene::Transform{{0, 0, 0}, {0, 0, 0}, glm::vec3(0.25f)}.Matrix());
    const Box hull = BoundsAfter(ship, scene::Transform{{0, 0, 0}, {0, 270, 0}, glm::vec3(0.18f)}.Matrix());
    EXPECT_GT(bubble.Size().x, hull.Size().x);
    EXPECT_GT(bubble.Size().z, hull.Size().z);
    EXPECT_LT(bubble.Size().x, 200.0f) << "rams enemies within 100 of the ship";
    std::vector<std::vector<std::uint8_t>> frames;
    for (int n = 1; n <= 5; ++n) {
        const std::string name = "models\\powerups\\shield0" + std::to_string(n) + ".dds";
        SCOPED_TRACE(name);
        const image::Image frame = Picture(name, kOwnAlpha);
        EXPECT_EQ(frame.width, 256);
        EXPECT_EQ(frame.height, 256);
        double alpha = 0.0;
        int kept = 0;
        for (std::size_t i = 3; i < frame.rgba.size(); i += 4) {
            alpha += frame.rgba[i] / 255.0;
            kept += frame.rgba[i] >= 20;  // the game's alpha test
        }
        alpha /= frame.width * frame.height;
        EXPECT_GT(alpha, 0.15);
        EXPECT_LT(alpha, 0.6) << "the ship shows through";
        EXPECT_GT(kept, frame.width * frame.height / 2);
        frames.push_back(frame.rgba);
    }
    for (int n = 1; n < 5; ++n) EXPECT_NE(frames[n], frames[n - 1]);
}

TEST_F(Arsenal, HudGaugesLoadAtTheirSizesWithTheTransparencyTheyAreDrawnWith) {
    struct Gauge {
        const char* file;
        std::int32_t key;
        int width, height;
    };
    const Gauge gauges[] = {
        {"lasertlo.bmp", 0, 128, 16},       {"laser.bmp", 0, 128, 16},         {"pas_tlo.dds", kOwnAlpha, 64, 256},
        {"pas_life.dds", kOwnAlpha, 64, 256}, {"pas_armo.dds", kOwnAlpha, 64, 256}, {"ico_life.dds", kOwnAlpha, 64, 64},
        {"ico_shield.dds", kOwnAlpha, 64, 64},
    };
    HeadlessBackend backend;
    TextureRegistry textures(backend, *game_);
    for (const Gauge& gauge : gauges) {
        SCOPED_TRACE(gauge.file);
        const std::string name = std::string("graphics\\") + gauge.file;
        int id = 0;
        ASSERT_NO_THROW(id = textures.Load(name, gauge.file, -1, -1, gauge.key));
        EXPECT_EQ(textures.Info(id).width, gauge.width);
        EXPECT_EQ(textures.Info(id).height, gauge.height);
        const image::Image picture = Picture(name, gauge.key);
        const int middle = picture.Pixel(picture.width / 2, picture.height / 2)[3];
        if (gauge.key == 0) {
            EXPECT_EQ(middle, 255) << "stretched as a solid strip";
        } else {
            EXPECT_EQ(picture.Pixel(0, 0)[3], 0) << "corners stay clear";
            EXPECT_GT(middle, 100);
        }
    }
    // The bars sit inside their track's frame.
    for (const char* bar : {"pas_life.dds", "pas_armo.dds"}) {
        const image::Image picture = Picture(std::string("graphics\\") + bar, kOwnAlpha);
        EXPECT_EQ(picture.Pixel(4, 128)[3], 0) << bar;
        EXPECT_EQ(picture.Pixel(59, 128)[3], 0) << bar;
    }
}

// ---- the parts they are made of --------------------------------------------

TEST(SpriteCards, CardsShowFromBothSidesWithTheirTextureRectangle) {
    const toolkit::UvRect uv{{0.25f, 0.5f}, {0.75f, 1.0f}};
    const toolkit::Surface card = toolkit::Card({0, 0, 0}, {0, 0, 2}, {3, 0, 0}, 10.0f, 4.0f, uv);
    ASSERT_EQ(card.TriangleCount(), 4);
    glm::vec3 facing(0.0f);
    for (const auto& t : card.triangles()) {
        facing += toolkit::AreaVector(t);
        for (const auto& c : t.corners) {
            EXPECT_NEAR(std::fabs(c.position.z), 5.0f, 1e-5f);
            EXPECT_NEAR(std::fabs(c.position.x), 2.0f, 1e-5f);
            EXPECT_EQ(c.uv.x, c.position.z > 0 ? 0.75f : 0.25f) << "u runs from the back to the front";
        }
    }
    EXPECT_NEAR(glm::length(facing), 0.0f, 1e-4f) << "as much faces one way as the other";
    const toolkit::Bounds3 bounds = card.Bounds();
    EXPECT_NEAR(bounds.max.y - bounds.min.y, 0.0f, 1e-5f);
}

TEST(SpriteCards, AStarTurnsItsCardsEvenlyAboutItsAxis) {
    const toolkit::Surface star = toolkit::CardStar({0, 0, 0}, {0, 0, 1}, 8.0f, 2.0f, 3, {});
    ASSERT_EQ(star.TriangleCount(), 12);
    const toolkit::Bounds3 bounds = star.Bounds();
    EXPECT_NEAR(bounds.max.z - bounds.min.z, 8.0f, 1e-5f);
    EXPECT_GT(bounds.max.x - bounds.min.x, 1.5f);
    EXPECT_GT(bounds.max.y - bounds.min.y, 1.5f) << "not all in one plane";
    EXPECT_LE(std::max(bounds.max.x, bounds.max.y), 1.0f + 1e-5f);
}

TEST(LoopingSong, ItsTailRingsOnOverItsStartAndItEndsOnTheBar) {
    using namespace kr::audio;
    Song song;
    song.name = "loop";
    song.bpm = 120;
    song.lengthBeats = 8;
    song.tailSeconds = 1.5;
    song.loops = true;
    Track& pad = song.AddTrack("pad", [](const Note&, double, std::uint64_t) { return Mono(SecondsToFrames(1.2), 0.5f); }, {});
    pad.Add(ParsePattern(". . . . . . . c4", 1.0), 0);
    const Stereo rendered = RenderSong(song);
    EXPECT_EQ(rendered.Frames(), BeatToFrame(8, 120));
    const std::size_t quarterSecond = SecondsToFrames(0.25);
    float start = 0.0f, middle = 0.0f;
    for (std::size_t i = 0; i < quarterSecond; ++i) {
        start = std::max(start, std::fabs(rendered.left[i]));
        middle = std::max(middle, std::fabs(rendered.left[rendered.Frames() / 2 + i]));
    }
    EXPECT_GT(start, 0.01f) << "the last note rings on at the top";
    EXPECT_LT(middle, start * 0.1f) << "nothing else sounds mid-way";
}

}  // namespace
}  // namespace kr::makedata::test
