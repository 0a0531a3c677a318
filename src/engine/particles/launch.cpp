#include "engine/particles/launch.hpp"

#include <cmath>
#include <numbers>

#include <glm/geometric.hpp>

namespace kr::particles {
namespace {

float Unit(Random& random) { return static_cast<float>(random.Fraction()); }

// -1 .. 1
float Signed(Random& random) { return 2.0f * Unit(random) - 1.0f; }

// Evenly spread over the sphere.
glm::vec3 RandomUnitVector(Random& random) {
    float z = Signed(random);
    float angle = 2.0f * std::numbers::pi_v<float> * Unit(random);
    float ring = std::sqrt(std::max(0.0f, 1.0f - z * z));
    return {ring * std::cos(angle), ring * std::sin(angle), z};
}

glm::vec3 AimedVelocity(const EmitterSettings& settings) {
    float length = glm::length(settings.direction);
    if (length <= 0.0f) return glm::vec3(0.0f);
    return settings.direction + settings.direction * (settings.launchSpeed / length);
}

}  // namespace

glm::vec3 SpawnOffset(const EmitterSettings& settings, Random& random) {
    if (!settings.useBox) return glm::vec3(0.0f);
    glm::vec3 weights{Unit(random), Unit(random), Unit(random)};
    return settings.boxFrom + (settings.boxTo - settings.boxFrom) * weights;
}

glm::vec3 LaunchVelocity(const EmitterSettings& settings, Random& random) {
    glm::vec3 velocity = settings.directed ? AimedVelocity(settings)
                                           : RandomUnitVector(random) * settings.launchSpeed;
    glm::vec3 jitter{Signed(random), Signed(random), Signed(random)};
    return velocity + settings.spread * jitter;
}

float RandomAngle(Random& random) { return 2.0f * std::numbers::pi_v<float> * Unit(random); }

}  // namespace kr::particles
