// The enemies and bosses in the generated game folder, read the way the
// game reads them: the maps' type lists and the type definitions through
// the mission readers, the models through the engine's loader. The game's
// placements are written out here as the game uses them: enemy types
// turned and scaled by their definition, bosses turned 90 degrees about y
// and scaled by 0.2, the engine trail started 55 units behind an enemy.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/mission_files.hpp"
#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "engine/model/pose.hpp"
#include "engine/scene/transform.hpp"
#include "mesh_checks.hpp"
#include "toolkit/joint_motion.hpp"
#include "toolkit/model_check.hpp"

namespace kr::makedata::test {
namespace {

constexpr float kPlayerShipScale = 0.18f;
constexpr float kEngineTrailBehind = 55.0f;
const glm::vec3 kBossTurn{0, 90, 0};
constexpr float kBossScale = 0.2f;

std::optional<GameFolder> Folder() {
    const std::filesystem::path root = KR_GAME_DIR;
    if (!std::filesystem::exists(root / "models" / "dunes" / "ships.dat")) return std::nullopt;
    return GameFolder(root);
}

model::Model Load(const GameFolder& folder, const std::string& name) { return model::LoadGlb(folder.ReadAll(name), name); }

std::string TypeModel(const std::string& type) { return "models\\" + type + "\\" + type + ".tvm"; }

glm::vec3 Apply(const glm::mat4& m, glm::vec3 p) { return glm::vec3(m * glm::vec4(p, 1.0f)); }

struct Box {
    glm::vec3 min{std::numeric_limits<float>::max()};
    glm::vec3 max{-std::numeric_limits<float>::max()};
    void Add(glm::vec3 p) {
        min = glm::min(min, p);
        max = glm::max(max, p);
    }
    glm::vec3 Size() const { return max - min; }
};

// The bounds of every vertex (or of the glowing ones only) placed by `place`.
Box Bounds(const model::Model& m, const glm::mat4& place, bool glowingOnly = false) {
    Box box;
    for (const auto& mesh : m.meshes)
        for (const auto& p : mesh.primitives) {
            const bool glows = m.materials[static_cast<std::size_t>(p.material)].emissive != glm::vec3(0.0f);
            if (glowingOnly && !glows) continue;
            for (const auto& v : p.vertices) box.Add(Apply(place, v.position));
        }
    return box;
}

float Span(const Box& box) { return std::max(box.Size().x, box.Size().z); }

int Triangles(const model::Model& m) {
    int count = 0;
    for (const auto& mesh : m.meshes) count += toolkit::test::TriangleCount(mesh);
    return count;
}

class Enemies : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = Folder();
        if (!folder_) GTEST_SKIP() << "no generated game folder";
    }
    const GameFolder& folder() const { return *folder_; }

    std::vector<std::string> AllTypes() const {
        std::set<std::string> types;
        for (const char* map : {"dunes", "orbit"})
            for (const std::string& t : ReadEnemyTypeList(folder(), map)) types.insert(t);
        return {types.begin(), types.end()};
    }
    glm::mat4 PlacementOf(const std::string& type) const {
        const EnemyTypeModel m = ReadEnemyTypeModel(folder(), type, "test");
        return scene::Transform{{0, 190, 0}, {0, static_cast<float>(m.ModelTurn), 0}, glm::vec3(static_cast<float>(m.ModelScale))}
            .Matrix();
    }

private:
    std::optional<GameFolder> folder_;
};

// ---- type lists and definitions ------------------------------------------------------

