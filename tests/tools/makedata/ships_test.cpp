// The player ships and the ship-selection carousel in the generated game
// folder: they load, keep to their budgets, sit where the game's
// placements put them (nose towards the enemies, nozzles where the flames
// start, the right ship in front of the selection window), and their wear
// skins get darker level by level. The game's placements are written out
// here as the game uses them, independently of the generator.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "engine/game_folder.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "engine/scene/environment.hpp"
#include "engine/scene/transform.hpp"
#include "mesh_checks.hpp"
#include "toolkit/model_check.hpp"

namespace kr::makedata::test {
namespace {

constexpr int kShips = 5;
const std::array<std::string, kShips> kShipNames{"delta", "spectre", "blade", "thor", "trinity"};

// The mission's player ship and its flame emitters (offsets from the ship).
const scene::Transform kMission{{-200, 10, 0}, {0, 270, 0}, {0.18f, 0.18f, 0.18f}};
const std::array<std::array<glm::vec3, 2>, kShips> kFlames{{
    {{{-36, 4, -11}, {-36, 4, 11}}},
    {{{-19, -4, -1}, {-19, -4, 1}}},
    {{{-44, 4, 0}, {-44, 4, 0}}},
    {{{-44, 4, 0}, {-44, 4, 0}}},
    {{{-25, 0, -13}, {-25, 0, 13}}},
}};

// The selection screen: the carousel turned by its heading, the camera
// straight above, and the heading window that selects each ship.
scene::Transform CarouselAt(float heading) { return {{0, 40, 0}, {0, 20 + heading, -50}, {0.06f, 0.06f, 0.06f}}; }
struct Window {
    float from;
    float to;  // exclusive bounds; from > to wraps through 0
};
const std::array<Window, kShips> kWindows{{{49, 87}, {261, 295}, {338, 19}, {193, 231}, {115, 154}}};
constexpr float kSelectionWindowTop = 605.0f;  // of the 1024 x 768 layout
// Least mean change of brightness between the clean and the burnt skin,
// as a share of the clean skin's brightness.
constexpr double kScorched = 0.15;

std::optional<GameFolder> Folder() {
    const std::filesystem::path root = KR_GAME_DIR;
    if (!std::filesystem::exists(root / "models" / "ship1" / "fighter.tvm")) return std::nullopt;
    return GameFolder(root);
}

model::Model LoadModel(const GameFolder& folder, const std::string& name) {
    return model::LoadGlb(folder.ReadAll(name), name);
}

std::string ShipFolder(int ship) { return "models\\ship" + std::to_string(ship) + "\\"; }

int Triangles(const model::Model& m) {
    int count = 0;
    for (const auto& mesh : m.meshes)
        for (const auto& p : mesh.primitives) count += static_cast<int>(p.indices.size() / 3);
    return count;
}

glm::vec3 Apply(const glm::mat4& matrix, glm::vec3 p) { return glm::vec3(matrix * glm::vec4(p, 1.0f)); }

double Luminance(const std::uint8_t* rgba) { return (0.3 * rgba[0] + 0.59 * rgba[1] + 0.11 * rgba[2]) / 255.0; }

// Mean brightness of a picture, 0..1.
double MeanLuminance(const image::Image& picture) {
    double sum = 0.0;
    for (std::size_t i = 0; i + 3 < picture.rgba.size(); i += 4) sum += Luminance(&picture.rgba[i]);
    return sum / (static_cast<double>(picture.width) * picture.height);
}

// How far apart two pictures of one size are in brightness, texel by texel, 0..1.
double MeanDifference(const image::Image& a, const image::Image& b) {
    double sum = 0.0;
    for (std::size_t i = 0; i + 3 < a.rgba.size() && i + 3 < b.rgba.size(); i += 4)
        sum += std::abs(Luminance(&a.rgba[i]) - Luminance(&b.rgba[i]));
    return sum / (static_cast<double>(a.width) * a.height);
}

class Ships : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = Folder();
        if (!folder_) GTEST_SKIP() << "no generated game folder";
    }
    const GameFolder& folder() const { return *folder_; }

private:
    std::optional<GameFolder> folder_;
};

TEST_F(Ships, LoadWithinTheirBudgetOnOneSkin) {
    for (int ship = 1; ship <= kShips; ++ship) {
        const std::string name = ShipFolder(ship) + "fighter.tvm";
        const model::Model m = LoadModel(folder(), name);
        EXPECT_TRUE(toolkit::ModelProblems(m).empty()) << name;
        EXPECT_GE(Triangles(m), 500) << name;
        EXPECT_LE(Triangles(m), 3000) << name;
        EXPECT_TRUE(m.skins.empty() && m.animations.empty()) << name;
        // The game puts one texture on every group: every group maps onto
        // the one picture, inside it.
        ASSERT_EQ(m.images.size(), 1u) << name;
        for (const auto& material : m.materials) EXPECT_EQ(material.image, 0) << name;
        for (const auto& mesh : m.meshes)
            for (const auto& p : mesh.primitives)
                for (const auto& v : p.vertices) {
                    ASSERT_TRUE(v.uv.x >= 0.0f && v.uv.x <= 1.0f && v.uv.y >= 0.0f && v.uv.y <= 1.0f) << name;
                }
    }
}

