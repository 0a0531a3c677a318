#include "toolkit/view_atlas.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kr::toolkit {
namespace {

// Fractions of the texture's height where the rows of regions end: top and
// bottom views, then the sides, then front and back.
constexpr float kPlanRows = 0.625f;
constexpr float kSideRows = 0.8125f;
// Fractions of the width where the front and the back view end in the last
// row; the spare corner takes the rest.
constexpr float kEndColumns = 0.375f;
constexpr float kSpareColumn = 0.75f;
constexpr float kMarginFraction = 0.012f;
// Texels whose centres lie this close outside a triangle still take it, so
// that slivers seen edge-on leave a trace.
constexpr float kConservative = 0.7f;

std::size_t At(View view) { return static_cast<std::size_t>(view); }

// The view's plane coordinates: right and down as the view's viewer sees them.
glm::vec2 PlaneOf(View view, glm::vec3 p) {
    switch (view) {
        case View::Top: return {-p.x, p.z};
        case View::Bottom: return {p.x, p.z};
        case View::Left: return {-p.z, -p.y};
        case View::Right: return {p.z, -p.y};
        case View::Front: return {p.x, -p.y};
        case View::Back: return {-p.x, -p.y};
    }
    return {0.0f, 0.0f};
}

std::array<Rect, kViewCount> Regions(int size) {
    const float s = static_cast<float>(size), h = s * 0.5f;
    const float plan = s * kPlanRows, side = s * kSideRows;
    return {{{{0, 0}, {h, plan}},
             {{h, 0}, {s, plan}},
             {{0, plan}, {h, side}},
             {{h, plan}, {s, side}},
             {{0, side}, {s * kEndColumns, s}},
             {{s * kEndColumns, side}, {s * kSpareColumn, s}}}};
}


float EdgeDistance(glm::vec2 a, glm::vec2 b, glm::vec2 p) {
    const glm::vec2 e = b - a;
    const float length = std::max(glm::length(e), 1e-6f);
    return (e.x * (p.y - a.y) - e.y * (p.x - a.x)) / length;
}

void RasteriseTriangle(const Triangle& t, const ViewAtlas& atlas, SurfaceMaps& maps,
                       std::vector<float>& nearest) {
    const glm::vec3 area = AreaVector(t);
    if (glm::length(area) <= 0.0f) return;
    const View view = ViewAtlas::ViewOf(area);
    const glm::vec3 normal = glm::normalize(area);
    glm::vec2 q[3];
    for (int k = 0; k < 3; ++k) q[k] = atlas.Texel(view, t.corners[k].position);
    // Orient the texel triangle counter-clockwise so inside distances are positive.
    const float signedArea = (q[1].x - q[0].x) * (q[2].y - q[0].y) - (q[1].y - q[0].y) * (q[2].x - q[0].x);
    if (std::abs(signedArea) < 1e-9f) return;
    const int i1 = signedArea > 0.0f ? 1 : 2, i2 = signedArea > 0.0f ? 2 : 1;
    const glm::vec2 a = q[0], b = q[i1], c = q[i2];
    const glm::vec3 pa = t.corners[0].position, pb = t.corners[static_cast<std::size_t>(i1)].position,
                    pc = t.corners[static_cast<std::size_t>(i2)].position;
    const float twiceArea = std::abs(signedArea);
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}) - 1.0f)));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}) - 1.0f)));
    const int x1 = std::min(maps.size - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}) + 1.0f)));
    const int y1 = std::min(maps.size - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}) + 1.0f)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float da = EdgeDistance(b, c, p), db = EdgeDistance(c, a, p), dc = EdgeDistance(a, b, p);
            if (da < -kConservative || db < -kConservative || dc < -kConservative) continue;
            // Barycentric weights from the edge functions.
            const float wa = da * glm::length(c - b) / twiceArea;
            const float wb = db * glm::length(a - c) / twiceArea;
            const glm::vec3 position = pa * wa + pb * wb + pc * (1.0f - wa - wb);
            const float near = ViewAtlas::Nearness(view, position);
            const std::size_t i = maps.Index(x, y);
            if (near <= nearest[i]) continue;
            nearest[i] = near;
            maps.slot[i] = static_cast<std::int8_t>(t.material);
            maps.view[i] = static_cast<std::int8_t>(view);
            maps.position[i] = position;
            maps.normal[i] = normal;
            maps.covered[i] = 1;
        }
}

