#pragma once
// The shared means of the menu pictures: palette, a sketch pad that draws
// shapes in a picture's own unit grid, the lit metal-and-accent emblem
// every icon is made of, chrome lettering, and space backdrops.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>

#include <glm/glm.hpp>

#include "engine/image/image.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/field.hpp"
#include "toolkit/lettering.hpp"
#include "toolkit/palette.hpp"
#include "toolkit/shapes.hpp"

namespace kr::makedata::menu {

using toolkit::Canvas;
using toolkit::Colour;
using toolkit::Field;

// Palette (display values 0..1).
namespace palette = toolkit::palette;

// The display face and the plain face, for lettering on pictures.
struct Faces {
    toolkit::Lettering& display;  // "Astron Boy" (bold)
    toolkit::Lettering& plain;    // "Arial" (bold)
};

// Shapes drawn in a unit grid of `units` across the picture: icons are
// designed on 64 units and drawn at any size.
class Sketch {
public:
    Sketch(int width, int height, float units);

    int width() const { return width_; }
    int height() const { return height_; }
    float scale() const { return scale_; }
    glm::vec2 P(float x, float y) const { return glm::vec2(x, y) * scale_; }
    glm::vec2 P(glm::vec2 p) const { return p * scale_; }

    void Poly(Field& f, std::initializer_list<glm::vec2> points, toolkit::Combine c = toolkit::Combine::Union) const;
    void Poly(Field& f, const std::vector<glm::vec2>& points, toolkit::Combine c = toolkit::Combine::Union) const;
    void Disc(Field& f, glm::vec2 centre, float radius, toolkit::Combine c = toolkit::Combine::Union) const;
    void Ring(Field& f, glm::vec2 centre, float radius, float width, toolkit::Combine c = toolkit::Combine::Union) const;
    void Line(Field& f, glm::vec2 a, glm::vec2 b, float width, toolkit::Combine c = toolkit::Combine::Union) const;
    void Box(Field& f, glm::vec2 min, glm::vec2 max, float cut = 0.0f,
             toolkit::Combine c = toolkit::Combine::Union) const;
    // An arc from angle a0 to a1 (radians, 0 = right, growing clockwise on screen).
    void Arc(Field& f, glm::vec2 centre, float radius, float a0, float a1, float width,
             toolkit::Combine c = toolkit::Combine::Union) const;

    Field Blank() const { return Field(width_, height_); }

private:
    int width_, height_;
    float scale_;
};

// An emblem's layers: lit metal, a glowing accent in one colour, and dark
// engraved detail cut into the metal.
struct Emblem {
    explicit Emblem(const Sketch& sketch)
        : body(sketch.Blank()), accent(sketch.Blank()), detail(sketch.Blank()) {}
    Field body;
    Field accent;
    Field detail;
    glm::vec3 accentColour = palette::kCrimson;
    glm::vec3 metalTint{1.0f, 1.0f, 1.0f};
    float halo = 0.45f;  // strength of the accent's glow outside the shape
};

// Renders the emblem lit from the top-left with a dark outline, so that it
// reads on any backdrop and as a bare silhouette. `scale` is texels per
// design unit (bevel and outline widths follow it).
Canvas RenderEmblem(const Emblem& emblem, float scale);

// Draws a design made on a 64-unit grid at `size` x `size` texels.
using EmblemDesign = std::function<void(Emblem&, const Sketch&)>;
Canvas DrawEmblem(const EmblemDesign& design, int size);

// Letters of brushed chrome with a bevel, a dark outline and a crimson glow,
// painted onto the canvas through `mask`.
// Each line of text is graded on its own; `letterHeight` sets the bevel,
// outline and glow widths (0: the tallest line's).
void PaintChrome(Canvas& canvas, const Field& mask, float glow = 1.0f, glm::vec3 glowColour = palette::kCrimson,
                 float letterHeight = 0.0f);
// Flat lettering: `mask` painted in `colour` with a soft dark shadow.
void PaintLabel(Canvas& canvas, const Field& mask, Colour colour, float shadow = 0.6f);

// Deep space: gradient, crimson and blue nebula, stars of three sizes.
// `horizonGlow` lifts the bottom towards ember (a planet's dawn below).
Canvas SpaceBackdrop(int width, int height, std::uint32_t seed, float nebula = 1.0f);
// Stars added as light onto a canvas (density: stars per 10 000 texels).
void AddStars(Canvas& canvas, std::uint32_t seed, float density, float brightness = 1.0f);

// A soft spot of light added to the canvas (engine flares, lamps).
void AddFlare(Canvas& canvas, glm::vec2 centre, float radius, glm::vec3 colour, float strength = 1.0f);

// Mixes a bottom-heavy darkening into an opaque picture (vignette).
void Vignette(Canvas& canvas, float strength, glm::vec2 centre = {0.5f, 0.5f});

// Coverage of a mask grown outwards by about `radius` texels.
Field Grown(const Field& mask, float radius);

// A planet seen from orbit: a dark night side with faint cloud bands, a
// thin lit crescent and a rim of atmosphere glowing towards `sun`.
void PaintPlanet(Canvas& canvas, glm::vec2 centre, float radius, glm::vec2 sun, std::uint32_t seed);

// A picture in the panels' frame: the cut corners cleared, the metal frame
// and its crimson edge laid over the picture's own edge.
Canvas Framed(Canvas picture);

// Lays `layer` (straight alpha) over the canvas with its top-left at `at`;
// what falls outside the canvas is dropped.
void PlaceOver(Canvas& canvas, const Canvas& layer, glm::ivec2 at);

// A rectangle of a canvas, worked on alone (cheaper than whole-picture
// passes for something small on a large picture) and written back.
struct Region {
    glm::ivec2 origin{0};
    Canvas canvas;
};
Region CutRegion(const Canvas& canvas, glm::vec2 min, glm::vec2 max);
void PasteRegion(Canvas& canvas, const Region& region);

// Pure red nudged off by one step: for pictures that are sometimes loaded
// with pure red as their transparent colour.
Canvas WithoutPureRed(Canvas canvas);

image::Image Finish(const Canvas& canvas);

}  // namespace kr::makedata::menu
