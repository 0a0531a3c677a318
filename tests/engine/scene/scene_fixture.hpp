#pragma once
// A scene over the test back-end, with a small animated model and a few
// corpus models in its game folder.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/engine.hpp"
#include "engine/model/glb.hpp"
#include "support/temp_game_folder.hpp"
#include "support/test_backend.hpp"

namespace kr::scene::test_support {

inline const std::string kCorpus = std::string(KR_CORPUS_DIR) + "/gltf/";

// Two bones: the root turns 90 degrees about z over one second; the second
// sits 10 units out along x and carries a triangle.
inline model::Model SwingingArm() {
    model::Model m;
    m.nodes.resize(3);
    m.nodes[0].name = "root";
    m.nodes[0].children = {1};
    m.nodes[1].name = "tip";
    m.nodes[1].parent = 0;
    m.nodes[1].translation = {10, 0, 0};
    m.nodes[2].name = "body";
    m.nodes[2].mesh = 0;
    m.nodes[2].skin = 0;
    m.roots = {0, 2};
    model::Primitive p;
    for (glm::vec3 v : {glm::vec3(10, 0, 0), glm::vec3(11, 0, 0), glm::vec3(10, 1, 0)}) {
        model::Vertex vertex;
        vertex.position = v;
        vertex.joints = {1, 0, 0, 0};
        vertex.weights = {1, 0, 0, 0};
        p.vertices.push_back(vertex);
    }
    p.indices = {0, 1, 2};
    m.meshes.push_back({"arm", {p}});
    model::Skin skin;
    skin.joints = {0, 1};
    skin.inverseBind = {glm::mat4(1.0f), glm::translate(glm::mat4(1.0f), glm::vec3(-10, 0, 0))};
    m.skins.push_back(skin);
    model::Animation swing;
    swing.name = "swing";
    model::Sampler sampler;
    sampler.times = {0, 1};
    glm::quat end = glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1));
    sampler.values = {0, 0, 0, 1, end.x, end.y, end.z, end.w};
    swing.samplers.push_back(sampler);
    swing.channels.push_back({0, model::Path::Rotation, 0});
    swing.duration = 1;
    m.animations.push_back(swing);
    return m;
}

class SceneTest : public ::testing::Test {
protected:
    SceneTest() : device(backend, {}), engine(device, temp.folder()) {
        std::filesystem::create_directories(temp.Path("models"));
        temp.Write("models/arm.tva", model::WriteGlb(SwingingArm()));
        for (const char* file : {"Box.glb", "RiggedSimple.glb", "BoxTextured.glb"})
            std::filesystem::copy_file(kCorpus + file, temp.Path(std::string("models/") + file));
    }
    Scene& scene() { return engine.scene(); }

    // The meshes drawn by the last presented frame.
    std::vector<MeshDraw> DrawnMeshes() const {
        std::vector<MeshDraw> meshes;
        for (const auto& command : backend.frames.back().commands) {
            if (auto* pass = std::get_if<SceneCommand>(&command))
                meshes.insert(meshes.end(), pass->meshes.begin(), pass->meshes.end());
        }
        return meshes;
    }

    test::TempGameFolder temp;
    test::TestBackend backend;
    Device device;
    Engine engine;
};

inline void ExpectNear(const glm::vec3& a, const glm::vec3& b, float tolerance = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

}  // namespace kr::scene::test_support
