#include "toolkit/panels.hpp"

#include <algorithm>
#include <cmath>

#include "engine/random.hpp"

namespace kr::toolkit {
namespace {

float Span(const Rect& r, int axis) { return r.max[axis] - r.min[axis]; }

void Split(const Rect& r, const PanelLayout& layout, Random& random, std::vector<Rect>& out) {
    const float w = Span(r, 0);
    const float h = Span(r, 1);
    const bool mustSplit = std::max(w, h) > layout.maxSize;
    const bool canSplit = std::max(w, h) >= 2.0f * layout.minSize;
    if (!canSplit || (!mustSplit && random(3) == 0)) {
        out.push_back({r.min, r.max, layout.cut});
        return;
    }
    // Cut across the longer side, unless only the shorter one can take it.
    int axis = w >= h ? 0 : 1;
    if (Span(r, axis) < 2.0f * layout.minSize) axis = 1 - axis;
    const int low = static_cast<int>(std::ceil(r.min[axis] + layout.minSize));
    const int high = static_cast<int>(std::floor(r.max[axis] - layout.minSize));
    const float at = static_cast<float>(low + random(high - low + 1));
    Rect first = r;
    Rect second = r;
    first.max[axis] = at;
    second.min[axis] = at;
    Split(first, layout, random, out);
    Split(second, layout, random, out);
}

}  // namespace

std::vector<Rect> SplitIntoPanels(const Rect& area, const PanelLayout& layout) {
    Random random(layout.seed);
    std::vector<Rect> panels;
    Split(area, layout, random, panels);
    return panels;
}

Field SeamMask(int width, int height, const std::vector<Rect>& panels, float seamWidth, Edge edge) {
    Field mask(width, height);
    for (const Rect& panel : panels) Stroke(mask, panel, seamWidth);
    if (edge == Edge::Wrap) {
        // A seam on the border of a tiling texture is half on each side.
        for (const Rect& panel : panels) {
            const glm::vec2 size(static_cast<float>(width), static_cast<float>(height));
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (dx != 0 || dy != 0) {
                        const glm::vec2 shift = size * glm::vec2(dx, dy);
                        Stroke(mask, Rect{panel.min + shift, panel.max + shift, panel.cut}, seamWidth);
                    }
        }
    }
    return mask;
}

Field RivetHeight(int width, int height, const std::vector<Rect>& panels, const RivetLayout& layout) {
    Field domes(width, height);
    const auto dome = [&](glm::vec2 c) {
        const int x0 = std::max(0, static_cast<int>(std::floor(c.x - layout.radius)));
        const int y0 = std::max(0, static_cast<int>(std::floor(c.y - layout.radius)));
        const int x1 = std::min(width, static_cast<int>(std::ceil(c.x + layout.radius)));
        const int y1 = std::min(height, static_cast<int>(std::ceil(c.y + layout.radius)));
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const float d = glm::length(glm::vec2(x + 0.5f, y + 0.5f) - c) / layout.radius;
                if (d < 1.0f) domes.At(x, y) = std::max(domes.At(x, y), std::sqrt(1.0f - d * d));
            }
    };
    const auto row = [&](glm::vec2 a, glm::vec2 b) {
        const float length = glm::length(b - a);
        const int count = std::max(1, static_cast<int>(std::floor(length / std::max(layout.spacing, 1.0f))));
        for (int i = 0; i <= count; ++i) dome(a + (b - a) * (static_cast<float>(i) / count));
    };
    for (const Rect& panel : panels) {
        const glm::vec2 lo = panel.min + layout.inset;
        const glm::vec2 hi = panel.max - layout.inset;
        if (hi.x <= lo.x || hi.y <= lo.y) continue;
        // Corners are pulled in where the panel's corners are cut.
        const float c = std::max(panel.cut - layout.inset * 0.6f, 0.0f);
        row({lo.x + c, lo.y}, {hi.x - c, lo.y});
        row({lo.x + c, hi.y}, {hi.x - c, hi.y});
        row({lo.x, lo.y + c}, {lo.x, hi.y - c});
        row({hi.x, lo.y + c}, {hi.x, hi.y - c});
    }
    return domes;
}

}  // namespace kr::toolkit
