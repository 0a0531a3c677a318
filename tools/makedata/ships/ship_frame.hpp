#pragma once
// How the game places the player ships and the ship carousel, and what that
// asks of the models. Ships are modelled with the nose towards -z and the
// top towards +y: the mission's turn of 270 degrees about y then points the
// nose along +x, towards the enemies, and the menu's turn of 270 degrees
// about z shows a ship from its side, nose to the right, top up. The flame
// emitters the game places behind each ship fix where its nozzles sit.

#include <array>

#include <glm/glm.hpp>

#include "engine/scene/transform.hpp"

namespace kr::makedata::ships {

inline constexpr int kShipCount = 5;

struct Placement {
    glm::vec3 position{0.0f};
    glm::vec3 rotation{0.0f};  // degrees, composed as scene::Transform composes them
    glm::vec3 scale{1.0f};

    glm::mat4 Matrix() const { return scene::Transform{position, rotation, scale}.Matrix(); }
};

// The player ship in a mission, and its camera at the start.
inline const Placement kMissionShip{{-200, 10, 0}, {0, 270, 0}, glm::vec3(0.18f)};
inline const glm::vec3 kMissionCamera{-500, 800, 0};
inline const glm::vec3 kMissionLookAt{0, -110, 0};

// A ship of the menu scene (the first of the three).
inline const Placement kMenuShip{{750, 30, 300}, {0, 0, 270}, glm::vec3(0.5f)};

// The engine flame emitters of ships 1 to 5: offsets from the ship's
// position in the world, emitter A then B.
inline constexpr std::array<std::array<glm::vec3, 2>, kShipCount> kFlameOffsets{{
    {{{-36, 4, -11}, {-36, 4, 11}}},
    {{{-19, -4, -1}, {-19, -4, 1}}},
    {{{-44, 4, 0}, {-44, 4, 0}}},
    {{{-44, 4, 0}, {-44, 4, 0}}},
    {{{-25, 0, -13}, {-25, 0, 13}}},
}};

// The model point that the mission ship's placement carries to `offset`
// from its position.
inline glm::vec3 ModelPointOfMissionOffset(glm::vec3 offset) {
    const glm::mat4 turnAndScale = scene::Transform{glm::vec3(0.0f), kMissionShip.rotation, kMissionShip.scale}.Matrix();
    return glm::vec3(glm::inverse(turnAndScale) * glm::vec4(offset, 1.0f));
}

// The carousel of the ship selection, seen by a camera straight above it.
// The game turns it further about the world's y axis by its heading.
inline const Placement kCarousel{{0, 40, 0}, {0, 20, -50}, glm::vec3(0.06f)};
inline const glm::vec3 kSelectionCamera{0, 150, 0};
inline const glm::vec3 kSelectionLookAt{0, 0, 0};

// The heading (degrees) at which ship N (index N - 1) is in front, at the
// bottom of the screen by the selection window: 72 degrees apart, each
// inside the heading window that selects that ship, ship 3 at the heading
// the game starts with.
inline constexpr std::array<float, kShipCount> kFrontHeading{72.0f, 288.0f, 0.0f, 216.0f, 144.0f};

// The carousel's placement turned to `heading`.
inline Placement CarouselAt(float heading) {
    Placement p = kCarousel;
    p.rotation.y += heading;
    return p;
}

}  // namespace kr::makedata::ships
