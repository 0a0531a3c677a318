// Costs of the sound, on the generated game folder: decoding every effect the
// game loads at start-up, the mixer's work per second of sound, and the
// memory the music takes once loaded.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/sound.hpp"
#include "engine/game_folder.hpp"
#include "media/audio_decoder.hpp"
#include "media/mixer.hpp"
#include "media/mixer_output.hpp"
#include "media/song_list.hpp"

namespace kr {
namespace {

constexpr const char* kLoadingSound = "sound\\load.wma";

// The generated game folder, or a reason to skip.
const GameFolder* GeneratedFolder(benchmark::State& state) {
    static const GameFolder folder(KR_GAME_DIR);
    if (std::filesystem::exists(folder.Resolve(kLoadingSound))) return &folder;
    state.SkipWithError("no generated game folder: run makedata first");
    return nullptr;
}

// Every effect the start-up decodes whole, the loading sound first.
void DecodeStartupEffects(benchmark::State& state) {
    const GameFolder* folder = GeneratedFolder(state);
    if (!folder) return;
    std::vector<std::string> names{kLoadingSound};
    for (const CatalogueEntry& entry : kSoundCatalogue) names.emplace_back(entry.file);
    std::int64_t frames = 0;
    for (auto _ : state) {
        for (const std::string& name : names) frames += media::DecodeSoundFile(folder->Resolve(name), name).Frames();
    }
    state.counters["files"] = static_cast<double>(names.size());
    state.counters["sound_s_per_s"] =
        benchmark::Counter(static_cast<double>(frames) / media::kMixRate, benchmark::Counter::kIsRate);
}
BENCHMARK(DecodeStartupEffects)->Unit(benchmark::kMillisecond);

// One second of output in device-sized blocks with eight effects and a music
// track playing: the time the audio callback spends per second of sound.
void MixOneSecondEightEffectsAndMusic(benchmark::State& state) {
    const GameFolder* folder = GeneratedFolder(state);
    if (!folder) return;
    auto decode = [&](const char* name) {
        return std::make_shared<media::PcmSource>(media::DecodeSoundFile(folder->Resolve(name), name).samples);
    };
    std::vector<std::shared_ptr<media::PcmSource>> sources;
    for (const char* name : {"sound\\exp0.wav", "sound\\exp3.wav", "sound\\hit.wav", "sound\\laser.wav",
                             "sound\\rocket1.wav", "sound\\cannon.wav", "sound\\playerhit.wav", "sound\\powerup.wav"})
        sources.push_back(decode(name));
    sources.push_back(decode("music\\battletheme.wma"));
    media::Mixer mixer;
    std::vector<int> channels;
    for (std::size_t i = 0; i < sources.size(); ++i) channels.push_back(mixer.Acquire());
    constexpr int kBlock = 1024;
    std::vector<float> block(2 * kBlock);
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < sources.size(); ++i)
            mixer.Start(channels[i], sources[i], media::kMixRate, media::Gains{});  // effects end inside the second
        state.ResumeTiming();
        for (int done = 0; done < media::kMixRate; done += kBlock) mixer.Render(block.data(), kBlock);
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(MixOneSecondEightEffectsAndMusic)->Unit(benchmark::kMicrosecond);

// A line of /proc/self/status in KiB ("VmRSS", "VmHWM").
double StatusKiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1));
    return 0;
}

// Resets the peak resident size to the current one (Linux).
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The music list as the start-up loads it, every track playing: what memory
// it holds, its peak while loading, and what decoding the tracks whole
// would hold instead.
void MemoryWithAllMusicLoaded(benchmark::State& state) {
    const GameFolder* folder = GeneratedFolder(state);
    if (!folder) return;
    for (auto _ : state) {
        ResetPeakMemory();
        const double before = StatusKiB("VmRSS");
        auto output = std::make_shared<media::MixerOutput>();
        media::SongList music(output, *folder, media::Holding::Streamed);
        music.LoadAll();
        double seconds = 0;
        for (const CatalogueEntry& entry : kMusicCatalogue) {
            music.LoadFile(entry.index, entry.file);
            music.Play(entry.index);
            seconds += music.Duration(entry.index);
        }
        std::vector<float> block(2 * 1024);
        for (int i = 0; i < 43; ++i) output->mixer().Render(block.data(), 1024);  // a second of all four
        state.counters["held_MiB"] = (StatusKiB("VmRSS") - before) / 1024;
        state.counters["peak_MiB"] = (StatusKiB("VmHWM") - before) / 1024;
        state.counters["whole_MiB"] = seconds * media::kMixRate * 2 * sizeof(float) / (1024 * 1024);
    }
}
BENCHMARK(MemoryWithAllMusicLoaded)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kr
