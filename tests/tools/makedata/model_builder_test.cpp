// Skeletons, skin weights, animations and whole models: valid hierarchies,
// weights that sum to 1, and a GLB round trip that keeps what was built.

#include <gtest/gtest.h>

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"
#include "engine/model/glb.hpp"
#include "engine/model/pose.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/model_check.hpp"
#include "toolkit/primitives.hpp"

namespace kr::toolkit::test {
namespace {

glm::quat AboutZ(float radians) { return glm::angleAxis(radians, glm::vec3(0, 0, 1)); }

// An arm along +x: shoulder at the origin, elbow at 2, hand at 4.
Skeleton Arm() {
    Skeleton s;
    const int shoulder = s.AddJoint("shoulder", -1, {0, 0, 0});
    const int elbow = s.AddJoint("elbow", shoulder, {2, 0, 0});
    s.AddJoint("hand", elbow, {2, 0, 0});
    return s;
}

model::Mesh ArmMesh() {
    Surface tube = Capsule(0.4f, 4.0f, 12, 4);
    tube.Rotate(-1.5707963f, {0, 0, 1});  // lie along x
    tube.Translate({2, 0, 0});
    MeshBuilder builder;
    builder.Add(tube);
    return builder.Build("arm");
}

model::Model AnimatedArm() {
    ModelBuilder builder;
    builder.skeleton() = Arm();
    model::Mesh mesh = ArmMesh();
    WeightByDistance(mesh, builder.skeleton());
    model::Material metal;
    metal.name = "metal";
    metal.image = builder.AddImage("panel", ToImage(Canvas(8, 8, Colour(0.4f, 0.42f, 0.45f, 1.0f))));
    builder.AddMaterial(metal);
    for (auto& p : mesh.primitives) p.material = 0;
    builder.AddMesh(std::move(mesh), "arm");
    MeshBuilder claw;
    claw.Add(Box({0.5f, 0.5f, 0.5f}));
    builder.AttachMesh(claw.Build("claw"), "claw", 2);
    AnimationBuilder& wave = builder.AddAnimation("wave");
    wave.Rotation(1, 0.0f, AboutZ(0.0f)).Rotation(1, 1.0f, AboutZ(1.2f)).Rotation(1, 2.0f, AboutZ(0.0f));
    wave.Translation(0, 0.5f, {0, 1, 0}).Translation(0, 0.0f, {0, 0, 0});
    return builder.Build();
}

TEST(Skeleton, RejectsBadParentsAndNames) {
    Skeleton s;
    EXPECT_THROW(s.AddJoint("a", 0, {}), Error);
    const int root = s.AddJoint("root", -1, {});
    EXPECT_THROW(s.AddJoint("root", root, {}), Error);
    EXPECT_THROW(s.AddJoint("", root, {}), Error);
    EXPECT_THROW(s.AddJoint("b", -2, {}), Error);
    EXPECT_EQ(s.Find("root"), 0);
    EXPECT_EQ(s.Find("none"), -1);
}

TEST(Skeleton, RestTransformsComposeDownTheChain) {
    Skeleton s;
    const int a = s.AddJoint("a", -1, {1, 0, 0}, AboutZ(1.5707963f));
    const int b = s.AddJoint("b", a, {2, 0, 0});
    const glm::vec3 p = s.RestPosition(b);
    EXPECT_NEAR(p.x, 1.0f, 1e-5f);
    EXPECT_NEAR(p.y, 2.0f, 1e-5f);
    EXPECT_EQ(s.Children(a), std::vector<int>{b});
}

TEST(SkinWeights, SumToOneUseAtMostFourJointsAndFollowNearness) {
    Skeleton s;
    const int root = s.AddJoint("root", -1, {});
    for (int i = 0; i < 5; ++i) s.AddJoint("arm" + std::to_string(i), root, {std::cos(i * 1.2f) * 3, 0, std::sin(i * 1.2f) * 3});
    MeshBuilder builder;
    builder.Add(Sphere(3.0f, 16, 8));
    model::Mesh mesh = builder.Build("ball");
    WeightByDistance(mesh, s);
    for (const auto& v : mesh.primitives[0].vertices) {
        EXPECT_NEAR(v.weights.x + v.weights.y + v.weights.z + v.weights.w, 1.0f, 1e-5f);
        EXPECT_GE(v.weights.x, v.weights.y);
        EXPECT_GE(v.weights.y, v.weights.z);
        EXPECT_GE(v.weights.w, 0.0f);
        for (int k = 0; k < 4; ++k) EXPECT_LT(v.joints[k], 6);
    }
    // Along the arm, the middle of each bone belongs mostly to its joint.
    model::Mesh arm = ArmMesh();
    const Skeleton skeleton = Arm();
    WeightByDistance(arm, skeleton);
    for (const auto& v : arm.primitives[0].vertices) {
        if (std::abs(v.position.x - 1.0f) < 0.3f) {
            EXPECT_EQ(v.joints.x, 0);
        }
        if (std::abs(v.position.x - 3.0f) < 0.3f) {
            EXPECT_EQ(v.joints.x, 1);
        }
        if (v.position.x > 4.2f) {
            EXPECT_EQ(v.joints.x, 2);
        }
    }
}

TEST(SkinWeights, ByRegionBindsRigidlyAndChecksTheJoint) {
    model::Mesh arm = ArmMesh();
    const Skeleton skeleton = Arm();
    WeightByRegion(arm, skeleton, [](glm::vec3 p) { return p.x < 2.0f ? 0 : 1; });
    for (const auto& v : arm.primitives[0].vertices) {
        EXPECT_EQ(v.weights, glm::vec4(1, 0, 0, 0));
        EXPECT_EQ(v.joints.x, v.position.x < 2.0f ? 0 : 1);
    }
    EXPECT_THROW(WeightByRegion(arm, skeleton, [](glm::vec3) { return 3; }), Error);
    EXPECT_THROW(WeightByDistance(arm, Skeleton()), Error);
}

TEST(ModelBuilder, BuildsAValidSkinnedAnimatedModel) {
    const model::Model m = AnimatedArm();
    EXPECT_TRUE(ModelProblems(m).empty()) << ModelProblems(m).front();
    ASSERT_EQ(m.skins.size(), 1u);
    ASSERT_EQ(m.nodes.size(), 5u);  // three joints, the skinned arm, the claw
    EXPECT_EQ(m.roots, (std::vector<int>{0, 3}));
    EXPECT_EQ(m.nodes[2].children, std::vector<int>{4});
    EXPECT_EQ(m.nodes[3].skin, 0);
    EXPECT_EQ(m.nodes[4].skin, -1);
    // Inverse bind matrices undo the rest pose.
    const model::Pose rest = model::RestPose(m);
    for (std::size_t j = 0; j < m.skins[0].joints.size(); ++j) {
        const glm::mat4 identity = rest.world[m.skins[0].joints[j]] * m.skins[0].inverseBind[j];
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r) EXPECT_NEAR(identity[c][r], c == r ? 1.0f : 0.0f, 1e-5f);
    }
    // Keys come out sorted, whatever order they were given in.
    const model::Animation& wave = m.animations.at(0);
    EXPECT_FLOAT_EQ(wave.duration, 2.0f);
    ASSERT_EQ(wave.channels.size(), 2u);
    EXPECT_EQ(wave.channels[0].node, 0);
    EXPECT_EQ(wave.samplers[wave.channels[0].sampler].times, (std::vector<float>{0.0f, 0.5f}));
    // Half-way through the wave the hand has swung up about the elbow.
    const model::Pose halfway = model::EvaluatePose(m, 0, 1.0f, false);
    const glm::vec3 hand = model::JointWorldPosition(m, halfway, 0, 2);
    EXPECT_NEAR(hand.x, 2.0f + 2.0f * std::cos(1.2f), 1e-4f);
    EXPECT_NEAR(hand.y, 1.0f + 2.0f * std::sin(1.2f), 1e-4f);  // the shoulder rose by 1
}

TEST(ModelBuilder, RotationKeysTurnTheShortWay) {
    ModelBuilder builder;
    builder.skeleton().AddJoint("j", -1, {});
    AnimationBuilder& spin = builder.AddAnimation("spin");
    spin.Rotation(0, 0.0f, AboutZ(0.1f)).Rotation(0, 1.0f, -AboutZ(0.3f));
    const model::Model built = builder.Build();
    const model::Sampler& s = built.animations[0].samplers[0];
    ASSERT_EQ(s.values.size(), 8u);
    const float dot = s.values[0] * s.values[4] + s.values[1] * s.values[5] + s.values[2] * s.values[6] + s.values[3] * s.values[7];
    EXPECT_GT(dot, 0.0f);
    EXPECT_THROW(spin.Interpolate(model::Interpolation::CubicSpline), Error);
    // Builders handed out earlier stay usable after more are added.
    for (int i = 0; i < 20; ++i) builder.AddAnimation("idle" + std::to_string(i)).Translation(0, 1.0f, {});
    spin.Scale(0, 2.0f, {2, 2, 2});
    EXPECT_FLOAT_EQ(builder.Build().animations[0].duration, 2.0f);
    builder.AddAnimation("empty");
    EXPECT_THROW(builder.Build(), Error);
    EXPECT_THROW(spin.Translation(0, -1.0f, {}), Error);
}

TEST(ModelBuilder, RejectsReferencesToMissingParts) {
    ModelBuilder builder;
    builder.skeleton().AddJoint("j", -1, {});
    model::Mesh mesh = ArmMesh();
    mesh.primitives[0].material = 0;  // no materials added
    builder.AddMesh(mesh, "arm");
    EXPECT_THROW(builder.Build(), Error);
    EXPECT_THROW(builder.AttachMesh(ArmMesh(), "x", 1), Error);
    ModelBuilder weighted;
    model::Mesh skinned = ArmMesh();
    skinned.primitives[0].vertices[0].weights = {1, 0, 0, 0};
    skinned.primitives[0].vertices[0].joints = {2, 0, 0, 0};
    weighted.AddMesh(skinned, "arm");
    EXPECT_THROW(weighted.Build(), Error);
}

TEST(ModelCheck, FindsBrokenTreesWeightsIndicesAndKeys) {
    const model::Model good = AnimatedArm();
    model::Model loop = good;
    loop.nodes[0].parent = 2;
    loop.nodes[2].children.push_back(0);
    EXPECT_FALSE(ModelProblems(loop).empty());
    model::Model light = good;
    light.meshes[0].primitives[0].vertices[3].weights *= 0.5f;
    EXPECT_FALSE(ModelProblems(light).empty());
    model::Model index = good;
    index.meshes[0].primitives[0].indices.back() = 1u << 30;
    EXPECT_FALSE(ModelProblems(index).empty());
    model::Model normal = good;
    normal.meshes[0].primitives[0].vertices[0].normal = {0, 0, 0};
    EXPECT_FALSE(ModelProblems(normal).empty());
    model::Model keys = good;
    keys.animations[0].samplers[0].times = {1.0f, 0.5f};
    EXPECT_FALSE(ModelProblems(keys).empty());
    keys.animations[0].samplers[0].values.pop_back();
    EXPECT_GE(ModelProblems(keys).size(), 2u);
}

TEST(GlbRoundTrip, KeepsMeshSkinAnimationAndPictureAndWritesTheSameBytes) {
    const model::Model writable = AnimatedArm();
    const Bytes glb = model::WriteGlb(writable);
    EXPECT_EQ(model::WriteGlb(writable), glb);
    const model::Model loaded = model::LoadGlb(glb, "arm.glb");
    EXPECT_TRUE(ModelProblems(loaded).empty());
    ASSERT_EQ(loaded.nodes.size(), writable.nodes.size());
    for (std::size_t i = 0; i < loaded.nodes.size(); ++i) EXPECT_EQ(loaded.nodes[i].name, writable.nodes[i].name);
    ASSERT_EQ(loaded.meshes.size(), 2u);
    EXPECT_EQ(loaded.nodes[4].parent, 2);
    const auto& a = writable.meshes[0].primitives[0];
    const auto& b = loaded.meshes[0].primitives[0];
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    EXPECT_EQ(a.indices, b.indices);
    for (std::size_t v = 0; v < a.vertices.size(); ++v) {
        EXPECT_EQ(a.vertices[v].position, b.vertices[v].position);
        EXPECT_EQ(a.vertices[v].uv, b.vertices[v].uv);
        EXPECT_EQ(a.vertices[v].joints, b.vertices[v].joints);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(a.vertices[v].weights[k], b.vertices[v].weights[k], 1e-5f);
    }
    ASSERT_EQ(loaded.skins.size(), 1u);
    EXPECT_EQ(loaded.skins[0].joints, writable.skins[0].joints);
    ASSERT_EQ(loaded.animations.size(), 1u);
    EXPECT_FLOAT_EQ(loaded.animations[0].duration, 2.0f);
    ASSERT_EQ(loaded.images.size(), 1u);
    EXPECT_EQ(loaded.images[0].encoded, writable.images[0].encoded);
    EXPECT_EQ(loaded.materials.at(0).image, 0);
}

}  // namespace
}  // namespace kr::toolkit::test
