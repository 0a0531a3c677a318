#pragma once
// Swatches for a ship's small parts, in the corner of the skin the views
// leave free: a shaded metal ball the guns look up by their normals, one per
// lamp colour, heat-tinted strips the engine bells run along, and the glow
// of the engine cores from centre to rim.

#include <array>
#include <vector>

#include "engine/model/model.hpp"
#include "ships/hull_parts.hpp"
#include "ships/ship_designs.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/shapes.hpp"

namespace kr::makedata::ships {

class DetailSwatches {
public:
    DetailSwatches(const toolkit::Rect& region, int textureSize, std::vector<NozzleSpec> nozzles);

    // Texture coordinates for the vertices of a primitive made of one small
    // `part` (Gun, Lamp, Nozzle or Glow), from their positions and normals.
    void Apply(Part part, model::Primitive& primitive) const;
    void Paint(toolkit::Canvas& canvas, const Livery& livery) const;

private:
    enum Swatch { Metal, PortLamp, StarboardLamp, MarkerLamp, BellOutside, BellInside, Core, kSwatchCount };

    const toolkit::Rect& Rect(Swatch swatch) const { return rects_[static_cast<std::size_t>(swatch)]; }
    // A point of a swatch, from (0, 0) at its top-left to (1, 1).
    glm::vec2 Uv(Swatch swatch, glm::vec2 at) const;
    // The swatch looked up like a ball by a normal: up is the top.
    glm::vec2 BallUv(Swatch swatch, glm::vec3 normal) const;
    const NozzleSpec& NearestNozzle(glm::vec3 point) const;
    glm::vec2 BellUv(const model::Vertex& vertex) const;
    glm::vec2 CoreUv(const model::Vertex& vertex) const;

    std::array<toolkit::Rect, kSwatchCount> rects_;
    int textureSize_;
    std::vector<NozzleSpec> nozzles_;
};

// Lamps far out from the middle are the wing-tip pair: red on the left of
// the pilot (+x), green on the right; the others show the ship's marker colour.
inline constexpr float kWingTipLampX = 120.0f;

}  // namespace kr::makedata::ships
