#include "frontend/ship_select.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_scene.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

struct ShipWindow {
    int ship;
    double from, to;  // exclusive; from > to wraps through 0
    double centre;
    const char* name;
    int description;
};
// Tested in this order. The names carry the blanks that centre them.
constexpr std::array<ShipWindow, 5> kWindows{{
    {3, 338, 19, 358.5, "             BLADE", 88},
    {1, 49, 87, 68, "             DELTA", 86},
    {5, 115, 154, 134.5, "               TRINITY", 90},
    {4, 193, 231, 212, "              THOR", 89},
    {2, 261, 295, 278, "          SPECTRE", 87},
}};
constexpr const char* kLockedName = "                ? ? ?";

constexpr double kTurnDegreesPerMs = 0.15;  // one ship to the next in about half a second
constexpr HitRect kLeftArrow{350, 605, 414, 669};
constexpr HitRect kRightArrow{610, 665, 674, 729};
constexpr HitRect kConfirm{432, 605, 592, 733};

bool Holds(const ShipWindow& w, double angle) {
    return w.from > w.to ? (angle > w.from || angle < w.to) : (angle > w.from && angle < w.to);
}

const ShipWindow* WindowOf(int ship) {
    for (const ShipWindow& w : kWindows)
        if (w.ship == ship) return &w;
    return nullptr;
}

double Wrap(double angle) {
    angle = std::fmod(angle, 360.0);
    return angle < 0 ? angle + 360 : angle;
}

// Degrees to turn (signed) from `angle` to the next window centre that way.
double TurnToNextShip(double angle, int direction) {
    double best = 360;
    for (const ShipWindow& w : kWindows) {
        double delta = Wrap(direction > 0 ? w.centre - angle : angle - w.centre);
        if (delta > 5 && delta < best) best = delta;  // not the centre it already rests near
    }
    return direction * best;
}

int& PilotShip(Game& game) { return game.profiles.ProfileShip[game.ActiveProfile]; }
bool GameDone(const Game& game) { return game.profiles.ProfileGameDone[game.ActiveProfile] != 0; }

void RenderCarousel(Game& game) {
    Engine& engine = *game.engine;
    scene::Scene& scene = engine.scene();
    scene::Mesh& carousel = game.menu.SelectionBackdrop;
    carousel.Show();
    engine.BeginGlowSurface();
    scene.Render(carousel);
    if (game.settings.GlowEnabled == 1) scene.RenderGlowParts();
    engine.EndGlowSurface();
    engine.Clear(false);
    scene.Render(carousel);
    if (game.settings.GlowEnabled == 1) scene.RenderGlowParts();
    engine.ApplyGlow();
}

void DrawArrows(Engine& engine) {
    const Corners arrows = Corners::All({1, 1, 1, 0.9f});
    engine.DrawTexture(engine.TextureId("ar_left"), 350, 605, 414, 669, arrows);
    engine.DrawTexture(engine.TextureId("ar_right"), 610, 665, 674, 729, arrows);
}

void DrawPictures(Game& game) {
    Engine& engine = *game.engine;
    const auto alpha = static_cast<float>(game.shipSelect.ShipNameAlpha);
    engine.Begin2D();
    DrawWideScreenFrame(game);
    engine.DrawTexture(engine.TextureId("okno2"), 384, 605, 640, 733, Corners::All({1, 1, 1, alpha}));
    DrawArrows(engine);
    if (PilotShip(game) != 0)
        engine.DrawTexture(engine.TextureId("s" + std::to_string(PilotShip(game))), 65, 650, 218, 714,
                           Corners::All({1, 1, 1, alpha * 0.5f}));
    DrawArrows(engine);
    engine.End2D();
}

void DrawShipTexts(Game& game) {
    Engine& engine = *game.engine;
    const ShipWindow* window = WindowOf(PilotShip(game));
    if (!window) return;
    const Colour colour{1, 0.8f, 0.8f, static_cast<float>(game.shipSelect.ShipNameAlpha)};
    std::string description = std::string(game.langText[91].View()) + " :  " +
                              std::string(game.langText[window->description].View());
    engine.DrawText(description, 90, 720, colour, engine.FontId("Font22"));
    const char* name = window->ship == 5 && !GameDone(game) ? kLockedName : window->name;
    engine.DrawText(name, 412, 657, colour, engine.FontId("Arial62"));
}

void ChooseFacingShip(Game& game) {
    PilotShip(game) = ShipFacing(game.shipSelect.CarouselAngle);
    if (PilotShip(game) != 0) game.shipSelect.ShipNameAlpha = 1;
}

