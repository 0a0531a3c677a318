#pragma once
// What lights and frames the scene: camera, lights, materials, fog, sky box,
// background and ambient colour.

#include <array>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "engine/colour.hpp"

namespace kr::scene {

struct Camera {
    glm::vec3 position{0.0f, 0.0f, -100.0f};
    glm::vec3 lookAt{0.0f};
    float fieldOfViewDeg = 45.0f;  // vertical
    float nearPlane = 2.0f;
    float farPlane = 8000.0f;
};

// The view the scene is seen through: left-handed, as the game's world is
// laid out (+z appears on the left when looking along +x).
glm::mat4 ViewMatrix(const Camera& camera);
glm::mat4 ProjectionMatrix(const Camera& camera, float aspect);

enum class LightKind { Point, Directional };

struct Light {
    std::string name;
    LightKind kind = LightKind::Point;
    glm::vec3 position{0.0f};
    glm::vec3 direction{0.0f, -1.0f, 0.0f};
    Colour colour{1, 1, 1, 1};
    float range = 1000.0f;  // point lights reach no further
    bool enabled = true;
    bool specular = false;  // gives highlights
    bool extraPass = false; // takes part in the glow-flagged extra pass
};

// Colour slots of a material: ambient, diffuse, emissive, specular.
struct Material {
    std::string name;
    Colour ambient{0.2f, 0.2f, 0.2f, 1};
    Colour diffuse{1, 1, 1, 1};
    Colour emissive{0, 0, 0, 1};
    Colour specular{1, 1, 1, 1};
    float power = 16.0f;
};

enum class FogMode { None, Exponential, ExponentialSquared, Linear };

struct Fog {
    bool enabled = false;
    Colour colour{0.2f, 0.2f, 0.3f, 1};
    FogMode mode = FogMode::Linear;
    bool rangeBased = true;  // distance from the eye rather than depth
    float start = 2500.0f;
    float end = 19000.0f;
    float density = 0.0f;
};

struct SkyBox {
    bool enabled = false;
    std::array<int, 6> textures{};  // front (+x), back (-x), left, right, top, bottom
    float scale = 1.0f;
};

}  // namespace kr::scene
