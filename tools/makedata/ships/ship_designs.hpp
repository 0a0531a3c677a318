#pragma once
// The five player ships: their shapes and liveries. Model units, nose
// towards -z, top towards +y (see ship_frame.hpp).

#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "ships/hull_parts.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::ships {

// Paint colours, linear 0..1.
struct Livery {
    glm::vec3 hull{0.5f};
    glm::vec3 trim{0.3f};
    glm::vec3 accent{0.85f, 0.15f, 0.12f};
    glm::vec3 glass{0.05f, 0.09f, 0.14f};
    glm::vec3 flame{0.5f, 0.8f, 1.0f};   // the engine core
    glm::vec3 marker{1.0f, 0.3f, 0.3f};  // lamps other than the wing-tip pair
    float mottling = 0.05f;              // large-scale variation of the paint
};

// A band of paint over the hull: where dot(p, across) lies between `from`
// and `to`, and, when `along` is not zero, dot(p, along) between
// `alongFrom` and `alongTo`. Mirrored bands measure with |x|, so they
// come in pairs either side of the middle.
struct Stripe {
    glm::vec3 across{1.0f, 0.0f, 0.0f};
    float from = 0.0f;
    float to = 0.0f;
    glm::vec3 along{0.0f};
    float alongFrom = -1e9f;
    float alongTo = 1e9f;
    bool mirrored = true;
    bool trim = false;  // the trim colour rather than the accent

    // Limits the band along a second direction.
    Stripe Within(glm::vec3 direction, float low, float high) const {
        Stripe s = *this;
        s.along = direction;
        s.alongFrom = low;
        s.alongTo = high;
        return s;
    }
    Stripe Trim() const {
        Stripe s = *this;
        s.trim = true;
        return s;
    }
    Stripe Unmirrored() const {
        Stripe s = *this;
        s.mirrored = false;
        return s;
    }
};

inline Stripe Band(glm::vec3 across, float from, float to) { return Stripe{across, from, to}; }

// Lettering painted on the top of the hull (read from above, nose up) and
// on both sides (read from each side, nose to the right on the left side).
struct Lettering {
    std::string text;
    glm::vec2 topCentre{0.0f};  // x, z on the top view
    float topHeight = 0.0f;     // model units; 0: not on top
    glm::vec2 sideCentre{0.0f}; // z, y on the side views
    float sideHeight = 0.0f;    // 0: not on the sides
};

struct ShipDesign {
    int number = 0;          // 1..5
    std::string name;        // "delta", ...
    toolkit::Surface hull;   // triangles tagged with their Part
    Livery livery;
    std::vector<Stripe> stripes;
    Lettering lettering;
    std::vector<NozzleSpec> nozzles;  // every engine, its exit where the game's flames start
    std::uint32_t seed = 1;
};

ShipDesign Delta();
ShipDesign Spectre();
ShipDesign Blade();
ShipDesign Thor();
ShipDesign Trinity();

// Ship `number` (1..5).
ShipDesign DesignOf(int number);

}  // namespace kr::makedata::ships
