#pragma once
// A 3D model as the engine holds it CPU-side: the node tree, meshes made of
// primitives, materials with their pictures, skins and animations. Static
// meshes (".tvm") and animated models (".tva") are both glTF 2.0 binary
// files; a static mesh simply has no skin and no animation.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include "engine/image/image.hpp"

namespace kr::model {

struct Vertex {
    glm::vec3 position{0.0f};
    glm::vec3 normal{0.0f, 1.0f, 0.0f};
    glm::vec2 uv{0.0f};
    glm::u16vec4 joints{0};    // skin joint indices (into Skin::joints)
    glm::vec4 weights{0.0f};   // all zero when the vertex is not skinned
};

enum class Wrap { Repeat, ClampToEdge, MirroredRepeat };
enum class AlphaMode { Opaque, Mask, Blend };

struct Material {
    std::string name;
    glm::vec4 baseColour{1.0f};
    glm::vec3 emissive{0.0f};
    float metallic = 0.0f;
    float roughness = 1.0f;
    int image = -1;            // index into Model::images, -1: untextured
    Wrap wrapS = Wrap::Repeat;
    Wrap wrapT = Wrap::Repeat;
    AlphaMode alphaMode = AlphaMode::Opaque;
    float alphaCutoff = 0.5f;
    bool doubleSided = false;
};

// One drawable part: triangles sharing a material (a "group" of the mesh).
struct Primitive {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;  // triangle list
    int material = -1;                   // index into Model::materials, -1: default
};

struct Mesh {
    std::string name;
    std::vector<Primitive> primitives;
};

struct Node {
    std::string name;
    int parent = -1;
    std::vector<int> children;
    glm::vec3 translation{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};  // w, x, y, z
    glm::vec3 scale{1.0f};
    int mesh = -1;
    int skin = -1;
};

struct Skin {
    std::string name;
    std::vector<int> joints;                 // node indices, in joint order
    std::vector<glm::mat4> inverseBind;      // one per joint
    int skeleton = -1;
};

enum class Path { Translation, Rotation, Scale, Weights };
enum class Interpolation { Linear, Step, CubicSpline };

struct Sampler {
    std::vector<float> times;    // seconds, ascending
    std::vector<float> values;   // flattened: 3 per key for T/S, 4 for R (x, y, z, w); x3 keys for cubic spline
    Interpolation interpolation = Interpolation::Linear;
};

struct Channel {
    int node = -1;
    Path path = Path::Translation;
    int sampler = -1;
};

struct Animation {
    std::string name;
    std::vector<Sampler> samplers;
    std::vector<Channel> channels;
    float duration = 0.0f;  // the longest sampler's last time
};

struct EmbeddedImage {
    std::string name;
    std::string mimeType;  // "image/png", "image/jpeg", ...
    std::vector<std::uint8_t> encoded;
};

struct Model {
    std::vector<Node> nodes;
    std::vector<int> roots;  // the scene's root nodes
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<EmbeddedImage> images;
    std::vector<Skin> skins;
    std::vector<Animation> animations;
};

}  // namespace kr::model