void DrawHints(Game& game) {
    Engine& engine = *game.engine;
    const int font = engine.FontId("Font14");
    const auto alpha = static_cast<float>(0.6 * game.shipSelect.ShipNameAlpha);
    engine.DrawText(game.langText[24].View(), 81, 668, {1, 0.3f, 0.3f, alpha}, font);
    engine.DrawText(game.langText[23].View(), 81, 686, {1, 0.3f, 0.3f, alpha}, font);
    engine.DrawText(game.langText[24].View(), 82, 669, {0, 0, 0, alpha}, font);
    engine.DrawText(game.langText[23].View(), 82, 687, {0, 0, 0, alpha}, font);
}

void PlaceLightsAndCamera(Game& game) {
    scene::Scene& scene = game.engine->scene();
    AdvancePulse(game.shipSelect.ShipPulse, game.engine->FrameTimeMs());
    SetMenuLightStrength(game, game.shipSelect.ShipPulse.MenuPulse);
    MoveMenuLight(game, {0, 100, 0});
    scene.light(scene.LightIndex("menulight2")).position = {10, 200, 10};
    scene.SetCamera({0, 150, 0}, {0, 0, 0});
}

// The arrows start a turn to the neighbouring ship; held, they keep turning
// ship by ship once each turn has ended.
void HandleArrows(Game& game) {
    ShipSelectState& s = game.shipSelect;
    if (!game.mouse.MouseButton1 || s.CarouselTurnLeft != 0) return;
    const int x = game.mouse.MouseX, y = game.mouse.MouseY;
    int direction = kLeftArrow.Contains(x, y) ? -1 : kRightArrow.Contains(x, y) ? 1 : 0;
    if (direction == 0) return;
    s.CarouselTurnLeft = TurnToNextShip(s.CarouselAngle, direction);
    PlaySound(game, 17);
}

void AdvanceTurn(Game& game) {
    ShipSelectState& s = game.shipSelect;
    double most = kTurnDegreesPerMs * game.engine->FrameTimeMs();
    double step = std::clamp(s.CarouselTurnLeft, -most, most);
    s.CarouselTurnLeft -= step;
    if (std::abs(s.CarouselTurnLeft) < 1e-9) s.CarouselTurnLeft = 0;
    s.CarouselStep += step;
}

void Confirm(Game& game) {
    game.menu.SelectionBackdrop.Hide();
    PlaySound(game, 19);
    game.ScreenId = screen_id::Hangar;
    scene::Scene& scene = game.engine->scene();
    MoveMenuLight(game, {200, 100, 10});
    scene.light(scene.LightIndex("menulight2")).position = {250, -100, -10};
    game.profiles.ProfileShipLevel[game.ActiveProfile] = 0;
    RebuildPilotShip(game);
    ReplaceTexture(*game.engine, "shiplogo", "graphics\\ship" + std::to_string(PilotShip(game)) + ".dds", -327764);
    FadeTransition(game, 500);
}

bool MayConfirm(const Game& game) {
    int ship = game.profiles.ProfileShip[game.ActiveProfile];
    return game.mouse.MouseButton1 && kConfirm.Contains(game.mouse.MouseX, game.mouse.MouseY) && ship >= 1 &&
           ship <= 5 && !(ship == 5 && !GameDone(game));
}

void TurnCarousel(Game& game) {
    ShipSelectState& s = game.shipSelect;
    game.menu.SelectionBackdrop.RotateY(static_cast<float>(s.CarouselStep));
    s.CarouselAngle = Wrap(s.CarouselAngle + s.CarouselStep);
    s.CarouselStep = 0;
}

}  // namespace

int ShipFacing(double angle) {
    for (const ShipWindow& w : kWindows)
        if (Holds(w, angle)) return w.ship;
    return 0;
}

void ShipSelectScreen(Game& game) {
    Engine& engine = *game.engine;
    RenderCarousel(game);
    DrawPictures(game);
    engine.BeginText();
    DrawShipTexts(game);
    ChooseFacingShip(game);
    DrawHints(game);
    engine.EndText();
    Decay(game.shipSelect.ShipNameAlpha, engine.FrameTimeMs(), 0.002);
    engine.Present();
    PlaceLightsAndCamera(game);
    ReadMouse(game);
    if (MayConfirm(game)) {
        Confirm(game);
        return;
    }
    HandleArrows(game);
    AdvanceTurn(game);
    TurnCarousel(game);
}

}  // namespace kr::frontend
