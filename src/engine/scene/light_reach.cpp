#include "engine/scene/light_reach.hpp"

#include <algorithm>
#include <cmath>

namespace kr::scene {

namespace {

bool Black(const Colour& c) { return c.r <= 0 && c.g <= 0 && c.b <= 0; }

// The sphere around the placed bounds: centre and radius in world units.
std::pair<glm::vec3, float> WorldSphere(const glm::mat4& world, const model::Bounds& bounds) {
    glm::vec3 centre = glm::vec3(world * glm::vec4((bounds.min + bounds.max) * 0.5f, 1.0f));
    float scale = std::max({glm::length(glm::vec3(world[0])), glm::length(glm::vec3(world[1])),
                            glm::length(glm::vec3(world[2]))});
    return {centre, glm::length(bounds.max - bounds.min) * 0.5f * scale};
}

}  // namespace

LightReach::LightReach(const std::vector<Light>& lights) {
    for (const Light& light : lights) {
        if (Black(light.colour)) continue;
        Kept kept;
        kept.packed.colour = glm::vec4(light.colour.r, light.colour.g, light.colour.b, 0.0f);
        if (light.kind == LightKind::Point) {
            if (!(light.range > 0)) continue;
            kept.range = light.range;
            kept.packed.position = glm::vec4(light.position, 1.0f);
            kept.packed.colour.a = 1.0f / light.range;
        } else {
            float length = glm::length(light.direction);
            if (!(length > 0)) continue;
            kept.packed.position = glm::vec4(-light.direction / length, 0.0f);
        }
        lights_.push_back(kept);
    }
}

ReachingLights LightReach::For(const glm::mat4& world, const model::Bounds& bounds) const {
    ReachingLights out;
    auto [centre, radius] = WorldSphere(world, bounds);
    for (const Kept& light : lights_) {
        if (out.count == kMostLightsPerMesh) break;
        bool reaches = light.range == 0 || glm::distance(centre, glm::vec3(light.packed.position)) < light.range + radius;
        if (!reaches) continue;
        out.position[static_cast<std::size_t>(out.count)] = light.packed.position;
        out.colour[static_cast<std::size_t>(out.count)] = light.packed.colour;
        ++out.count;
    }
    return out;
}

}  // namespace kr::scene
