// Speed of each texture-generator operation on a 256 x 256 layer, and of a
// whole 20-operation description file (the budget: one operation under
// 2 ms, a file under 20 ms, so a production's textures build in moments).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "image/texgen/LayerImage.h"
#include "image/texgen/TextureGenerator.h"

namespace {

using wf::TextureGenerator;

// A generator whose layers 0..7 hold a busy picture, so no operation runs
// on uniform data only.
TextureGenerator& preparedGenerator() {
  static TextureGenerator* gen = [] {
    auto* g = new TextureGenerator();
    g->cloud(1, 60, 77);
    g->sinePlasma(0, 20, 30, 10, 200, 255, 180, 90);
    for (int l = 2; l < 8; ++l) g->combine(l, l % 2, 0, 200);
    return g;
  }();
  return *gen;
}

void BM_SinePlasma(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.sinePlasma(0, 20, 30, 10, 200, 255, 180, 90);
  benchmark::DoNotOptimize(gen.layer(0)[0]);
}
BENCHMARK(BM_SinePlasma)->Unit(benchmark::kMicrosecond);

void BM_Cloud(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.cloud(1, 60, 77);
  benchmark::DoNotOptimize(gen.layer(1)[0]);
}
BENCHMARK(BM_Cloud)->Unit(benchmark::kMicrosecond);

void BM_LightSpot(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.lightSpot(2, 128, 128, 200, 255, 200, 100);
  benchmark::DoNotOptimize(gen.layer(2)[0]);
}
BENCHMARK(BM_LightSpot)->Unit(benchmark::kMicrosecond);

// Radius 255 about the centre: every pixel of the layer turns.
void BM_Twirl(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.twirl(3, 128, 128, 255, 10);
  benchmark::DoNotOptimize(gen.layer(3)[0]);
}
BENCHMARK(BM_Twirl)->Unit(benchmark::kMicrosecond);

void BM_Invert(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.invert(4);
  benchmark::DoNotOptimize(gen.layer(4)[0]);
}
BENCHMARK(BM_Invert)->Unit(benchmark::kMicrosecond);

void BM_Blur(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.blur(5);
  benchmark::DoNotOptimize(gen.layer(5)[0]);
}
BENCHMARK(BM_Blur)->Unit(benchmark::kMicrosecond);

void BM_Emboss(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.emboss(6);
  benchmark::DoNotOptimize(gen.layer(6)[0]);
}
BENCHMARK(BM_Emboss)->Unit(benchmark::kMicrosecond);

void BM_Combine(benchmark::State& state) {
  auto& gen = preparedGenerator();
  const int mode = int(state.range(0));
  for (auto _ : state) gen.combine(7, 1, mode, 100);
  benchmark::DoNotOptimize(gen.layer(7)[0]);
}
BENCHMARK(BM_Combine)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_Modulate(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.modulate(7, 1);
  benchmark::DoNotOptimize(gen.layer(7)[0]);
}
BENCHMARK(BM_Modulate)->Unit(benchmark::kMicrosecond);

// Width 255, divisor 2: the band covers the whole layer.
void BM_Wave(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) gen.wave(2, 255, 2);
  benchmark::DoNotOptimize(gen.layer(2)[0]);
}
BENCHMARK(BM_Wave)->Unit(benchmark::kMicrosecond);

void BM_LayerToImage(benchmark::State& state) {
  auto& gen = preparedGenerator();
  for (auto _ : state) {
    wf::RgbaImage image = wf::imageFromLayer(gen.layer(0));
    benchmark::DoNotOptimize(image.pixels.data());
  }
}
BENCHMARK(BM_LayerToImage)->Unit(benchmark::kMicrosecond);

// A typical 20-operation description: two of every operation.
void BM_TwentyOperationFile(benchmark::State& state) {
  const std::vector<std::array<uint8_t, 9>> records = {
      {1, 1, 50, 9},  {0, 0, 12, 40, 30, 90, 255, 160, 60}, {2, 2, 100, 140, 180, 255, 220, 120},
      {7, 0, 1, 0, 160}, {3, 0, 128, 128, 200, 12}, {5, 0}, {6, 3}, {8, 0, 2}, {9, 0, 40, 0, 2},
      {4, 4},          {1, 5, 90, 21}, {0, 6, 3, 5, 0, 0, 100, 100, 255}, {2, 7, 30, 30, 255, 255, 255, 255},
      {7, 0, 5, 1, 80}, {3, 0, 60, 200, 120, 40}, {5, 0}, {6, 6}, {8, 0, 7}, {9, 0, 20, 0, 5}, {4, 6}};
  std::vector<uint8_t> file = {uint8_t(records.size()), 0, 0, 0};
  for (const auto& r : records) file.insert(file.end(), r.begin(), r.end());
  TextureGenerator gen;
  for (auto _ : state) gen.runDescription(file.data(), file.size());
  benchmark::DoNotOptimize(gen.layer(0)[0]);
}
BENCHMARK(BM_TwentyOperationFile)->Unit(benchmark::kMillisecond);

}  // namespace
