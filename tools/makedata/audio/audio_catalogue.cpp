#include "audio/audio_catalogue.hpp"

#include <atomic>
#include <exception>
#include <thread>

#include "audio/sequencer.hpp"
#include "audio/songs.hpp"
#include "audio/sound_effects.hpp"
#include "audio/wav.hpp"
#include "audio/wma.hpp"

namespace kr::audio {
namespace {

constexpr int kMusicBitRate = 128000;
constexpr int kEffectBitRate = 128000;
constexpr int kRenderThreads = 2;

bool IsMono(const Stereo& signal) { return signal.left == signal.right; }

struct MusicTrack {
    const char* file;
    Song (*arrange)();
};

constexpr MusicTrack kMusic[] = {
    {"music\\menutheme.wma", &MenuTheme},
    {"music\\battletheme.wma", &BattleTheme},
    {"music\\orbittheme.wma", &OrbitTheme},
    {"music\\creditstheme.wma", &CreditsTheme},
    {"music\\missionend.wma", &MissionEndTheme},
};

}  // namespace

std::vector<AudioFile> MakeSoundEffectFiles() {
    std::vector<AudioFile> files;
    for (const SoundEffect& effect : SoundEffects()) {
        const std::string name = "sound\\" + effect.file;
        const Stereo signal = effect.render();
        if (effect.format == SoundFormat::Wma) {
            files.push_back({name, EncodeWma(ViewOf(signal), kEffectBitRate, name)});
        } else {
            files.push_back({name, EncodeWav(IsMono(signal) ? ViewOf(signal.left) : ViewOf(signal))});
        }
    }
    return files;
}

std::vector<AudioFile> MakeMusicFiles() {
    constexpr std::size_t count = std::size(kMusic);
    std::vector<AudioFile> files(count);
    std::vector<std::exception_ptr> errors(count);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                const Stereo song = RenderSong(kMusic[i].arrange());
                files[i] = {kMusic[i].file, EncodeWma(ViewOf(song), kMusicBitRate, kMusic[i].file)};
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < kRenderThreads; ++t) workers.emplace_back(work);
    for (auto& worker : workers) worker.join();
    for (const auto& error : errors) {
        if (error) std::rethrow_exception(error);
    }
    return files;
}

std::vector<AudioFile> MakeAudioFiles() {
    std::vector<AudioFile> files = MakeSoundEffectFiles();
    for (auto& file : MakeMusicFiles()) files.push_back(std::move(file));
    return files;
}

}  // namespace kr::audio
