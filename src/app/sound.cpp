#include "app/sound.hpp"

#include <vector>

#include "app/startup.hpp"
#include "engine/parallel_for.hpp"
#include "media/clock_output.hpp"
#include "media/mixer_output.hpp"
#include "media/sdl/sdl_audio_device.hpp"

namespace kr {

const std::array<CatalogueEntry, 4> kMusicCatalogue = {{
    {0, "music\\menutheme.wma"},
    {2, "music\\creditstheme.wma"},
    {3, "music\\missionend.wma"},
    {5, "music\\battletheme.wma"},
}};

const std::array<CatalogueEntry, 26> kSoundCatalogue = {{
    {0, "sound\\laser.wav"},     {3, "sound\\velmor.wav"},    {4, "sound\\powerup.wav"},
    {5, "sound\\exp0.wav"},      {6, "sound\\exp1.wav"},      {7, "sound\\exp2.wav"},
    {8, "sound\\exp3.wav"},      {9, "sound\\exit.wav"},      {10, "sound\\endmis.wav"},
    {11, "sound\\alarm.wav"},    {12, "sound\\exphit.wav"},   {13, "sound\\hit.wav"},
    {14, "sound\\hit2.wav"},     {15, "sound\\hit3.wav"},     {16, "sound\\hit4.wav"},
    {17, "sound\\click1.wav"},   {18, "sound\\flash.wav"},    {19, "sound\\click3.wav"},
    {20, "sound\\click2.wav"},   {21, "sound\\rocket1.wav"},  {22, "sound\\rocket2.wav"},
    {23, "sound\\inv_bgn.wav"},  {24, "sound\\inv_end.wav"},  {25, "sound\\enemyshoot.wav"},
    {26, "sound\\playerhit.wav"}, {27, "sound\\cannon.wav"},
}};

namespace {
constexpr int kLoadingSound = 2;
}  // namespace

std::shared_ptr<media::AudioOutput> OpenGameAudio(Device& device, EarlyNotes& notes) {
    if (device.backend().IsHeadless()) return std::make_shared<media::ClockOutput>(device);
    auto output = std::make_shared<media::MixerOutput>();
    std::string whyNot;
    auto sound = media::sdl::OpenAudioDevice(output->mixer(), whyNot);
    if (!whyNot.empty())
        NoteForLog(device.log(), notes, "SOUND ENGINE : No sound device (" + whyNot + "), the game plays silently");
    if (!sound) return std::make_shared<media::ClockOutput>(device);
    output->AttachDevice(std::move(sound));
    return output;
}

namespace {

// Every file of the catalogue decoded side by side, the long music first.
std::vector<media::PreparedFile> PrepareCatalogue(const Game& game) {
    std::vector<media::PreparedFile> files(kMusicCatalogue.size() + kSoundCatalogue.size());
    ParallelFor(files.size(), [&](std::size_t i) {
        files[i] = i < kMusicCatalogue.size() ? game.Music.Prepare(kMusicCatalogue[i].file)
                                              : game.Sound.Prepare(kSoundCatalogue[i - kMusicCatalogue.size()].file);
    });
    return files;
}

}  // namespace

void StartReadingSounds(Game& game) {
    const Game& reader = game;
    game.soundFilesAhead = std::async(std::launch::async, [&reader] { return PrepareCatalogue(reader); });
}

void LoadSoundCatalogue(Game& game) {
    Log& log = game.device.log();
    log.Write("SOUND ENGINE : Initializing...");
    game.Sound.LoadAll();
    game.Sound.LoadFile(kLoadingSound, "sound\\load.wma");
    game.Sound.Play(kLoadingSound);
    game.Music.LoadAll();
    log.Write("KRAVELLON : Loading music...");
    std::vector<media::PreparedFile> files =
        game.soundFilesAhead.valid() ? game.soundFilesAhead.get() : PrepareCatalogue(game);
    // Loaded in catalogue order, failing where loading one by one would.
    for (std::size_t i = 0; i < kMusicCatalogue.size(); ++i)
        game.Music.Install(kMusicCatalogue[i].index, std::move(files[i]));
    log.Write("KRAVELLON : Loading sounds...");
    for (std::size_t i = 0; i < kSoundCatalogue.size(); ++i)
        game.Sound.Install(kSoundCatalogue[i].index, std::move(files[kMusicCatalogue.size() + i]));
}

void PlaySound(Game& game, int n) {
    if (game.SoundEnabled == 0) return;
    int item = static_cast<std::uint8_t>(n);
    game.Sound.Stop(item);
    game.Sound.Play(item);
}

void StopSound(Game& game, int n) {
    if (game.SoundEnabled != 0) game.Sound.Stop(n);
}

void PlayMusic(Game& game, int n) {
    if (game.MusicEnabled == 1) game.Music.Play(n);
}

void PlayMusicAgainWhenOver(Game& game, int n) {
    if (game.MusicEnabled == 1 && !game.Music.IsPlaying(n)) game.Music.Play(n);
}

void StopMusic(Game& game, int n) {
    if (game.MusicEnabled == 1) game.Music.Stop(n);
}

}  // namespace kr