// Every piece of every hull is a closed solid facing outwards: no holes or
// inside-out faces for the game's back-face culling to show.
TEST_F(Ships, HullsAreClosedAndFaceOutwards) {
    for (int ship = 1; ship <= kShips; ++ship) {
        const model::Model m = LoadModel(folder(), ShipFolder(ship) + "fighter.tvm");
        for (const model::Mesh& mesh : m.meshes) {
            EXPECT_EQ(toolkit::test::OpenOrInconsistentEdges(mesh), 0) << "ship " << ship;
            EXPECT_GT(toolkit::test::Volume(mesh), 0.0) << "ship " << ship;
        }
    }
}

TEST_F(Ships, HaveFiveWearSkinsThatDarkenLevelByLevel) {
    for (int ship = 1; ship <= kShips; ++ship) {
        std::vector<double> brightness;
        std::vector<image::Image> tops;
        int size = 0;
        for (int level = 0; level < 5; ++level) {
            const std::string name = ShipFolder(ship) + std::to_string(level) + ".dds";
            const image::MipChain chain = image::DecodeImage(folder().ReadAll(name), name);
            const image::Image& top = chain.levels.front();
            if (level == 0) size = top.width;
            EXPECT_EQ(top.width, size) << name;
            EXPECT_EQ(top.height, size) << name;
            EXPECT_EQ(size & (size - 1), 0) << name;
            EXPECT_EQ(static_cast<int>(chain.levels.size()), image::FullMipChainLength(size, size)) << name;
            brightness.push_back(MeanLuminance(top));
            tops.push_back(top);
        }
        for (int level = 1; level < 5; ++level) EXPECT_LT(brightness[level], brightness[level - 1]) << ship << " " << level;
        EXPECT_GT(MeanDifference(tops[0], tops[4]), kScorched * brightness[0]) << "ship " << ship << " is not scorched at level 4";
    }
}

// In a mission the ship points along +x, towards the enemies, and its
// glowing engine cores sit where the game starts the engine flames.
TEST_F(Ships, FlyTowardsTheEnemiesWithNozzlesWhereTheFlamesStart) {
    const glm::mat4 place = kMission.Matrix();
    for (int ship = 1; ship <= kShips; ++ship) {
        const model::Model m = LoadModel(folder(), ShipFolder(ship) + "fighter.tvm");
        ASSERT_EQ(m.meshes.size(), 1u);
        const auto& primitives = m.meshes[0].primitives;
        ASSERT_EQ(primitives.size(), 2u) << "hull and glowing parts";
        EXPECT_EQ(m.materials[static_cast<std::size_t>(primitives[0].material)].emissive, glm::vec3(0.0f));
        EXPECT_NE(m.materials[static_cast<std::size_t>(primitives[1].material)].emissive, glm::vec3(0.0f));
        // The nose: the middle of the hull's points furthest forward.
        float front = -std::numeric_limits<float>::max();
        for (const auto& v : primitives[0].vertices) front = std::max(front, Apply(place, v.position).x);
        glm::vec3 nose(0.0f);
        int atFront = 0;
        for (const auto& v : primitives[0].vertices) {
            const glm::vec3 p = Apply(place, v.position);
            if (p.x < front - 0.5f) continue;
            nose += p;
            ++atFront;
        }
        nose /= static_cast<float>(atFront);
        for (const glm::vec3& offset : kFlames[static_cast<std::size_t>(ship - 1)]) {
            const glm::vec3 flame = kMission.position + offset;
            float nearest = std::numeric_limits<float>::max();
            for (const auto& v : primitives[1].vertices) nearest = std::min(nearest, glm::length(Apply(place, v.position) - flame));
            EXPECT_LT(nearest, 4.0f) << "ship " << ship << ": no engine core at the flame";
            EXPECT_GT(nose.x, flame.x + 40.0f) << "ship " << ship;
        }
        EXPECT_NEAR(nose.z, kMission.position.z, 2.0f) << "ship " << ship << ": the nose is off the centre line";
    }
}

