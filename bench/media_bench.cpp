// Costs of the sound: decoding the effects the game loads at start-up, a
// music track's length scan, and the mixer's work per second of sound.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "media/audio_decoder.hpp"
#include "media/media_writer.hpp"
#include "media/mixer.hpp"

namespace kr {
namespace {

// A folder of generated sounds for the length of the benchmark run.
class SoundFolder {
public:
    SoundFolder() : root_(std::filesystem::temp_directory_path() / ("kr_media_bench_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(root_);
        for (int i = 0; i < 8; ++i) {
            auto clip = media::SineClip(200 + 100 * i, 0.6, i % 2 ? 22050 : 44100, 1 + i % 2, 0.4f);
            media::WriteSoundFile(Effect(i), clip, media::SoundFileKind::Wav);
        }
        media::WriteSoundFile(Music(), media::SineClip(220, 30, 44100, 2, 0.3f), media::SoundFileKind::Wma);
    }
    ~SoundFolder() { std::filesystem::remove_all(root_); }
    std::filesystem::path Effect(int i) const { return root_ / ("effect" + std::to_string(i) + ".wav"); }
    std::filesystem::path Music() const { return root_ / "music.wma"; }

private:
    std::filesystem::path root_;
};

const SoundFolder& Sounds() {
    static SoundFolder folder;
    return folder;
}

void DecodeEightEffects(benchmark::State& state) {
    const SoundFolder& sounds = Sounds();
    std::int64_t frames = 0;
    for (auto _ : state) {
        for (int i = 0; i < 8; ++i) frames += media::DecodeSoundFile(sounds.Effect(i), "effect").Frames();
    }
    state.counters["sound_s"] = benchmark::Counter(static_cast<double>(frames) / media::kMixRate,
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(DecodeEightEffects)->Unit(benchmark::kMillisecond);

// What loading a music track costs: its whole length is decoded once.
void MeasureThirtySecondsOfWma(benchmark::State& state) {
    const SoundFolder& sounds = Sounds();
    for (auto _ : state) benchmark::DoNotOptimize(media::MeasureSoundFile(sounds.Music(), "music"));
}
BENCHMARK(MeasureThirtySecondsOfWma)->Unit(benchmark::kMillisecond);

// One second of output in device-sized blocks with eight effects and a
// music stream playing: the time spent in the audio callback per second.
void MixOneSecondEightEffectsAndMusic(benchmark::State& state) {
    const SoundFolder& sounds = Sounds();
    media::Mixer mixer;
    std::vector<std::shared_ptr<media::PcmSource>> effects;
    for (int i = 0; i < 8; ++i)
        effects.push_back(std::make_shared<media::PcmSource>(media::DecodeSoundFile(sounds.Effect(i), "e").samples));
    auto music = std::make_shared<media::PcmSource>(media::DecodeSoundFile(sounds.Music(), "m").samples);
    std::vector<int> channels;
    for (int i = 0; i < 9; ++i) channels.push_back(mixer.Acquire());
    std::vector<float> block(2 * 1024);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 8; ++i) mixer.Start(channels[i], effects[i], media::kMixRate, media::Gains{});
        mixer.Start(channels[8], music, media::kMixRate, media::Gains{0.8f, 0.8f});
        state.ResumeTiming();
        for (int done = 0; done < media::kMixRate; done += 1024) mixer.Render(block.data(), 1024);
        benchmark::DoNotOptimize(block.data());
    }
}
BENCHMARK(MixOneSecondEightEffectsAndMusic)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kr
