// Canvas painting, shapes, blurs, bevels, baked light, panels and decals.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/error.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/contact_sheet.hpp"
#include "toolkit/decals.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/lighting.hpp"
#include "toolkit/panels.hpp"
#include "toolkit/shapes.hpp"

namespace kr::toolkit::test {
namespace {

constexpr float kPi = 3.14159265f;

double Sum(const Field& f) { return std::accumulate(f.values().begin(), f.values().end(), 0.0); }

void ExpectColour(Colour actual, Colour expected, float tolerance = 1e-5f) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(actual[c], expected[c], tolerance) << "channel " << c;
}

TEST(Blending, OverAddAndMultiplyOnTransparentAndOpaqueTexels) {
    const Colour clear(0.0f);
    const Colour grey(0.5f, 0.5f, 0.5f, 1.0f);
    // Over onto nothing gives the paint itself, at its own alpha.
    ExpectColour(BlendTexel(clear, {1, 0, 0, 0.25f}, Blend::Over), {1, 0, 0, 0.25f});
    ExpectColour(BlendTexel(grey, {1, 0, 0, 0.5f}, Blend::Over), {0.75f, 0.25f, 0.25f, 1});
    // Light added onto nothing keeps the light's colour, not a darkened one.
    ExpectColour(BlendTexel(clear, {0.5f, 0.8f, 1, 0.4f}, Blend::Add), {0.5f, 0.8f, 1, 0.4f});
    ExpectColour(BlendTexel(grey, {1, 1, 1, 0.25f}, Blend::Add), {0.75f, 0.75f, 0.75f, 1});
    ExpectColour(BlendTexel({1, 1, 1, 0.3f}, {0.5f, 0, 1, 1}, Blend::Multiply), {0.5f, 0, 1, 0.3f});
    ExpectColour(BlendTexel({1, 1, 1, 0.3f}, {0.0f, 0, 0, 0.5f}, Blend::Multiply), {0.5f, 0.5f, 0.5f, 0.3f});
}

TEST(Canvas, PaintsThroughMasksAndConvertsToBytes) {
    Canvas canvas(4, 1, Colour(0, 0, 0, 1));
    Field mask(4, 1);
    mask.At(1, 0) = 1.0f;
    mask.At(2, 0) = 0.5f;
    Paint(canvas, mask, Colour(1, 1, 1, 1));
    canvas.At(3, 0) = Colour(2.0f, -1.0f, 0.5f, 0.2f);  // out of range is clamped
    const image::Image image = ToImage(canvas);
    const std::vector<std::uint8_t> expected = {0, 0, 0, 255, 255, 255, 255, 255, 128, 128, 128, 255, 255, 0, 128, 51};
    EXPECT_EQ(image.rgba, expected);
    EXPECT_EQ(ToImage(FromImage(image)).rgba, image.rgba);
    // sRGB brightens mid-tones and keeps the ends.
    Canvas mid(1, 1, Colour(0.5f, 0.0f, 1.0f, 1.0f));
    EXPECT_EQ(ToImage(mid, Encoding::Srgb).rgba, (std::vector<std::uint8_t>{188, 0, 255, 255}));
}

TEST(Shapes, FilledAreasMatchTheGeometry) {
    const Field circle = ShapeMask(64, 64, Circle{{32.3f, 30.8f}, 20.0f});
    EXPECT_NEAR(Sum(circle), kPi * 400.0, 3.0);
    const Field rect = ShapeMask(64, 64, Rect{{8, 8}, {56, 40}, 6.0f});
    EXPECT_NEAR(Sum(rect), 48.0 * 32.0 - 2.0 * 36.0, 3.0);
    EXPECT_FLOAT_EQ(rect.At(8, 8), 0.0f);  // the cut corner
    EXPECT_FLOAT_EQ(rect.At(30, 20), 1.0f);
    EXPECT_FLOAT_EQ(rect.At(4, 20), 0.0f);
    // An L shape, listed both ways round.
    std::vector<glm::vec2> l = {{10, 10}, {50, 10}, {50, 20}, {20, 20}, {20, 50}, {10, 50}};
    EXPECT_NEAR(Sum(ShapeMask(64, 64, Polygon{l})), 40 * 10 + 10 * 30, 2.0);
    std::reverse(l.begin(), l.end());
    EXPECT_NEAR(Sum(ShapeMask(64, 64, Polygon{l})), 700.0, 2.0);
    const Field line = ShapeMask(64, 64, Segment{{10, 32}, {50, 32}, 4.0f});
    EXPECT_NEAR(Sum(line), 40 * 4 + kPi * 4, 2.0);
}

TEST(Shapes, EdgesAreAntiAliasedAndStrokesFollowTheOutline) {
    const Field circle = ShapeMask(64, 64, Circle{{32, 32}, 10.3f});
    int partial = 0;
    for (float v : circle.values()) partial += v > 0.05f && v < 0.95f;
    EXPECT_GT(partial, 30);
    Field ring(64, 64);
    Stroke(ring, Circle{{32, 32}, 20.0f}, 2.0f);
    EXPECT_NEAR(Sum(ring), 2 * kPi * 20 * 2, 4.0);
    EXPECT_FLOAT_EQ(ring.At(32, 32), 0.0f);
    // Subtracting and intersecting.
    Field m = ShapeMask(64, 64, Rect{{0, 0}, {64, 64}});
    Fill(m, Circle{{32, 32}, 10}, Combine::Subtract);
    EXPECT_NEAR(Sum(m), 64 * 64 - kPi * 100, 3.0);
    Fill(m, Rect{{0, 0}, {32, 64}}, Combine::Intersect);
    EXPECT_NEAR(Sum(m), 32 * 64 - kPi * 50, 3.0);
}

TEST(Fields, BlurKeepsTheTotalAndWrapsWhenAskedTo) {
    Field dot(32, 32);
    dot.At(0, 5) = 1.0f;
    const Field wrapped = Blurred(dot, 3.0f, Edge::Wrap);
    EXPECT_NEAR(Sum(wrapped), 1.0, 1e-5);
    EXPECT_GT(wrapped.At(31, 5), 0.01f);  // spread across the edge
    EXPECT_NEAR(wrapped.At(31, 5), wrapped.At(1, 5), 1e-6f);
    Field flat(16, 16, 0.7f);
    const Field blurredFlat = Blurred(flat, 5.0f);
    for (float v : blurredFlat.values()) EXPECT_NEAR(v, 0.7f, 1e-5f);
    EXPECT_EQ(Blurred(dot, 0.1f).values(), dot.values());
    EXPECT_THROW(CheckSameSize(Field(2, 2), Field(2, 3), "test"), Error);
}

TEST(Fields, SampleInterpolatesBetweenTexelCentresAndNormaliseStretches) {
    Field f(2, 1);
    f.At(0, 0) = 1.0f;
    f.At(1, 0) = 3.0f;
    EXPECT_FLOAT_EQ(f.Sample(0.5f, 0.5f, Edge::Clamp), 1.0f);
    EXPECT_FLOAT_EQ(f.Sample(1.0f, 0.5f, Edge::Clamp), 2.0f);
    EXPECT_FLOAT_EQ(f.Sample(2.0f, 0.5f, Edge::Clamp), 3.0f);
    EXPECT_FLOAT_EQ(f.Sample(2.0f, 0.5f, Edge::Wrap), 2.0f);  // half way back to the first
    Normalise(f, -1.0f, 1.0f);
    EXPECT_EQ(f.values(), (std::vector<float>{-1.0f, 1.0f}));
}

TEST(Fields, DistanceInsideMeasuresToTheNearestOutsideTexel) {
    const Field rect = ShapeMask(40, 40, Rect{{10, 10}, {30, 20}});
    const Field d = DistanceInside(rect);
    EXPECT_FLOAT_EQ(d.At(5, 5), 0.0f);
    EXPECT_FLOAT_EQ(d.At(10, 15), 1.0f);
    EXPECT_FLOAT_EQ(d.At(14, 15), 5.0f);
    EXPECT_FLOAT_EQ(d.At(20, 14), 5.0f);
    EXPECT_FLOAT_EQ(d.At(11, 11), 2.0f);
}

TEST(Lighting, BevelsRiseInwardsAndLightComesFromTheTopLeft) {
    const Field plate = ShapeMask(64, 64, Rect{{8, 8}, {56, 56}, 8});
    const Field height = BevelHeight(plate, 6.0f);
    EXPECT_FLOAT_EQ(height.At(2, 30), 0.0f);
    EXPECT_FLOAT_EQ(height.At(32, 32), 1.0f);
    for (int x = 8; x < 20; ++x) EXPECT_LE(height.At(x, 32), height.At(x + 1, 32));
    Canvas canvas(64, 64, Colour(0.5f, 0.5f, 0.5f, 1.0f));
    BakeLighting(canvas, height, 4.0f);
    EXPECT_NEAR(canvas.At(32, 32).r, 0.5f, 1e-5f);      // flat top unchanged
    EXPECT_NEAR(canvas.At(2, 2).r, 0.5f, 1e-5f);        // flat ground unchanged
    EXPECT_GT(canvas.At(32, 11).r, 0.53f);              // top edge faces the light
    EXPECT_GT(canvas.At(11, 32).r, 0.53f);              // left edge too
    EXPECT_LT(canvas.At(32, 52).r, 0.45f);              // bottom edge in shade
    EXPECT_LT(canvas.At(52, 32).r, 0.45f);
    EXPECT_FLOAT_EQ(canvas.At(32, 53).a, 1.0f);
}

TEST(Gradients, RampsInterpolateBetweenSortedStops) {
    const ColourRamp ramp{{1.0f, Colour(1, 1, 1, 1)}, {0.0f, Colour(0, 0, 0, 1)}, {0.5f, Colour(1, 0, 0, 1)}};
    ExpectColour(ramp.At(-1.0f), {0, 0, 0, 1});
    ExpectColour(ramp.At(0.25f), {0.5f, 0, 0, 1});
    ExpectColour(ramp.At(0.75f), {1, 0.5f, 0.5f, 1});
    ExpectColour(ramp.At(2.0f), {1, 1, 1, 1});
    EXPECT_THROW(ColourRamp(std::vector<ColourRamp::Stop>{}), Error);
    const Field linear = LinearGradient(10, 1, {0, 0}, {10, 0});
    EXPECT_NEAR(linear.At(0, 0), 0.05f, 1e-6f);
    EXPECT_NEAR(linear.At(9, 0), 0.95f, 1e-6f);
    const Field radial = RadialGradient(11, 11, {5.5f, 5.5f}, 5.0f);
    EXPECT_FLOAT_EQ(radial.At(5, 5), 0.0f);
    EXPECT_FLOAT_EQ(radial.At(0, 5), 1.0f);
    EXPECT_EQ(Colourise(radial, ramp).At(5, 5), Colour(0, 0, 0, 1));
}

TEST(Effects, GlowSpreadsLightAroundAMask) {
    Canvas canvas(32, 32, Colour(0.0f));
    const Field dot = ShapeMask(32, 32, Circle{{16, 16}, 3});
    AddGlow(canvas, dot, {1.0f, 0.45f, 0.2f}, 3.0f, 2.0f);
    EXPECT_GT(canvas.At(16, 16).a, 0.5f);
    EXPECT_GT(canvas.At(22, 16).a, 0.01f);
    EXPECT_FLOAT_EQ(canvas.At(0, 0).a, 0.0f);
    EXPECT_NEAR(canvas.At(22, 16).g / canvas.At(22, 16).r, 0.45f, 1e-4f);  // the glow's own colour
    const Field dots = GlowDots(32, 32, {{{8, 8}, 1.5f, 1.0f}, {{24, 24}, 2.0f, 0.5f}});
    EXPECT_NEAR(dots.At(7, 7), std::exp(-0.5f * 0.5f / 2.25f), 1e-5f);
    EXPECT_GT(dots.At(23, 23), 0.4f);
    EXPECT_FLOAT_EQ(dots.At(16, 0), 0.0f);
}

TEST(Panels, SplitCoversTheAreaWithoutOverlapWithinTheSizeLimits) {
    const Rect area{{0, 0}, {512, 256}};
    const PanelLayout layout{42, 24.0f, 120.0f, 4.0f};
    const auto panels = SplitIntoPanels(area, layout);
    ASSERT_GT(panels.size(), 8u);
    double total = 0.0;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const Rect& p = panels[i];
        const glm::vec2 size = p.max - p.min;
        total += size.x * size.y;
        EXPECT_GE(std::min(size.x, size.y), layout.minSize);
        EXPECT_LE(std::max(size.x, size.y), layout.maxSize);
        EXPECT_EQ(p.cut, layout.cut);
        for (std::size_t j = i + 1; j < panels.size(); ++j) {
            const Rect& q = panels[j];
            const bool apart = p.max.x <= q.min.x || q.max.x <= p.min.x || p.max.y <= q.min.y || q.max.y <= p.min.y;
            EXPECT_TRUE(apart) << i << " overlaps " << j;
        }
    }
    EXPECT_DOUBLE_EQ(total, 512.0 * 256.0);
    const auto again = SplitIntoPanels(area, layout);
    ASSERT_EQ(again.size(), panels.size());
    for (std::size_t i = 0; i < panels.size(); ++i) EXPECT_EQ(again[i].min, panels[i].min);
    PanelLayout other = layout;
    other.seed = 43;
    const auto different = SplitIntoPanels(area, other);
    bool anyDifferent = different.size() != panels.size();
    for (std::size_t i = 0; !anyDifferent && i < panels.size(); ++i) anyDifferent = different[i].min != panels[i].min;
    EXPECT_TRUE(anyDifferent);
}

