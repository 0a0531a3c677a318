#pragma once
// The screen state machine: ScreenId names the active screen, and the idle
// dispatcher runs that screen's handler, which draws one frame.

#include <array>
#include <cstdint>

namespace kr {
struct Game;

namespace screen_id {
inline constexpr std::uint8_t Startup = 0;
inline constexpr std::uint8_t Logo = 1;
inline constexpr std::uint8_t Title = 2;
inline constexpr std::uint8_t MainMenu = 100;
inline constexpr std::uint8_t PilotSelection = 101;
inline constexpr std::uint8_t ProfileCreation = 102;
inline constexpr std::uint8_t Credits = 103;
inline constexpr std::uint8_t Options = 104;
inline constexpr std::uint8_t TopScores = 105;
inline constexpr std::uint8_t Hangar = 120;
inline constexpr std::uint8_t ShipSelection = 121;
inline constexpr std::uint8_t Help = 130;
inline constexpr std::uint8_t Shop = 140;
inline constexpr std::uint8_t Mission = 200;
inline constexpr std::uint8_t EndOfGame = 220;
inline constexpr std::uint8_t ExitConfirmation = 254;
inline constexpr std::uint8_t Version = 255;
}  // namespace screen_id

using ScreenHandler = void (*)(Game&);

// Handlers by ScreenId; ids without a screen hold nullptr and draw nothing.
class ScreenTable {
public:
    ScreenTable();
    ScreenHandler Find(std::uint8_t id) const { return handlers_[id]; }

private:
    std::array<ScreenHandler, 256> handlers_{};
};

// One pass of the idle loop: nothing while the window lacks the focus;
// otherwise the active screen's frame, then the timers that are due.
void IdleDispatch(Game& game, const ScreenTable& screens);

// The screen-change fade: blocks for the fade-out, starts the fade-in.
void FadeTransition(Game& game, float durationMs);

}  // namespace kr
