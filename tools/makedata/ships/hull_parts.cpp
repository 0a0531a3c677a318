#include "ships/hull_parts.hpp"

#include <cmath>

#include "toolkit/ring_surface.hpp"

namespace kr::makedata::ships {
namespace {

using toolkit::Ring;
using toolkit::Surface;

constexpr float kTwoPi = 6.28318530717959f;

Ring SectionRing(const Section& section, const std::vector<glm::vec2>& shape) {
    if (section.halfWidth <= 0.0f) return {{0.0f, section.y, section.z}};
    Ring ring;
    for (const glm::vec2& p : shape) {
        const float height = p.y >= 0.0f ? section.top : section.bottom;
        ring.push_back({p.x * section.halfWidth, section.y + p.y * height, section.z});
    }
    return ring;
}

// A round ring about the z axis through `centre`.
Ring RoundRing(glm::vec3 centre, float radius, glm::vec2 stretch, int sides) {
    if (radius <= 0.0f) return {centre};
    Ring ring;
    for (int j = 0; j < sides; ++j) {
        const float a = kTwoPi * static_cast<float>(j) / static_cast<float>(sides);
        ring.push_back(centre + glm::vec3(std::cos(a) * radius * stretch.x, std::sin(a) * radius * stretch.y, 0.0f));
    }
    return ring;
}

toolkit::RingSlots SlotsOf(RingParts parts) { return {Slot(parts.band), Slot(parts.startCap), Slot(parts.endCap)}; }

}  // namespace

Surface Body(const std::vector<Section>& sections, int sides, RingParts parts) {
    std::vector<Ring> rings;
    for (const Section& section : sections)
        rings.push_back(SectionRing(section, toolkit::SuperEllipse(sides, section.squareness)));
    return toolkit::RingSurface(rings, true, true, SlotsOf(parts));
}

Surface Wing(const std::vector<WingStation>& stations, Part part) {
    std::vector<Ring> rings;
    for (const WingStation& w : stations) {
        const float chord = w.trail - w.lead;
        const float up = w.thickness * 0.5f, down = w.thickness * 0.4f;
        rings.push_back({{w.x, w.y, w.lead},
                         {w.x, w.y + up, w.lead + 0.2f * chord},
                         {w.x, w.y + up, w.lead + 0.62f * chord},
                         {w.x, w.y, w.trail},
                         {w.x, w.y - down, w.lead + 0.62f * chord},
                         {w.x, w.y - down, w.lead + 0.2f * chord}});
    }
    return toolkit::RingSurface(rings, true, true, SlotsOf({part, part, part}));
}

Surface Nozzle(const NozzleSpec& spec) {
    const float r = spec.radius, l = spec.length, d = spec.depth;
    const auto ring = [&](float radius, float dz) {
        return RoundRing(spec.exit + glm::vec3(0, 0, dz), radius, spec.stretch, spec.sides);
    };
    Surface bell = toolkit::RingSurface({ring(0.8f * r, -l), ring(0.97f * r, -0.55f * l), ring(r, -0.1f * l), ring(r, 0.0f),
                                ring(0.84f * r, 0.0f), ring(0.74f * r, -0.45f * d), ring(0.64f * r, -d)},
                                        true, false, SlotsOf({Part::Nozzle, Part::Nozzle, Part::Nozzle}));
    bell.Append(toolkit::RingSurface({ring(0.64f * r, -d), ring(0.42f * r, -0.85f * d), ring(0.0f, -0.6f * d)}, false,
                                     false, SlotsOf({Part::Glow, Part::Glow, Part::Glow})));
    return bell;
}

Surface Barrel(glm::vec3 muzzle, float length, float radius, int sides, Part part) {
    const auto ring = [&](float r, float dz) { return RoundRing(muzzle + glm::vec3(0, 0, dz), r, glm::vec2(1.0f), sides); };
    return toolkit::RingSurface(
        {ring(radius, length), ring(radius, 0.0f), ring(0.55f * radius, 0.0f), ring(0.55f * radius, 0.3f * radius)}, true, true,
        SlotsOf({part, part, Part::Intake}));
}

Surface Blob(glm::vec3 centre, glm::vec3 radii, int sides, Part part) {
    constexpr int kRings = 6;
    std::vector<Section> sections;
    for (int k = 0; k <= kRings; ++k) {
        const float a = 3.14159265f * static_cast<float>(k) / kRings;
        const float across = (k == 0 || k == kRings) ? 0.0f : std::sin(a);
        sections.push_back({centre.z - radii.z * std::cos(a), centre.y, radii.x * across, radii.y * across,
                            radii.y * across, 2.0f});
    }
    Surface blob = Body(sections, sides, {part, part, part});
    blob.Translate({centre.x, 0.0f, 0.0f});
    return blob;
}

Surface Pair(const Surface& part) { return toolkit::WithMirror(part, toolkit::Axis::X); }

Surface Tagged(Surface surface, Part part) {
    surface.SetMaterial(Slot(part));
    return surface;
}

}  // namespace kr::makedata::ships