TEST(Panels, SeamsLieOnPanelEdgesAndRivetsInsideThem) {
    const std::vector<Rect> panels = {{{0, 0}, {32, 64}}, {{32, 0}, {64, 64}}};
    const Field seams = SeamMask(64, 64, panels, 2.0f);
    EXPECT_GT(seams.At(32, 30), 0.9f);
    EXPECT_FLOAT_EQ(seams.At(16, 30), 0.0f);
    // A tiling texture gets its border seams from both sides.
    const std::vector<Rect> acrossTheEdge = {{{-20, 16}, {40, 48}}};
    EXPECT_GT(SeamMask(64, 64, acrossTheEdge, 2.0f, Edge::Wrap).At(44, 30), 0.9f);
    EXPECT_FLOAT_EQ(SeamMask(64, 64, acrossTheEdge, 2.0f).At(44, 30), 0.0f);
    const Field rivets = RivetHeight(64, 64, panels, RivetLayout{10.0f, 4.5f, 1.5f});
    EXPECT_GT(rivets.At(4, 4), 0.9f);
    EXPECT_GT(rivets.At(36, 4), 0.9f);
    EXPECT_FLOAT_EQ(rivets.At(16, 30), 0.0f);
    EXPECT_FLOAT_EQ(rivets.At(0, 0), 0.0f);
}

