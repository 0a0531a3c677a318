#pragma once
// What every menu screen shares: the backdrop drawing of a menu frame, the
// light pulse, text widths, and the buttons' hover and click rules.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <glm/vec3.hpp>

#include "engine/colour.hpp"
#include "engine/engine.hpp"
#include "frontend/menu_state.hpp"

namespace kr {
struct Game;
}

namespace kr::frontend {

// Width in screen pixels of `text` in the "Astron Boy" face at `size`,
// as the screens centre their FontNN texts with it.
int TextWidth(Game& game, int size, std::string_view cp1250);

// Advances a pulse by the frame time: up in about 0.4 s, down in about 1 s.
void AdvancePulse(MenuPulse& pulse, double frameMs);
// Advances the shared menu pulse and sets the red menu light's strength.
void UpdateMenuPulse(Game& game);
// Sets the strength (its red) of "menulight".
void SetMenuLightStrength(Game& game, double strength);
void MoveMenuLight(Game& game, const glm::vec3& position);
// Moves "menulight" 100 above the backdrop point under the pointer; over
// empty space it stays where it was.
void MenuLightFollowsPointer(Game& game);

// Turns the hangar about its vertical axis and the star sphere about x by
// the frame time times each rate (degrees per millisecond).
void TurnBackdrop(Game& game, double backdropRate, double starsRate);

// Frame steps of every menu screen before its own 2D: the mouse is read,
// the scene goes through the glow surface, is drawn, and the glow added.
void RenderMenuBackdrop(Game& game);
// The same without reading the mouse.
void RenderMenuScene(Game& game);
// The wide-screen frame picture "t" over the whole screen, when the screen
// is not 1024 wide and the picture was loaded for it.
void DrawWideScreenFrame(Game& game, const Corners& corners = {});
// Drops the picture `name` and loads `path` under that name.
void ReplaceTexture(Engine& engine, const std::string& name, const std::string& path, std::int32_t colourKey);

// A fixed rectangle of the 1024 x 768 layout; edges are outside.
struct HitRect {
    int x1, y1, x2, y2;
    bool Contains(int x, int y) const { return x > x1 && x < x2 && y > y1 && y < y2; }
};

// The hover rule of a screen's button k under the pointer: a hover sound
// once per change of button, the button's glow set to 0.5. Returns whether
// the pointer is over it.
bool HoverButton(Game& game, const HitRect& rect, int button, double& hoverValue, std::uint8_t& hoverButton);
// Every hover glow falls by the frame time and stops at 0.
void DecayHover(std::span<double> hoverValues, double frameMs);
// A click on a hovered button: the click sound, the new screen and its fade.
void ClickTo(Game& game, std::uint8_t screenId, float fadeMs);

// Glows that fall by `rate` per millisecond of frame time and stop at 0.
void Decay(double& value, double frameMs, double rate = 0.001);

// The lower-right back button of the help, credits and version screens
// under the pointer: its glow, the pilots saved (a no-op when unchanged) and,
// with `enterSound`, sound 18 as the pointer enters. Returns whether inside.
bool HoverBackButton(Game& game, const HitRect& rect, bool enterSound);

// The back label of the screens whose back button sits at the lower right,
// coloured by its glow; `x` is where its text starts.
void DrawBackLabel(Game& game, float x, float y, double glow);
// The text's start to centre it at `centre` (TextWidth halved towards zero).
int CentredX(Game& game, int size, std::string_view cp1250, int centre);
// Draws `text` centred at `centre`, measured at `size` and drawn in `font`.
void DrawCentred(Game& game, std::string_view text, int centre, float y, Colour colour, int size, int font);
// A text, then a copy of it in `copyColour` moved by (dx, dy): the shadow
// the screens put under their captions.
void DrawTextWithCopy(Engine& engine, std::string_view text, float x, float y, Colour colour, int font, float dx,
                      float dy, Colour copyColour);
// A glowing caption's colour: brighter and more opaque as the glow rises.
Colour GlowTextColour(double glow);

}  // namespace kr::frontend
