#pragma once
// Pictures for the spheres the menu scene makes itself: the star sphere
// around everything (radius 5000, 8 x 8, seen from inside, unlit), the two
// credits spheres (radius 200 and 160, 8 x 8, turning about the camera,
// unlit) and the player's shield (radius 1, 6 x 6). Each is painted by
// direction on the faceted sphere the game draws, so nothing stretches.

#include "engine/image/image.hpp"

namespace kr::makedata::menu_scene {

inline constexpr int kNightWidth = 2048;
inline constexpr int kNightHeight = 1024;
inline constexpr int kLogoWidth = 1024;
inline constexpr int kLogoHeight = 512;
inline constexpr int kShieldWidth = 512;
inline constexpr int kShieldHeight = 256;

// Opaque: deep space with a faint galactic band, nebulae and stars.
image::Image NightPicture();
// Glowing lines and emblems on transparent black: what shows through the
// alpha is black too, so the pictures read the same drawn opaque, blended
// or added.
image::Image CreditsLogoPicture();
image::Image CreditsLogo2Picture();
// A translucent cyan energy lattice.
image::Image ShieldPicture();

}  // namespace kr::makedata::menu_scene