// Points of each ship's hull on the carousel, by the ship's material.
std::array<std::vector<glm::vec3>, kShips> ParkedShips(const model::Model& carousel) {
    std::array<std::vector<glm::vec3>, kShips> ships;
    for (const auto& mesh : carousel.meshes)
        for (const auto& p : mesh.primitives) {
            const std::string& material = carousel.materials[static_cast<std::size_t>(p.material)].name;
            for (int k = 0; k < kShips; ++k)
                if (material == kShipNames[static_cast<std::size_t>(k)])
                    for (const auto& v : p.vertices) ships[static_cast<std::size_t>(k)].push_back(v.position);
        }
    return ships;
}

// Where points land on the 1024 x 768 screen of the selection camera.
struct SelectionView {
    glm::mat4 viewProjection;

    SelectionView() {
        scene::Camera camera;
        camera.position = {0, 150, 0};
        camera.lookAt = {0, 0, 0};
        viewProjection = scene::ProjectionMatrix(camera, 1024.0f / 768.0f) * scene::ViewMatrix(camera);
    }
    glm::vec2 Screen(glm::vec3 world) const {
        const glm::vec4 clip = viewProjection * glm::vec4(world, 1.0f);
        return {(clip.x / clip.w * 0.5f + 0.5f) * 1024.0f, (0.5f - clip.y / clip.w * 0.5f) * 768.0f};
    }
};

// The ship lowest on the screen (1..5), and how low its lowest point is.
std::pair<int, float> ShipInFront(const std::array<std::vector<glm::vec3>, kShips>& ships, float heading) {
    const SelectionView view;
    const glm::mat4 place = CarouselAt(heading).Matrix();
    int front = 0;
    float frontY = -1.0f, lowest = 0.0f;
    for (int k = 0; k < kShips; ++k) {
        glm::vec3 centre(0.0f);
        float bottom = 0.0f;
        for (const glm::vec3& p : ships[static_cast<std::size_t>(k)]) {
            centre += p;
            bottom = std::max(bottom, view.Screen(Apply(place, p)).y);
        }
        centre /= static_cast<float>(ships[static_cast<std::size_t>(k)].size());
        const float y = view.Screen(Apply(place, centre)).y;
        if (y > frontY) {
            frontY = y;
            front = k + 1;
            lowest = bottom;
        }
    }
    return {front, lowest};
}

TEST_F(Ships, CarouselBringsTheSelectedShipToTheFront) {
    const model::Model carousel = LoadModel(folder(), "models\\selection\\selection.tvm");
    EXPECT_TRUE(toolkit::ModelProblems(carousel).empty());
    const auto ships = ParkedShips(carousel);
    for (const auto& points : ships) ASSERT_FALSE(points.empty());
    EXPECT_EQ(ShipInFront(ships, 0.0f).first, 3) << "the heading the game starts with";
    for (int k = 0; k < kShips; ++k) {
        const Window& w = kWindows[static_cast<std::size_t>(k)];
        const float span = w.from < w.to ? w.to - w.from : w.to + 360.0f - w.from;
        for (float step = 0.5f; step < span; step += 1.0f) {
            const float heading = std::fmod(w.from + step, 360.0f);
            const auto [front, lowest] = ShipInFront(ships, heading);
            EXPECT_EQ(front, k + 1) << "heading " << heading;
            if (std::abs(step - span * 0.5f) < 1.0f) {
                EXPECT_LT(lowest, kSelectionWindowTop) << "ship " << k + 1 << " reaches under the selection window";
            }
        }
    }
}

TEST_F(Ships, CarouselTurnsFlatUnderTheCamera) {
    const model::Model carousel = LoadModel(folder(), "models\\selection\\selection.tvm");
    // The largest floor triangle faces the camera at every heading.
    glm::vec3 normal(0.0f);
    float largest = 0.0f;
    for (const auto& mesh : carousel.meshes)
        for (const auto& p : mesh.primitives) {
            if (carousel.materials[static_cast<std::size_t>(p.material)].name != "deck") continue;
            for (std::size_t i = 0; i + 2 < p.indices.size(); i += 3) {
                const glm::vec3 a = p.vertices[p.indices[i]].position, b = p.vertices[p.indices[i + 1]].position,
                                c = p.vertices[p.indices[i + 2]].position;
                const glm::vec3 area = glm::cross(b - a, c - a);
                if (glm::length(area) > largest) {
                    largest = glm::length(area);
                    normal = glm::normalize(area);
                }
            }
        }
    ASSERT_GT(largest, 0.0f) << "no deck";
    for (float heading : {0.0f, 37.0f, 144.0f, 300.0f}) {
        const glm::vec3 turned = glm::normalize(glm::mat3(CarouselAt(heading).Matrix()) * normal);
        EXPECT_GT(std::abs(turned.y), 0.999f) << "heading " << heading;
    }
}

}  // namespace
}  // namespace kr::makedata::test
