#pragma once
// Everything the game sets on an emitter, kept in the simulation's units:
// milliseconds for times, units per millisecond for speeds.

#include <string>

#include <glm/vec3.hpp>

#include "engine/colour.hpp"
#include "engine/particles/draw_output.hpp"

namespace kr::particles {

struct EmitterSettings {
    double ratePerMs = 0.0;        // "power": particles per second / 1000
    double lifetimeMs = 0.0;       // a particle's life; changes apply to living ones
    float launchSpeed = 0.0f;      // the "single value": extra speed along the direction
    glm::vec3 spread{0.0f};        // the "speed vector": random ± velocity per axis
    bool useBox = false;           // spawn anywhere between boxFrom and boxTo
    glm::vec3 boxFrom{0.0f};
    glm::vec3 boxTo{0.0f};
    bool directed = false;         // false: launched in a random direction
    glm::vec3 direction{0.0f};     // a velocity every particle carries when directed
    BlendMode blending = BlendMode::Alpha;
    Colour colour;
    std::string texture;
    float startSize = 1.0f;
    bool sizeChanges = false;      // size goes from startSize to endSize over the life
    float endWidth = 1.0f;
    float endHeight = 1.0f;
};

}  // namespace kr::particles
