#pragma once
// A texture laid out as six views of a model (top, bottom, both sides,
// front, back), each in its own region of one square picture, with a spare
// corner for swatches. Every triangle takes the view its face looks
// towards, so panel lines, stripes and lettering drawn on a view lie on the
// model the way a painter lays them out on a plan. The model's nose points
// to -z and its top to +y; each view reads the right way round from
// outside in the engine's left-handed world: the top seen from above with
// the nose up, the left (-x) side with the nose to the right, the right
// side with the nose to the left.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <glm/glm.hpp>

#include "toolkit/shapes.hpp"
#include "toolkit/surface.hpp"

namespace kr::toolkit {

enum class View : int { Top = 0, Bottom, Left, Right, Front, Back };
inline constexpr int kViewCount = 6;

// Which material slots are painted on the views; the others are left alone.
using SlotFilter = std::function<bool(int slot)>;

class ViewAtlas {
public:
    // Fits every view of the surface's bounds into its region of a square
    // texture of `size` texels, keeping each view's proportions.
    ViewAtlas(const Surface& model, int size);

    int size() const { return size_; }
    // The view a triangle with this outward area vector takes.
    static View ViewOf(glm::vec3 faceNormal);
    // The region of a view, in texels.
    const Rect& Region(View view) const { return regions_[static_cast<std::size_t>(view)]; }
    // The corner no view uses, in texels.
    Rect SpareRegion() const;
    // Where a model point lands in a view, in texels.
    glm::vec2 Texel(View view, glm::vec3 point) const;
    // How many texels one model unit spans in a view.
    float TexelsPerUnit(View view) const { return fits_[static_cast<std::size_t>(view)].scale; }
    // How far a point lies towards the viewer of a view (larger is nearer).
    static float Nearness(View view, glm::vec3 point);

    // Gives every corner of the triangles whose slot passes `onViews` its
    // texture coordinate.
    void Apply(Surface& surface, const SlotFilter& onViews) const;

private:
    struct Fit {
        glm::vec2 offset{0.0f};
        float scale = 1.0f;
    };

    int size_;
    std::array<Rect, kViewCount> regions_;
    std::array<Fit, kViewCount> fits_;
};

// Per texel of the atlas: which slot is painted there (-1: none), in which
// view, where on the model that is, and the direction that face looks.
struct SurfaceMaps {
    int size = 0;
    std::vector<std::int8_t> slot;
    std::vector<std::int8_t> view;
    std::vector<glm::vec3> position;
    std::vector<glm::vec3> normal;
    std::vector<std::uint8_t> covered;  // 1 where a triangle lies, 0 where spread in

    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * size + x; }
};

// Rasterises the triangles whose slot passes `onViews` into the maps (slots
// 0..127). Where triangles of one view overlap, the one nearest that view's
// viewer wins. The painted texels then spread `spreadTexels` outwards
// (outside the spare corner), so that filtering never reaches unpainted
// ground.
SurfaceMaps RasteriseViews(const Surface& model, const ViewAtlas& atlas, const SlotFilter& onViews, int spreadTexels);

}  // namespace kr::toolkit
