#pragma once
// Shapes alien craft are grown from, in model units with the nose towards
// -z and the top towards +y. Every shape keeps texture coordinates in 0..1
// so that it can be laid onto one swatch of the craft's skin.

#include <vector>

#include <glm/glm.hpp>

#include "enemies/alien_skin.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::enemies {

// One section of a pod: at `z`, centred on (x, y), `halfWidth` across and
// `top` above and `bottom` below its centre line. A zero width is a tip.
struct PodSection {
    float z = 0.0f;
    float halfWidth = 0.0f;
    float top = 0.0f;
    float bottom = 0.0f;
    float y = 0.0f;
    float x = 0.0f;
};

// A body through the sections in order (front to back), superellipse
// sections of the given squareness (2 round, larger boxier); its picture
// is laid on from above.
toolkit::Surface Pod(const std::vector<PodSection>& sections, int sides, float squareness = 2.0f);

// A round horn along the path, `radii` one per point; a last radius of 0
// ends in a point (claws, mandibles, spikes, tails).
toolkit::Surface Horn(const std::vector<glm::vec3>& path, const std::vector<float>& radii, int sides);
// A straight cone from a round base to a point.
toolkit::Surface Spike(glm::vec3 base, glm::vec3 tip, float radius, int sides);

// A flat plate seen from above: the outline in (x, z), `thickness` thick
// about y = 0, its rims bevelled (wings, fins, blades).
toolkit::Surface Blade(const std::vector<glm::vec2>& outlineXz, float thickness, float bevel);

// A ball of the given radii, its picture laid on from above.
toolkit::Surface Orb(glm::vec3 centre, glm::vec3 radii, int segments);

// A part of a craft: the shape laid onto its swatch.
class CraftParts {
public:
    void Add(toolkit::Surface part, Swatch swatch);
    // The part and its mirror image across x = 0.
    void AddPair(toolkit::Surface part, Swatch swatch);
    // `copies` copies of the part turned evenly about the y axis.
    void AddAround(const toolkit::Surface& part, Swatch swatch, int copies, float startRadians = 0.0f);

    const toolkit::Surface& surface() const { return surface_; }

private:
    toolkit::Surface surface_;
};

}  // namespace kr::makedata::enemies
