#pragma once
// The player's shield: a bubble round the ship (drawn at a quarter of its
// size, unlit, alpha-tested and blended) and the frames of its energy
// surface, which the game cycles. u runs round the bubble and repeats, v
// runs from the top pole to the bottom one.

#include "engine/image/image.hpp"
#include "engine/model/model.hpp"

namespace kr::makedata::arsenal {

inline constexpr int kShieldFrames = 5;
inline constexpr int kShieldPictureSize = 256;
// The bubble's radius in model units.
inline constexpr float kShieldRadius = 230.0f;

// `frame` 0..kShieldFrames-1; the last flows into the first.
image::Image ShieldFrame(int frame);
model::Model ShieldModel(const image::Image& firstFrame);

}  // namespace kr::makedata::arsenal