TEST(Decals, StencilDrawsSegmentsAndLeavesUnknownCharactersBlank) {
    const auto ink = [](const char* text) {
        Field f(200, 40);
        DrawStencil(f, text, {4, 4}, 30.0f);
        return Sum(f);
    };
    EXPECT_GT(ink("8"), ink("1") * 2.5);
    EXPECT_NEAR(ink("88"), 2 * ink("8"), ink("8") * 0.02);  // sub-texel placement differs
    EXPECT_DOUBLE_EQ(ink("#"), 0.0);
    EXPECT_DOUBLE_EQ(ink("a"), ink("A"));
    EXPECT_FLOAT_EQ(StencilWidth("", 30.0f), 0.0f);
    EXPECT_GT(StencilWidth("12", 30.0f), StencilWidth("1", 30.0f));
    // Stencil gaps: the middle of an "8" between its two holes is bridged by
    // the middle bar, but its corners are open.
    Field eight(40, 40);
    DrawStencil(eight, "8", {0, 0}, 40.0f);
    EXPECT_LT(eight.At(2, 1), 0.5f);
    Field stripes(64, 64);
    DrawHazardStripes(stripes, Rect{{0, 0}, {64, 32}}, 4.0f);
    EXPECT_NEAR(Sum(stripes) / (64.0 * 32.0), 0.5, 0.05);
    EXPECT_FLOAT_EQ(stripes.At(10, 50), 0.0f);
}

TEST(ContactSheet, LaysPicturesOutInRowsOverTheBackground) {
    image::Image red(2, 2), clear(3, 1);
    for (std::size_t i = 0; i < red.rgba.size(); i += 4) red.rgba[i] = red.rgba[i + 3] = 255;
    const image::Image sheet = ContactSheet({red, clear, red}, 2, {0.0f, 0.0f, 1.0f}, 1);
    EXPECT_EQ(sheet.width, 1 + 2 * (3 + 1));
    EXPECT_EQ(sheet.height, 1 + 2 * (2 + 1));
    EXPECT_EQ(std::vector<std::uint8_t>(sheet.Pixel(1, 1), sheet.Pixel(1, 1) + 4), (std::vector<std::uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(sheet.Pixel(5, 1), sheet.Pixel(5, 1) + 4), (std::vector<std::uint8_t>{0, 0, 255, 255}));
    EXPECT_EQ(sheet.Pixel(1, 4)[0], 255);  // the third picture starts the second row
}

}  // namespace
}  // namespace kr::toolkit::test
