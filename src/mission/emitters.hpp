#pragma once
// Particle emitters of a mission, each made from a recipe with its set-up in
// one fixed order.

#include <string_view>

#include <glm/vec3.hpp>

#include "engine/colour.hpp"
#include "engine/particles/particle_system.hpp"
#include "gameplay/player.hpp"

namespace kr::mission {

struct EmitterRecipe {
    int count = 1;
    Colour colour;
    double power = 0;      // particles per second
    double lifetime = 0;   // seconds
    double launch = 0;     // speed along the direction
    glm::vec3 spread{0.0f};
    glm::vec3 boxFrom{0.0f}, boxTo{0.0f};
    const char* sprite = "";
    float size = 1;
    bool sizeChanges = false;
    glm::vec3 endScale{1.0f};
    bool directed = true;
    glm::vec3 direction{0.0f};
    bool looping = true;
};

// The particle system's blending code for a sprite: alpha blending for smoke
// and fire, additive for the sprites that are pure light.
int BlendingOfSprite(std::string_view sprite);

// Creates the emitter (silent) and sets it up from the recipe.
EmitterRef BuildEmitter(particles::ParticleSystem& particles, const EmitterRecipe& recipe);

}  // namespace kr::mission
