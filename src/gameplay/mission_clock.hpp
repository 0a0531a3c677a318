#pragma once
// The mission's pace: cooldowns, the wave timer, the mission clock with the
// start of the boss stage, the developer keys and the end of the mission.

namespace kr {
struct Game;
}

namespace kr::gameplay {

void RunDownCooldowns(Game& game);
// Every 2.86 s of unfrozen play a wave (or, in the boss stage, the boss).
void AdvanceWaveTimer(Game& game);
// Caps the clock; once the fight's minutes are over and the sky is clear,
// the boss stage begins.
void KeepMissionClock(Game& game);
void BeginBossPhase(Game& game);
// T or N pressed while P is held: skip to the boss, or win at once.
void DeveloperKeys(Game& game);
// True when the mission is over (the ship lost or the boss destroyed).
bool MissionOver(const Game& game);
// Won: the boss stage is on and the boss has no hit points left (also when
// the ship was lost in the same frame).
bool BossDefeated(const Game& game);
// Leaves a finished mission: through the boss finale when won, else
// straight to the results.
void FinishMission(Game& game);

}  // namespace kr::gameplay
