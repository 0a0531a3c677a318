#include <gtest/gtest.h>

#include <filesystem>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/engine.hpp"
#include "engine/error.hpp"
#include "engine/model/glb.hpp"
#include "engine/scene/scene_fixture.hpp"

namespace kr::scene {
namespace {

using test_support::ExpectNear;
using test_support::SceneTest;
using test_support::SwingingArm;

TEST(Transform, AnglesComposeRollThenPitchThenYaw) {
    glm::vec3 forward(1, 0, 0);
    ExpectNear(glm::vec3(RotationFromDegrees({0, 90, 0}) * glm::vec4(forward, 0)), {0, 0, -1});
    // Roll 90 turns +x to +y; pitch 90 then leaves it... about x: +y goes to +z; yaw 90: +z goes to +x.
    ExpectNear(glm::vec3(RotationFromDegrees({90, 90, 90}) * glm::vec4(forward, 0)), {1, 0, 0});
    ExpectNear(glm::vec3(RotationFromDegrees({90, 0, 90}) * glm::vec4(forward, 0)), {0, 0, 1});
    Transform t{{10, 0, 0}, {0, 0, 0}, {2, 3, 4}};
    ExpectNear(glm::vec3(t.Matrix() * glm::vec4(1, 1, 1, 1)), {12, 3, 4});
}

TEST(Transform, TheViewIsLeftHandedSoPlusZIsOnTheLeft) {
    Camera camera;
    camera.position = {0, 0, 0};
    camera.lookAt = {100, 0, 0};
    glm::mat4 clip = ProjectionMatrix(camera, 4.0f / 3.0f) * ViewMatrix(camera);
    glm::vec4 left = clip * glm::vec4(100, 0, 20, 1);
    EXPECT_LT(left.x / left.w, 0);
    glm::vec4 up = clip * glm::vec4(100, 20, 0, 1);
    EXPECT_GT(up.y / up.w, 0);
    // Straight down still gives a usable view, +x up the screen.
    camera.position = {0, 150, 0};
    camera.lookAt = {0, 0, 0};
    glm::vec4 ahead = ProjectionMatrix(camera, 1) * ViewMatrix(camera) * glm::vec4(20, 0, 0, 1);
    EXPECT_GT(ahead.y / ahead.w, 0);
}

TEST_F(SceneTest, MeshesLoadShareTheirTrianglesAndCloneIndependently) {
    Mesh box = scene().CreateMesh("Crate");
    box.Load("Models\\box.glb", true, true);
    EXPECT_EQ(box.TriangleCount(), 12u);
    box.SetPosition({1, 2, 3});
    box.SetScale({2, 2, 2});
    box.SetColour({1, 1, 1, 0.7f});
    Mesh copy = box.Clone("Crate");
    EXPECT_EQ(copy.Name(), "Crate");
    EXPECT_EQ(copy.Scale(), glm::vec3(2));
    copy.SetPosition({9, 9, 9});
    copy.RotateY(90);
    EXPECT_EQ(box.Position(), glm::vec3(1, 2, 3));
    EXPECT_EQ(box.Rotation(), glm::vec3(0));
    Mesh again = scene().CreateMesh("Other");
    again.Load("models\\Box.glb", true, true);
    engine.Clear();
    scene().RenderAll();
    engine.Present();
    auto drawn = DrawnMeshes();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].geometry, drawn[2].geometry);  // one file, one set of triangles
    EXPECT_EQ(drawn[1].tint.a, 0.7f);
}

TEST_F(SceneTest, HiddenObjectsAreNotDrawnAndDestroyedOnesCannotBeUsed) {
    Mesh a = scene().CreateMesh("a");
    a.MakeBox(1, 1, 1);
    Mesh b = scene().CreateMesh("b");
    b.MakeSphere(5, 8, 8);
    b.Hide();
    EXPECT_FALSE(b.IsEnabled());
    engine.Clear();
    scene().RenderAll();
    engine.Present();
    EXPECT_EQ(DrawnMeshes().size(), 1u);
    a.Destroy();
    EXPECT_FALSE(a.IsValid());
    EXPECT_THROW(a.SetPosition({0, 0, 0}), Error);
    EXPECT_THROW(a.Destroy(), Error);
    Mesh reused = scene().CreateMesh("c");  // may take the freed slot
    EXPECT_FALSE(a.IsValid());
    EXPECT_TRUE(reused.IsValid());
}

TEST_F(SceneTest, ReferencesOutliveTheirSceneSafely) {
    Mesh kept;
    {
        test::TestBackend other;
        Device device2(other, {});
        Engine engine2(device2, temp.folder());
        kept = engine2.scene().CreateMesh("old");
    }
    EXPECT_FALSE(kept.IsValid());
    EXPECT_THROW(kept.Position(), Error);
}

