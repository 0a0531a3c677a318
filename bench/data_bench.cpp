// Costs of the persistent data: language tables and the saves some screens
// make on every frame.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "data/language.hpp"
#include "data/profiles.hpp"

namespace kr {
namespace {

void LoadMainTexts(benchmark::State& state) {
    GameFolder folder(KR_GAME_DIR);
    LangText texts;
    for (auto _ : state) {
        LoadLanguage(folder, "polish", texts);
        benchmark::DoNotOptimize(texts[120]);
    }
}
BENCHMARK(LoadMainTexts)->Unit(benchmark::kMicrosecond);

void SaveProfileStore(benchmark::State& state) {
    auto dir = std::filesystem::temp_directory_path() / "kr_bench_profiles";
    std::filesystem::create_directories(dir / "Graphics");
    GameFolder folder(dir);
    Random random(1);
    ProfileStore store;
    for (auto _ : state) SaveProfiles(folder, random, store);
    std::filesystem::remove_all(dir);
}
BENCHMARK(SaveProfileStore)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kr
