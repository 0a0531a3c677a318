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

}  // namespace kr::frontend