TEST_F(SceneTest, DeleteAllTakesOneKindAndNamesAreData) {
    scene().CreateMesh("Gracz_Shield");
    scene().CreateMesh("Gracz_Shield");
    Actor boss = scene().CreateActor("Boss");
    EXPECT_EQ(scene().ObjectCount(), 3u);
    scene().DeleteAllMeshes();
    EXPECT_EQ(scene().ObjectCount(), 1u);
    EXPECT_TRUE(boss.IsValid());
    scene().DeleteAllActors();
    EXPECT_FALSE(boss.IsValid());
}

TEST_F(SceneTest, MaterialsAndLightsAreFoundByTheirLatestName) {
    int std = scene().CreateMaterial("std");
    scene().material(std).emissive = {0.9f, 0.9f, 0.9f, 1};
    EXPECT_EQ(scene().MaterialId("std"), std);
    EXPECT_THROW(scene().MaterialId("std3"), Error);
    int first = scene().CreatePointLight("menulight", {0, 0, 0}, {1, 0, 0, 1}, 3000);
    int second = scene().CreatePointLight("menulight", {0, 0, 0}, {0, 1, 0, 1}, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(scene().LightIndex("menulight"), second);
    scene().light(first).enabled = false;
    Mesh m = scene().CreateMesh("m");
    m.MakeBox(1, 1, 1);
    m.SetMaterial(std);
    EXPECT_THROW(m.SetMaterial(42), Error);
    engine.Clear();
    scene().RenderAll();
    engine.Present();
    const auto& pass = std::get<SceneCommand>(backend.frames.back().commands.at(1));
    EXPECT_EQ(pass.setup.lights.size(), 1u);  // the disabled light is left out
    EXPECT_EQ(pass.meshes.at(0).material.emissive.r, 0.9f);
    scene().DeleteAllLights();
    EXPECT_THROW(scene().LightIndex("menulight"), Error);
}

TEST_F(SceneTest, TexturesOnGroupsFollowTheRegistry) {
    Mesh box = scene().CreateMesh("t");
    box.Load("models\\BoxTextured.glb", true, true);
    engine.Clear();
    scene().RenderAll();
    engine.Present();
    EXPECT_NE(DrawnMeshes().at(0).textures.at(0), 0u);  // the file's own picture
    image::MipChain red;
    red.levels.emplace_back(2, 2);
    int id = engine.textures().Add("s0.dds", red);
    box.SetTexture(id);
    engine.Clear();
    scene().RenderAll();
    engine.Present();
    EXPECT_EQ(DrawnMeshes().at(0).textures.at(0), engine.textures().Handle(id));
    engine.DeleteTexture("s0.dds");  // a deleted picture draws untextured, it does not fail
    engine.Clear();
    scene().RenderAll();
    engine.Present();
    EXPECT_EQ(DrawnMeshes().at(0).textures.at(0), 0u);
}

TEST_F(SceneTest, ActorBonesMoveWithTheAnimationAndTheTransform) {
    Actor actor = scene().CreateActor("Boss");
    actor.Load("models\\arm.tva", true, true);
    ASSERT_EQ(actor.BoneCount(), 2);
    ExpectNear(actor.BonePosition(1), {10, 0, 0});
    scene().Update(500);
    glm::vec3 later = actor.BonePosition(1);
    ExpectNear(later, {7.0710678f, 7.0710678f, 0});
    EXPECT_NEAR(actor.AnimationSeconds(), 0.5, 1e-9);
    engine.Clear();
    scene().Render(actor);
    engine.Present();
    ExpectNear(DrawnMeshes().at(0).geometry->primitives.at(0).vertices.at(0).position, later);  // skinned
    EXPECT_NEAR(actor.AnimationSeconds(), 0.516, 1e-9);  // presenting a frame advances the animation

    actor.SetAnimationSpeed(0);  // frozen
    glm::vec3 frozen = actor.BonePosition(1);
    scene().Update(500);
    ExpectNear(actor.BonePosition(1), frozen);
    actor.SetAnimationSpeed(1);
    actor.StopAnimation();
    scene().Update(500);
    ExpectNear(actor.BonePosition(1), frozen);

    actor.SetPosition({100, 0, 0});
    ExpectNear(actor.BonePosition(1), frozen + glm::vec3(100, 0, 0));
    EXPECT_THROW(actor.BonePosition(2), Error);

    Actor twin = actor.Clone("Boss");
    twin.PlayAnimation();
    scene().Update(250);
    EXPECT_NEAR(twin.AnimationSeconds(), 0.25, 1e-9);
    EXPECT_NEAR(actor.AnimationSeconds(), 0.516, 1e-9);  // playback is per clone
}

TEST_F(SceneTest, MissingOrBrokenModelsNameTheFile) {
    temp.Write("models/broken.tvm", std::string("glTF\x02\0\0\0", 8));
    Mesh mesh = scene().CreateMesh("x");
    try {
        mesh.Load("models\\broken.tvm", true, true);
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "models\\broken.tvm");
    }
    EXPECT_THROW(mesh.Load("models\\absent.tvm", true, true), FileError);
    Mesh plain = scene().CreateMesh("y");
    Actor notAnActor(plain);  // a reference of the wrong kind
    EXPECT_THROW(notAnActor.BoneCount(), Error);
}

}  // namespace
}  // namespace kr::scene
