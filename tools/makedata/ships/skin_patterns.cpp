#include "ships/skin_patterns.hpp"

#include <algorithm>
#include <cmath>

#include "toolkit/gradients.hpp"
#include "toolkit/noise.hpp"

namespace kr::makedata::ships {
namespace {

using toolkit::Field;
using toolkit::Fractal;

// A fractal field stretched to fill 0..1, so that thresholds mean the same
// share of the texture whatever the noise's own spread.
Field Unit(int size, int cells, Fractal fractal) {
    Field f = toolkit::FbmField(size, size, cells, fractal);
    toolkit::Normalise(f);
    return f;
}

// A smooth pattern made at a quarter of the texels and read back bilinearly.
Field Smooth(int size, Field (*make)(int)) {
    const Field small = make(size / 2);
    Field full(size, size);
    return full.Generate([&](int x, int y) { return small.Sample(x * 0.5f - 0.25f, y * 0.5f - 0.25f, toolkit::Edge::Wrap); });
}

Field Mottle(int size) { return Unit(size, 6, {61, toolkit::Basis::Gradient, 4, 0.5f}); }
Field Grime(int size) { return Unit(size, 10, {67, toolkit::Basis::Gradient, 5, 0.55f}); }
Field Scorch(int size) { return Unit(size, 4, {89, toolkit::Basis::Gradient, 5, 0.5f}); }

// Noise stretched along y: long streaks.
Field Streaks(int size) {
    const Fractal fractal{71, toolkit::Basis::Gradient, 4, 0.5f};
    Field f(size, size);
    const float step = 1.0f / static_cast<float>(size);
    f.Generate([&](int x, int y) {
        const glm::vec2 p((x + 0.5f) * step * 48.0f, (y + 0.5f) * step * 5.0f);
        return toolkit::Fbm(fractal, p);
    });
    toolkit::Normalise(f);
    return f;
}

// Thin lines where a ridged noise crests: scratches in every direction.
Field Scratches(int size) {
    Field ridges = toolkit::RidgedField(size, size, 18, {73, toolkit::Basis::Gradient, 3, 0.45f});
    return ridges.Apply([](float v) { return toolkit::SmoothStep(0.9f, 0.97f, v); });
}

// Round dents: the distance to scattered points, shaped into shallow bowls.
Field Dents(int size) {
    Field d = toolkit::CellularField(size, size, 22, 79, toolkit::CellFeature::Distance);
    return d.Apply([](float f1) {
        const float bowl = 1.0f - toolkit::SmoothStep(0.0f, 0.42f, f1);
        return bowl * bowl;
    });
}

}  // namespace

SkinPatterns MakeSkinPatterns(int size) {
    SkinPatterns p;
    p.size = size;
    p.mottle = Smooth(size, Mottle);
    p.grime = Smooth(size, Grime);
    p.streaks = Streaks(size);
    p.scratches = Scratches(size);
    p.chips = Unit(size, 48, {83, toolkit::Basis::Value, 3, 0.5f});
    p.dents = Dents(size);
    p.scorch = Smooth(size, Scorch);
    return p;
}

}  // namespace kr::makedata::ships
