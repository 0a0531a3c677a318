#include "enemies/alien_parts.hpp"

#include <cmath>

#include <glm/gtc/constants.hpp>

#include "toolkit/loft.hpp"
#include "toolkit/primitives.hpp"
#include "toolkit/ring_surface.hpp"
#include "toolkit/uv_projection.hpp"

namespace kr::makedata::enemies {

using toolkit::Surface;

Surface Pod(const std::vector<PodSection>& sections, int sides, float squareness) {
    toolkit::LoftShape shape;
    shape.profile = toolkit::SuperEllipse(sides, squareness);
    for (const PodSection& s : sections) {
        const float half = 0.5f * (s.top + s.bottom);
        toolkit::LoftStation station;
        station.centre = {s.x, s.y + 0.5f * (s.top - s.bottom), s.z};
        station.scale = s.halfWidth > 0.0f ? glm::vec2(s.halfWidth, half) : glm::vec2(0.0f);
        shape.stations.push_back(station);
    }
    // Mapped from above like the orbs: the plating reads the right way
    // round on the top that the game's camera sees.
    Surface pod = toolkit::Loft(shape);
    toolkit::ProjectPlanar(pod, toolkit::Axis::Y);
    return pod;
}

Surface Horn(const std::vector<glm::vec3>& path, const std::vector<float>& radii, int sides) {
    toolkit::LoftShape shape;
    shape.profile = toolkit::SuperEllipse(sides, 2.0f);
    for (std::size_t i = 0; i < path.size(); ++i) {
        toolkit::LoftStation station;
        station.centre = path[i];
        station.scale = glm::vec2(i < radii.size() ? radii[i] : 0.0f);
        shape.stations.push_back(station);
    }
    return toolkit::Loft(shape);
}

Surface Spike(glm::vec3 base, glm::vec3 tip, float radius, int sides) {
    return Horn({base, glm::mix(base, tip, 0.5f), tip}, {radius, radius * 0.55f, 0.0f}, sides);
}

Surface Blade(const std::vector<glm::vec2>& outlineXz, float thickness, float bevel) {
    Surface blade = toolkit::Extrude(outlineXz, thickness, bevel);
    // The outline's second coordinate becomes z, the depth becomes y.
    blade.Rotate(glm::half_pi<float>(), {1, 0, 0});
    return blade;
}

Surface Orb(glm::vec3 centre, glm::vec3 radii, int segments) {
    Surface orb = toolkit::Sphere(1.0f, segments, segments / 2 + 1);
    orb.Scale(radii);
    orb.Translate(centre);
    // Mapped from above, the way the game's camera sees it: a lens or a
    // core shows its middle on top.
    toolkit::ProjectPlanar(orb, toolkit::Axis::Y);
    return orb;
}

void CraftParts::Add(Surface part, Swatch swatch) {
    OnSwatch(part, swatch);
    surface_.Append(part);
}

void CraftParts::AddPair(Surface part, Swatch swatch) {
    OnSwatch(part, swatch);
    surface_.Append(toolkit::WithMirror(part, toolkit::Axis::X));
}

void CraftParts::AddAround(const Surface& part, Swatch swatch, int copies, float startRadians) {
    for (int k = 0; k < copies; ++k) {
        Surface copy = part;
        copy.Rotate(startRadians + glm::two_pi<float>() * static_cast<float>(k) / static_cast<float>(copies), {0, 1, 0});
        Add(std::move(copy), swatch);
    }
}

}  // namespace kr::makedata::enemies
