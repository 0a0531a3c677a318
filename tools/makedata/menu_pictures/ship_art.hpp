#pragma once
// The five player ships seen from above, as flat plans: filled for
// silhouettes and painted ships, outlined for the technical cards.

#include <vector>

#include <glm/glm.hpp>

#include "menu_pictures/art.hpp"

namespace kr::makedata::menu {

// In plan units: the nose at x = 1, the tail at x = -1, the span within -1..1.
struct ShipPlan {
    const char* name;
    std::vector<std::vector<glm::vec2>> hull;  // filled polygons
    std::vector<glm::vec2> cockpit;            // the canopy
    std::vector<glm::vec2> engines;            // exhaust points at the tail
};

// Ships 1 to 5: DELTA, SPECTRE, BLADE, THOR, TRINITY.
const ShipPlan& PlanOf(int ship);

// Where a plan lies in a picture: centre, length of the ship in texels, the
// heading (radians, 0 = nose to the right, growing clockwise).
struct ShipPlacement {
    glm::vec2 centre{0.0f};
    float length = 100.0f;
    float heading = 0.0f;

    glm::vec2 ToPicture(glm::vec2 planPoint) const;
};

Field ShipMask(int width, int height, const ShipPlan& plan, const ShipPlacement& at);
// Every hull polygon's outline, `width` texels wide.
Field ShipOutline(int width, int height, const ShipPlan& plan, const ShipPlacement& at, float lineWidth);

// A lit gunmetal ship with a glass canopy and cyan engine flares; `shade`
// darkens it for ships far away or in shadow.
void PaintShip(Canvas& canvas, const ShipPlan& plan, const ShipPlacement& at, float shade = 1.0f,
               glm::vec3 engineColour = palette::kEngine);

}  // namespace kr::makedata::menu
