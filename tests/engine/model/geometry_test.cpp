// Baked and posed geometry in model space, and node matrix decomposition.

#include <glm/gtc/matrix_transform.hpp>

#include "engine/model/geometry.hpp"
#include "engine/model/transform.hpp"
#include "model_test_util.hpp"

namespace kr::model::test {
namespace {

std::size_t TriangleCount(const std::vector<Primitive>& primitives) {
    std::size_t count = 0;
    for (const Primitive& p : primitives) count += p.indices.size() / 3;
    return count;
}

// Each triangle's winding agrees with its vertices' normals.
void ExpectWindingMatchesNormals(const Primitive& primitive, const std::string& what) {
    for (std::size_t t = 0; t < primitive.indices.size(); t += 3) {
        const Vertex& a = primitive.vertices[primitive.indices[t]];
        const Vertex& b = primitive.vertices[primitive.indices[t + 1]];
        const Vertex& c = primitive.vertices[primitive.indices[t + 2]];
        const glm::vec3 face = glm::cross(b.position - a.position, c.position - a.position);
        EXPECT_GT(glm::dot(face, a.normal + b.normal + c.normal), 0.0f) << what << " triangle " << t / 3;
    }
}

TEST(BakeStatic, CorpusBoundsInModelSpace) {
    // The Z-up root turns the boxes, which stay within half a unit.
    for (const char* name : {"Box.glb", "BoxTextured.glb", "BoxInterleaved.glb"}) {
        const StaticGeometry baked = BakeStatic(LoadCorpus(name));
        ASSERT_EQ(baked.primitives.size(), 1u) << name;
        EXPECT_EQ(baked.primitives[0].vertices.size(), 24u) << name;
        ExpectNear(baked.bounds.min, glm::vec3(-0.5f), 1e-6f, name);
        ExpectNear(baked.bounds.max, glm::vec3(0.5f), 1e-6f, name);
        ExpectWindingMatchesNormals(baked.primitives[0], name);
    }
    // CesiumMan stands up: its z range becomes the y range.
    const StaticGeometry man = BakeStatic(LoadCorpus("CesiumMan.glb"));
    EXPECT_NEAR(man.bounds.max.y - man.bounds.min.y, 1.50655f, 0.02f);
    EXPECT_EQ(TriangleCount(man.primitives), 14016u / 3);
}

TEST(BakeStatic, MergesPerMaterialAndKeepsEveryTriangle) {
    const Model settings = LoadCorpus("TextureSettingsTest.glb");
    const StaticGeometry baked = BakeStatic(settings);
    EXPECT_EQ(baked.primitives.size(), 10u);  // ten meshes with ten materials
    EXPECT_EQ(TriangleCount(baked.primitives), (7 * 12 + 2 * 18 + 96) / 3u);
    const Model animated = LoadCorpus("BoxAnimated.glb");
    const StaticGeometry box = BakeStatic(animated);
    ASSERT_EQ(box.primitives.size(), 2u);
    EXPECT_EQ(box.primitives[0].material, 1);  // node 3 (outer box) is the first root
    EXPECT_EQ(box.primitives[0].vertices.size(), 224u);
    for (const Primitive& p : box.primitives) {
        for (const Vertex& v : p.vertices) EXPECT_EQ(v.weights, glm::vec4(0.0f));
    }
}

// Two triangles of one material under two nodes: one plain, one mirrored
// and moved.
Model TwoTriangleModel() {
    Model model;
    Primitive triangle;
    for (glm::vec3 p : {glm::vec3(0, 0, 0), glm::vec3(1, 0, 0), glm::vec3(0, 1, 0)}) {
        Vertex v;
        v.position = p;
        v.normal = {0, 0, 1};
        triangle.vertices.push_back(v);
    }
    triangle.indices = {0, 1, 2};
    triangle.material = 0;
    model.meshes.push_back({"tri", {triangle}});
    model.materials.resize(1);
    model.nodes.resize(3);
    model.nodes[0].children = {1, 2};
    model.nodes[0].translation = {0, 0, 5};
    model.nodes[1].parent = 0;
    model.nodes[1].mesh = 0;
    model.nodes[2].parent = 0;
    model.nodes[2].mesh = 0;
    model.nodes[2].scale = {-2, 1, 1};
    model.nodes[2].translation = {10, 0, 0};
    model.roots = {0};
    return model;
}

TEST(BakeStatic, MirroredNodeTurnsTheWindingOver) {
    const StaticGeometry baked = BakeStatic(TwoTriangleModel());
    ASSERT_EQ(baked.primitives.size(), 1u);
    ASSERT_EQ(baked.primitives[0].vertices.size(), 6u);
    ExpectWindingMatchesNormals(baked.primitives[0], "mirrored");
    ExpectNear(baked.primitives[0].vertices[4].position, {8, 0, 5}, 1e-6f, "mirrored corner");
    ExpectNear(baked.bounds.min, {0, 0, 5}, 1e-6f, "min");
    ExpectNear(baked.bounds.max, {10, 1, 5}, 1e-6f, "max");
}

TEST(BakeStatic, OnlyNodesInTheSceneAndEmptyModels) {
    Model model = TwoTriangleModel();
    model.roots.clear();
    EXPECT_TRUE(BakeStatic(model).primitives.empty());
    const StaticGeometry empty = BakeStatic(Model{});
    EXPECT_TRUE(empty.primitives.empty());
    EXPECT_EQ(empty.bounds.min, glm::vec3(0.0f));
}

TEST(SkinnedGeometry, RiggedSimpleFollowsItsJoints) {
    const Model model = LoadCorpus("RiggedSimple.glb");
    const Primitive& source = model.meshes[0].primitives[0];
    // At rest the skin matches the bind shape under the Z-up root.
    const StaticGeometry rest = BakeStatic(model);
    ASSERT_EQ(rest.primitives.size(), 1u);
    for (std::size_t v = 0; v < source.vertices.size(); ++v) {
        const glm::vec3 p = source.vertices[v].position;
        ExpectNear(rest.primitives[0].vertices[v].position, {p.x, p.z, -p.y}, 2e-3f,
                   "rest vertex " + std::to_string(v));
    }
    // Posed: each vertex is the weighted blend of its joints' matrices.
    const float t = 1.2f;
    const Pose pose = EvaluatePose(model, 0, t);
    const std::vector<glm::mat4> joints = JointMatrices(model, pose, 0);
    const std::vector<Primitive> posed = SkinnedGeometry(model, pose);
    ASSERT_EQ(posed.size(), 1u);
    float moved = 0.0f;
    for (std::size_t v = 0; v < source.vertices.size(); ++v) {
        const Vertex& in = source.vertices[v];
        glm::vec4 expected(0.0f);
        for (int i = 0; i < 4; ++i) expected += in.weights[i] * (joints[in.joints[i]] * glm::vec4(in.position, 1.0f));
        ExpectNear(posed[0].vertices[v].position, glm::vec3(expected), 1e-4f, "posed vertex " + std::to_string(v));
        EXPECT_NEAR(glm::length(posed[0].vertices[v].normal), 1.0f, 1e-4f);
        moved = std::max(moved, glm::length(posed[0].vertices[v].position - rest.primitives[0].vertices[v].position));
    }
    EXPECT_GT(moved, 0.1f);
    EXPECT_THROW(SkinnedGeometry(model, Pose{}), Error);
}

TEST(Transform, DecomposeRecomposes) {
    const glm::mat4 zUp(glm::vec4(1, 0, 0, 0), glm::vec4(0, 0, -1, 0), glm::vec4(0, 1, 0, 0), glm::vec4(0, 0, 0, 1));
    const glm::mat4 general = glm::translate(glm::mat4(1.0f), {1, -2, 3}) *
                              glm::rotate(glm::mat4(1.0f), 0.7f, glm::normalize(glm::vec3(1, 2, 3))) *
                              glm::scale(glm::mat4(1.0f), {2, 0.5f, 3});
    const glm::mat4 mirrored = general * glm::scale(glm::mat4(1.0f), {1, 1, -1});
    for (const glm::mat4& m : {zUp, general, mirrored}) {
        const Trs trs = DecomposeTrs(m);
        ExpectNear(ComposeTrs(trs.translation, trs.rotation, trs.scale), m, 1e-5f, "recomposed");
        EXPECT_NEAR(glm::length(trs.rotation), 1.0f, 1e-6f);
    }
    const Trs flat = DecomposeTrs(glm::scale(glm::mat4(1.0f), {1, 0, 1}));
    EXPECT_EQ(flat.scale.y, 0.0f);
    EXPECT_NEAR(glm::length(flat.rotation), 1.0f, 1e-6f);
}

}  // namespace
}  // namespace kr::model::test
