#pragma once
// Turning a point on the screen into the segment of the world under it.

#include <optional>

#include <glm/glm.hpp>

#include "engine/collision/segment.hpp"

namespace kr::collision {

struct Viewport {
    float width = 0.0f;   // in layout pixels
    float height = 0.0f;
};

// The segment under the layout point (x, y) (origin at the top left, y
// downward), from the near plane `maxDistance` world units out along the
// view ray. `projection` is an OpenGL-style clip matrix (depth -1..1, as
// glm's *_NO functions make), either handedness. Nothing for an empty
// viewport, a singular camera or non-finite input.
std::optional<Segment> PickSegment(float x, float y, const glm::mat4& view, const glm::mat4& projection,
                                   const Viewport& viewport, float maxDistance);

}  // namespace kr::collision
