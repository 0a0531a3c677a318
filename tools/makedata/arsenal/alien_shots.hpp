#pragma once
// The enemies' bolts, one kind per alien ship model (1 and 2 are the
// bosses'). The game loads the model without its pictures and puts the
// bolt's picture on it, with pure black as the transparent colour; it
// turns the model so that model -y points along the flight (toward -x on
// screen) and model -z up towards the camera.

#include "engine/image/image.hpp"
#include "engine/model/model.hpp"

namespace kr::makedata::arsenal {

inline constexpr int kAlienShotKinds = 14;
inline constexpr int kAlienShotPictureWidth = 128, kAlienShotPictureHeight = 64;

struct AlienShot {
    model::Model model;
    image::Image picture;  // opaque colour; pure black where nothing glows
};

// `kind` 1..kAlienShotKinds.
AlienShot MakeAlienShot(int kind);

}  // namespace kr::makedata::arsenal
