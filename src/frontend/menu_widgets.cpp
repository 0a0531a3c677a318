#include "frontend/menu_widgets.hpp"

#include <algorithm>
#include <cmath>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"

namespace kr::frontend {

namespace {
constexpr int kHoverSound = 20;
constexpr int kClickSound = 19;
constexpr float kPointsToPixels = 96.0f / 72.0f;  // canvas font sizes are points at 96 dpi
}  // namespace

int TextWidth(Game& game, int size, std::string_view cp1250) {
    float width = game.engine->MeasureFamilyText("Astron Boy", false, static_cast<float>(size) * kPointsToPixels, cp1250);
    return static_cast<int>(std::nearbyint(width * 0.6f));
}

void AdvancePulse(MenuPulse& pulse, double frameMs) {
    if (pulse.PulseFalling) pulse.MenuPulse -= frameMs * 0.001;
    else pulse.MenuPulse += frameMs * 0.0025;
    if (pulse.MenuPulse > 0.99) pulse.PulseFalling = true;
    if (pulse.MenuPulse < 0.01) pulse.PulseFalling = false;
}

void SetMenuLightStrength(Game& game, double strength) {
    scene::Scene& scene = game.engine->scene();
    scene.light(scene.LightIndex("menulight")).colour = {static_cast<float>(strength), 0, 0, 1};
}

void MoveMenuLight(Game& game, const glm::vec3& position) {
    scene::Scene& scene = game.engine->scene();
    scene.light(scene.LightIndex("menulight")).position = position;
}

void MenuLightFollowsPointer(Game& game) {
    scene::Scene& scene = game.engine->scene();
    MouseReading mouse = game.engine->ReadMouse();
    scene::CollisionResult hit =
        scene.Pick(static_cast<float>(mouse.x), static_cast<float>(mouse.y), static_cast<float>(game.settings.ScreenWidth),
                   static_cast<float>(game.settings.ScreenHeight), scene::hit::Meshes | scene::hit::Actors);
    if (hit.hit) MoveMenuLight(game, hit.point + glm::vec3(0, 100, 0));
}

void UpdateMenuPulse(Game& game) {
    AdvancePulse(game.menuPulse, game.engine->FrameTimeMs());
    SetMenuLightStrength(game, game.menuPulse.MenuPulse);
}

void TurnBackdrop(Game& game, double backdropRate, double starsRate) {
    double dt = game.engine->FrameTimeMs();
    game.menu.MenuBackdrop.RotateY(static_cast<float>(dt * backdropRate));
    if (starsRate != 0) game.menu.MenuStars.RotateX(static_cast<float>(dt * starsRate));
}

void RenderMenuBackdrop(Game& game) {
    ReadMouse(game);
    RenderMenuScene(game);
}

void RenderMenuScene(Game& game) {
    Engine& engine = *game.engine;
    engine.BeginGlowSurface();
    engine.scene().RenderAll();
    engine.EndGlowSurface();
    engine.Clear(false);
    engine.scene().RenderAll();
    engine.ApplyGlow();
    if (game.settings.GlowEnabled == 1) engine.scene().RenderGlowParts();
}

void DrawWideScreenFrame(Game& game, const Corners& corners) {
    Engine& engine = *game.engine;
    if (game.settings.ScreenWidth == 1024 || !engine.textures().Has("t")) return;
    engine.DrawTexture(engine.TextureId("t"), 0, 0, static_cast<float>(game.settings.ScreenWidth),
                       static_cast<float>(game.settings.ScreenHeight), corners);
}

void ReplaceTexture(Engine& engine, const std::string& name, const std::string& path, std::int32_t colourKey) {
    engine.DeleteTexture(name);
    engine.LoadTexture(path, name, -1, -1, colourKey);
}

bool HoverButton(Game& game, const HitRect& rect, int button, double& hoverValue, std::uint8_t& hoverButton) {
    if (!rect.Contains(game.mouse.MouseX, game.mouse.MouseY)) return false;
    if (hoverButton != button) {
        PlaySound(game, kHoverSound);
        hoverButton = static_cast<std::uint8_t>(button);
    }
    hoverValue = 0.5;
    return true;
}

void Decay(double& value, double frameMs, double rate) {
    if (value > 0) value = std::max(0.0, value - frameMs * rate);
}

void DecayHover(std::span<double> hoverValues, double frameMs) {
    for (double& value : hoverValues) Decay(value, frameMs);
}

void ClickTo(Game& game, std::uint8_t screenId, float fadeMs) {
    PlaySound(game, kClickSound);
    game.ScreenId = screenId;
    FadeTransition(game, fadeMs);
}

}  // namespace kr::frontend

namespace kr::frontend {

Colour GlowTextColour(double glow) {
    auto g = static_cast<float>(glow);
    return {1, g + 0.2f, g + 0.2f, g / 2 + 0.5f};
}

int CentredX(Game& game, int size, std::string_view cp1250, int centre) {
    return centre - TextWidth(game, size, cp1250) / 2;
}

void DrawCentred(Game& game, std::string_view text, int centre, float y, Colour colour, int size, int font) {
    game.engine->DrawText(text, static_cast<float>(CentredX(game, size, text, centre)), y, colour, font);
}

void DrawTextWithCopy(Engine& engine, std::string_view text, float x, float y, Colour colour, int font, float dx,
                      float dy, Colour copyColour) {
    engine.DrawText(text, x, y, colour, font);
    engine.DrawText(text, x + dx, y + dy, copyColour, font);
}

bool HoverBackButton(Game& game, const HitRect& rect, bool enterSound) {
    BackButtonState& b = game.backButton;
    bool inside = rect.Contains(game.mouse.MouseX, game.mouse.MouseY);
    if (inside) {
        if (enterSound && !b.PointerOnBack) PlaySound(game, 18);
        SaveProfilesIfChanged(game);
        b.BackHover = 0.7;
    }
    b.PointerOnBack = inside;
    return inside;
}

void DrawBackLabel(Game& game, float x, float y, double glow) {
    Engine& engine = *game.engine;
    engine.DrawText(game.langText[4].View(), x, y, GlowTextColour(glow), engine.FontId("Font22"));
}

}  // namespace kr::frontend
