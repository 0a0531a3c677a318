#pragma once
// Closing a mission: the boss finale, the results panel with its statistics,
// the pilot's pay and the campaign's next step.

#include <cstdint>

namespace kr {
struct Game;
}

namespace kr::mission {

// Destroyed of created, in per cent: 0 when nothing was created, at most 100.
double KillPercent(std::int32_t created, std::int32_t destroyed);
bool MissionWon(double killPercent, std::int32_t requiredPercent, std::int32_t life);
// 1 for a lost mission; otherwise the tally rounded (ties to even), tenths dropped.
std::int32_t MissionCredits(bool won, double killPercent, std::int32_t score, std::int32_t powerups,
                            std::int32_t destroyed);

// The burning boss circled by the camera, a white flash, then the results.
void BossFinale(Game& game);
// The results panel until a click after 2.5 s; then the pilot is paid, the
// campaign steps on and the mission is ended. Winning the last mission
// leads to the end-of-game screen instead of the hangar.
void ShowResults(Game& game);
// The pay and campaign step after the panel (also used by tests).
void SettleMission(Game& game);

}  // namespace kr::mission