// Spreads the painted texels outwards, nearest first, up to `reach` steps:
// each empty texel outside `keepOut` copies the neighbour it was reached from.
void Spread(SurfaceMaps& maps, int reach, const Rect& keepOut) {
    std::vector<int> steps(maps.slot.size(), -1);
    std::vector<std::size_t> frontier;
    for (std::size_t i = 0; i < maps.slot.size(); ++i)
        if (maps.slot[i] >= 0) {
            steps[i] = 0;
            frontier.push_back(i);
        }
    static const int kSteps[8][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (std::size_t head = 0; head < frontier.size(); ++head) {
        const std::size_t from = frontier[head];
        if (steps[from] >= reach) continue;
        const int x = static_cast<int>(from % static_cast<std::size_t>(maps.size));
        const int y = static_cast<int>(from / static_cast<std::size_t>(maps.size));
        for (const auto& step : kSteps) {
            const int nx = x + step[0], ny = y + step[1];
            if (nx < 0 || ny < 0 || nx >= maps.size || ny >= maps.size) continue;
            if (nx >= keepOut.min.x && nx < keepOut.max.x && ny >= keepOut.min.y && ny < keepOut.max.y) continue;
            const std::size_t to = maps.Index(nx, ny);
            if (steps[to] >= 0) continue;
            steps[to] = steps[from] + 1;
            maps.slot[to] = maps.slot[from];
            maps.view[to] = maps.view[from];
            maps.position[to] = maps.position[from];
            maps.normal[to] = maps.normal[from];
            frontier.push_back(to);
        }
    }
}

}  // namespace

Rect ViewAtlas::SpareRegion() const {
    const float s = static_cast<float>(size_);
    return {{s * kSpareColumn, s * kSideRows}, {s, s}};
}

ViewAtlas::ViewAtlas(const Surface& model, int size) : size_(size), regions_(Regions(size)) {
    const Bounds3 b = model.Bounds();
    const float margin = static_cast<float>(size) * kMarginFraction;
    for (int v = 0; v < kViewCount; ++v) {
        const View view = static_cast<View>(v);
        glm::vec2 lo(std::numeric_limits<float>::max()), hi(-std::numeric_limits<float>::max());
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec3 p((corner & 1) ? b.max.x : b.min.x, (corner & 2) ? b.max.y : b.min.y,
                              (corner & 4) ? b.max.z : b.min.z);
            lo = glm::min(lo, PlaneOf(view, p));
            hi = glm::max(hi, PlaneOf(view, p));
        }
        const Rect& r = regions_[At(view)];
        const glm::vec2 room = r.max - r.min - 2.0f * margin;
        const glm::vec2 extent = glm::max(hi - lo, glm::vec2(1e-3f));
        Fit& fit = fits_[At(view)];
        fit.scale = std::min(room.x / extent.x, room.y / extent.y);
        fit.offset = (r.min + r.max) * 0.5f - fit.scale * (lo + hi) * 0.5f;
    }
}

View ViewAtlas::ViewOf(glm::vec3 n) {
    const glm::vec3 a = glm::abs(n);
    if (a.y >= a.x && a.y >= a.z) return n.y >= 0.0f ? View::Top : View::Bottom;
    if (a.x >= a.z) return n.x >= 0.0f ? View::Right : View::Left;
    return n.z >= 0.0f ? View::Back : View::Front;
}

glm::vec2 ViewAtlas::Texel(View view, glm::vec3 point) const {
    const Fit& fit = fits_[At(view)];
    return fit.offset + fit.scale * PlaneOf(view, point);
}

float ViewAtlas::Nearness(View view, glm::vec3 p) {
    switch (view) {
        case View::Top: return p.y;
        case View::Bottom: return -p.y;
        case View::Left: return -p.x;
        case View::Right: return p.x;
        case View::Front: return -p.z;
        case View::Back: return p.z;
    }
    return 0.0f;
}

void ViewAtlas::Apply(Surface& surface, const SlotFilter& onViews) const {
    const float texel = 1.0f / static_cast<float>(size_);
    for (Triangle& t : surface.triangles()) {
        if (!onViews(t.material)) continue;
        const View view = ViewOf(AreaVector(t));
        for (Corner& c : t.corners) c.uv = Texel(view, c.position) * texel;
    }
}

SurfaceMaps RasteriseViews(const Surface& model, const ViewAtlas& atlas, const SlotFilter& onViews, int spreadTexels) {
    SurfaceMaps maps;
    maps.size = atlas.size();
    const std::size_t count = static_cast<std::size_t>(maps.size) * maps.size;
    maps.slot.assign(count, -1);
    maps.view.assign(count, -1);
    maps.position.assign(count, glm::vec3(0.0f));
    maps.normal.assign(count, glm::vec3(0.0f, 1.0f, 0.0f));
    maps.covered.assign(count, 0);
    std::vector<float> nearest(count, -std::numeric_limits<float>::infinity());
    for (const Triangle& t : model.triangles())
        if (onViews(t.material)) RasteriseTriangle(t, atlas, maps, nearest);
    Spread(maps, spreadTexels, atlas.SpareRegion());
    return maps;
}

}  // namespace kr::toolkit
