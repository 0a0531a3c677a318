#pragma once
// How a mission shows its world, and what that asks of the map content:
// the landscape the game generates from the height map, the scale the game
// gives scenery, where the fliers are, and how far the world scrolls.

#include <glm/glm.hpp>

#include "engine/scene/landscape.hpp"

namespace kr::makedata::worlds {

// The landscape: grid cells, precision, scale and position the game uses.
inline constexpr int kLandscapeCellsX = 32;
inline constexpr int kLandscapeCellsZ = 40;
inline constexpr int kLandscapePrecision = 2;
inline constexpr glm::vec3 kLandscapeScale{5.0f, 1.0f, 5.0f};
inline constexpr glm::vec3 kLandscapePosition{-300.0f, -200.0f, -1200.0f};
// Height-map texels that land exactly on the landscape's samples.
inline constexpr int kHeightMapWidth = kLandscapeCellsX * kLandscapePrecision * scene::kLandscapeQuadsPerPrecision + 1;
inline constexpr int kHeightMapHeight = kLandscapeCellsZ * kLandscapePrecision * scene::kLandscapeQuadsPerPrecision + 1;
// World units between two height-map texels.
inline constexpr float kHeightMapStep =
    scene::kLandscapeCellSize * kLandscapeScale.x / (kLandscapePrecision * scene::kLandscapeQuadsPerPrecision);

// Scenery: a placement is shown at its stored scale less 0.1 (which
// replaces its template's 0.3), ground cannons in the first missions at 0.6
// whatever is stored. Models are made in world units at a scale of 1.
inline constexpr float kPlacedScale = 1.0f;
inline constexpr double kStoredScaleOffset = 0.1;
inline constexpr float kEarlyCannonScale = 0.6f;
inline constexpr float kPlacementLift = 0.8f;

// The fliers: the player's ship, the enemies, the boss.
inline constexpr float kPlayerHeight = 10.0f;
inline constexpr float kEnemyHeight = 190.0f;
// Nothing on the ground or in space may reach above this.
inline constexpr float kSceneryCeiling = -40.0f;
// The band the fight uses across the world.
inline constexpr float kFightHalfWidth = 900.0f;

// The world scrolls at 100 units per second; after the waves, the boss.
inline constexpr float kScrollPerSecond = 100.0f;
inline constexpr float kBossStageLength = 4000.0f;
inline constexpr float kPathStart = -600.0f;
inline float PathEnd(int waveMinutes) { return static_cast<float>(waveMinutes) * 60.0f * kScrollPerSecond + kBossStageLength; }

}  // namespace kr::makedata::worlds
