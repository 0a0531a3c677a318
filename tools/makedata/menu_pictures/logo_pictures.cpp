// The start-up pictures and logos: "loading", the maker's logo ("velmor",
// "velmorsmall"), the title ("kravlogo", "play"), and the two plates
// "credits" and "const".

#include <algorithm>
#include <cmath>

#include "menu_pictures/picture_groups.hpp"
#include "menu_pictures/ship_art.hpp"
#include "toolkit/decals.hpp"
#include "toolkit/effects.hpp"
#include "toolkit/glass_panel.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/noise.hpp"
#include "video/logos.hpp"

namespace kr::makedata::menu {
namespace {

using glm::vec2;
using glm::vec3;
using toolkit::SmoothStep;

Canvas FromImage(const image::Image& picture) { return toolkit::FromImage(picture); }

// The intro's deep blue-black with a soft vignette round `centre`.
Canvas LogoBackdrop(int width, int height, vec2 centre) {
    const vec3 middle(0.045f, 0.055f, 0.10f), edge(0.008f, 0.012f, 0.028f);
    const float reach = std::hypot(width * 0.55f, height * 0.5f);
    Canvas canvas(width, height);
    return canvas.Generate([&](int x, int y) {
        const float d = std::hypot(x - centre.x, (y - centre.y) * 1.3f) / reach;
        const float grain = (toolkit::HashFraction(toolkit::Hash(x, y, 3u)) - 0.5f) * 0.006f;
        return Colour(glm::mix(middle, edge, SmoothStep(0.0f, 1.0f, d)) + vec3(grain), 1.0f);
    });
}

// Lowest row where the layer is nearly opaque: the rule under a logo.
int LowestSolidRow(const Canvas& layer) {
    for (int y = layer.height() - 1; y >= 0; --y)
        for (int x = 0; x < layer.width(); ++x)
            if (layer.At(x, y).a > 0.6f) return y;
    return layer.height() / 2;
}

// The maker's logo on the start-up screen, drawn over the screen-wide
// square (0, 0)-(W, W): only the top three quarters show on a 4:3 screen and
// a little over half on a wide one, so the logo sits a third of the way down.
Canvas MakerScreen(const video::DisplayFont& font, Faces& faces) {
    constexpr int kSize = 1024;
    constexpr int kLogoHeight = 680;
    const int top = 338 - static_cast<int>(kLogoHeight * 0.46f);
    Canvas canvas = LogoBackdrop(kSize, kSize, {kSize * 0.5f, 338.0f});
    const Canvas logo = FromImage(video::RenderMakerLogo(kSize, kLogoHeight, font, video::Background::Transparent));
    PlaceOver(canvas, logo, {0, top});
    Field tagline(kSize, kSize);
    faces.display.DrawCentred(tagline, "INTERACTIVE", 24.0f, {kSize * 0.5f, top + LowestSolidRow(logo) + 34.0f}, 9.0f);
    toolkit::AddGlow(canvas, tagline, palette::kCrimson, 6.0f, 0.35f);
    toolkit::Paint(canvas, tagline, Colour(0.72f, 0.74f, 0.8f, 0.85f));
    return canvas;
}

// The title screen, over the same screen-wide square: deep space, a planet
// under a crimson dawn, the title and a flight of fighters.
Canvas TitleScreen(const video::DisplayFont& font) {
    constexpr int kSize = 1024;
    Canvas canvas = SpaceBackdrop(kSize, kSize, 77u, 1.0f);
    const vec2 sun(880.0f, 110.0f);
    PaintPlanet(canvas, {330.0f, 1480.0f}, 960.0f, sun, 21u);
    AddFlare(canvas, sun, 90.0f, vec3(1.0f, 0.6f, 0.45f), 0.5f);
    AddFlare(canvas, sun, 16.0f, vec3(1.0f, 0.9f, 0.8f), 1.0f);
    const ShipPlacement flight[] = {{{760.0f, 560.0f}, 70.0f, -2.75f},
                                    {{840.0f, 612.0f}, 56.0f, -2.75f},
                                    {{690.0f, 628.0f}, 50.0f, -2.75f}};
    const int ships[] = {3, 1, 1};
    for (int i = 0; i < 3; ++i) PaintShip(canvas, PlanOf(ships[i]), flight[i], 0.85f - 0.1f * i);
    Vignette(canvas, 0.45f, {0.5f, 0.33f});
    const Canvas title = FromImage(video::RenderTitle(kSize, 640, font, video::Background::Transparent));
    PlaceOver(canvas, title, {0, 0});
    return canvas;
}

// The loading picture, 256 x 64 drawn at the screen centre, the caption
// under it: the title's name over a run of chevrons between two brackets.
Canvas LoadingPicture(Faces& faces) {
    Canvas canvas(256, 64);
    Field name(256, 64);
    faces.display.DrawCentred(name, "KRAVELLON", 15.0f, {128.0f, 11.0f}, 5.0f);
    PaintChrome(canvas, name, 0.6f);
    Field chevrons(256, 64);
    Field dim(256, 64);
    for (int i = 0; i < 14; ++i) {
        const float x = 40.0f + i * 13.0f;
        Field& target = i < 9 ? chevrons : dim;
        toolkit::Fill(target, toolkit::Polygon{{{x, 26.0f}, {x + 5.0f, 26.0f}, {x + 11.0f, 35.0f}, {x + 5.0f, 44.0f},
                                                {x, 44.0f}, {x + 6.0f, 35.0f}}});
    }
    toolkit::AddGlow(canvas, chevrons, palette::kCrimson, 4.0f, 0.9f);
    Canvas ramp(256, 64);
    ramp.Generate([](int x, int) {
        const float t = std::clamp((x - 40.0f) / 120.0f, 0.0f, 1.0f);
        return Colour(glm::mix(palette::kCrimson, vec3(1.0f, 0.7f, 0.45f), t), 1.0f);
    });
    toolkit::Composite(canvas, ramp, chevrons);
    toolkit::Paint(canvas, dim, Colour(0.3f, 0.1f, 0.1f, 0.8f));
    Field brackets(256, 64);
    for (float side : {1.0f, -1.0f}) {
        const float x = side > 0 ? 24.0f : 232.0f;
        toolkit::Fill(brackets, toolkit::Segment{{x, 24.0f}, {x, 46.0f}, 2.5f});
        toolkit::Fill(brackets, toolkit::Segment{{x, 24.0f}, {x + side * 7.0f, 24.0f}, 2.5f});
        toolkit::Fill(brackets, toolkit::Segment{{x, 46.0f}, {x + side * 7.0f, 46.0f}, 2.5f});
    }
    toolkit::Paint(canvas, Grown(brackets, 1.0f), Colour(palette::kInk, 0.8f));
    toolkit::Paint(canvas, brackets, Colour(palette::kMetalLight, 1.0f));
    Field rule(256, 64);
    toolkit::Fill(rule, toolkit::Segment{{40.0f, 55.0f}, {216.0f, 55.0f}, 1.2f});
    rule.Generate([&](int x, int y) { return rule.At(x, y) * (1.0f - SmoothStep(40.0f, 90.0f, std::fabs(x - 128.0f))); });
    toolkit::Paint(canvas, rule, Colour(palette::kCrimson * 1.2f, 1.0f));
    toolkit::AddGlow(canvas, rule, palette::kCrimson, 2.0f, 0.6f);
    return canvas;
}

// The credits plate: the title over a flight of ships leaving a planet.
Canvas CreditsPlate(Faces& faces) {
    Canvas canvas = SpaceBackdrop(512, 256, 5u, 1.2f);
    PaintPlanet(canvas, {150.0f, 560.0f}, 380.0f, {480.0f, 20.0f}, 9u);
    const int ships[] = {2, 4, 5};
    for (int i = 0; i < 3; ++i) {
        PaintShip(canvas, PlanOf(ships[i]), {{330.0f + i * 55.0f, 190.0f - i * 26.0f}, 44.0f - i * 4.0f, -0.5f}, 0.9f);
    }
    Field title(512, 256);
    faces.display.DrawCentred(title, "CREDITS", 64.0f, {256.0f, 84.0f}, 6.0f);
    PaintChrome(canvas, title, 1.0f);
    return Framed(canvas);
}

// Work in progress: a hazard-striped steel plate.
Canvas ConstructionPlate(Faces& faces) {
    Canvas canvas(256, 128, Colour(0.16f, 0.17f, 0.19f, 1.0f));
    Field stripes(256, 128);
    toolkit::DrawHazardStripes(stripes, toolkit::Rect{{0.0f, 0.0f}, {256.0f, 128.0f}}, 9.0f);
    Field band(256, 128, 1.0f);
    toolkit::Fill(band, toolkit::Rect{{14.0f, 14.0f}, {242.0f, 114.0f}, 8.0f}, toolkit::Combine::Subtract);
    toolkit::CombineInto(stripes, band, [](float s, float b) { return s * b; });
    toolkit::Paint(canvas, stripes, Colour(palette::kEmber * 0.95f, 1.0f));
    Field plate(256, 128);
    toolkit::Fill(plate, toolkit::Rect{{14.0f, 14.0f}, {242.0f, 114.0f}, 8.0f});
    toolkit::Paint(canvas, plate, Colour(0.05f, 0.055f, 0.07f, 0.92f));
    Field text(256, 128);
    faces.display.DrawCentred(text, "UNDER", 26.0f, {128.0f, 48.0f}, 4.0f);
    faces.display.DrawCentred(text, "CONSTRUCTION", 22.0f, {128.0f, 78.0f}, 2.0f);
    PaintLabel(canvas, text, Colour(palette::kEmber, 1.0f));
    toolkit::AddGlow(canvas, text, palette::kEmber, 3.0f, 0.4f);
    return Framed(canvas);
}

}  // namespace

std::vector<MenuPicture> MakerScreenPictures(Faces& faces, const Bytes& displayFont) {
    return {DdsPicture("graphics\\velmor.dds", MakerScreen({displayFont, "display face"}, faces), kKeyNone)};
}

std::vector<MenuPicture> TitleScreenPictures(Faces&, const Bytes& displayFont) {
    return {DdsPicture("graphics\\play.dds", TitleScreen({displayFont, "display face"}))};
}

std::vector<MenuPicture> LogoPictures(Faces& faces, const Bytes& displayFont) {
    const video::DisplayFont font{displayFont, "display face"};
    std::vector<MenuPicture> pictures;
    pictures.push_back(DdsPicture("graphics\\loading.dds", LoadingPicture(faces), kKeyNone));
    pictures.push_back(DdsPicture("graphics\\kravlogo.dds",
                                  FromImage(video::RenderTitle(512, 512, font, video::Background::Transparent))));
    pictures.push_back(DdsPicture("graphics\\velmorsmall.dds",
                                  FromImage(video::RenderMakerLogo(256, 128, font, video::Background::Transparent))));
    pictures.push_back(DdsPicture("graphics\\credits.dds", CreditsPlate(faces)));
    pictures.push_back(DdsPicture("graphics\\const.dds", ConstructionPlate(faces)));
    return pictures;
}

}  // namespace kr::makedata::menu
