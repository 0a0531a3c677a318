#pragma once
// What one 3D pass hands the renderer: the camera, lights and fog of the
// moment and the objects in the order they were rendered.

#include <array>
#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "engine/colour.hpp"
#include "engine/scene/environment.hpp"
#include "engine/scene/geometry.hpp"

namespace kr::scene {

using TextureHandle = std::uint32_t;

enum class Lighting { Unlit, PerVertex, PerPixel };

struct MeshDraw {
    GeometryPtr geometry;
    glm::mat4 world{1.0f};
    std::vector<TextureHandle> textures;  // one per primitive, 0: untextured
    Material material;
    Lighting lighting = Lighting::PerVertex;
    Colour tint{1, 1, 1, 1};
    glm::vec2 uvScale{1.0f, 1.0f};  // texture repeats
    bool doubleSided = false;
    bool alphaBlend = false;
    float alphaReference = -1;  // alpha test threshold 0..1; below 0: none
    bool depthWrite = true;
    bool glow = false;          // takes part in the glow-flagged extra pass
    bool glowParts = false;     // only the emissive parts, added over the frame
};

struct SkyDraw {
    std::array<TextureHandle, 6> faces{};
};

struct Billboard {
    glm::vec3 position{0.0f};
    glm::vec2 size{1.0f};  // world units across and up
    Colour colour{1, 1, 1, 1};
    float rotation = 0.0f;  // radians about the view axis
};

enum class Blending { Alpha, Additive };

struct ParticleDraw {
    TextureHandle texture = 0;
    Blending blending = Blending::Alpha;
    std::vector<Billboard> billboards;
};

// How textures of 3D objects are sampled.
struct TextureQuality {
    int filterLevel = 2;  // 0 nearest, 1 bilinear, 2 trilinear, 3 anisotropic 4x, 4 anisotropic 16x
    float lodBias = 0;    // mip level bias: above 0 blurrier (less detail), below 0 sharper
    friend bool operator==(const TextureQuality&, const TextureQuality&) = default;
};

// The environment a pass is drawn in, taken when the pass began.
struct PassSetup {
    TextureQuality textureQuality;
    Camera camera;
    std::vector<Light> lights;
    Colour ambient{0.15f, 0.15f, 0.15f, 1};
    Fog fog;
};

struct ScenePass {
    PassSetup setup;
    std::vector<MeshDraw> meshes;  // in render order, with sky and particles between them
    std::vector<SkyDraw> skies;
    std::vector<ParticleDraw> particles;
    // The order of everything drawn: kind and index into its list.
    enum class Kind : std::uint8_t { Mesh, Sky, Particles };
    std::vector<std::pair<Kind, std::uint32_t>> order;
};

}  // namespace kr::scene
