// Help page banners: a space backdrop, a HUD frame around the page's
// motif (a ship plan, a weapon or upgrade icon of the menus), a dark band
// for the title the game letters over it, and the motif's badge.

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/error.hpp"
#include "help_credits/banner_art.hpp"
#include "help_credits/help_credits.hpp"
#include "menu_pictures/picture_groups.hpp"
#include "menu_pictures/ship_art.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/resample.hpp"

namespace kr::makedata::help {
namespace {

using glm::vec2;
using glm::vec3;
using menu::Canvas;
using menu::Colour;
using menu::Field;
namespace palette = menu::palette;

enum class Diagram { None, Steering, Firing };

struct Motif {
    int ship = 0;              // 1..5: a ship plan; 0: the icon alone
    const char* icon;          // under graphics\ (a DDS with its own alpha)
    vec3 accent;
    Diagram diagram = Diagram::None;
    const char* badge = nullptr;  // a small second icon at the right
};

const Motif& MotifOf(int page) {
    static const Motif kMotifs[kHelpPageCount] = {
        {1, "i_spec1.dds", palette::kCrimson, Diagram::None, "s_gun_laser.dds"},
        {1, "i_spec1.dds", palette::kEngine, Diagram::Steering},
        {3, "i_spec1.dds", palette::kCrimson, Diagram::Firing},
        {0, "s_gun_laser.dds", palette::kWarning},
        {0, "s_gun_plasma.dds", palette::kMagenta},
        {0, "s_gun_gauss.dds", palette::kEngine},
        {0, "s_gun_machinegun.dds", palette::kGold},
        {0, "i9.dds", palette::kEmber, Diagram::None, "i10.dds"},
        {0, "i16.dds", palette::kEmber, Diagram::None, "i15.dds"},
        {0, "i14.dds", palette::kEngine, Diagram::None, "i11.dds"},
        {0, "i5.dds", palette::kGold, Diagram::None, "i7.dds"},
        {1, "i_spec1.dds", palette::kEngine, Diagram::None, "i_spec1.dds"},
        {2, "i_spec2.dds", palette::kMagenta, Diagram::None, "i_spec2.dds"},
        {3, "i_spec3.dds", palette::kAcid, Diagram::None, "i_spec3.dds"},
        {4, "i_spec4.dds", palette::kGold, Diagram::None, "i_spec4.dds"},
        {5, "i_spec5.dds", palette::kHealth, Diagram::None, "i_spec5.dds"},
        {0, "i19.dds", palette::kAcid, Diagram::None, "i12.dds"},
        {0, "i12.dds", palette::kWarning, Diagram::None, "i18.dds"},
        {0, "i10.dds", palette::kHealth, Diagram::None, "i6.dds"},
        {0, "i8.dds", palette::kHealth, Diagram::None, "i5.dds"},
        {0, "puchar.dds", palette::kGold, Diagram::None, "i9.dds"},
        {2, "i_spec2.dds", palette::kCrimson, Diagram::None, "puchar.dds"},
    };
    return kMotifs[page - 1];
}

Canvas LoadIcon(const GameFolder& folder, const std::string& file, int size) {
    const std::string name = "graphics\\" + file;
    image::MipChain chain = image::DecodeImage(folder.ReadAll(name), name);
    return toolkit::Resampled(toolkit::FromImage(chain.levels.at(0)), size, size);
}

void Dim(Canvas& layer, float opacity) {
    for (Colour& c : layer.pixels()) c.a *= opacity;
}

// A dark translucent band behind the title, fading in from the motif.
void TitleBand(Canvas& canvas, vec3 accent) {
    Field band(kBannerWidth, kBannerHeight);
    band.Generate([](int x, int y) {
        const float fadeIn = std::clamp((x - 112.0f) / 40.0f, 0.0f, 1.0f);
        const bool inside = y >= 38 && y <= 90;
        return inside ? fadeIn : 0.0f;
    });
    toolkit::Paint(canvas, band, Colour(palette::kInk, 0.62f));
    const menu::Sketch sketch(kBannerWidth, kBannerHeight, kBannerWidth);
    Field rules = sketch.Blank();
    sketch.Line(rules, {136.0f, 37.0f}, {430.0f, 37.0f}, 1.2f);
    sketch.Line(rules, {136.0f, 91.0f}, {300.0f, 91.0f}, 1.2f);
    for (float x = 150.0f; x < 430.0f; x += 24.0f) sketch.Line(rules, {x, 33.0f}, {x, 37.0f}, 1.0f);
    toolkit::AddGlow(canvas, rules, accent, 2.0f, 0.5f);
    toolkit::Paint(canvas, rules, Colour(glm::mix(accent, vec3(1.0f), 0.3f), 0.8f));
}

// Corner brackets of a targeting frame around the motif.
void MotifFrame(Canvas& canvas, vec3 accent) {
    const menu::Sketch sketch(kBannerWidth, kBannerHeight, kBannerWidth);
    Field frame = sketch.Blank();
    const vec2 lo(12.0f, 10.0f), hi(124.0f, 118.0f);
    const float arm = 14.0f;
    for (const vec2 corner : {lo, vec2(hi.x, lo.y), vec2(lo.x, hi.y), hi}) {
        const float dx = corner.x < 60.0f ? arm : -arm, dy = corner.y < 60.0f ? arm : -arm;
        sketch.Line(frame, corner, corner + vec2(dx, 0.0f), 1.6f);
        sketch.Line(frame, corner, corner + vec2(0.0f, dy), 1.6f);
    }
    toolkit::AddGlow(canvas, frame, accent, 2.5f, 0.6f);
    toolkit::Paint(canvas, frame, Colour(glm::mix(accent, vec3(1.0f), 0.4f), 0.9f));
}

void Arrow(const menu::Sketch& sketch, Field& field, vec2 from, vec2 to) {
    sketch.Line(field, from, to, 2.2f);
    const vec2 dir = glm::normalize(to - from), side(-dir.y, dir.x);
    sketch.Poly(field, {to + dir * 5.0f, to - dir * 4.0f + side * 5.0f, to - dir * 4.0f - side * 5.0f});
}

// Steering: the four directions the ship slides in.
void SteeringArrows(Canvas& canvas, vec2 c, vec3 accent) {
    const menu::Sketch sketch(kBannerWidth, kBannerHeight, kBannerWidth);
    Field arrows = sketch.Blank();
    Arrow(sketch, arrows, c + vec2(0.0f, -30.0f), c + vec2(0.0f, -46.0f));
    Arrow(sketch, arrows, c + vec2(0.0f, 30.0f), c + vec2(0.0f, 46.0f));
    Arrow(sketch, arrows, c + vec2(-40.0f, 0.0f), c + vec2(-52.0f, 0.0f));
    Arrow(sketch, arrows, c + vec2(40.0f, 0.0f), c + vec2(52.0f, 0.0f));
    toolkit::AddGlow(canvas, arrows, accent, 2.0f, 0.7f);
    toolkit::Paint(canvas, arrows, Colour(glm::mix(accent, vec3(1.0f), 0.5f), 1.0f));
}

// Firing: bolts streaking ahead of the ship's nose.
void FiringBolts(Canvas& canvas, vec2 nose, vec3 accent) {
    std::vector<toolkit::GlowDot> dots;
    for (int i = 0; i < 3; ++i) {
        for (float side : {-7.0f, 7.0f}) {
            const vec2 at = nose + vec2(18.0f + 26.0f * i, side);
            for (int t = 0; t < 6; ++t) dots.push_back({at - vec2(2.0f * t, 0.0f), 1.6f, 1.0f - 0.12f * t});
        }
    }
    const Field bolts = toolkit::GlowDots(kBannerWidth, kBannerHeight, dots);
    toolkit::AddGlow(canvas, bolts, accent, 3.0f, 0.9f);
    toolkit::Paint(canvas, bolts, Colour(glm::mix(accent, vec3(1.0f), 0.6f), 1.0f), toolkit::Blend::Add);
}

void PaintMotif(Canvas& canvas, const Motif& motif, const GameFolder& folder) {
    const vec2 centre(68.0f, 64.0f);
    menu::AddFlare(canvas, centre, 62.0f, motif.accent, 0.55f);
    if (motif.ship == 0) {
        menu::PlaceOver(canvas, LoadIcon(folder, motif.icon, 100), {18, 14});
        return;
    }
    Canvas ghost = LoadIcon(folder, motif.icon, 118);
    Dim(ghost, 0.22f);
    menu::PlaceOver(canvas, ghost, {9, 5});
    const bool across = motif.diagram == Diagram::Firing;
    menu::ShipPlacement at;
    at.centre = across ? vec2(52.0f, 64.0f) : centre;
    at.length = across ? 76.0f : 96.0f;
    at.heading = across ? 0.0f : -1.5708f;
    menu::PaintShip(canvas, menu::PlanOf(motif.ship), at);
    if (motif.diagram == Diagram::Steering) SteeringArrows(canvas, centre, motif.accent);
    if (motif.diagram == Diagram::Firing) FiringBolts(canvas, at.centre + vec2(at.length / 2.0f, 0.0f), motif.accent);
}

void PaintBadge(Canvas& canvas, const Motif& motif, const GameFolder& folder) {
    if (!motif.badge) return;
    const vec2 centre(470.0f, 64.0f);
    menu::AddFlare(canvas, centre, 34.0f, motif.accent, 0.35f);
    Canvas badge = LoadIcon(folder, motif.badge, 52);
    Dim(badge, 0.85f);
    menu::PlaceOver(canvas, badge, {444, 38});
}

}  // namespace

MenuPicture HelpBanner(int page, const GameFolder& folder) {
    if (page < 1 || page > kHelpPageCount) throw Error("help page " + std::to_string(page) + " out of range");
    const Motif& motif = MotifOf(page);
    Canvas canvas = menu::SpaceBackdrop(kBannerWidth, kBannerHeight, 0x4e1b00u + static_cast<std::uint32_t>(page), 0.8f);
    TitleBand(canvas, motif.accent);
    PaintMotif(canvas, motif, folder);
    MotifFrame(canvas, motif.accent);
    PaintBadge(canvas, motif, folder);
    menu::Vignette(canvas, 0.35f);
    return menu::OpaqueBmpPicture("Graphics\\Help\\" + std::to_string(page) + ".bmp", menu::Framed(canvas));
}

}  // namespace kr::makedata::help
