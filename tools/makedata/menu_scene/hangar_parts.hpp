#pragma once
// Building blocks of the hangar, modelled in world units with y up: rings of
// floor and wall around the turning axis, beams, tubes and sagging cables.
// Texture coordinates are either in world units (for the repeating plates)
// or 0..1 per part (to be placed into an atlas region).

#include <vector>

#include <glm/glm.hpp>

#include "menu_scene/hangar_textures.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::menu_scene {

// Each triangle is projected along the axis its normal points most along and
// its texture coordinates are the other two world coordinates over `tile`.
void WorldUv(toolkit::Surface& surface, float tile);
// The surface's own 0..1 coordinates squeezed into an atlas region.
void ToRegion(toolkit::Surface& surface, const AtlasRegion& region);

// A flat ring at height y facing up (or down), `segments` around and
// `bands` across; u runs 0..1 around, v 0..1 from the inner edge out.
toolkit::Surface Annulus(float inner, float outer, float y, int segments, int bands, bool facingUp = true);
// Texture coordinates of an annulus laid over a square picture of the whole
// disc of radius `radius`: u along x, v against z (read from above).
void DiscUv(toolkit::Surface& surface, float radius);

// Texture coordinates per arc of a ring cut into `segments` arcs: u runs
// 0..1 along each arc; v runs 0..1 from `low` to `high`, measured as height
// (walls) or as distance from the axis (flat rings).
enum class Across { Height, Radius };
void ArcUv(toolkit::Surface& surface, int segments, Across across, float low, float high);

// A cylinder wall around the axis from `bottom` to `top`, facing the axis
// or away from it; u runs along the wall over `tile` world units, v up.
toolkit::Surface RingWall(float radius, float bottom, float top, int segments, bool facingIn, float tile);

// A box of `size` centred at `centre`, turned about y by `yaw` radians;
// each face carries the whole 0..1 square.
toolkit::Surface Block(glm::vec3 centre, glm::vec3 size, float yaw = 0.0f);
// A box from a to b, `width` across and `height` up (square-on to y when
// the segment is not vertical).
toolkit::Surface BeamBetween(glm::vec3 a, glm::vec3 b, float width, float height);

// A round tube along the points, closed at both ends; u runs 0..1 along
// the whole length, v around. Frames are carried along without twisting.
toolkit::Surface TubeAlong(const std::vector<glm::vec3>& path, float radius, int sides);
// Points of a cable hanging from a to b, sagging `sag` below the chord at
// its middle.
std::vector<glm::vec3> Catenary(glm::vec3 a, glm::vec3 b, float sag, int points);
// Points on a horizontal circle around the axis (the last repeats the first).
std::vector<glm::vec3> Circle(float radius, float y, int points);

// A cylinder standing along y (or lying along x) at `centre`, capped.
toolkit::Surface Drum(glm::vec3 centre, float radius, float length, int segments, bool lying = false, float yaw = 0.0f);

}  // namespace kr::makedata::menu_scene
