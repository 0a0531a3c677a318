#pragma once

namespace kr {
struct Game;

// Adds one unit (36 seconds) of play time to the active profile.
void TimerTimer(Game& game);
// The one-second mission tick: mission clock and life/armour regeneration.
void MissionTimeTimer(Game& game);
// Fires the timers whose time has come on the engine clock.
void RunDueTimers(Game& game);

}  // namespace kr
