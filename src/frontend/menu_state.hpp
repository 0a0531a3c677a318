#pragma once
// State of the menu screens kept for the whole run: the backdrop scene's
// objects, the light pulse and the main menu's hover and captions.

#include <array>
#include <cstdint>

#include "engine/scene/scene.hpp"

namespace kr::frontend {

// The objects of the menu backdrop, made by BuildMenuScene.
struct MenuScene {
    scene::Mesh MenuBackdrop;
    scene::Actor MenuWelder;
    scene::Mesh MenuShip1, MenuShip2, MenuShip3;
    scene::Mesh MenuStars;
    scene::Mesh CreditsLogo1, CreditsLogo2;
    scene::Mesh SelectionBackdrop;
    scene::Mesh PlayerShield;
};

// The pulsing brightness of the red menu light, 0.01 to 0.99.
struct MenuPulse {
    double MenuPulse = 0;
    bool PulseFalling = false;
};

inline constexpr int kMainMenuButtons = 7;

struct MainMenuState {
    std::array<double, kMainMenuButtons + 1> HoverValue{};  // by button 1..7
    std::uint8_t HoverButton = 0;  // the button under the pointer at the last hover sound
    std::uint8_t CaptionPhase = 0;  // 0..14, once per run
    double CaptionFade = 0;
};

struct CreditsState {
    double CreditsScroll = 0;  // how far the credits picture has moved
};

inline constexpr int kPilotRows = 5;

struct PilotSelectState {
    std::array<double, kPilotRows + 1> RowGlow{};  // by slot 1..5
    double NewGlow = 0, DeleteGlow = 0, StartGlow = 0, BackGlow = 0;
    MenuPulse PilotPulse;  // shared with the name entry
};

inline constexpr int kOptionsRows = 6;
inline constexpr int kOptionsTabs = 3;

struct OptionsState {
    std::uint8_t OptionsPage = 0;  // 0 graphics, 1 sound, 2 language
    std::array<double, kOptionsTabs> TabGlow{};
    double AcceptGlow = 0;
    std::array<double, kOptionsRows + 1> RowGlow{};  // by row 1..6
    double ClickDelay = 0;  // a row takes a click only while this is 0
};

// The back and submit buttons' glow; the back glow is shared by the screens
// that draw their back button the same way.
struct BackButtonState {
    double BackHover = 0;
    double SubmitHover = 0;
    bool SubmitHeld = false;  // the press that started the submit program is still down
    bool PointerOnBack = false;  // for the back button's sound, once as the pointer enters
};

struct HelpState {
    std::int32_t HelpPageNumber = 0;
    double HelpCooldown = 0;  // page turns wait until it is 0
};

struct HangarGlows {
    double HangarBackGlow = 0, HangarShopGlow = 0, HangarShipGlow = 0, HangarLaunchGlow = 0;
};

// The ship carousel: its heading, this frame's turn, and the turn still to
// make to reach the ship an arrow asked for.
struct ShipSelectState {
    double CarouselAngle = 0;  // degrees, 0..360
    double CarouselStep = 0;
    double CarouselTurnLeft = 0;  // signed degrees
    double ShipNameAlpha = 0;
    MenuPulse ShipPulse;
};

struct ShopState {
    double ShopAnimTime = 0;         // towards the next picture of the animation
    std::uint8_t ShopAnimFrame = 0;  // 1..4; 0 before the shop was first shown
    double ShopBackGlow = 0;
};

// The hangar's briefing lines fading in one after another.
struct BriefingState {
    double BriefingFade = 0;
    double BriefingStep = 0;
};

}  // namespace kr::frontend
