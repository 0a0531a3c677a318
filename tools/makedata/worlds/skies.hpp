#pragma once
// The two maps' skies as functions of direction (see toolkit/sky_box.hpp),
// and the orbit map's star dust.

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"

namespace kr::makedata::worlds {

// Dusk over the desert: a warm band of haze round the horizon under a
// darkening sky with thin cloud; below the horizon the distance haze the
// fog fades into.
toolkit::Colour DuskSky(glm::vec3 direction);

// High orbit: a gas giant's limb below and to the right of the fight, a
// crimson and blue nebula and a field of stars.
toolkit::Colour OrbitSky(glm::vec3 direction);

// Faint dust and small stars on black; tiles in both directions.
toolkit::Canvas StarDust(int size);

}  // namespace kr::makedata::worlds
