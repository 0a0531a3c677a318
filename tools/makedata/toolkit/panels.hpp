#pragma once
// Hull plating: an area split into panels, the seams between them and the
// rivets along their edges, as masks and heights to light and colour.

#include <cstdint>
#include <vector>

#include "toolkit/field.hpp"
#include "toolkit/shapes.hpp"

namespace kr::toolkit {

struct PanelLayout {
    std::uint32_t seed = 1;
    float minSize = 24.0f;   // no panel side below this (texels)
    float maxSize = 160.0f;  // every panel side above this is split
    float cut = 0.0f;        // 45-degree corner cut of every panel
};

// Splits `area` into panels by repeated straight cuts at whole texels. The
// panels cover the area without overlap.
std::vector<Rect> SplitIntoPanels(const Rect& area, const PanelLayout& layout);

// The grooves between panels: every panel's outline, `width` texels wide.
Field SeamMask(int width, int height, const std::vector<Rect>& panels, float seamWidth, Edge edge = Edge::Clamp);

struct RivetLayout {
    float spacing = 20.0f;  // between rivet centres along an edge
    float inset = 5.0f;     // from the panel's edge
    float radius = 1.6f;
};

// Rivet domes (height 0..1) along the inside of every panel's edges.
Field RivetHeight(int width, int height, const std::vector<Rect>& panels, const RivetLayout& layout);

}  // namespace kr::toolkit
