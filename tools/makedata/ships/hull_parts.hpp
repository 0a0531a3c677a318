#pragma once
// The pieces ships are built from, in model units with the nose towards -z
// and the top towards +y. Every triangle carries the kind of part it belongs
// to in its material slot: the skin painter colours it by that kind, and
// glowing kinds go into a primitive of their own.

#include <vector>

#include <glm/glm.hpp>

#include "toolkit/surface.hpp"

namespace kr::makedata::ships {

enum class Part : int {
    Hull = 0,  // painted plating
    Trim,      // darker plating
    Accent,    // the ship's accent colour
    Canopy,    // cockpit glass
    Intake,    // air intakes, dark inside
    Gun,       // barrels and sensors, bare metal
    Nozzle,    // heat-tinted engine bells
    Glow,      // the hot core inside a nozzle
    Lamp,      // navigation and marker lights
};
inline constexpr int kPartCount = 9;

inline int Slot(Part part) { return static_cast<int>(part); }
inline Part PartOf(const toolkit::Triangle& triangle) { return static_cast<Part>(triangle.material); }
// Glowing parts are drawn once more, unlit, by the game's glow pass.
inline bool Glows(Part part) { return part == Part::Glow || part == Part::Lamp; }
// Plating, glass and intakes are painted on the skin's views; the small
// parts (guns, lamps, engine bells and cores) take swatches of their own,
// see skin_details.hpp.
inline bool OnViews(Part part) {
    return part == Part::Hull || part == Part::Trim || part == Part::Accent || part == Part::Canopy ||
           part == Part::Intake;
}
inline bool OnViewsSlot(int slot) { return OnViews(static_cast<Part>(slot)); }

// The parts a body's sides and its front and back caps belong to.
struct RingParts {
    Part band = Part::Hull;
    Part startCap = Part::Hull;
    Part endCap = Part::Hull;
};

// A body along z: superellipse sections from front to back. `squareness` 2 is
// an ellipse, larger values are boxier, values near 1 a diamond. A section of
// zero width is a point (a nose or tail tip).
struct Section {
    float z = 0.0f;
    float y = 0.0f;
    float halfWidth = 0.0f;
    float top = 0.0f;     // height above y
    float bottom = 0.0f;  // depth below y
    float squareness = 2.0f;
};
toolkit::Surface Body(const std::vector<Section>& sections, int sides, RingParts parts = {});

// A wing from root to tip along +x with a six-sided airfoil; `lead` and
// `trail` are the z of its leading (front) and trailing edges.
struct WingStation {
    float x = 0.0f;
    float y = 0.0f;
    float lead = 0.0f;
    float trail = 0.0f;
    float thickness = 0.0f;
};
toolkit::Surface Wing(const std::vector<WingStation>& stations, Part part = Part::Hull);

// An engine bell opening towards +z with its exit centred on `exit`: outer
// shell, lip, a cup inside and a glowing core in the cup.
struct NozzleSpec {
    glm::vec3 exit{0.0f};
    float radius = 10.0f;     // outer radius at the exit
    float length = 30.0f;     // of the outer shell, forwards from the exit
    float depth = 12.0f;      // of the cup behind the lip
    glm::vec2 stretch{1.0f};  // x and y scale of the round section (slot nozzles)
    int sides = 16;
};
toolkit::Surface Nozzle(const NozzleSpec& spec);

// A round rod along z from `back` forwards to `muzzle`, capped.
toolkit::Surface Barrel(glm::vec3 muzzle, float length, float radius, int sides, Part part = Part::Gun);

// A small ellipsoid (lights, sensor domes).
toolkit::Surface Blob(glm::vec3 centre, glm::vec3 radii, int sides, Part part);

// The part and its mirror image across x = 0.
toolkit::Surface Pair(const toolkit::Surface& part);
// Tags every triangle with `part`.
toolkit::Surface Tagged(toolkit::Surface surface, Part part);

}  // namespace kr::makedata::ships
