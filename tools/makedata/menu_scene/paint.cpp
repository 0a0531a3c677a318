#include "menu_scene/paint.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/decals.hpp"

namespace kr::makedata::menu_scene::paint {

void StampTurned(toolkit::Field& target, const toolkit::Field& stamp, glm::vec2 centre, float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    const glm::vec2 half(stamp.width() * 0.5f, stamp.height() * 0.5f);
    const float reach = glm::length(half) + 1.0f;
    const int x0 = std::max(0, static_cast<int>(centre.x - reach));
    const int x1 = std::min(target.width() - 1, static_cast<int>(centre.x + reach));
    const int y0 = std::max(0, static_cast<int>(centre.y - reach));
    const int y1 = std::min(target.height() - 1, static_cast<int>(centre.y + reach));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 d(x + 0.5f - centre.x, y + 0.5f - centre.y);
            // Into the stamp's own frame: the inverse turn.
            const glm::vec2 p(c * d.x + s * d.y + half.x, -s * d.x + c * d.y + half.y);
            if (p.x < 0 || p.y < 0 || p.x >= stamp.width() || p.y >= stamp.height()) continue;
            const float v = stamp.Sample(p.x, p.y, toolkit::Edge::Clamp);
            target.At(x, y) = std::max(target.At(x, y), v);
        }
    }
}

toolkit::Field StencilText(const char* text, float height) {
    const float margin = height * 0.25f;
    const float width = toolkit::StencilWidth(text, height);
    toolkit::Field field(static_cast<int>(std::ceil(width + 2 * margin)), static_cast<int>(std::ceil(height + 2 * margin)));
    toolkit::DrawStencil(field, text, {margin, margin}, height);
    return field;
}

}  // namespace kr::makedata::menu_scene::paint
