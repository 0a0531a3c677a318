#include "gameplay/mission_frame.hpp"

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "gameplay/arsenal.hpp"
#include "gameplay/combat.hpp"
#include "gameplay/flight.hpp"
#include "gameplay/hud.hpp"
#include "gameplay/main_gun.hpp"
#include "gameplay/shot_motion.hpp"
#include "gameplay/mission_clock.hpp"
#include "gameplay/pause_screen.hpp"
#include "gameplay/world_motion.hpp"
#include "gameplay/world_render.hpp"
#include "mission/mission_start.hpp"

namespace kr::gameplay {

namespace {

constexpr int kEscape = 1;
constexpr int kMissionSong = 1;
constexpr int kBossSong = 5;

bool SongEnded(const Game& game, int song) {
    return game.Music.Position(song) >= game.Music.Duration(song);
}

// The mission's song, or the boss's in the boss stage, starts again at its end.
void KeepMusicPlaying(Game& game) {
    if (game.MusicEnabled == 0) return;
    if (game.mission.BossPhase != 0) {
        if (!SongEnded(game, kBossSong)) return;
        StopMusic(game, kBossSong);
        PlayMusic(game, kBossSong);
        StopMusic(game, kMissionSong);
    } else if (SongEnded(game, kMissionSong)) {
        StopMusic(game, kMissionSong);
        PlayMusic(game, kMissionSong);
    }
}

void EnableTimers(Game& game) {
    const double now = game.device.ClockMs();
    game.timers.Timer.Enable(now);
    game.timers.MissionTime.Enable(now);
}

}  // namespace

void MissionFrame(Game& game) {
    Engine& engine = *game.engine;
    EnableTimers(game);
    KeepMusicPlaying(game);
    BlockUnownedWeapons(game);
    DrawMissionWorld(game);
    DrawHud(game);
    engine.Present();
    ReadSteering(game);
    Fly(game);
    MainGunUpkeep(game);
    MoveScenery(game);
    ScrollLandscape(game);
    BurnWithLaser(game);
    MoveEnemyShots(game);
    MovePlayerShots(game);
    MoveEnemies(game);
    FadeBoomLight(game);
    engine.scene().UpdateParticles(engine.FrameTimeMs());
    FollowWithCamera(game);
    TriggerSelectedWeapon(game);
    EndTimedEffects(game);
    RunDownCooldowns(game);
    AdvanceWaveTimer(game);
    KeepMissionClock(game);
    SelectWeaponKeys(game);
    DeveloperKeys(game);
    if (game.ScreenId != screen_id::Mission) return;  // the mission was ended
    if (engine.KeyPressed(kEscape)) {
        PauseScreen(game);
        if (game.ScreenId != screen_id::Mission) return;  // quit to the hangar
    }
    if (MissionOver(game)) FinishMission(game);
}

}  // namespace kr::gameplay
