// The view atlas: each face goes to the view it looks towards, the views
// keep to their own regions and read the right way round, and the
// rasterised maps show what each view's viewer sees, spread a few texels
// outwards but never into the spare corner.

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/primitives.hpp"
#include "toolkit/view_atlas.hpp"

namespace kr::toolkit::test {
namespace {

constexpr int kSize = 256;

bool Inside(const Rect& r, glm::vec2 p) { return p.x >= r.min.x && p.x <= r.max.x && p.y >= r.min.y && p.y <= r.max.y; }

bool Overlap(const Rect& a, const Rect& b) {
    return a.min.x < b.max.x && b.min.x < a.max.x && a.min.y < b.max.y && b.min.y < a.max.y;
}

// A long box: 2 across (x), 1 high (y), 6 from nose (-z) to tail.
Surface LongBox() { return Box({2.0f, 1.0f, 6.0f}); }

bool All(int) { return true; }

TEST(ViewAtlas, GivesEachFaceTheViewItLooksTowards) {
    EXPECT_EQ(ViewAtlas::ViewOf({0, 1, 0.2f}), View::Top);
    EXPECT_EQ(ViewAtlas::ViewOf({0.3f, -1, 0}), View::Bottom);
    EXPECT_EQ(ViewAtlas::ViewOf({-1, 0.5f, 0.2f}), View::Left);
    EXPECT_EQ(ViewAtlas::ViewOf({1, 0, 0.9f}), View::Right);
    EXPECT_EQ(ViewAtlas::ViewOf({0, 0.1f, -1}), View::Front);
    EXPECT_EQ(ViewAtlas::ViewOf({0.2f, 0, 1}), View::Back);
}

TEST(ViewAtlas, KeepsEveryViewInsideItsOwnRegion) {
    const ViewAtlas atlas(LongBox(), kSize);
    const Rect whole{{0, 0}, {kSize, kSize}};
    for (int a = 0; a < kViewCount; ++a) {
        const Rect& region = atlas.Region(static_cast<View>(a));
        EXPECT_TRUE(Inside(whole, region.min) && Inside(whole, region.max)) << a;
        EXPECT_FALSE(Overlap(region, atlas.SpareRegion())) << a;
        for (int b = a + 1; b < kViewCount; ++b) EXPECT_FALSE(Overlap(region, atlas.Region(static_cast<View>(b)))) << a << " " << b;
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec3 p((corner & 1) ? 1.0f : -1.0f, (corner & 2) ? 0.5f : -0.5f, (corner & 4) ? 3.0f : -3.0f);
            EXPECT_TRUE(Inside(region, atlas.Texel(static_cast<View>(a), p))) << a << " " << corner;
        }
    }
}

TEST(ViewAtlas, ViewsReadTheRightWayRound) {
    const ViewAtlas atlas(LongBox(), kSize);
    const glm::vec3 nose(0, 0, -3), tail(0, 0, 3), top(0, 0.5f, 0), bottom(0, -0.5f, 0), plusX(1, 0, 0), minusX(-1, 0, 0);
    // From above, the nose up the picture and +x on the left.
    EXPECT_LT(atlas.Texel(View::Top, nose).y, atlas.Texel(View::Top, tail).y);
    EXPECT_LT(atlas.Texel(View::Top, plusX).x, atlas.Texel(View::Top, minusX).x);
    // The left side: nose to the right, top up; the right side: nose to the left.
    EXPECT_GT(atlas.Texel(View::Left, nose).x, atlas.Texel(View::Left, tail).x);
    EXPECT_LT(atlas.Texel(View::Left, top).y, atlas.Texel(View::Left, bottom).y);
    EXPECT_LT(atlas.Texel(View::Right, nose).x, atlas.Texel(View::Right, tail).x);
    // Proportions kept: six units of length span three times two of width.
    const float length = atlas.Texel(View::Top, tail).y - atlas.Texel(View::Top, nose).y;
    const float width = atlas.Texel(View::Top, minusX).x - atlas.Texel(View::Top, plusX).x;
    EXPECT_NEAR(length / width, 3.0f, 1e-3f);
    EXPECT_NEAR(length, 6.0f * atlas.TexelsPerUnit(View::Top), 1e-3f);
}

TEST(ViewAtlas, MapsOnlyTheSlotsItIsGiven) {
    Surface s = LongBox();
    s.SetMaterial(1);
    Surface other = Box({1, 1, 1});
    other.SetMaterial(2);
    for (Triangle& t : other.triangles())
        for (Corner& c : t.corners) c.uv = {7, 7};
    s.Append(other);
    const ViewAtlas atlas(s, kSize);
    atlas.Apply(s, [](int slot) { return slot == 1; });
    for (const Triangle& t : s.triangles())
        for (const Corner& c : t.corners) {
            if (t.material == 2) {
                EXPECT_EQ(c.uv, glm::vec2(7, 7));
            } else {
                EXPECT_TRUE(c.uv.x >= 0 && c.uv.x <= 1 && c.uv.y >= 0 && c.uv.y <= 1);
            }
        }
}

TEST(RasteriseViews, ShowsWhatEachViewsViewerSees) {
    // Two flat slabs one above the other: from above the upper one shows,
    // from below the lower one.
    Surface upper = Box({2, 0.2f, 4});
    upper.Translate({0, 1, 0}).SetMaterial(3);
    Surface lower = Box({2, 0.2f, 4});
    lower.Translate({0, -1, 0}).SetMaterial(4);
    Surface both = upper;
    both.Append(lower);
    const ViewAtlas atlas(both, kSize);
    const SurfaceMaps maps = RasteriseViews(both, atlas, All, 3);
    const glm::vec2 above = atlas.Texel(View::Top, {0, 0, 0});
    const glm::vec2 below = atlas.Texel(View::Bottom, {0, 0, 0});
    const std::size_t top = maps.Index(static_cast<int>(above.x), static_cast<int>(above.y));
    const std::size_t bottom = maps.Index(static_cast<int>(below.x), static_cast<int>(below.y));
    EXPECT_EQ(maps.slot[top], 3);
    EXPECT_EQ(maps.view[top], static_cast<int>(View::Top));
    EXPECT_NEAR(maps.position[top].y, 1.1f, 1e-3f);
    EXPECT_NEAR(maps.normal[top].y, 1.0f, 1e-5f);
    EXPECT_EQ(maps.slot[bottom], 4);
    EXPECT_NEAR(maps.position[bottom].y, -1.1f, 1e-3f);
}

TEST(RasteriseViews, SpreadsAFewTexelsButNotIntoTheSpareCorner) {
    const Surface box = LongBox();
    const ViewAtlas atlas(box, kSize);
    constexpr int kSpread = 3;
    const SurfaceMaps maps = RasteriseViews(box, atlas, All, kSpread);
    const glm::vec2 tailEdge = atlas.Texel(View::Top, {0, 0.5f, 3});
    const int x = static_cast<int>(tailEdge.x), y = static_cast<int>(tailEdge.y);
    EXPECT_EQ(maps.covered[maps.Index(x, y + kSpread)], 0);
    EXPECT_EQ(maps.slot[maps.Index(x, y + kSpread)], 0) << "spread in";
    EXPECT_EQ(maps.slot[maps.Index(x, y + kSpread + 3)], -1) << "beyond the spread";
    const Rect spare = atlas.SpareRegion();
    for (int sy = static_cast<int>(spare.min.y); sy < static_cast<int>(spare.max.y); ++sy)
        for (int sx = static_cast<int>(spare.min.x); sx < static_cast<int>(spare.max.x); ++sx)
            ASSERT_EQ(maps.slot[maps.Index(sx, sy)], -1) << sx << " " << sy;
    // Slots the filter turns away leave no trace.
    const SurfaceMaps none = RasteriseViews(box, atlas, [](int) { return false; }, kSpread);
    for (auto slot : none.slot) ASSERT_EQ(slot, -1);
}

}  // namespace
}  // namespace kr::toolkit::test
