#include "app/timers.hpp"

#include <algorithm>

#include "app/game.hpp"

namespace kr {

void TimerTimer(Game& game) {
    game.profiles.ProfilePlayTime[game.ActiveProfile] += 1;
}

void MissionTimeTimer(Game& game) {
    if (game.TimeStop == 0) game.MissionSeconds += 1;
    if (HasUpgrade(game, 1)) game.player.Life += 1;
    game.player.Life = std::min(game.player.Life, LifeCeiling(game));
    if (HasUpgrade(game, 2)) game.player.Armour += 1;
    game.player.Armour = std::min(game.player.Armour, ArmourCeiling(game));
}

void RunDueTimers(Game& game) {
    double now = game.device.ClockMs();
    if (game.timers.Timer.Due(now)) TimerTimer(game);
    if (game.timers.MissionTime.Due(now)) MissionTimeTimer(game);
}

}  // namespace kr
