#pragma once
// All program-wide state, owned by one Game object for the whole run.

#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "app/external_program.hpp"
#include "app/form_timer.hpp"
#include "data/high_scores.hpp"
#include "data/language.hpp"
#include "data/profiles.hpp"
#include "data/settings.hpp"
#include "engine/device.hpp"
#include "engine/engine.hpp"
#include "engine/game_folder.hpp"
#include "engine/random.hpp"
#include "frontend/menu_state.hpp"
#include "gameplay/player.hpp"
#include "media/playback.hpp"
#include "media/song_list.hpp"
#include "media/video_player.hpp"
#include "mission/mission_state.hpp"

namespace kr {

// The shared mouse state each screen refreshes from the engine once a frame.
struct MouseState {
    std::int32_t MouseX = 0;
    std::int32_t MouseY = 0;
    std::int16_t MouseButton1 = 0;
    std::int16_t MouseButton2 = 0;
    std::int16_t MouseButton3 = 0;
    std::int16_t MouseButton4 = 0;
    std::int32_t MouseWheel = 0;
};

struct FormTimers {
    FormTimer Timer{36000};       // play time of the active profile
    FormTimer MissionTime{1000};  // mission clock and regeneration
};

// The logo screens' clocks; never reset, so the screens are shown once.
struct LogoTimers {
    double LogoFade = 0;
    double LogoTint = 0;
    double LogoSeconds = 0;
    std::uint8_t LogoSoundsPlayed = 0;
    double TitleTime = 0;
};

// Lines for the engine log from before it is open (the sound device and the
// intro come first); see NoteForLog.
using EarlyNotes = std::vector<std::string>;

// Where the game's sound goes: the sound device, or only the engine clock
// when the run is headless or no device opens (then the notes say why).
// Defined with the sound catalogue in app/sound.cpp.
std::shared_ptr<media::AudioOutput> OpenGameAudio(Device& device, EarlyNotes& notes);

struct Game {
    Game(Device& device, GameFolder folder, std::uint64_t seed)
        : device(device),
          folder(std::move(folder)),
          seed(seed),
          random(seed),
          audio(OpenGameAudio(device, earlyNotes)),
          Music(audio, this->folder, media::Holding::Streamed),
          Sound(audio, this->folder, media::Holding::Whole) {}

    Device& device;
    GameFolder folder;
    std::uint64_t seed;  // of this run; the engine start mixes the clock into it
    Random random;
    std::unique_ptr<Engine> engine;  // replaced by every engine initialisation
    int engineStarts = 0;
    EarlyNotes earlyNotes;
    std::shared_ptr<media::AudioOutput> audio;
    media::SongList Music;  // music tracks, streamed
    media::SongList Sound;  // sound effects, decoded whole
    // The sound catalogue being decoded since the window opened; declared
    // after the lists it reads, so it finishes before they go.
    std::future<std::vector<media::PreparedFile>> soundFilesAhead;
    std::unique_ptr<media::VideoPlayer> mp;  // the intro video while it exists
    int introTexture = 0;        // the texture the intro's pictures are shown through
    long introPictureShown = 0;  // the video's picture number last put into it

    Settings settings;
    LangText langText;
    ProfileStore profiles;
    HighScores highScores;

    std::uint8_t ScreenId = 0;
    std::int32_t ActiveProfile = 0;
    std::int32_t CurrentMission = 0;
    std::uint8_t IntroVideoPlaying = 0;
    std::uint8_t SoundEnabled = 0;
    std::uint8_t MusicEnabled = 0;
    std::uint8_t JoystickEnabled = 0;
    MouseState mouse;
    Colour GlowColour{0.8f, 0.8f, 0.8f, 1.0f};
    LogoTimers logo;
    frontend::MenuScene menu;
    frontend::MenuPulse menuPulse;
    frontend::MainMenuState mainMenu;
    frontend::CreditsState credits;
    frontend::PilotSelectState pilots;
    frontend::OptionsState options;
    frontend::BackButtonState backButton;
    frontend::HelpState helpScreen;
    frontend::BriefingState briefing;
    frontend::HangarGlows hangar;
    frontend::ShipSelectState shipSelect;
    frontend::ShopState shop;
    ShopText shopText;  // the description last read from the shop file
    HelpPage help;
    MissionText missionText;
    Bytes savedProfiles;  // the store as last written, so unchanged saves are skipped
    std::int32_t MissionSeconds = 0;
    std::uint8_t TimeStop = 0;
    Player player;
    mission::MissionState mission;
    FormTimers timers;
    ExternalPrograms programs;
};

// Whether the active pilot owns shop upgrade `item` (1..15).
inline bool HasUpgrade(const Game& game, int item) {
    return game.profiles.ProfileUpgrades[game.ActiveProfile][item] == 1;
}
// Life and armour stop at 100 with their upgrades (3 and 4), else at 90.
inline std::int32_t LifeCeiling(const Game& game) { return HasUpgrade(game, 3) ? 100 : 90; }
inline std::int32_t ArmourCeiling(const Game& game) { return HasUpgrade(game, 4) ? 100 : 90; }

// Refreshes the shared mouse state with the engine's read-mouse operation.
void ReadMouse(Game& game);

}  // namespace kr
