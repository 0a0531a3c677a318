#pragma once
// What the particle simulation hands the renderer each frame: one flat list of
// camera-facing billboards, and per emitter the run of that list it owns with
// the texture name and blending to draw it with.

#include <cstddef>
#include <string_view>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "engine/colour.hpp"

namespace kr::particles {

// How a run of billboards is combined with what is already drawn.
enum class BlendMode {
    Additive = 1,  // colour × alpha added: overlapping sprites brighten
    Alpha = 2,     // source alpha over the background: black darkens
};

struct Billboard {
    glm::vec3 position{0.0f};  // world-space centre
    glm::vec2 size{1.0f};      // world-space width and height
    Colour colour;             // tint × texture; alpha already faded with age
    float rotation = 0.0f;     // radians about the view axis
};

struct EmitterDraw {
    int emitter = 0;
    // The texture is named, not resolved: the renderer looks the name up when
    // it draws, so a texture reloaded under the same name is picked up. The
    // view stays valid until the emitter's sprite is changed or it is destroyed.
    std::string_view texture;
    BlendMode blending = BlendMode::Alpha;
    std::size_t first = 0;  // into the billboard list
    std::size_t count = 0;
};

}  // namespace kr::particles
