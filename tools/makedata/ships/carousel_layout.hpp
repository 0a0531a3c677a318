#pragma once
// Sizes of the carousel in its own units (the game scales it by 0.06), on
// the flat turntable: y up, the turning axis through the origin.

namespace kr::makedata::ships::carousel {

inline constexpr float kHubRadius = 110.0f;
inline constexpr float kHubHeight = 60.0f;
inline constexpr float kTableRadius = 520.0f;     // the turning disc
inline constexpr float kTableDepth = 30.0f;
inline constexpr float kPitRadius = 560.0f;       // the gap round the disc
inline constexpr float kCollarRadius = 640.0f;    // the fixed-looking ring round the pit
inline constexpr float kCollarY = -8.0f;
inline constexpr float kDeckY = -24.0f;
inline constexpr float kDeckRadius = 1600.0f;     // past every corner of the screen
inline constexpr float kPadRing = 300.0f;         // pad centres from the axis
inline constexpr float kPadRadius = 150.0f;       // corner radius of the hexagonal pads
inline constexpr float kPadTop = 10.0f;
inline constexpr float kShipScale = 0.55f;
// The ships' noses from the axis: the ship in front stays clear of the
// selection window below it.
inline constexpr float kNoseRadius = 415.0f;
// The turntable's picture covers this radius, planar from above.
inline constexpr float kPictureRadius = 640.0f;
// The deck's picture repeats every this many units.
inline constexpr float kDeckTile = 480.0f;

}  // namespace kr::makedata::ships::carousel
