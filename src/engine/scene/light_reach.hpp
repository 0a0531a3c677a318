#pragma once
// Which of a pass's lights can reach a mesh, packed the way the shaders read
// them. Lighting cost grows with every light a pixel adds up, so a mesh is
// lit only by the lights that can touch its bounding sphere.

#include <array>
#include <vector>

#include <glm/glm.hpp>

#include "engine/model/geometry.hpp"
#include "engine/scene/environment.hpp"

namespace kr::scene {

inline constexpr int kMostLightsPerMesh = 8;

// One light for the shader: position w 1 for a point and 0 for a direction
// (the unit vector toward the light); colour alpha the inverse range (0 for
// a direction).
struct PackedLight {
    glm::vec4 position{0.0f};
    glm::vec4 colour{0.0f};
};

struct ReachingLights {
    std::array<glm::vec4, kMostLightsPerMesh> position{};
    std::array<glm::vec4, kMostLightsPerMesh> colour{};
    int count = 0;
};

class LightReach {
public:
    LightReach() = default;
    // Keeps the lights that give any light: not black, and for a point a
    // range above 0.
    explicit LightReach(const std::vector<Light>& lights);

    // The kept lights, in their order, that reach the bounds placed by
    // `world`; at most kMostLightsPerMesh.
    ReachingLights For(const glm::mat4& world, const model::Bounds& bounds) const;

private:
    struct Kept {
        PackedLight packed;
        float range = 0;  // 0: a direction, reaches everything
    };
    std::vector<Kept> lights_;
};

}  // namespace kr::scene
