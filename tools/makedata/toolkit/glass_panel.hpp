#pragma once
// The interface panel of the game's look: dark translucent glass in a
// bevelled gunmetal frame, a thin glowing crimson line along the frame's
// inner edge, corners cut at 45 degrees, transparent outside. Drawn over the
// 3D backdrop, so the alpha channel carries the glass and the cut corners.

#include <cstdint>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"

namespace kr::toolkit {

struct GlassPanelStyle {
    float cut = 12.0f;          // corner cut of the outer edge, texels
    float frame = 5.0f;         // width of the metal frame
    float glassAlpha = 0.72f;   // opacity of the glass away from the frame
    float edgeGlow = 1.0f;      // strength of the crimson inner edge and its glow
    glm::vec3 edgeColour{0.85f, 0.15f, 0.12f};
    glm::vec3 glassTint{0.035f, 0.045f, 0.08f};
    bool studs = true;          // screw heads on the corner cuts (frames of 7 texels or more)
    bool topLight = false;      // a short bright strip centred on the top edge
    std::uint32_t seed = 1;     // brushing and grain
};

Canvas RenderGlassPanel(int width, int height, const GlassPanelStyle& style = {});

// The panel's outer outline and the glass inside its frame, as shapes.
struct PanelOutline {
    float left, top, right, bottom, cut;
};
PanelOutline OuterOutline(int width, int height, const GlassPanelStyle& style);
PanelOutline InnerOutline(int width, int height, const GlassPanelStyle& style);

}  // namespace kr::toolkit
