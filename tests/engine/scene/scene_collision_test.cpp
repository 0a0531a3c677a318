#include <gtest/gtest.h>

#include "engine/error.hpp"
#include "engine/image/image.hpp"
#include "engine/scene/scene_fixture.hpp"

namespace kr::scene {
namespace {

using test_support::ExpectNear;
using test_support::SceneTest;

struct SceneCollisionTest : SceneTest {
    // A 100-unit box at `at`, collidable with exact triangles.
    Mesh Crate(const char* name, glm::vec3 at) {
        Mesh mesh = scene().CreateMesh(name);
        mesh.MakeBox(100, 100, 100);
        mesh.SetPosition(at);
        mesh.SetCollision(true, true, 3);
        return mesh;
    }
    CollisionResult Shoot(glm::vec3 from, glm::vec3 to, collision::KindMask kinds = hit::World) {
        return scene().Collide(from, to, kinds);
    }
};

TEST_F(SceneCollisionTest, ASegmentThroughAMeshHitsItAndNamesIt) {
    Mesh crate = Crate("Przeciwnik_3_Sr17", {500, 0, 0});
    CollisionResult result = Shoot({0, 0, 0}, {1000, 0, 0});
    ASSERT_TRUE(result.hit);
    EXPECT_EQ(result.name, "Przeciwnik_3_Sr17");
    ExpectNear(result.point, {450, 0, 0}, 1e-2f);
    EXPECT_EQ(result.object.handle().slot, crate.handle().slot);
    EXPECT_FALSE(Shoot({0, 0, 0}, {400, 0, 0}).hit);  // stops short

    crate.SetPosition({500, 0, 300});  // moving is seen by the next test
    EXPECT_FALSE(Shoot({0, 0, 0}, {1000, 0, 0}).hit);
    EXPECT_TRUE(Shoot({0, 0, 300}, {1000, 0, 300}).hit);
}

TEST_F(SceneCollisionTest, HiddenDisabledNonCollidableAndDestroyedMeshesAreNeverHit) {
    Mesh crate = Crate("crate", {500, 0, 0});
    crate.Hide();
    EXPECT_FALSE(Shoot({0, 0, 0}, {1000, 0, 0}).hit);
    crate.Show();
    EXPECT_TRUE(Shoot({0, 0, 0}, {1000, 0, 0}).hit);
    crate.SetEnabled(false);
    EXPECT_FALSE(Shoot({0, 0, 0}, {1000, 0, 0}).hit);
    crate.SetEnabled(true);
    crate.SetCollision(false, true, 1);  // shots and shields are set up like this
    EXPECT_FALSE(Shoot({0, 0, 0}, {1000, 0, 0}).hit);
    Mesh plain = scene().CreateMesh("stars");  // never set up: not collidable
    plain.MakeSphere(300, 8, 8);
    EXPECT_FALSE(Shoot({0, 0, 0}, {1000, 0, 0}).hit);
    crate.SetCollision(true, true, 3);
    crate.Destroy();
    EXPECT_FALSE(Shoot({0, 0, 0}, {1000, 0, 0}).hit);
}

TEST_F(SceneCollisionTest, ClonesCollideOnTheirOwnAndTheNearestWins) {
    Mesh templ = Crate("tree11.tvm", {0, 0, 0});
    templ.Hide();  // templates stay hidden; clones are shown one by one
    Mesh near = templ.Clone("tree11.tvm");
    Mesh far = templ.Clone("far");
    near.SetPosition({300, 0, 0});
    far.SetPosition({700, 0, 0});
    near.Show();
    far.Show();
    CollisionResult result = Shoot({0, 0, 0}, {1000, 0, 0});
    EXPECT_EQ(result.name, "tree11.tvm");
    ExpectNear(result.point, {250, 0, 0}, 1e-2f);
    near.Hide();
    EXPECT_EQ(Shoot({0, 0, 0}, {1000, 0, 0}).name, "far");
    EXPECT_FALSE(Shoot({-100, 0, 0}, {100, 0, 0}).hit);  // the hidden template is not there
}

TEST_F(SceneCollisionTest, BoundingBoxPrecisionHitsTheBoxOfARoundShape) {
    Mesh ball = scene().CreateMesh("ball");
    ball.MakeSphere(100, 16, 16);
    ball.SetCollision(true, true, 3);
    glm::vec3 corner(95, 95, -1000), end(95, 95, 1000);  // inside the box, outside the sphere
    EXPECT_FALSE(Shoot(corner, end).hit);
    ball.SetCollision(true, true, 1);
    EXPECT_TRUE(Shoot(corner, end).hit);
}

TEST_F(SceneCollisionTest, ActorsAreHitOnlyWhenAskedForAndFollowTheirPose) {
    Actor arm = scene().CreateActor("Boss");
    arm.Load("models\\arm.tva", true, true);
    arm.SetCollision(true, true, 3);
    // The arm's triangle lies in the z = 0 plane between x 10..11, y 0..1.
    glm::vec3 from(10.2f, 0.2f, -5), to(10.2f, 0.2f, 5);
    EXPECT_FALSE(Shoot(from, to, hit::World).hit);
    CollisionResult result = Shoot(from, to, hit::Actors);
    ASSERT_TRUE(result.hit);
    EXPECT_EQ(result.name, "Boss");
    arm.SetLooping(false);
    scene().Update(1000);  // swung a quarter turn up: the triangle has gone
    EXPECT_FALSE(Shoot(from, to, hit::Actors).hit);
    EXPECT_TRUE(Shoot({-0.2f, 10.2f, -5}, {-0.2f, 10.2f, 5}, hit::Actors).hit);
}

TEST_F(SceneCollisionTest, TheLandscapeIsHitAtItsHeightWhereverItMoves) {
    image::Image map(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = map.Pixel(x, y);
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>((x * 13 + y * 7) % 256);
            p[3] = 255;
        }
    temp.Write("height.png", image::EncodePng(map));
    scene().SetLandscapeName("name");
    scene().GenerateLandscape("height.png", 4, 4, 1);
    Landscape& land = scene().landscape();
    land.SetScale({5, 1, 5});
    land.SetPosition({-300, -200, -1200});
    for (glm::vec2 at : {glm::vec2(100, 100), glm::vec2(2345.5f, 777.25f), glm::vec2(4000, 3000)}) {
        CollisionResult result = Shoot({at.x, 2000, at.y}, {at.x, -2000, at.y});
        ASSERT_TRUE(result.hit);
        EXPECT_EQ(result.name, "name");
        EXPECT_FALSE(result.object.IsValid());
        EXPECT_NEAR(result.point.y, land.HeightAt(at.x, at.y), 0.05f);
    }
    land.Move({-1000, 0, 0});  // the scroll of a mission
    CollisionResult moved = Shoot({100, 2000, 100}, {100, -2000, 100});
    EXPECT_NEAR(moved.point.y, land.HeightAt(100, 100), 0.05f);
    EXPECT_FALSE(Shoot({100, 2000, 100}, {100, -2000, 100}, hit::Actors).hit);
    land.SetEnabled(false);
    EXPECT_FALSE(Shoot({100, 2000, 100}, {100, -2000, 100}).hit);
    land.SetEnabled(true);
    scene().DeleteAllLandscapes();
    EXPECT_FALSE(Shoot({100, 2000, 100}, {100, -2000, 100}).hit);
}

TEST_F(SceneCollisionTest, PickingFindsTheObjectUnderThePointer) {
    scene().SetCamera({0, 150, 0}, {20, 0, 0});
    Mesh floor = scene().CreateMesh("Menu_Tlo_TVM");
    floor.MakeBox(2000, 10, 2000);
    floor.SetPosition({0, -50, 0});
    floor.SetCollision(true, true, 3);
    CollisionResult centre = scene().Pick(512, 384, 1024, 768, hit::Meshes | hit::Actors);
    ASSERT_TRUE(centre.hit);
    EXPECT_EQ(centre.name, "Menu_Tlo_TVM");
    EXPECT_NEAR(centre.point.y, -45, 1e-2);
    floor.Hide();
    EXPECT_FALSE(scene().Pick(512, 384, 1024, 768, hit::Meshes | hit::Actors).hit);  // empty space
}

TEST_F(SceneCollisionTest, EmittersFollowTheirMeshAndAreDrawnWithTheirSprite) {
    Mesh ship = Crate("Statek_TVM", {-200, 10, 0});
    particles::ParticleSystem& particles = scene().particles();
    int smoke = particles.CreateEmitter(0, 20);
    particles.SetPosition(smoke, {-224, 14, 0});
    scene().AttachEmitter(smoke, ship);
    ship.SetPosition({0, 10, 50});
    particles.SetPowerAndLifetime(smoke, 80, 1.2);
    particles.SetSprite(smoke, "smokeparticle", 60, false, {60, 60, 60});
    particles.SetEmitting(smoke, true);
    scene().UpdateParticles(100);
    ExpectNear(particles.Position(smoke), {-24, 14, 50});
    EXPECT_GT(particles.LiveParticles(smoke), 0u);

    engine.Clear();
    scene().RenderParticles();
    engine.Present();
    const auto& pass = std::get<SceneCommand>(backend.frames.back().commands.back());
    ASSERT_EQ(pass.particles.size(), 1u);
    EXPECT_EQ(pass.particles[0].billboards.size(), particles.LiveParticles(smoke));
    EXPECT_FLOAT_EQ(pass.particles[0].billboards[0].size.x, 60);

    ship.Destroy();  // the emitter stays where it was
    scene().UpdateParticles(100);
    ExpectNear(particles.Position(smoke), {-24, 14, 50});
    scene().ResetParticles();
    EXPECT_FALSE(particles.Exists(smoke));
}

}  // namespace
}  // namespace kr::scene
