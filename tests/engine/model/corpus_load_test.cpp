// Loading GLB files made by other tools: the facts each file is known to
// hold (counts, bounds, transforms, skins, animations, materials, pictures).

#include <set>
#include <tuple>

#include "engine/model/geometry.hpp"
#include "engine/model/pose.hpp"
#include "engine/model/transform.hpp"
#include "model_test_util.hpp"

namespace kr::model::test {
namespace {

struct PrimitiveFacts {
    std::size_t vertices;
    std::size_t indices;
};

void ExpectPrimitive(const Model& model, int mesh, PrimitiveFacts facts, const std::string& what) {
    ASSERT_LT(static_cast<std::size_t>(mesh), model.meshes.size()) << what;
    ASSERT_EQ(model.meshes[static_cast<std::size_t>(mesh)].primitives.size(), 1u) << what;
    const Primitive& primitive = model.meshes[static_cast<std::size_t>(mesh)].primitives[0];
    EXPECT_EQ(primitive.vertices.size(), facts.vertices) << what;
    EXPECT_EQ(primitive.indices.size(), facts.indices) << what;
}

Bounds RawBounds(const Primitive& primitive) { return BoundsOf({primitive}); }

void ExpectBounds(const Bounds& bounds, glm::vec3 min, glm::vec3 max, const std::string& what) {
    ExpectNear(bounds.min, min, 1e-5f, what + " min");
    ExpectNear(bounds.max, max, 1e-5f, what + " max");
}

// Node 0 of most Khronos samples turns Z-up into Y-up.
const glm::mat4 kZUpToYUp(glm::vec4(1, 0, 0, 0), glm::vec4(0, 0, -1, 0), glm::vec4(0, 1, 0, 0), glm::vec4(0, 0, 0, 1));

void ExpectZUpRoot(const Model& model, const std::string& what) {
    ASSERT_FALSE(model.nodes.empty()) << what;
    const Pose rest = RestPose(model);
    ExpectNear(rest.local[0], kZUpToYUp, 1e-6f, what + " node 0 matrix");
    ExpectNear(glm::vec3(rest.local[0] * glm::vec4(0, 0, 1, 0)), glm::vec3(0, 1, 0), 1e-6f, what + " maps +z to +y");
}

TEST(GlbCorpus, BoxAndItsInterleavedTwin) {
    for (const char* name : {"Box.glb", "BoxInterleaved.glb"}) {
        const Model model = LoadCorpus(name);
        EXPECT_EQ(model.nodes.size(), 2u) << name;
        EXPECT_EQ(model.roots, std::vector<int>{0}) << name;
        EXPECT_EQ(model.nodes[0].children, std::vector<int>{1}) << name;
        EXPECT_EQ(model.nodes[1].parent, 0) << name;
        EXPECT_EQ(model.nodes[1].mesh, 0) << name;
        ExpectPrimitive(model, 0, {24, 36}, name);
        ExpectBounds(RawBounds(model.meshes[0].primitives[0]), glm::vec3(-0.5f), glm::vec3(0.5f), name);
        ExpectZUpRoot(model, name);
        // Interleaved positions and normals must not be mixed up: every
        // position is a cube corner and every normal an axis.
        for (const Vertex& v : model.meshes[0].primitives[0].vertices) {
            ExpectNear(glm::abs(v.position), glm::vec3(0.5f), 1e-6f, std::string(name) + " corner");
            EXPECT_NEAR(std::abs(v.normal.x) + std::abs(v.normal.y) + std::abs(v.normal.z), 1.0f, 1e-6f) << name;
        }
        ASSERT_EQ(model.materials.size(), 1u) << name;
        EXPECT_EQ(model.materials[0].image, -1) << name;
        EXPECT_TRUE(model.skins.empty() && model.animations.empty() && model.images.empty()) << name;
    }
    const Model box = LoadCorpus("Box.glb");
    EXPECT_EQ(box.materials[0].name, "Red");
    EXPECT_NEAR(box.materials[0].baseColour.r, 0.8f, 1e-6f);
    EXPECT_EQ(box.materials[0].metallic, 0.0f);
    EXPECT_EQ(box.materials[0].roughness, 1.0f);
}

TEST(GlbCorpus, BoxTexturedKeepsItsPngAndUvs) {
    const Model model = LoadCorpus("BoxTextured.glb");
    ExpectPrimitive(model, 0, {24, 36}, "BoxTextured");
    ExpectZUpRoot(model, "BoxTextured");
    ASSERT_EQ(model.images.size(), 1u);
    EXPECT_EQ(model.images[0].mimeType, "image/png");
    EXPECT_EQ(model.images[0].name, "CesiumLogoFlat.png");
    ASSERT_EQ(model.images[0].encoded.size(), 23516u);
    EXPECT_EQ(model.images[0].encoded[1], 'P');
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_EQ(model.materials[0].image, 0);
    EXPECT_EQ(model.materials[0].wrapS, Wrap::Repeat);
    std::set<std::pair<float, float>> uvs;
    for (const Vertex& v : model.meshes[0].primitives[0].vertices) uvs.insert({v.uv.x, v.uv.y});
    EXPECT_GT(uvs.size(), 4u);
}

TEST(GlbCorpus, BoxAnimatedStructure) {
    const Model model = LoadCorpus("BoxAnimated.glb");
    EXPECT_EQ(model.nodes.size(), 4u);
    EXPECT_EQ(model.roots, (std::vector<int>{3, 0}));
    ExpectPrimitive(model, 0, {96, 186}, "inner box");
    ExpectPrimitive(model, 1, {224, 576}, "outer box");
    ExpectBounds(RawBounds(model.meshes[1].primitives[0]), glm::vec3(-0.5f), glm::vec3(0.5f), "outer box");
    EXPECT_EQ(model.meshes[0].name, "inner_box");
    EXPECT_EQ(model.meshes[0].primitives[0].material, 0);
    EXPECT_EQ(model.meshes[1].primitives[0].material, 1);
    ASSERT_EQ(model.animations.size(), 1u);
    const Animation& animation = model.animations[0];
    EXPECT_NEAR(animation.duration, 3.70833f, 1e-5f);
    ASSERT_EQ(animation.channels.size(), 2u);
    EXPECT_EQ(animation.channels[0].node, 2);
    EXPECT_EQ(animation.channels[0].path, Path::Rotation);
    EXPECT_EQ(animation.channels[1].node, 0);
    EXPECT_EQ(animation.channels[1].path, Path::Translation);
    ASSERT_EQ(animation.samplers.size(), 2u);
    EXPECT_EQ(animation.samplers[0].times.size(), 2u);
    EXPECT_FLOAT_EQ(animation.samplers[0].times.back(), 2.5f);
    EXPECT_EQ(animation.samplers[1].times.size(), 4u);
    EXPECT_EQ(animation.samplers[0].values.size(), 8u);
}

TEST(GlbCorpus, RiggedSimpleSkin) {
    const Model model = LoadCorpus("RiggedSimple.glb");
    EXPECT_EQ(model.nodes.size(), 5u);
    ExpectZUpRoot(model, "RiggedSimple");
    ExpectPrimitive(model, 0, {96, 564}, "RiggedSimple");
    ExpectBounds(RawBounds(model.meshes[0].primitives[0]), {-1, -1, -4.57508f}, {1, 1, 4.57508f}, "RiggedSimple");
    ASSERT_EQ(model.skins.size(), 1u);
    EXPECT_EQ(model.skins[0].joints, (std::vector<int>{2, 3}));
    EXPECT_EQ(model.skins[0].skeleton, 2);
    EXPECT_EQ(model.skins[0].inverseBind.size(), 2u);
    EXPECT_NE(model.skins[0].inverseBind[0], glm::mat4(1.0f));
    EXPECT_EQ(model.nodes[1].skin, 0);
    for (const Vertex& v : model.meshes[0].primitives[0].vertices) {
        EXPECT_NEAR(v.weights.x + v.weights.y + v.weights.z + v.weights.w, 1.0f, 1e-5f);
        EXPECT_LE(v.joints.x, 1);
    }
    ASSERT_EQ(model.animations.size(), 1u);
    EXPECT_EQ(model.animations[0].channels.size(), 6u);
    EXPECT_NEAR(model.animations[0].duration, 2.08333f, 1e-5f);
}

TEST(GlbCorpus, CesiumManSkinAnimationAndJpeg) {
    const Model model = LoadCorpus("CesiumMan.glb");
    EXPECT_EQ(model.nodes.size(), 22u);
    ExpectZUpRoot(model, "CesiumMan");
    ExpectPrimitive(model, 0, {3273, 14016}, "CesiumMan");
    ExpectBounds(RawBounds(model.meshes[0].primitives[0]), {-0.131f, -0.569137f, 0.0f},
                 {0.180954f, 0.569137f, 1.50655f}, "CesiumMan");
    ASSERT_EQ(model.skins.size(), 1u);
    EXPECT_EQ(model.skins[0].joints.size(), 19u);
    EXPECT_EQ(model.skins[0].inverseBind.size(), 19u);
    EXPECT_EQ(model.skins[0].skeleton, 2);
    ASSERT_EQ(model.animations.size(), 1u);
    EXPECT_EQ(model.animations[0].channels.size(), 57u);
    EXPECT_NEAR(model.animations[0].duration, 2.0f, 1e-6f);
    EXPECT_EQ(model.animations[0].samplers[0].times.size(), 49u);
    ASSERT_EQ(model.images.size(), 1u);
    EXPECT_EQ(model.images[0].mimeType, "image/jpeg");
    EXPECT_EQ(model.images[0].encoded.size(), 209908u);
    EXPECT_EQ(model.images[0].encoded[0], 0xff);
    EXPECT_EQ(model.materials[0].image, 0);
}

TEST(GlbCorpus, TextureSettingsSamplersAndDoubleSidedness) {
    const Model model = LoadCorpus("TextureSettingsTest.glb");
    EXPECT_EQ(model.nodes.size(), 11u);
    EXPECT_EQ(model.nodes[0].children.size(), 10u);
    ExpectZUpRoot(model, "TextureSettingsTest");
    ASSERT_EQ(model.meshes.size(), 10u);
    const PrimitiveFacts counts[10] = {{8, 12}, {8, 12}, {8, 12},  {8, 12},  {8, 12},
                                       {8, 12}, {8, 12}, {12, 18}, {12, 18}, {64, 96}};
    for (int m = 0; m < 10; ++m) ExpectPrimitive(model, m, counts[m], "mesh " + std::to_string(m));
    ExpectBounds(RawBounds(model.meshes[4].primitives[0]), {-5.16167f, 0.1f, -5.61856f}, {5.16167f, 0.15f, 4.45354f},
                 "mesh 4");
    ExpectBounds(RawBounds(model.meshes[9].primitives[0]), {-4.56724f, -2.98495e-07f, -5.08823f},
                 {4.65493f, -1.60736e-07f, 3.9602f}, "mesh 9");

    ASSERT_EQ(model.images.size(), 3u);
    const std::size_t imageSizes[3] = {9878, 9775, 7376};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(model.images[static_cast<std::size_t>(i)].mimeType, "image/png");
        EXPECT_EQ(model.images[static_cast<std::size_t>(i)].encoded.size(), imageSizes[i]);
    }
    ASSERT_EQ(model.materials.size(), 10u);
    using W = Wrap;
    const std::tuple<int, W, W> textures[10] = {{0, W::Repeat, W::MirroredRepeat}, {1, W::MirroredRepeat, W::Repeat},
                                                {0, W::ClampToEdge, W::Repeat},    {0, W::Repeat, W::ClampToEdge},
                                                {-1, W::Repeat, W::Repeat},        {1, W::Repeat, W::ClampToEdge},
                                                {1, W::ClampToEdge, W::Repeat},    {1, W::Repeat, W::Repeat},
                                                {1, W::Repeat, W::Repeat},         {2, W::Repeat, W::Repeat}};
    for (std::size_t m = 0; m < 10; ++m) {
        const Material& material = model.materials[m];
        EXPECT_EQ(material.image, std::get<0>(textures[m])) << "material " << m;
        EXPECT_EQ(material.wrapS, std::get<1>(textures[m])) << "material " << m;
        EXPECT_EQ(material.wrapT, std::get<2>(textures[m])) << "material " << m;
        EXPECT_EQ(material.doubleSided, m == 7) << "material " << m;
        EXPECT_NEAR(material.roughness, 0.9f, 1e-6f);
        EXPECT_EQ(material.metallic, 0.0f);
    }
    EXPECT_EQ(model.materials[7].name, "DoubleSidedMaterial");
    EXPECT_NEAR(model.materials[4].baseColour.b, 0.64f, 1e-6f);
}

TEST(GlbCorpus, BoxSparseWithoutSceneProperty) {
    const Model model = LoadCorpus("box_sparse.glb");
    ASSERT_EQ(model.nodes.size(), 1u);
    EXPECT_EQ(model.nodes[0].name, "box");
    EXPECT_EQ(model.roots, std::vector<int>{0});
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_EQ(model.meshes[0].primitives.size(), 1u);
    const Primitive& primitive = model.meshes[0].primitives[0];
    // 36 uint32 indices over 8 corners; without normals the triangles get
    // flat normals and their own vertices.
    EXPECT_EQ(primitive.indices.size(), 36u);
    std::set<std::tuple<float, float, float>> corners;
    for (const Vertex& v : primitive.vertices) {
        corners.insert({v.position.x, v.position.y, v.position.z});
        EXPECT_NEAR(glm::length(v.normal), 1.0f, 1e-6f);
        EXPECT_NEAR(std::abs(v.normal.x) + std::abs(v.normal.y) + std::abs(v.normal.z), 1.0f, 1e-6f);
    }
    EXPECT_EQ(corners.size(), 8u);
    ExpectBounds(RawBounds(primitive), glm::vec3(-0.5f), glm::vec3(0.5f), "box_sparse");
    // The weights animation reads the sparse accessor without a buffer view.
    ASSERT_EQ(model.animations.size(), 1u);
    const Animation& animation = model.animations[0];
    EXPECT_NEAR(animation.duration, 2.0f, 1e-6f);
    ASSERT_EQ(animation.channels.size(), 1u);
    EXPECT_EQ(animation.channels[0].path, Path::Weights);
    EXPECT_EQ(animation.samplers[0].values, (std::vector<float>{0.0f, 1.0f}));
    EXPECT_EQ(animation.samplers[0].times, (std::vector<float>{1.0f, 2.0f}));
}

TEST(GlbCorpus, FlatNormalsFollowTheWinding) {
    // This file winds its triangles inward; computed normals follow the
    // winding, as glTF asks, so all of them point into the cube.
    const Model model = LoadCorpus("box_sparse.glb");
    const Primitive& primitive = model.meshes[0].primitives[0];
    for (std::size_t t = 0; t < primitive.indices.size(); t += 3) {
        const Vertex& a = primitive.vertices[primitive.indices[t]];
        const Vertex& b = primitive.vertices[primitive.indices[t + 1]];
        const Vertex& c = primitive.vertices[primitive.indices[t + 2]];
        const glm::vec3 face = glm::normalize(glm::cross(b.position - a.position, c.position - a.position));
        ExpectNear(a.normal, face, 1e-6f, "triangle " + std::to_string(t / 3));
        EXPECT_EQ(a.normal, b.normal);
        EXPECT_EQ(a.normal, c.normal);
        EXPECT_LT(glm::dot(a.normal, a.position + b.position + c.position), 0.0f);
    }
}

}  // namespace
}  // namespace kr::model::test