TEST_F(Enemies, MapListsNamePlainTypesWithinTheTable) {
    for (const char* map : {"dunes", "orbit"}) {
        const std::vector<std::string> types = ReadEnemyTypeList(folder(), map);
        EXPECT_GE(types.size(), 4u) << map;
        EXPECT_LE(types.size(), 18u) << map << ": type 19 is the boss's";
        EXPECT_EQ(std::set<std::string>(types.begin(), types.end()).size(), types.size()) << map << " lists a type twice";
        for (const std::string& type : types) {
            EXPECT_FALSE(type.empty());
            EXPECT_TRUE(std::all_of(type.begin(), type.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << type;
            EXPECT_TRUE(folder().Exists(TypeModel(type))) << type;
        }
    }
    EXPECT_GE(AllTypes().size(), 6u);
}

TEST_F(Enemies, DefinitionsHoldSaneValuesOnCrLfLines) {
    for (const std::string& type : AllTypes()) {
        const EnemyTypeModel m = ReadEnemyTypeModel(folder(), type, "test");
        EXPECT_GT(m.ModelScale, 0.05) << type;
        EXPECT_LT(m.ModelScale, 1.0) << type;
        EXPECT_EQ(m.ModelTurn, 90) << type;
        const EnemyTypeDefinition d = ReadEnemyTypeDefinition(folder(), type, "test");
        EXPECT_GE(d.ShotModel, 1) << type;
        EXPECT_LE(d.ShotModel, 14) << type;
        EXPECT_GT(d.HitPoints, 0) << type;
        EXPECT_LE(d.HitPoints, 400) << type;
        if (d.Spins) {
            EXPECT_GT(d.SpinRange, 1) << type;
            EXPECT_EQ(d.EngineTrail, 0) << type << ": a spinning type has no engine to trail";
        }
        const Bytes text = folder().ReadAll("data\\" + type + ".dat");
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\n') continue;
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << type << ": a line not ended by CR LF";
        }
    }
}

// The ground map draws from the easier types, the space map from harder
// ones; some types spin and the heaviest take many more hits than the
// lightest.
TEST_F(Enemies, DifficultyRisesFromTheGroundMapToSpace) {
    const auto meanHitPoints = [&](const char* map) {
        double sum = 0.0;
        const auto types = ReadEnemyTypeList(folder(), map);
        for (const std::string& t : types) sum += ReadEnemyTypeDefinition(folder(), t, "test").HitPoints;
        return sum / static_cast<double>(types.size());
    };
    EXPECT_LT(meanHitPoints("dunes") * 1.5, meanHitPoints("orbit"));
    int spinning = 0, lightest = std::numeric_limits<int>::max(), heaviest = 0;
    std::set<int> shots;
    for (const std::string& type : AllTypes()) {
        const EnemyTypeDefinition d = ReadEnemyTypeDefinition(folder(), type, "test");
        spinning += d.Spins;
        lightest = std::min(lightest, d.HitPoints);
        heaviest = std::max(heaviest, d.HitPoints);
        shots.insert(d.ShotModel);
    }
    EXPECT_GE(spinning, 1);
    EXPECT_GE(heaviest, 5 * lightest);
    EXPECT_GE(shots.size(), 4u) << "types should fire varied shots";
}

// ---- enemy models ----------------------------------------------------------------------

TEST_F(Enemies, ModelsLoadAsOneTexturedMeshWithGlowingParts) {
    for (const std::string& type : AllTypes()) {
        const model::Model m = Load(folder(), TypeModel(type));
        EXPECT_TRUE(toolkit::ModelProblems(m).empty()) << type;
        EXPECT_TRUE(m.skins.empty() && m.animations.empty()) << type;
        EXPECT_GE(Triangles(m), 400) << type;
        EXPECT_LE(Triangles(m), 6000) << type;
        ASSERT_EQ(m.images.size(), 1u) << type;
        ASSERT_EQ(m.meshes.size(), 1u) << type;
        ASSERT_EQ(m.meshes[0].primitives.size(), 2u) << type << ": the hull and the glowing parts";
        const auto& glow = m.materials[static_cast<std::size_t>(m.meshes[0].primitives[1].material)];
        EXPECT_NE(glow.emissive, glm::vec3(0.0f)) << type;
        for (const auto& p : m.meshes[0].primitives)
            for (const auto& v : p.vertices) ASSERT_TRUE(v.uv.x >= 0 && v.uv.x <= 1 && v.uv.y >= 0 && v.uv.y <= 1) << type;
    }
}

// Every part is a closed solid facing outwards, so back-face culling never
// opens a hole in a hull.
TEST_F(Enemies, PartsAreClosedAndFaceOutwards) {
    for (const std::string& type : AllTypes()) {
        const model::Model m = Load(folder(), TypeModel(type));
        EXPECT_EQ(toolkit::test::OpenOrInconsistentEdges(m.meshes[0]), 0) << type;
        EXPECT_GT(toolkit::test::Volume(m.meshes[0]), 0.0) << type;
    }
}

// On screen an enemy is about as big as the player's ship or a little
// bigger, and a craft with an engine has its glowing exhaust behind it
// (towards +x, away from the player), where the game starts its trail.
TEST_F(Enemies, AreShipSizedAndFlyNoseFirstTowardsThePlayer) {
    const model::Model ship = Load(folder(), "models\\ship1\\fighter.tvm");
    const float shipSpan =
        Span(Bounds(ship, scene::Transform{{0, 0, 0}, {0, 270, 0}, glm::vec3(kPlayerShipScale)}.Matrix()));
    for (const std::string& type : AllTypes()) {
        const model::Model m = Load(folder(), TypeModel(type));
        const glm::mat4 place = PlacementOf(type);
        const float span = Span(Bounds(m, place));
        EXPECT_GT(span, 0.9f * shipSpan) << type;
        EXPECT_LT(span, 2.0f * shipSpan) << type;
        if (ReadEnemyTypeDefinition(folder(), type, "test").EngineTrail == 0) continue;
        float nearest = std::numeric_limits<float>::max();
        const glm::vec3 trail = glm::vec3(kEngineTrailBehind, 190, 0);
        for (const auto& v : m.meshes[0].primitives[1].vertices)
            nearest = std::min(nearest, glm::length(Apply(place, v.position) - trail));
        EXPECT_LT(nearest, 30.0f) << type << ": no engine glow where the trail starts";
    }
}

// ---- bosses --------------------------------------------------------------------------

class Bosses : public Enemies {
protected:
    static std::string Name(int boss, const char* extension) {
        return "models\\bosses\\boss" + std::to_string(boss) + extension;
    }
    static glm::mat4 Place() { return scene::Transform{{1000, 130, 0}, kBossTurn, glm::vec3(kBossScale)}.Matrix(); }
};

TEST_F(Bosses, MeshIsWrittenWithACapitalMAndLoads) {
    for (int boss = 1; boss <= 2; ++boss) {
        const std::filesystem::path exact =
            std::filesystem::path(KR_GAME_DIR) / "models" / "bosses" / ("boss" + std::to_string(boss) + ".tvM");
        EXPECT_TRUE(std::filesystem::exists(exact)) << exact;
        const model::Model m = Load(folder(), Name(boss, ".tvM"));
        EXPECT_TRUE(toolkit::ModelProblems(m).empty()) << boss;
        EXPECT_TRUE(m.skins.empty()) << boss;
        const Box box = Bounds(m, Place());
        EXPECT_GT(box.Size().z, 380.0f) << "boss " << boss << " is too narrow to look big";
        EXPECT_LT(box.Size().z, 700.0f) << "boss " << boss << " does not fit the view";
        EXPECT_LT(box.Size().x, 700.0f) << boss;
    }
}

// The animated boss is the same craft as the mesh, on bones, with a
// looping animation.
TEST_F(Bosses, ActorMatchesTheMeshAndLoopsWithoutAJump) {
    for (int boss = 1; boss <= 2; ++boss) {
        const model::Model actor = Load(folder(), Name(boss, ".tva"));
        const model::Model mesh = Load(folder(), Name(boss, ".tvM"));
        EXPECT_TRUE(toolkit::ModelProblems(actor).empty()) << boss;
        ASSERT_EQ(actor.skins.size(), 1u) << boss;
        EXPECT_GE(actor.skins[0].joints.size(), 3u) << boss;
        ASSERT_GE(actor.animations.size(), 1u) << boss;
        EXPECT_GT(actor.animations[0].duration, 1.0f) << boss;
        EXPECT_EQ(Triangles(actor), Triangles(mesh)) << boss;
        for (const model::Sampler& s : actor.animations[0].samplers) {
            const std::size_t width = s.values.size() / s.times.size();
            const float* first = &s.values[0];
            const float* last = &s.values[s.values.size() - width];
            if (width == 4) {  // a rotation: q and -q are the same turn
                const float dot = first[0] * last[0] + first[1] * last[1] + first[2] * last[2] + first[3] * last[3];
                EXPECT_NEAR(std::abs(dot), 1.0f, 1e-4f) << "boss " << boss << " jumps at the loop";
                continue;
            }
            for (std::size_t k = 0; k < width; ++k) EXPECT_NEAR(first[k], last[k], 1e-3f) << "boss " << boss << " jumps at the loop";
        }
    }
}

// The game fires from the last two bones: they sit at the front of the
// boss, one to each side, and they move as the guns do.
TEST_F(Bosses, LastTwoBonesAreMovingGunsAtTheFront) {
    for (int boss = 1; boss <= 2; ++boss) {
        const model::Model actor = Load(folder(), Name(boss, ".tva"));
        ASSERT_EQ(actor.skins.size(), 1u);
        const int bones = static_cast<int>(actor.skins[0].joints.size());
        const Box box = Bounds(Load(folder(), Name(boss, ".tvM")), Place());
        const float centreX = 0.5f * (box.min.x + box.max.x);
        const float duration = actor.animations.at(0).duration;
        for (int bone : {bones - 2, bones - 1}) {
            glm::vec3 first(0.0f), low(std::numeric_limits<float>::max()), high(-std::numeric_limits<float>::max());
            for (int step = 0; step < 16; ++step) {
                const model::Pose pose = model::EvaluatePose(actor, 0, duration * static_cast<float>(step) / 16.0f);
                const glm::vec3 p = Apply(Place(), model::JointWorldPosition(actor, pose, 0, bone));
                if (step == 0) first = p;
                low = glm::min(low, p);
                high = glm::max(high, p);
                EXPECT_LT(p.x, centreX - 0.3f * (centreX - box.min.x)) << "boss " << boss << " bone " << bone << " is not at the front";
                EXPECT_GT(p.x, box.min.x - 20.0f) << "boss " << boss << " bone " << bone << " floats before the boss";
            }
            EXPECT_GT(glm::length(high - low), 3.0f) << "boss " << boss << " bone " << bone << " does not move";
            EXPECT_GT(std::abs(first.z), 40.0f) << "boss " << boss << " bone " << bone << " is not out on a side";
        }
        const model::Pose rest = model::EvaluatePose(actor, 0, 0.0f);
        const float sideA = model::JointWorldPosition(actor, rest, 0, bones - 2).x;
        const float sideB = model::JointWorldPosition(actor, rest, 0, bones - 1).x;
        EXPECT_LT(sideA * sideB, 0.0f) << "boss " << boss << ": both guns on one side";
    }
}

// ---- skins and motions ------------------------------------------------------------------

double Luminance(const image::Image& picture, glm::vec2 uv) {
    const int x = std::clamp(static_cast<int>(uv.x * picture.width), 0, picture.width - 1);
    const int y = std::clamp(static_cast<int>(uv.y * picture.height), 0, picture.height - 1);
    const std::uint8_t* t = &picture.rgba[(static_cast<std::size_t>(y) * picture.width + x) * 4];
    return (0.3 * t[0] + 0.59 * t[1] + 0.11 * t[2]) / 255.0;
}

// Mean brightness of the skin under a primitive's corners.
double MeanLuminance(const image::Image& skin, const model::Primitive& p) {
    double sum = 0.0;
    for (const auto& v : p.vertices) sum += Luminance(skin, v.uv);
    return sum / static_cast<double>(p.vertices.size());
}

// What glows must be painted bright, or the glow pass adds nothing; the
// hull stays dark enough for the glow to stand out.
TEST_F(Enemies, GlowingPartsArePaintedBrighterThanTheHull) {
    std::vector<std::string> models;
    for (const std::string& type : AllTypes()) models.push_back(TypeModel(type));
    models.push_back("models\\bosses\\boss1.tvM");
    models.push_back("models\\bosses\\boss2.tvM");
    for (const std::string& name : models) {
        const model::Model m = Load(folder(), name);
        ASSERT_EQ(m.images.size(), 1u) << name;
        const image::Image skin = image::DecodeImage(m.images[0].encoded, name).levels.front();
        const auto& primitives = m.meshes.at(0).primitives;
        ASSERT_EQ(primitives.size(), 2u) << name;
        EXPECT_GT(MeanLuminance(skin, primitives[1]), 1.5 * MeanLuminance(skin, primitives[0])) << name;
    }
}

TEST(JointMotion, RecoilKicksBackAndReturnsHomeWithinTheLoop) {
    toolkit::Skeleton skeleton;
    skeleton.AddJoint("root", -1, {0, 0, 0});
    skeleton.AddJoint("gun", 0, {10, 0, -100});
    toolkit::AnimationBuilder animation("test");
    toolkit::Recoil(animation, skeleton, 1, {0, 0, 30}, 3.5f, 4.0f);
    const model::Animation built = animation.Build({0, 1});
    ASSERT_EQ(built.samplers.size(), 1u);
    const model::Sampler& s = built.samplers[0];
    EXPECT_FLOAT_EQ(s.times.back(), 4.0f);
    float furthest = -100.0f;
    for (std::size_t k = 0; k < s.times.size(); ++k) furthest = std::max(furthest, s.values[k * 3 + 2]);
    EXPECT_FLOAT_EQ(furthest, -70.0f);
    EXPECT_FLOAT_EQ(s.values[s.values.size() - 1], -100.0f);
    for (std::size_t k = 1; k < s.times.size(); ++k) EXPECT_GT(s.times[k], s.times[k - 1]);
}

}  // namespace
}  // namespace kr::makedata::test
