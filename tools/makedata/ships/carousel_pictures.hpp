#pragma once
// The carousel's pictures: the turntable seen from above (hub emblem,
// plating, the five pads with their numbers, the hazard collar round the
// pit) with two glow swatches in its free corners, and a tiling hangar deck.

#include <glm/glm.hpp>

#include "engine/image/image.hpp"
#include "toolkit/field.hpp"

namespace kr::makedata::ships::carousel {

// `shadows` (0..1, the picture's size) darkens the turntable under the ships.
image::Image TurntablePicture(int size, const toolkit::Field& shadows);
image::Image DeckPicture(int size);

// Where a point on the flat turntable lies on its picture (planar from
// above, turned so that it reads unmirrored from above).
glm::vec2 TurntableUv(glm::vec3 point);

enum class GlowColour { Crimson, Cyan };
// The middle of a glow swatch of the turntable picture.
glm::vec2 GlowUv(GlowColour colour);

}  // namespace kr::makedata::ships::carousel
