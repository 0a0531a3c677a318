// Costs of the engine's CPU-side work: decoding pictures, building fonts,
// laying out text and recording a menu-sized 2D frame.

#include <benchmark/benchmark.h>

#include "engine/engine.hpp"
#include "engine/headless/headless_backend.hpp"
#include "engine/image/image.hpp"
#include "engine/text/font.hpp"

namespace kr {
namespace {

image::Image Gradient(int size) {
    image::Image picture(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x ^ y);
            p[3] = static_cast<std::uint8_t>(255 - x);
        }
    return picture;
}

void DecodeDds(benchmark::State& state, image::DdsFormat format) {
    Bytes file = image::EncodeDds(image::BuildMipChain(Gradient(512)), format);
    for (auto _ : state) benchmark::DoNotOptimize(image::DecodeImage(file, "bench.dds"));
    state.SetLabel("512x512 with mipmaps");
}
BENCHMARK_CAPTURE(DecodeDds, Bc3, image::DdsFormat::Bc3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeDds, Rgba32, image::DdsFormat::Rgba32)->Unit(benchmark::kMillisecond);

void DecodePng(benchmark::State& state) {
    Bytes file = image::EncodePng(Gradient(512));
    for (auto _ : state) benchmark::DoNotOptimize(image::DecodeImage(file, "bench.png"));
}
BENCHMARK(DecodePng)->Unit(benchmark::kMillisecond);

Bytes DisplayFace() {
    GameFolder folder(KR_GAME_DIR);
    return folder.ReadAll("Fonts\\Play-Bold.ttf");
}

void BuildFont(benchmark::State& state) {
    Bytes ttf = DisplayFace();
    for (auto _ : state) benchmark::DoNotOptimize(text::Font(ttf, static_cast<float>(state.range(0)), "Play-Bold"));
}
BENCHMARK(BuildFont)->Arg(14)->Arg(22)->Arg(62)->Unit(benchmark::kMillisecond);

void LayoutLine(benchmark::State& state) {
    text::Font font(DisplayFace(), 22, "Play-Bold");
    std::vector<text::GlyphQuad> quads;
    const std::string line = "Zestrzel wszystkich wrogów, zanim dotrą do bazy KRAVELLON!";
    for (auto _ : state) {
        quads.clear();
        font.Layout(line, 100, 100, quads);
        benchmark::DoNotOptimize(quads.data());
    }
}
BENCHMARK(LayoutLine);

// A menu frame: 300 textured quads and ten lines of text, recorded and
// handed to the (headless) back-end.
void MenuFrame(benchmark::State& state) {
    HeadlessBackend backend;
    Device device(backend, {});
    GameFolder folder(KR_GAME_DIR);
    Engine engine(device, folder);
    image::MipChain panel;
    panel.levels.push_back(Gradient(64));
    int texture = engine.textures().Add("panel", panel);
    int font = engine.CreateFont("Font22", "Astron Boy", 22, true);
    for (auto _ : state) {
        engine.Clear();
        engine.Begin2D();
        for (int i = 0; i < 300; ++i) engine.DrawTexture(texture, i, i, i + 64.0f, i + 64.0f);
        engine.End2D();
        engine.BeginText();
        for (int i = 0; i < 10; ++i) engine.DrawText("PILOT SELECTION", 80, 40.0f * i, kWhite, font);
        engine.EndText();
        engine.Present();
    }
}
BENCHMARK(MenuFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kr
