// Writing GLB files: same model, same bytes; everything survives a write and
// a load; the file follows the layout other glTF readers expect.

#include <glm/gtc/matrix_transform.hpp>

#include "engine/model/pose.hpp"
#include "model_test_util.hpp"

namespace kr::model::test {
namespace {

Vertex MakeVertex(glm::vec3 position, glm::vec2 uv, glm::u16vec4 joints, glm::vec4 weights) {
    Vertex v;
    v.position = position;
    v.normal = glm::normalize(position + glm::vec3(0.1f, 0.2f, 0.3f));
    v.uv = uv;
    v.joints = joints;
    v.weights = weights;
    return v;
}

// Root node 0 holds the skinned mesh node 1 and the joint chain 2 > 3; a
// second, rigid mesh hangs off joint 3.
Model SkinnedAnimatedModel() {
    Model model;
    model.nodes.resize(5);
    model.nodes[0] = {"root", -1, {1, 2}, {0, 1, 0}, glm::angleAxis(0.3f, glm::vec3(0, 1, 0)), {1, 1, 1}, -1, -1};
    model.nodes[1] = {"body", 0, {}, {0, 0, 0}, {1, 0, 0, 0}, {1, 1, 1}, 0, 0};
    model.nodes[2] = {"hip", 0, {3}, {0, 0.5f, 0}, {1, 0, 0, 0}, {1, 1, 1}, -1, -1};
    model.nodes[3] = {"knee", 2, {4}, {0, 1, 0}, glm::angleAxis(-0.2f, glm::vec3(1, 0, 0)), {1, 2, 1}, -1, -1};
    model.nodes[4] = {"", 3, {}, {0.25f, 0, 0}, {1, 0, 0, 0}, {0.5f, 0.5f, 0.5f}, 1, -1};
    model.roots = {0};

    Primitive skinned;
    skinned.vertices = {MakeVertex({-1, 0, 0}, {0, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}),
                        MakeVertex({1, 0, 0}, {1, 0}, {0, 1, 0, 0}, {0.75f, 0.25f, 0, 0}),
                        MakeVertex({1, 2, 0}, {1, 1}, {1, 0, 0, 0}, {1, 0, 0, 0}),
                        MakeVertex({-1, 2, 0}, {0, 1}, {1, 0, 3, 0}, {0.5f, 0.5f, 0, 0})};
    skinned.indices = {0, 1, 2, 0, 2, 3};
    skinned.material = 0;
    Primitive plain = skinned;
    for (Vertex& v : plain.vertices) {
        v.weights = glm::vec4(0.0f);
        v.joints = glm::u16vec4(0);
    }
    plain.material = 1;
    model.meshes.push_back({"body", {skinned, plain}});
    Primitive rigid = plain;
    rigid.material = -1;
    model.meshes.push_back({"", {rigid}});

    Material textured;
    textured.name = "skin";
    textured.baseColour = {0.9f, 0.8f, 0.7f, 0.6f};
    textured.emissive = {0.1f, 0.2f, 0.3f};
    textured.metallic = 0.25f;
    textured.roughness = 0.75f;
    textured.image = 0;
    textured.wrapS = Wrap::ClampToEdge;
    textured.wrapT = Wrap::MirroredRepeat;
    textured.alphaMode = AlphaMode::Mask;
    textured.alphaCutoff = 0.3f;
    textured.doubleSided = true;
    Material glass;
    glass.name = "glass";
    glass.alphaMode = AlphaMode::Blend;
    glass.image = 1;
    model.materials = {textured, glass};
    model.images = {{"skin.png", "image/png", {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5}},
                    {"", "image/jpeg", {0xff, 0xd8, 0xff, 0xe0, 9}}};

    Skin skin;
    skin.name = "legs";
    skin.joints = {2, 3};
    skin.inverseBind = {glm::translate(glm::mat4(1.0f), {0, -0.5f, 0}),
                        glm::translate(glm::mat4(1.0f), {0, -1.5f, 0.125f})};
    skin.skeleton = 2;
    model.skins.push_back(skin);

    Animation walk;
    walk.name = "walk";
    walk.samplers.push_back({{0, 0.5f, 1}, {0, 0.5f, 0, 0, 0.75f, 0, 0, 0.5f, 0}, Interpolation::Linear});
    walk.samplers.push_back({{0, 1.5f}, {0, 0, 0, 1, 0.6f, 0, 0, 0.8f}, Interpolation::Step});
    walk.samplers.push_back(
        {{0, 2}, {0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 2, 2, 2, 0, 0, 0}, Interpolation::CubicSpline});
    walk.channels = {{2, Path::Translation, 0}, {3, Path::Rotation, 1}, {3, Path::Scale, 2}};
    walk.duration = 2;
    model.animations.push_back(walk);
    return model;
}

TEST(GlbWrite, SameModelSameBytesAndEverythingSurvives) {
    const Model model = SkinnedAnimatedModel();
    const Bytes first = WriteGlb(model);
    EXPECT_EQ(WriteGlb(model), first);
    const Model loaded = LoadGlb(first, "written.tva");
    ExpectSameModel(loaded, model);
    // Loading and writing again changes nothing.
    EXPECT_EQ(WriteGlb(loaded), first);
    // The animation plays the same after the trip.
    for (float t : {0.2f, 0.9f, 1.7f}) {
        ExpectNear(EvaluatePose(loaded, 0, t).world[4], EvaluatePose(model, 0, t).world[4], 0.0f, "pose");
    }
}

TEST(GlbWrite, LayoutOtherReadersExpect) {
    const Bytes file = WriteGlb(SkinnedAnimatedModel());
    ASSERT_GE(file.size(), 28u);
    EXPECT_EQ(file.size() % 4, 0u);
    const RawGlb raw(file);
    const auto& doc = raw.doc;
    EXPECT_EQ(doc["asset"]["version"], "2.0");
    EXPECT_EQ(doc["scene"], 0);
    EXPECT_EQ(doc["scenes"][0]["nodes"], nlohmann::json::array({0}));
    ASSERT_EQ(doc["buffers"].size(), 1u);
    EXPECT_FALSE(doc["buffers"][0].contains("uri"));
    for (const auto& view : doc["bufferViews"]) EXPECT_EQ(view["byteOffset"].get<std::size_t>() % 4, 0u);
    ASSERT_EQ(doc["images"].size(), 2u);
    for (const auto& image : doc["images"]) {
        EXPECT_TRUE(image.contains("bufferView"));
        EXPECT_FALSE(image.contains("uri"));
    }
    EXPECT_EQ(doc["images"][1]["mimeType"], "image/jpeg");
    const auto& skinned = doc["meshes"][0]["primitives"][0];
    const auto& plain = doc["meshes"][0]["primitives"][1];
    EXPECT_TRUE(skinned["attributes"].contains("JOINTS_0"));
    EXPECT_EQ(doc["accessors"][skinned["attributes"]["JOINTS_0"].get<int>()]["componentType"], 5123);
    EXPECT_FALSE(plain["attributes"].contains("JOINTS_0"));
    EXPECT_FALSE(plain["attributes"].contains("WEIGHTS_0"));
    const auto& position = doc["accessors"][skinned["attributes"]["POSITION"].get<int>()];
    EXPECT_EQ(position["min"], nlohmann::json::array({-1.0, 0.0, 0.0}));
    EXPECT_EQ(position["max"], nlohmann::json::array({1.0, 2.0, 0.0}));
    EXPECT_EQ(doc["accessors"][skinned["indices"].get<int>()]["componentType"], 5123);
    for (const auto& sampler : doc["animations"][0]["samplers"]) {
        EXPECT_TRUE(doc["accessors"][sampler["input"].get<int>()].contains("max"));
    }
    EXPECT_EQ(doc["samplers"][0]["wrapS"], 33071);
    EXPECT_EQ(doc["samplers"][0]["wrapT"], 33648);
    // The images' bytes sit in the binary chunk as they are.
    const int view = doc["images"][0]["bufferView"];
    const std::size_t offset = doc["bufferViews"][view]["byteOffset"];
    EXPECT_EQ(Bytes(raw.bin.begin() + static_cast<std::ptrdiff_t>(offset),
                    raw.bin.begin() + static_cast<std::ptrdiff_t>(offset) + 9),
              SkinnedAnimatedModel().images[0].encoded);
}

TEST(GlbWrite, LargeMeshesUseIntIndices) {
    Model model;
    Primitive big;
    for (std::uint32_t i = 0; i < 70000; ++i) {
        Vertex v;
        v.position = {static_cast<float>(i % 300), static_cast<float>(i / 300), 0};
        big.vertices.push_back(v);
    }
    for (std::uint32_t i = 0; i + 2 < 70000; i += 3) big.indices.insert(big.indices.end(), {i, i + 1, i + 2});
    model.meshes.push_back({"big", {big}});
    model.nodes.resize(1);
    model.nodes[0].mesh = 0;
    model.roots = {0};
    const Bytes file = WriteGlb(model);
    const RawGlb raw(file);
    EXPECT_EQ(raw.doc["accessors"][raw.doc["meshes"][0]["primitives"][0]["indices"].get<int>()]["componentType"], 5125);
    ExpectSameModel(LoadGlb(file, "big.tvm"), model);
}

TEST(GlbWrite, CorpusFilesSurviveARewrite) {
    for (const char* name : {"Box.glb", "BoxTextured.glb", "BoxInterleaved.glb", "BoxAnimated.glb", "RiggedSimple.glb",
                             "CesiumMan.glb", "TextureSettingsTest.glb", "box_sparse.glb"}) {
        SCOPED_TRACE(name);
        const Model original = LoadCorpus(name);
        const Bytes rewritten = WriteGlb(original);
        ExpectSameModel(LoadGlb(rewritten, name), original);
    }
}

TEST(GlbWrite, RefusesModelsItCannotWrite) {
    auto refused = [](auto change) {
        Model model = SkinnedAnimatedModel();
        change(model);
        EXPECT_THROW(WriteGlb(model), Error);
    };
    refused([](Model& m) { m.nodes[0].children.push_back(9); });
    refused([](Model& m) { m.nodes[3].parent = 0; });  // listed under node 2
    refused([](Model& m) { m.nodes[4].children = {0}; });
    refused([](Model& m) { m.roots = {3}; });
    refused([](Model& m) { m.meshes[0].primitives[0].vertices.clear(); });
    refused([](Model& m) { m.meshes[0].primitives[0].indices.push_back(0); });
    refused([](Model& m) { m.meshes[0].primitives[0].indices[0] = 99; });
    refused([](Model& m) { m.meshes[0].primitives[0].material = 5; });
    refused([](Model& m) { m.images[0].encoded.clear(); });
    refused([](Model& m) { m.images[0].mimeType.clear(); });
    refused([](Model& m) { m.skins[0].inverseBind.pop_back(); });
    refused([](Model& m) { m.skins[0].joints.push_back(42); });
    refused([](Model& m) { m.animations[0].samplers[0].values.pop_back(); });
    refused([](Model& m) { m.animations[0].samplers[1].times = {1, 0}; });
    refused([](Model& m) { m.animations[0].channels[0].node = 8; });
    refused([](Model& m) { m.nodes[2].translation.x = NAN; });
}

TEST(GlbWrite, EmptyModelStillLoads) {
    const Model loaded = LoadGlb(WriteGlb(Model{}), "empty.tvm");
    EXPECT_TRUE(loaded.nodes.empty());
    EXPECT_TRUE(loaded.roots.empty());
}

}  // namespace
}  // namespace kr::model::test
