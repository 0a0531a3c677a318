// glTF features the corpus does not cover, on the hand-made document:
// quantized and normalized attributes, index sizes, strips and fans, sparse
// values over real data, pictures outside the file, missing scenes.

#include "hand_made_glb.hpp"

namespace kr::model::test {
namespace {

Model Load(const HandMadeGlb& glb) { return LoadGlb(glb.Glb(), "hand.tva"); }

const Primitive& FirstPrimitive(const Model& model) { return model.meshes.at(0).primitives.at(0); }

TEST(GlbFeatures, NormalizedAndQuantizedAttributes) {
    HandMadeGlb glb;
    // Normals as normalized signed bytes, UVs as normalized unsigned shorts,
    // weights as normalized unsigned bytes.
    const int normals = glb.AddView({0, 0, 127, 0, 0, 0, 0x81, 0, 0x80, 0, 0, 0});
    glb.doc["accessors"][1] = {
        {"bufferView", normals}, {"componentType", 5120}, {"normalized", true}, {"count", 3}, {"type", "VEC3"}};
    glb.doc["bufferViews"][normals]["byteStride"] = 4;
    const int uvs = glb.AddView({0xff, 0xff, 0, 0, 0, 0x80, 0xff, 0xff, 0, 0, 0, 0});
    const int uvAccessor = glb.AddAccessor(
        {{"bufferView", uvs}, {"componentType", 5123}, {"normalized", true}, {"count", 3}, {"type", "VEC2"}});
    glb.doc["meshes"][0]["primitives"][0]["attributes"]["TEXCOORD_0"] = uvAccessor;
    const int weights = glb.AddView({255, 0, 0, 0, 128, 127, 0, 0, 64, 64, 64, 64});
    glb.doc["accessors"][7] = {
        {"bufferView", weights}, {"componentType", 5121}, {"normalized", true}, {"count", 3}, {"type", "VEC4"}};
    const Model model = Load(glb);
    const Primitive& p = FirstPrimitive(model);
    EXPECT_EQ(p.vertices[0].normal, glm::vec3(0, 0, 1));
    EXPECT_EQ(p.vertices[1].normal, glm::vec3(0, 0, -1));  // -127/127
    EXPECT_EQ(p.vertices[2].normal, glm::vec3(-1, 0, 0));  // -128 clamps to -1
    EXPECT_EQ(p.vertices[0].uv, glm::vec2(1, 0));
    EXPECT_NEAR(p.vertices[1].uv.x, 32768.0f / 65535.0f, 1e-7f);
    EXPECT_EQ(p.vertices[1].uv.y, 1.0f);
    EXPECT_EQ(p.vertices[0].weights, glm::vec4(1, 0, 0, 0));
    // 128/255 + 127/255 is one as it is; 4 x 64/255 is rescaled to quarters.
    EXPECT_NEAR(p.vertices[1].weights.x, 128.0f / 255.0f, 1e-7f);
    ExpectNear(glm::vec3(p.vertices[2].weights), glm::vec3(0.25f), 1e-7f, "rescaled weights");
}

TEST(GlbFeatures, ByteIntAndMissingIndices) {
    for (int componentType : {5121, 5125}) {
        HandMadeGlb glb;
        const Bytes indices = componentType == 5121 ? Bytes{2, 1, 0} : Bytes{2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
        glb.doc["accessors"][2] = {
            {"bufferView", glb.AddView(indices)}, {"componentType", componentType}, {"count", 3}, {"type", "SCALAR"}};
        EXPECT_EQ(FirstPrimitive(Load(glb)).indices, (std::vector<std::uint32_t>{2, 1, 0})) << componentType;
    }
    HandMadeGlb glb;
    glb.doc["meshes"][0]["primitives"][0].erase("indices");
    EXPECT_EQ(FirstPrimitive(Load(glb)).indices, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST(GlbFeatures, StripsAndFansBecomeListsPointsAndLinesAreSkipped) {
    HandMadeGlb glb;
    const int four = glb.AddView({0, 1, 2, 0});
    glb.doc["accessors"][2] = {{"bufferView", four}, {"componentType", 5121}, {"count", 4}, {"type", "SCALAR"}};
    glb.doc["meshes"][0]["primitives"][0]["mode"] = 5;
    EXPECT_EQ(FirstPrimitive(Load(glb)).indices, (std::vector<std::uint32_t>{0, 1, 2, 1, 0, 2}));
    glb.doc["meshes"][0]["primitives"][0]["mode"] = 6;
    EXPECT_EQ(FirstPrimitive(Load(glb)).indices, (std::vector<std::uint32_t>{1, 2, 0, 2, 0, 0}));
    for (int mode : {0, 1, 2, 3}) {
        glb.doc["meshes"][0]["primitives"][0]["mode"] = mode;
        EXPECT_TRUE(Load(glb).meshes[0].primitives.empty()) << mode;
    }
}

TEST(GlbFeatures, SparseValuesOverRealData) {
    HandMadeGlb glb;
    // Move the second vertex (index 1) to (5, 6, 7).
    Bytes values;
    for (float v : {5.f, 6.f, 7.f}) PutFloat(values, v);
    const int indexView = glb.AddView({1, 0});
    const int valueView = glb.AddView(values);
    glb.doc["accessors"][0]["sparse"] = {{"count", 1},
                                         {"indices", {{"bufferView", indexView}, {"componentType", 5123}}},
                                         {"values", {{"bufferView", valueView}}}};
    const Model model = Load(glb);
    const Primitive& p = FirstPrimitive(model);
    EXPECT_EQ(p.vertices[0].position, glm::vec3(0, 0, 0));
    EXPECT_EQ(p.vertices[1].position, glm::vec3(5, 6, 7));
    EXPECT_EQ(p.vertices[2].position, glm::vec3(0, 1, 0));
}

TEST(GlbFeatures, PicturesOutsideOrInsideTheJson) {
    HandMadeGlb glb;
    glb.doc["images"] = {{{"uri", "textures/skin.png"}},
                         {{"uri", "data:image/png;base64,iVBORw0KGgo="}},
                         {{"bufferView", glb.AddView({0xff, 0xd8, 0xff, 0xe0})}},
                         {{"uri", "../../etc/passwd"}}};
    const Model model = Load(glb);
    ASSERT_EQ(model.images.size(), 4u);
    EXPECT_EQ(model.images[0].name, "textures/skin.png");
    EXPECT_TRUE(model.images[0].encoded.empty());
    EXPECT_EQ(model.images[1].mimeType, "image/png");
    EXPECT_EQ(model.images[1].encoded, (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}));
    EXPECT_EQ(model.images[2].mimeType, "image/jpeg");  // told by its bytes
    EXPECT_TRUE(model.images[3].encoded.empty());
}

TEST(GlbFeatures, SceneChoiceAndNodeMatrix) {
    HandMadeGlb glb;
    glb.doc.erase("scene");
    glb.doc["scenes"] = {{{"nodes", {1}}}, {{"nodes", {0}}}};
    EXPECT_EQ(Load(glb).roots, std::vector<int>{1});  // the first scene
    glb.doc["scene"] = 1;
    EXPECT_EQ(Load(glb).roots, std::vector<int>{0});
    glb.doc.erase("scene");
    glb.doc.erase("scenes");
    glb.doc["nodes"].push_back({{"children", {1}}});
    EXPECT_EQ(Load(glb).roots, (std::vector<int>{0, 2}));  // every parentless node
    // A matrix becomes translation, rotation and scale.
    glb.doc["nodes"][1]["matrix"] = {0, 0, -2, 0, 0, 3, 0, 0, 4, 0, 0, 0, 7, 8, 9, 1};
    const Model withMatrix = Load(glb);
    const Node& node = withMatrix.nodes[1];
    ExpectNear(node.translation, {7, 8, 9}, 1e-6f, "translation");
    ExpectNear(node.scale, {2, 3, 4}, 1e-6f, "scale");
    ExpectNear(node.rotation * glm::vec3(1, 0, 0), {0, 0, -1}, 1e-6f, "rotation");
}

TEST(GlbFeatures, ExtensionPathsAndUnusedSamplers) {
    HandMadeGlb glb;
    glb.doc["animations"][0]["channels"].push_back({{"sampler", 0}, {"target", {{"node", 1}, {"path", "pointer"}}}});
    const int later = glb.AddView({0, 0, 0x40, 0x40});  // 3.0f
    const int laterTimes =
        glb.AddAccessor({{"bufferView", later}, {"componentType", 5126}, {"count", 1}, {"type", "SCALAR"}});
    glb.doc["animations"][0]["samplers"].push_back({{"input", laterTimes}, {"output", 4}});
    const Model model = Load(glb);
    EXPECT_EQ(model.animations[0].channels.size(), 1u);
    EXPECT_EQ(model.animations[0].duration, 3.0f);
}

}  // namespace
}  // namespace kr::model::test
